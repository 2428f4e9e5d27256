#include "view3d/shapewindow.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <tuple>
#include <vector>

#include "tests/view3d/testmolecules.h"
#include "tests/view3d/viewfakes.h"

namespace kovala {
namespace {

using test::TDrawCall;
using test::TSketch;

struct TPlace {
  int x, y, z;
  friend bool operator==(const TPlace&, const TPlace&) = default;
};

std::vector<TPlace> Places(const TShapeWindow& window) {
  std::vector<TPlace> places;
  for (const TList& ball : window.balls) places.push_back({ball.x, ball.y, ball.z});
  return places;
}

class ShapeWindowTest : public ::testing::Test {
 protected:
  void Build(const TSketch& molecule) { window.BuildModel(molecule.atoms, 0, 0, 640, 400); }
  std::vector<TDrawCall> Frame() { return test::LastFrame(desktop.last->surface); }

  test::TFakeHost host;
  test::TPictureKeepingDesktop desktop;
  TShapeWindow window{host, desktop};
};

TEST_F(ShapeWindowTest, StartsStillAtTheSmallestSize) {
  EXPECT_EQ(window.sizeLevel, 1);
  EXPECT_EQ(window.diameter, window.baseDiameter);
  EXPECT_EQ(window.baseDiameter, (std::array<std::int32_t, 9>{30, 16, 30, 30, 34, 32, 34, 36, 28}));
  EXPECT_FALSE(window.animating);
  EXPECT_TRUE(window.stepsEnabled);
  EXPECT_TRUE(window.lastStepYaw);
  EXPECT_EQ(window.animDirection, 0);
  EXPECT_TRUE(window.balls.IsEmpty());
}

TEST_F(ShapeWindowTest, BuildingResetsTheTurnsAndTheAnimationCount) {
  Build(test::Methane());
  window.Command(703);
  window.animTick = 7;
  Build(test::Methane());
  EXPECT_EQ(std::tie(window.yawTurns, window.pitchTurns), std::make_tuple(0.0f, 0.0f));
  EXPECT_TRUE(window.lastStepYaw);
  EXPECT_EQ(window.animTick, 1);
  EXPECT_EQ(window.balls.Count(), 5);
}

TEST_F(ShapeWindowTest, LeftThenRightPutsEveryBallBack) {
  for (const TSketch& m :
       {test::Methane(), test::Octane(), test::RingWithHydrogens(test::TTemplate::Cyclohexane)}) {
    Build(m);
    const auto before = Places(window);
    window.Command(701);
    EXPECT_NE(Places(window), before);
    window.Command(702);
    EXPECT_EQ(Places(window), before);
    EXPECT_NEAR(window.yawTurns, 0.0f, 1e-6f);
  }
}

TEST_F(ShapeWindowTest, UpAfterLeftStartsThePitchTurnsAfresh) {
  Build(test::Methane());
  window.Command(701);
  window.Command(701);
  EXPECT_FLOAT_EQ(window.yawTurns, 0.1f);
  window.Command(703);
  EXPECT_EQ(window.pitchTurns, 0.05f);
  EXPECT_FALSE(window.lastStepYaw);
  window.Command(703);
  EXPECT_FLOAT_EQ(window.pitchTurns, 0.1f);
  window.Command(702);
  EXPECT_EQ(window.yawTurns, -0.05f) << "back on the vertical axis the turns start again";
}

TEST_F(ShapeWindowTest, ABallOnTheVerticalAxisKeepsItsPlaceWhenTurnedAboutIt) {
  Build(test::CarbonDioxide());
  const TList& carbon = window.balls[0];
  ASSERT_EQ(carbon.x, window.centreX);
  ASSERT_EQ(carbon.yawRadius, 0.0f);
  for (int i = 0; i < 3; ++i) {
    window.Command(701);
    EXPECT_EQ(std::tie(carbon.x, carbon.z), std::make_tuple(window.centreX, 0));
  }
  EXPECT_NE(window.balls[1].z, 0) << "the oxygens swing out of the picture plane";
}

TEST_F(ShapeWindowTest, TwentyPressesOfAnArrowMakeOneFullTurn) {
  using test::TTemplate;
  for (int arrow : {701, 702, 703, 704}) {
    for (const TSketch& m :
         {test::Methane(), test::Octane(), test::RingWithHydrogens(TTemplate::Aromatic),
          test::RingWithHydrogens(TTemplate::Cyclobutane), test::RingWithHydrogens(TTemplate::Cyclohexane)}) {
      Build(m);
      const auto before = Places(window);
      for (int i = 0; i < 20; ++i) window.Command(arrow);
      EXPECT_EQ(Places(window), before) << "arrow " << arrow;
    }
  }
}

// Where a ball stands after exact turns of 18 degrees about the centre, from
// its place in the built model: Left and Up increase the angle on the circle.
std::array<double, 3> ExactlyTurned(std::array<double, 3> p, const std::vector<std::tuple<int, int>>& turns) {
  for (auto [arrow, presses] : turns) {
    const double angle = presses * 0.05 * 2 * 3.141592653589793 * (arrow == 701 || arrow == 703 ? 1 : -1);
    double& along = arrow <= 702 ? p[0] : p[1];
    const double turned = along * std::cos(angle) + p[2] * std::sin(angle);
    p[2] = p[2] * std::cos(angle) - along * std::sin(angle);
    along = turned;
  }
  return p;
}

TEST_F(ShapeWindowTest, TurnsAboutBothAxesFollowTheExactRotation) {
  // Rounding to whole pixels at every step keeps balls within a few pixels,
  // also the cyclohexane hydrogens that pass over the edge of their circle.
  const std::tuple<TSketch, double> molecules[] = {
      {test::Methane(), 6.0},
      {test::Water(), 6.0},
      {test::Octane(), 6.0},
      {test::RingWithHydrogens(test::TTemplate::Aromatic), 6.0},
      {test::RingWithHydrogens(test::TTemplate::Cyclobutane), 6.0},
      {test::RingWithHydrogens(test::TTemplate::Cyclohexane), 6.0}};
  const std::tuple<int, int> axes[] = {{701, 703}, {703, 701}, {702, 704}, {704, 702}};
  for (const auto& [m, tolerance] : molecules) {
    for (auto [first, second] : axes) {
      for (int presses : {1, 3, 7}) {
        for (int then : {1, 2, 3}) {
          Build(m);
          std::vector<std::array<double, 3>> built;
          for (const TList& ball : window.balls)
            built.push_back({double(ball.x - window.centreX), double(ball.y - window.centreY),
                             double(ball.z - window.centreZ)});
          for (int i = 0; i < presses; ++i) window.Command(first);
          for (int i = 0; i < then; ++i) window.Command(second);
          for (int i = 0; i < window.balls.Count(); ++i) {
            const auto exact =
                ExactlyTurned(built[static_cast<std::size_t>(i)], {{first, presses}, {second, then}});
            EXPECT_NEAR(window.balls[i].x - window.centreX, exact[0], tolerance) << first << " x" << presses;
            EXPECT_NEAR(window.balls[i].y - window.centreY, exact[1], tolerance) << second << " x" << then;
            // Depth comes from rounded places, so only its side is compared:
            // a ball on the wrong side would be drawn in the wrong order.
            if (std::fabs(exact[2]) > tolerance) {
              EXPECT_EQ(window.balls[i].z > window.centreZ, exact[2] > 0) << "depth side of ball " << i;
            }
          }
        }
      }
    }
  }
}

TEST_F(ShapeWindowTest, OneLeftPressMovesAnOffAxisBallAlongItsCircle) {
  Build(test::CarbonDioxide());
  // The right oxygen, 30 to the right of the centre, turns 18 degrees
  // towards the viewer; its depth follows from its rounded x.
  const TList& oxygen = window.balls[2];
  window.Command(701);
  EXPECT_EQ(std::tie(oxygen.x, oxygen.y, oxygen.z), std::make_tuple(320 + 29, 133, -8));
  window.Command(702);
  EXPECT_EQ(std::tie(oxygen.x, oxygen.z), std::make_tuple(350, 0));
}

TEST_F(ShapeWindowTest, ShiftArrowsMoveTheModelAndLaterTurnsGoAboutTheMovedCentre) {
  Build(test::Methane());
  const auto before = Places(window);
  const auto box = std::make_tuple(window.boxMinX, window.boxMaxX, window.boxMinY, window.boxMaxY);
  const auto centre = std::make_tuple(window.centreX, window.centreY, window.centreZ);
  window.Command(706);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(Places(window)[i], (TPlace{before[i].x + 5, before[i].y, before[i].z}));
  EXPECT_EQ(std::make_tuple(window.boxMinX, window.boxMaxX, window.boxMinY, window.boxMaxY),
            std::make_tuple(std::get<0>(box) + 5, std::get<1>(box) + 5, std::get<2>(box), std::get<3>(box)));
  EXPECT_EQ(std::make_tuple(window.centreX, window.centreY, window.centreZ),
            std::make_tuple(std::get<0>(centre) + 5, std::get<1>(centre), std::get<2>(centre)));
  window.Command(708);
  EXPECT_EQ(window.centreY, std::get<1>(centre) + 5);

  // Turning the moved model gives the turned model, moved.
  window.Command(701);
  test::TFakeHost otherHost;
  test::TScriptedDesktop otherDesktop;
  TShapeWindow unmoved(otherHost, otherDesktop);
  unmoved.BuildModel(test::Methane().atoms, 0, 0, 640, 400);
  unmoved.Command(701);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(window.balls[i].x, unmoved.balls[i].x + 5);
    EXPECT_EQ(window.balls[i].y, unmoved.balls[i].y + 5);
    EXPECT_EQ(window.balls[i].z, unmoved.balls[i].z);
  }
  window.Command(705);
  window.Command(707);
  EXPECT_EQ(std::make_tuple(window.centreX, window.centreY),
            std::make_tuple(std::get<0>(centre), std::get<1>(centre)));
}

TEST_F(ShapeWindowTest, StepsAskForAnImmediateRepaintWithoutErasing) {
  Build(test::Methane());
  for (int id : {701, 702, 703, 704, 705, 706, 707, 708}) EXPECT_TRUE(window.Command(id));
  EXPECT_EQ(host.invalidations, 8);
  EXPECT_EQ(host.erasingInvalidations, 0);
  EXPECT_EQ(host.updates, 8);
  EXPECT_FALSE(window.Command(301)) << "the frame's commands are not the window's";
}

TEST_F(ShapeWindowTest, AnimationRunsOnTimerOneAndShutsOutTheKeys) {
  Build(test::Methane());
  window.StartAnimation();
  EXPECT_EQ(host.timers, std::vector<int>{1});
  EXPECT_TRUE(window.animating);
  const auto before = Places(window);
  for (int id : {701, 702, 703, 704, 705, 706, 707, 708}) EXPECT_TRUE(window.Command(id));
  EXPECT_EQ(Places(window), before);
  EXPECT_EQ(host.updates, 0);

  window.Timer(1);
  EXPECT_NE(Places(window), before) << "a tick turns the model";
  EXPECT_FALSE(window.stepsEnabled) << "and shuts the keys out again";
  window.Timer(2);
  EXPECT_EQ(host.updates, 1) << "only timer 1 is the animation";

  EXPECT_TRUE(window.StopAnimation());
  EXPECT_TRUE(host.timers.empty());
  EXPECT_FALSE(window.animating);
  EXPECT_TRUE(window.stepsEnabled);
  EXPECT_FALSE(window.StopAnimation()) << "no timer was running any more";
}

TEST_F(ShapeWindowTest, AnimationTicksEvery55MillisecondsAtAPaceAStudentCanFollow) {
  Build(test::Methane());
  window.animDirection = 0;
  window.StartAnimation();
  EXPECT_EQ(host.timerPeriods[1], 55);
  // The first nine ticks, half a second at that period, turn the model half a
  // turn less one step: about 330 degrees a second.
  for (int tick = 0; tick < 9; ++tick) window.Timer(1);
  EXPECT_FLOAT_EQ(window.yawTurns, 0.45f);
  EXPECT_EQ(host.updates, 9);
}

TEST_F(ShapeWindowTest, EachAnimationDirectionLastsTenTicks) {
  Build(test::Octane());
  window.SeedRandom(2024);
  std::mt19937 expected(2024);
  window.StartAnimation();
  std::vector<int> directions;
  for (int tick = 1; tick <= 60; ++tick) {
    window.TimerTick();
    directions.push_back(window.animDirection);
  }
  // The first direction is kept until the count reaches ten; after that a
  // new one is drawn every tenth tick.
  for (int tick = 1; tick <= 9; ++tick) EXPECT_EQ(directions[tick - 1], 0) << tick;
  for (int block = 0; block < 5; ++block) {
    const int drawn = static_cast<int>(expected() % 4);
    for (int tick = 10 + 10 * block; tick < 20 + 10 * block; ++tick)
      EXPECT_EQ(directions[tick - 1], drawn) << "tick " << tick;
  }
  EXPECT_EQ(host.updates, 60);
}

TEST_F(ShapeWindowTest, AnimationTicksTurnTheWayTheirDirectionSays) {
  struct TCase {
    int direction;
    bool yaw;
    float turns;
  };
  for (TCase c :
       {TCase{0, true, 0.05f}, TCase{1, false, 0.05f}, TCase{2, false, -0.05f}, TCase{3, true, -0.05f}}) {
    Build(test::Methane());
    window.animDirection = c.direction;
    window.StartAnimation();
    window.TimerTick();
    window.TimerTick();  // pitch starts afresh on the first tick only
    EXPECT_FLOAT_EQ(c.yaw ? window.yawTurns : window.pitchTurns, 2 * c.turns) << c.direction;
    EXPECT_EQ(window.lastStepYaw, c.yaw);
    window.StopAnimation();
  }
  Build(test::Methane());
  const auto before = Places(window);
  window.animDirection = 7;
  window.StartAnimation();
  window.TimerTick();
  EXPECT_EQ(Places(window), before) << "a direction outside 0 to 3 turns nothing";
}

TEST_F(ShapeWindowTest, ThirteenAtomsCannotGrowTwelveCan) {
  TSketch thirteen;
  for (int i = 0; i < 13; ++i) thirteen.Add(Hydrogen, 30 * i, 30);
  Build(thirteen);
  EXPECT_FALSE(window.Grow());
  EXPECT_EQ(window.sizeLevel, 1);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "You cannot make the molecule any larger!!!");
  EXPECT_EQ(desktop.messages[0].caption, "Warning");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);

  thirteen.atoms.Destroy(12);
  Build(thirteen);
  EXPECT_TRUE(window.Grow());
  EXPECT_EQ(window.sizeLevel, 2);
  EXPECT_TRUE(window.modelAtoms.IsEmpty());
  EXPECT_TRUE(window.balls.IsEmpty());
  EXPECT_FALSE(window.Grow()) << "two is the largest size";
  EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(ShapeWindowTest, IncreaseDoublesEveryDiameterAndDecreaseHalvesThem) {
  EXPECT_FALSE(window.Shrink());
  EXPECT_EQ(desktop.LastText(), "You cannot make the molecule any smaller!!!");
  EXPECT_EQ(desktop.messages.back().caption, "Warning");
  ASSERT_TRUE(window.Grow());
  for (std::size_t k = 0; k < 9; ++k) EXPECT_EQ(window.diameter[k], 2 * window.baseDiameter[k]) << k;
  Build(test::Methane());
  EXPECT_EQ(window.balls[1].y, window.balls[0].y - 46);
  ASSERT_TRUE(window.Shrink());
  EXPECT_EQ(window.diameter, window.baseDiameter);
  EXPECT_TRUE(window.balls.IsEmpty());
}

