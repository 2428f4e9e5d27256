#include "view3d/trueshapewindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "tests/chem/chemtesting.h"
#include "tests/support/recordingsurface.h"
#include "view3d/elementcolours.h"

namespace kovala {
namespace {

using test::TWindowFixture;
using test::TRecordingSurface;
using test::TSmoothCall;
using Kind = TSmoothCall::Kind;

// A molecule built in an editor and shown in a true-shape window of its own.
struct TView {
  TWindowFixture<> editor;
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  TTrueShapeWindow window{host, desktop};

  explicit TView(const char* recipe, TRect client = {0, 0, 640, 400}) {
    host.client = client;
    Build(editor, {recipe});
    EXPECT_TRUE(editor.window.molecule.completed) << recipe;
    EXPECT_TRUE(window.ShowMolecule(editor.window)) << window.problem;
  }
  TRecordingSurface Painted() {
    TRecordingSurface surface;
    window.Paint(surface);
    return surface;
  }
};

struct TBox {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
};

TBox BallsBox(const TRecordingSurface& surface) {
  TBox box;
  for (const TSmoothCall& ball : surface.Smooth(Kind::Ball)) {
    box.left = std::min(box.left, ball.points[0].x);
    box.top = std::min(box.top, ball.points[0].y);
    box.right = std::max(box.right, ball.points[1].x);
    box.bottom = std::max(box.bottom, ball.points[1].y);
  }
  return box;
}

struct TDrawnCase {
  const char* recipe;
  int balls;
  int sticks;  // a double bond is two sticks, a triple three
};

void PrintTo(const TDrawnCase& c, std::ostream* os) { *os << c.recipe; }

class TrueShapeDrawing : public testing::TestWithParam<TDrawnCase> {};

// Every atom a shaded ball in the legend's colour, every bond its sticks,
// and the molecule filling the view inside its margin, in a small window and
// in a large one.
TEST_P(TrueShapeDrawing, BallsSticksAndFillingTheView) {
  const TDrawnCase& c = GetParam();
  for (const TRect client : {TRect{0, 0, 640, 400}, TRect{0, 0, 1600, 900}}) {
    TView view(c.recipe, client);
    const TRecordingSurface drawn = view.Painted();
    ASSERT_FALSE(drawn.calls.empty());
    EXPECT_EQ(drawn.calls[0].kind, test::TDrawCall::Kind::Fill);
    const auto balls = drawn.Smooth(Kind::Ball);
    ASSERT_EQ(balls.size(), static_cast<std::size_t>(c.balls));
    EXPECT_EQ(drawn.Smooth(Kind::Stick).size(), static_cast<std::size_t>(c.sticks));
    for (const TSmoothCall& ball : balls) {
      const bool known = std::find(ElementColours.begin(), ElementColours.end(), ball.colour) != ElementColours.end();
      EXPECT_TRUE(known);
    }
    const TBox box = BallsBox(drawn);
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.right, client.right);
    EXPECT_LE(box.bottom, client.bottom);
    const double filled = std::max(static_cast<double>(box.right - box.left) / client.Width(),
                                   static_cast<double>(box.bottom - box.top) / client.Height());
    EXPECT_GT(filled, 0.45) << client.Width();
  }
}

INSTANTIATE_TEST_SUITE_P(View, TrueShapeDrawing,
                         testing::Values(TDrawnCase{"O(H)H", 3, 2}, TDrawnCase{"O=C=O", 3, 4},
                                         TDrawnCase{"C(H)#N", 3, 4}, TDrawnCase{"C(H)(H)=C(H)H", 6, 6},
                                         TDrawnCase{"C(H)(H)(H)C(H)(H)O(H)", 9, 8}));

// Far things first: each ball is drawn after everything farther away, so a
// near ball is never covered by a far one.
TEST(TrueShapeView, NearBallsAreDrawnLast) {
  TView view("C(H)(H)(H)H");
  const auto at = view.window.Project(view.host.client);
  const auto balls = view.Painted().Smooth(Kind::Ball);
  ASSERT_EQ(balls.size(), at.size());
  std::vector<double> depths;
  for (const TSmoothCall& ball : balls)
    for (const TProjected& p : at)
      if (std::lround(p.x - p.radius) == ball.points[0].x && std::lround(p.y - p.radius) == ball.points[0].y)
        depths.push_back(p.depth);
  ASSERT_EQ(depths.size(), balls.size());
  EXPECT_TRUE(std::is_sorted(depths.begin(), depths.end()));
}

// A flat molecule faces the student at first, so its angles are seen true.
TEST(TrueShapeView, AFlatMoleculeStartsFacingTheStudent) {
  TView view("O(H)H");
  for (const TProjected& p : view.window.Project(view.host.client)) EXPECT_NEAR(p.depth, 0, 1e-6);
}

TEST(TrueShapeView, ArrowKeysAndDraggingTurnAndTurnBack) {
  TView view("C(H)(H)(H)C(H)(H)O(H)");
  const auto start = view.window.Project(view.host.client);
  const int invalidations = view.host.invalidations;
  for (int command : {701, 703}) {
    ASSERT_TRUE(view.window.Command(command));
    double turned = 0;
    const auto now = view.window.Project(view.host.client);
    for (std::size_t i = 0; i < start.size(); ++i)
      turned = std::max(turned, std::hypot(now[i].x - start[i].x, now[i].y - start[i].y));
    EXPECT_GT(turned, 3);
    ASSERT_TRUE(view.window.Command(command + 1));  // the opposite key
    const auto back = view.window.Project(view.host.client);
    for (std::size_t i = 0; i < start.size(); ++i) {
      EXPECT_NEAR(back[i].x, start[i].x, 1e-6);
      EXPECT_NEAR(back[i].y, start[i].y, 1e-6);
    }
  }
  EXPECT_EQ(view.host.invalidations, invalidations + 4);

  view.window.LeftButtonDown({100, 100}, {});
  EXPECT_TRUE(view.host.captured);
  view.window.MouseMove({140, 100}, {});
  const auto dragged = view.window.Project(view.host.client);
  view.window.LeftButtonUp({140, 100}, {});
  EXPECT_FALSE(view.host.captured);
  EXPECT_EQ(view.window.Project(view.host.client)[0].x, dragged[0].x);  // releasing where it moved last
  double moved = 0;
  for (std::size_t i = 0; i < start.size(); ++i) moved = std::max(moved, std::abs(dragged[i].x - start[i].x));
  EXPECT_GT(moved, 5);
  // Moving without the button held turns nothing.
  view.window.MouseMove({300, 300}, {});
  EXPECT_EQ(view.window.Project(view.host.client)[0].x, dragged[0].x);
}

TEST(TrueShapeView, TheWheelZoomsWithinItsLimits) {
  TView view("O(H)H");
  const auto spread = [&view] {
    const TBox box = BallsBox(view.Painted());
    return box.right - box.left;
  };
  const int before = spread();
  view.window.MouseWheel({0, 0}, 1);
  EXPECT_GT(spread(), before);
  view.window.MouseWheel({0, 0}, -2);
  EXPECT_LT(spread(), before);
  view.window.MouseWheel({0, 0}, 100);
  EXPECT_DOUBLE_EQ(view.window.zoom, TTrueShapeWindow::MaxZoom);
  const int invalidations = view.host.invalidations;
  view.window.MouseWheel({0, 0}, 1);  // already at the limit: nothing to draw again
  EXPECT_EQ(view.host.invalidations, invalidations);
  ASSERT_TRUE(view.window.Command(cmd::TrueShapeZoomOut));
  EXPECT_LT(view.window.zoom, TTrueShapeWindow::MaxZoom);
  view.window.MouseWheel({0, 0}, -100);
  EXPECT_DOUBLE_EQ(view.window.zoom, TTrueShapeWindow::MinZoom);
}

struct TOptionCase {
  const char* recipe;
  int lobes;               // lone pairs of the whole molecule
  const char* name;        // from the names table
  const char* formula;
};

void PrintTo(const TOptionCase& c, std::ostream* os) { *os << c.recipe; }

class TrueShapeOptions : public testing::TestWithParam<TOptionCase> {};

// Each option is off or on by its menu item, with its check mark, and draws
// what it says: lobes for the records' lone pairs, one label per different
// angle at each centre, the name and formula in the corner.
TEST_P(TrueShapeOptions, MenuItemsSwitchWhatIsDrawn) {
  const TOptionCase& c = GetParam();
  TView view(c.recipe);
  view.window.ShowMenuChecks();
  EXPECT_EQ(view.host.checked, (std::map<int, bool>{{1014, false}, {1015, false}, {1016, true}, {1018, false}}));
  TRecordingSurface plain = view.Painted();
  EXPECT_TRUE(plain.Smooth(Kind::Polygon).empty());
  std::vector<std::string> texts;
  for (const TSmoothCall& t : plain.Smooth(Kind::Text)) texts.push_back(t.text);
  EXPECT_EQ(texts, (std::vector<std::string>{c.name, c.formula}));

  ASSERT_TRUE(view.window.Command(cmd::TrueShapeLonePairs));
  ASSERT_TRUE(view.window.Command(cmd::TrueShapeAngles));
  ASSERT_TRUE(view.window.Command(cmd::TrueShapeName));
  EXPECT_EQ(view.host.checked, (std::map<int, bool>{{1014, true}, {1015, true}, {1016, false}, {1018, false}}));
  const TRecordingSurface full = view.Painted();
  const auto lobes = full.Smooth(Kind::Polygon);
  EXPECT_EQ(lobes.size(), static_cast<std::size_t>(c.lobes));
  for (const TSmoothCall& lobe : lobes) {
    EXPECT_GT(lobe.size, 0);
    EXPECT_LT(lobe.size, 255);  // see-through
  }
  std::vector<std::string> labels;
  for (const TSmoothCall& t : full.Smooth(Kind::Text)) labels.push_back(t.text);
  std::vector<std::string> expected;
  const TTrueShape& shape = view.window.shape;
  for (int centre = 0; centre < static_cast<int>(shape.atoms.size()); ++centre) {
    const auto around = shape.Neighbours(centre);
    std::vector<std::string> here;
    for (std::size_t i = 0; i < around.size(); ++i)
      for (std::size_t j = i + 1; j < around.size(); ++j) {
        const std::string text = AngleLabel(shape.Angle(around[i], centre, around[j]));
        if (std::find(here.begin(), here.end(), text) == here.end()) here.push_back(text);
      }
    expected.insert(expected.end(), here.begin(), here.end());
  }
  EXPECT_EQ(labels, expected);
}

INSTANTIATE_TEST_SUITE_P(View, TrueShapeOptions,
                         testing::Values(TOptionCase{"O(H)H", 2, "water", "H₂O"},
                                         TOptionCase{"C(H)(H)(H)H", 0, "methane", "CH₄"},
                                         TOptionCase{"N(H)(H)H", 1, "ammonia", "H₃N"},
                                         TOptionCase{"C(H)(H)=O", 2, "formaldehyde", "CH₂O"}));

TEST(TrueShapeView, WatersAngleLabelSitsBetweenItsBonds) {
  TView view("O(H)H");
  ASSERT_TRUE(view.window.Command(cmd::TrueShapeAngles));
  ASSERT_TRUE(view.window.Command(cmd::TrueShapeName));
  const auto labels = view.Painted().Smooth(Kind::Text);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_EQ(labels[0].text.substr(0, 3), "104");
  EXPECT_EQ(labels[0].text.substr(labels[0].text.size() - 2), "\u00B0");
  EXPECT_EQ(AngleLabel(104.48), "104.5\u00B0");
  EXPECT_EQ(AngleLabel(180), "180.0\u00B0");
}

TEST(TrueShapeView, AnimatesOnRequestAndStopsWhenCleared) {
  TView view("C(H)(H)(H)H");
  ASSERT_TRUE(view.window.Command(cmd::AnimateTrueShape));
  EXPECT_TRUE(view.window.animating);
  EXPECT_EQ(view.host.timerPeriods[TTrueShapeWindow::AnimationTimer], TTrueShapeWindow::AnimationPeriod);
  EXPECT_TRUE(view.host.checked[cmd::AnimateTrueShape]);
  const auto before = view.window.Project(view.host.client);
  view.window.Timer(TTrueShapeWindow::AnimationTimer);
  const auto after = view.window.Project(view.host.client);
  // One tick is a small step: no atom jumps more than a few pixels.
  double moved = 0;
  for (std::size_t i = 0; i < before.size(); ++i) moved = std::max(moved, std::abs(after[i].x - before[i].x));
  EXPECT_GT(moved, 0.1);
  EXPECT_LT(moved, 8);
  view.window.Timer(1);  // the other view's timer turns nothing here
  EXPECT_EQ(view.window.Project(view.host.client)[0].x, after[0].x);
  ASSERT_TRUE(view.window.Command(cmd::AnimateTrueShape));
  EXPECT_FALSE(view.window.animating);
  EXPECT_TRUE(view.host.timers.empty());
  view.window.StartAnimation();
  view.window.Clear();
  EXPECT_TRUE(view.host.timers.empty());
  EXPECT_TRUE(view.window.shape.atoms.empty());
  EXPECT_FALSE(view.window.CopyToClipboard());  // nothing left to copy
}

TEST(TrueShapeView, CopiesAndPrintsTheSamePicture) {
  TView view("O(H)H");
  EXPECT_TRUE(view.window.CopyToClipboard());
  ASSERT_EQ(view.desktop.clipboard.size(), 1u);
  EXPECT_EQ(view.desktop.clipboard[0].box, (TRect{0, 0, 640, 400}));
  ASSERT_FALSE(view.desktop.clipboard[0].drawing.empty());
  EXPECT_EQ(view.desktop.clipboard[0].drawing[0].kind, test::TDrawCall::Kind::Fill);
  EXPECT_EQ(view.host.messageBar, "The true shape is on the clipboard.");
  view.desktop.clipboardWorks = false;
  EXPECT_FALSE(view.window.CopyToClipboard());
  EXPECT_EQ(view.host.messageBar, "The clipboard could not take the picture.");

  EXPECT_TRUE(view.window.Print());
  ASSERT_EQ(view.desktop.printed.size(), 1u);
  EXPECT_EQ(view.desktop.printed[0].title, "water");
  EXPECT_EQ(view.desktop.printed[0].box, (TRect{0, 0, 640, 400}));
}

}  // namespace
}  // namespace kovala
