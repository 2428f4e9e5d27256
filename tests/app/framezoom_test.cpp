// The drawing area's zoom through the frame: Ctrl+plus, Ctrl+minus and Ctrl+0
// step through the scales, the zoom outlives every switch of window, and the
// 3-D model is laid out again for the area the zoom leaves it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame.h"
#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

struct TProgram {
  TProgram() {
    host.mainWindow = &frame;
    frame.SetupWindow();
  }
  test::TFakeFrameHost host;
  test::TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};

  double Scale() const { return TFrame::ZoomSteps[static_cast<std::size_t>(frame.zoomStep)]; }
  void Run(const std::vector<int>& commands) {
    for (int command : commands) EXPECT_TRUE(frame.Command(command)) << command;
  }
  void LoadMethane(TBondWindow& window) {
    ASSERT_TRUE(ReadMoleculeFile(std::string(KOVALA_TEST_DATA) + "/methane.kvl", window.molecule, desktop));
    ASSERT_TRUE(window.molecule.completed);
  }
};

constexpr int In = cmd::ZoomDrawingIn;
constexpr int Out = cmd::ZoomDrawingOut;
constexpr int Actual = cmd::ZoomDrawingActual;

struct TZoomCase {
  const char* name;
  std::vector<int> keys;
  std::vector<double> scalesSet;  // what the main window is told, in order
  double scale;
};

void PrintTo(const TZoomCase& c, std::ostream* os) { *os << c.name; }

class ZoomSteps : public testing::TestWithParam<TZoomCase> {};

TEST_P(ZoomSteps, GoOneStepAtATimeBetweenOneAndThreeTimes) {
  TProgram p;
  p.Run(GetParam().keys);
  EXPECT_EQ(p.host.scalesSet, GetParam().scalesSet);
  EXPECT_EQ(p.Scale(), GetParam().scale);
  EXPECT_EQ(p.host.drawingScale, GetParam().scale);
  // Nothing but the scale changes: no message, still the editor.
  EXPECT_TRUE(p.desktop.messages.empty());
  EXPECT_EQ(&p.frame.Client(), p.frame.bondWindow.get());
}

INSTANTIATE_TEST_SUITE_P(
    Frame, ZoomSteps,
    testing::Values(TZoomCase{"NothingPressed", {}, {}, 1.0}, TZoomCase{"OneStepIn", {In}, {1.25}, 1.25},
                    TZoomCase{"InPastTheTopStopsAtThree",
                              {In, In, In, In, In, In, In},
                              {1.25, 1.5, 2.0, 2.5, 3.0},
                              3.0},
                    TZoomCase{"OutAtActualSizeDoesNothing", {Out, Out}, {}, 1.0},
                    TZoomCase{"InThenOutComesBack", {In, In, Out}, {1.25, 1.5, 1.25}, 1.25},
                    TZoomCase{"ActualSizeFromTwoAndAHalf", {In, In, In, In, Actual}, {1.25, 1.5, 2.0, 2.5, 1.0}, 1.0},
                    TZoomCase{"ActualSizeAtActualSizeDoesNothing", {Actual}, {}, 1.0}),
    [](const testing::TestParamInfo<TZoomCase>& row) { return std::string(row.param.name); });

TEST(FrameZoom, OutlivesCoursesNewTheModelAndTheTrueShape) {
  TProgram p;
  p.Run({In, In, In});  // 2x
  const std::vector<double> told = p.host.scalesSet;
  // Every way through the program leaves the scale alone, so nothing tells
  // the main window another one. (No to the one save question, at New.)
  p.desktop.answers = {TAnswer::No};
  p.Run({cmd::StartLab, cmd::NextMolecule, cmd::QuitPracticeOrganic, cmd::OrganicChemistry,
         cmd::QuitPracticeOrganic, cmd::NewMolecule, cmd::PaletteCarbon, cmd::NewMolecule});
  p.LoadMethane(*p.frame.bondWindow);
  p.Run({cmd::ShowModel3D, cmd::ReturnToKovala});
  EXPECT_EQ(p.host.scalesSet, told);
  EXPECT_EQ(p.Scale(), 2.0);
  // The zoom keys act in a course and in the true shape as anywhere.
  p.Run({cmd::StartLab, Out});
  EXPECT_TRUE(p.frame.practiceActive);
  EXPECT_EQ(p.host.drawingScale, 1.5);
  p.Run({cmd::QuitPracticeOrganic});
  p.LoadMethane(*p.frame.bondWindow);
  p.Run({cmd::ShowTrueShape});
  if (p.frame.trueShapeActive) {
    p.Run({Actual});
    EXPECT_TRUE(p.frame.trueShapeActive);
    EXPECT_EQ(p.host.drawingScale, 1.0);
  }
}

TEST(FrameZoom, TheModelIsLaidOutAgainForTheAreaTheZoomLeaves) {
  // Declared first, so it outlives the frame, whose 3-D view stops its timer on it.
  test::TFakeHost shapeHost;
  TProgram p;
  shapeHost.client = p.host.window.client;
  p.frame.shapeWindow->AttachHost(shapeHost);
  p.LoadMethane(*p.frame.bondWindow);
  p.Run({cmd::ShowModel3D});
  ASSERT_TRUE(p.frame.view3DActive);
  ASSERT_EQ(p.frame.shapeWindow->frameRight, 640);
  p.frame.shapeWindow->sizeLevel = 1;

  for (const auto& [key, right, bottom] : {std::tuple{In, 512, 320}, std::tuple{Actual, 640, 400}}) {
    const int erased = shapeHost.erasingInvalidations;
    p.Run({key});
    EXPECT_EQ(p.frame.shapeWindow->frameRight, right);
    EXPECT_EQ(p.frame.shapeWindow->frameBottom, bottom);
    EXPECT_EQ(p.frame.shapeWindow->balls.Count(), 5);
    // The model's root stands at the middle of the new area, a third down.
    const TList* root = nullptr;
    for (const TList& ball : p.frame.shapeWindow->balls)
      if (ball.parentIndex == -1 && root == nullptr) root = &ball;
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->x, right / 2);
    EXPECT_EQ(root->y, bottom / 3);
    EXPECT_GT(shapeHost.erasingInvalidations, erased);
  }

  // A turning model keeps turning, and its menu stays.
  p.Run({cmd::Animate});
  ASSERT_TRUE(p.frame.shapeWindow->animating);
  p.Run({In, In});
  EXPECT_TRUE(p.frame.shapeWindow->animating);
  EXPECT_EQ(shapeHost.timers, std::vector<int>{TShapeWindow::AnimationTimer});
  EXPECT_EQ(p.host.window.menu, menu::Animating);
  EXPECT_EQ(p.frame.shapeWindow->frameRight, 426);
}

}  // namespace
}  // namespace kovala