TEST_F(ShapeWindowTest, PaintDrawsThroughAPictureOfTheClientSize) {
  Build(test::Methane());
  test::TRecordingSurface screen;
  window.Paint(screen);
  ASSERT_NE(desktop.last, nullptr);
  EXPECT_EQ(std::tie(window.bufferWidth, window.bufferHeight), std::make_tuple(640, 400));
  EXPECT_EQ(screen.calls, (std::vector<TDrawCall>{{TDrawCall::Kind::Picture, "", 0, 0, 640, 400, {}, {}}}));
  const auto frame = Frame();
  ASSERT_FALSE(frame.empty());
  EXPECT_EQ(frame[0], (TDrawCall{TDrawCall::Kind::Fill, "", 0, 0, 640, 400, White, {}}));

  // Balls follow the legend, farthest first.
  std::vector<TDrawCall> balls;
  for (std::size_t i = 1; i < frame.size(); ++i)
    if (frame[i].kind == TDrawCall::Kind::Ellipse && frame[i].x1 > 100) balls.push_back(frame[i]);
  ASSERT_EQ(balls.size(), 5u);
  for (int i = 0; i + 1 < window.balls.Count(); ++i) EXPECT_GE(window.balls[i].z, window.balls[i + 1].z);
  for (int i = 0; i < 5; ++i) {
    const TList& ball = window.balls[i];
    const int r = window.diameter[static_cast<std::size_t>(ball.kind)] / 2;
    const TColor colour = ball.kind == Carbon ? TColor{0, 0, 0} : TColor{255, 255, 0};
    EXPECT_EQ(balls[static_cast<std::size_t>(i)],
              (TDrawCall{TDrawCall::Kind::Ellipse, "", ball.x - r, ball.y - r, ball.x + r, ball.y + r, colour,
                         colour}));
  }

  // A larger client is followed by a picture of the new size.
  host.client = {0, 0, 800, 500};
  window.Paint(screen);
  EXPECT_EQ(desktop.created, 2);
  EXPECT_EQ(screen.calls.back().x2, 800);
  window.Paint(screen);
  EXPECT_EQ(desktop.created, 2) << "a picture of the right size is reused";
}

TEST_F(ShapeWindowTest, LegendListsEachElementOnceAtTheSmallestSizeOnly) {
  // Methanol with a chlorine in place of one hydrogen: C, H, O, Cl in order
  // of first appearance.
  TSketch m;
  const int c = m.Add(Carbon, 100, 100);
  m.Bond(c, m.Add(Hydrogen, 100, 70));
  const int o = m.Add(Oxygen, 130, 100);
  m.Bond(c, o);
  m.Bond(o, m.Add(Hydrogen, 160, 100));
  m.Bond(c, m.Add(Hydrogen, 100, 130));
  m.Bond(c, m.Add(Chlorine, 70, 100));
  Build(m);
  test::TRecordingSurface screen;
  window.Paint(screen);
  const auto frame = Frame();
  const std::vector<TDrawCall> legend(frame.begin() + 1, frame.begin() + 9);
  const TColor black{0, 0, 0}, yellow{255, 255, 0}, red{255, 0, 0}, green{0, 255, 0};
  const std::vector<TDrawCall> expected{
      {TDrawCall::Kind::Ellipse, "", 20, 20, 50, 50, black, black},
      {TDrawCall::Kind::Bitmap, "carbonatom", 60, 25, 0, 0, {}, {}},
      {TDrawCall::Kind::Ellipse, "", 28, 74, 44, 90, yellow, yellow},
      {TDrawCall::Kind::Bitmap, "hydrogenatom", 60, 70, 0, 0, {}, {}},
      {TDrawCall::Kind::Ellipse, "", 20, 120, 50, 150, red, red},
      {TDrawCall::Kind::Bitmap, "oxygenatom", 60, 125, 0, 0, {}, {}},
      {TDrawCall::Kind::Ellipse, "", 20, 170, 52, 202, green, green},
      {TDrawCall::Kind::Bitmap, "chlorineatom", 60, 175, 0, 0, {}, {}},
  };
  EXPECT_EQ(legend, expected);
  EXPECT_EQ(frame.size(), 1u + 8u + 6u);

  ASSERT_TRUE(window.Grow());
  Build(m);
  window.Paint(screen);
  const auto large = Frame();
  EXPECT_EQ(large.size(), 1u + 6u) << "no legend at the larger size";
  for (const TDrawCall& call : large) EXPECT_NE(call.kind, TDrawCall::Kind::Bitmap);
}

TEST_F(ShapeWindowTest, CopyPutsTheBoxAroundTheBallsOnTheClipboard) {
  Build(test::Methane());
  for (int id : {706, 706, 706, 708}) window.Command(id);
  window.Command(625);
  ASSERT_EQ(desktop.clipboard.size(), 1u);
  const auto& copy = desktop.clipboard[0];
  EXPECT_EQ(copy.box,
            (TRect{window.boxMinX - 36, window.boxMinY - 36, window.boxMaxX + 36, window.boxMaxY + 36}));
  EXPECT_EQ(copy.box, (TRect{309 + 15 - 36, 108 + 5 - 36, 342 + 15 + 36, 143 + 5 + 36}));
  EXPECT_EQ(std::tie(copy.pictureWidth, copy.pictureHeight), std::make_tuple(640, 400));
  const auto frame = test::LastFrame(desktop.last->surface);
  EXPECT_EQ(frame.size(), 1u + 5u) << "white, then the balls without a legend";
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(
      desktop.messages[0].text,
      "You can now start another Windows application and Paste the molecule by choosing Edit|Paste from the "
      "application's menu.");
  EXPECT_EQ(desktop.messages[0].caption, "Information");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);
}

TEST_F(ShapeWindowTest, CopyAtTheLargerSizeUsesTheLargerMargin) {
  ASSERT_TRUE(window.Grow());
  Build(test::Methane());
  window.CopyToClipboard();
  ASSERT_EQ(desktop.clipboard.size(), 1u);
  EXPECT_EQ(desktop.clipboard[0].box.left, window.boxMinX - 72);
}

TEST_F(ShapeWindowTest, AFailedCopyStillShowsTheMessage) {
  Build(test::Methane());
  desktop.clipboardWorks = false;
  window.CopyToClipboard();
  EXPECT_TRUE(desktop.clipboard.empty());
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(ShapeWindowTest, SortingByDepthMovesOnlyWhatIsDrawnAndTurned) {
  Build(test::Methane());
  std::vector<std::array<std::int32_t, 4>> links;
  for (const TList& ball : window.balls) links.push_back(ball.childIndex);
  window.balls[2].z = 19;  // the same depth as ball 3: their order is kept
  window.SortByDepth();
  std::vector<std::tuple<int, int>> order;
  for (const TList& ball : window.balls) order.emplace_back(ball.z, ball.x);
  EXPECT_EQ(order, (std::vector<std::tuple<int, int>>{{19, 342}, {19, 309}, {0, 320}, {0, 320}, {-19, 309}}));
  for (int i = 0; i < 5; ++i) EXPECT_EQ(window.balls[i].childIndex, links[static_cast<std::size_t>(i)]);
}

TEST(ShapeWindowLifetime, ClosingWhileAnimatingStopsTheTimer) {
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  {
    TShapeWindow window(host, desktop);
    window.BuildModel(test::Methane().atoms, 0, 0, 640, 400);
    window.StartAnimation();
    ASSERT_EQ(host.timers.size(), 1u);
  }
  EXPECT_TRUE(host.timers.empty());
}

TEST(ShapeWindowLifetime, TenThousandTicksKeepOnePicture) {
  test::TPaintingHost host;
  test::TCountingDesktop desktop;
  test::TCountingSurface screen;
  TShapeWindow window(host, desktop);
  host.window = &window;
  host.target = &screen;
  window.SeedRandom(1);
  window.BuildModel(test::Octane().atoms, 0, 0, 640, 400);
  window.StartAnimation();
  for (int i = 0; i < 10000; ++i) window.Timer(1);
  EXPECT_EQ(screen.calls, 10000) << "every tick reached the screen";
  EXPECT_EQ(desktop.created, 1);
  EXPECT_EQ(desktop.live, 1);
  host.client = {0, 0, 300, 200};
  window.Timer(1);
  EXPECT_EQ(desktop.created, 2);
  EXPECT_EQ(desktop.live, 1) << "the old picture was let go";
  window.ClearModel();
  EXPECT_EQ(desktop.live, 0);
}

TEST(ShapeWindowLifetime, AnEmptyModelPaintsAWhitePicture) {
  test::TFakeHost host;
  test::TPictureKeepingDesktop desktop;
  TShapeWindow window(host, desktop);
  window.BuildModel(TOwningArray<TAtom>(), 0, 0, 640, 400);
  test::TRecordingSurface screen;
  window.Paint(screen);
  window.Command(701);
  window.CopyToClipboard();
  EXPECT_EQ(test::LastFrame(desktop.last->surface).size(), 1u);
  EXPECT_EQ(screen.calls.size(), 1u);
}

}  // namespace
}  // namespace kovala
