// The true shape inside the frame: shown from the editor and from the 3-D
// model, refused for an unfinished molecule, and left back to where the
// student came from, with the other states' commands kept out meanwhile.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using test::TFakeFrameHost;
using test::TScriptedDesktop;

const std::string EditorHint =
    "Click on atoms, move to center to bond. Use right mouse button for multiple bonds";
const std::string ModelHint = "Use arrow keys or animate to rotate, shift+arrow to move.";

class FrameTrueShape : public ::testing::Test {
 protected:
  FrameTrueShape() {
    host.mainWindow = &frame;
    frame.SetupWindow();
  }
  void LoadMethane() {
    ASSERT_TRUE(ReadMoleculeFile(std::string(KOVALA_TEST_DATA) + "/methane.kvl", frame.bondWindow->molecule, desktop));
    ASSERT_TRUE(frame.bondWindow->molecule.completed);
    host.window.AssignMenu("100");  // as after opening it
  }

  TFakeFrameHost host;
  TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};
};

TEST_F(FrameTrueShape, FromTheEditorAndBackWithTheOtherCommandsKeptOut) {
  LoadMethane();
  frame.Command(cmd::ShowTrueShape);
  ASSERT_TRUE(frame.trueShapeActive);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(host.Client(), frame.trueShapeWindow.get());
  EXPECT_TRUE(frame.trueShapeWindow->IsVisible());
  EXPECT_FALSE(frame.bondWindow->IsVisible());
  EXPECT_EQ(host.window.menu, "TRUE_SHAPE");
  EXPECT_EQ(host.window.checked.at(cmd::TrueShapeName), true);
  EXPECT_EQ(host.window.messageBar, "Drag with the mouse or use the arrow keys to turn it, the wheel to zoom.");
  EXPECT_EQ(frame.trueShapeWindow->name, "methane");

  // The arrow keys turn the true shape, not the hidden 3-D model.
  const auto rotation = frame.trueShapeWindow->rotation;
  frame.Command(701);
  EXPECT_NE(frame.trueShapeWindow->rotation, rotation);

  frame.Command(cmd::PaletteCarbon);
  EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"You cannot use this button at this time."});
  const int atoms = frame.bondWindow->AtomCount();
  for (int command : {cmd::OpenMolecule, cmd::SaveMolecule, cmd::UndoBack, cmd::ShowModel3D, cmd::StartLab,
                      cmd::Animate, cmd::ExportMolecule, cmd::ShowTrueShape})
    frame.Command(command);
  EXPECT_EQ(desktop.openDialogs, 0);
  EXPECT_EQ(desktop.saveDialogs, 0);
  EXPECT_EQ(frame.bondWindow->AtomCount(), atoms);
  EXPECT_FALSE(frame.view3DActive || frame.practiceActive);
  EXPECT_EQ(host.Client(), frame.trueShapeWindow.get());
  EXPECT_EQ(host.window.menu, "TRUE_SHAPE");

  frame.Command(cmd::ReturnToKovala);  // Home goes back as Return does
  EXPECT_FALSE(frame.trueShapeActive);
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_TRUE(frame.bondWindow->IsVisible());
  EXPECT_FALSE(frame.trueShapeWindow->IsVisible());
  EXPECT_TRUE(frame.trueShapeWindow->shape.atoms.empty());
  EXPECT_EQ(host.window.menu, "100");
  EXPECT_EQ(host.window.messageBar, EditorHint);
}

TEST_F(FrameTrueShape, FromTheModelBackToTheModelAsItWas) {
  LoadMethane();
  frame.Command(cmd::ShowModel3D);
  ASSERT_TRUE(frame.view3DActive);
  frame.Command(cmd::IncreaseSize);
  ASSERT_EQ(frame.shapeWindow->sizeLevel, 2);
  const int balls = frame.shapeWindow->balls.Count();

  frame.Command(cmd::ShowTrueShape);
  ASSERT_TRUE(frame.trueShapeActive);
  EXPECT_FALSE(frame.shapeWindow->IsVisible());
  frame.Command(cmd::DecreaseSize);  // the model's own command waits
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 2);
  frame.trueShapeWindow->StartAnimation();

  frame.Command(cmd::ReturnFromTrueShape);
  EXPECT_FALSE(frame.trueShapeActive);
  EXPECT_TRUE(frame.view3DActive);
  EXPECT_EQ(host.Client(), frame.shapeWindow.get());
  EXPECT_TRUE(frame.shapeWindow->IsVisible());
  EXPECT_EQ(frame.shapeWindow->balls.Count(), balls);
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 2);
  EXPECT_EQ(host.window.menu, "MENU_2");
  EXPECT_EQ(host.window.messageBar, ModelHint);
  EXPECT_TRUE(host.window.timers.empty());  // the true shape stopped turning

  frame.Command(cmd::ReturnToKovala);
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_EQ(host.window.menu, "100");
}

TEST_F(FrameTrueShape, AnUnfinishedMoleculeIsRefusedAsForTheModel) {
  frame.Command(cmd::PaletteCarbon);
  desktop.messages.clear();
  frame.Command(cmd::ShowTrueShape);
  EXPECT_FALSE(frame.trueShapeActive);
  EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"The molecule must be completed before viewing!!!"});
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "Warning");
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_EQ(host.window.menu, "100");
  // Return from nowhere changes nothing of the editor's.
  frame.Command(cmd::ReturnFromTrueShape);
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_EQ(host.window.menu, "100");
}

}  // namespace
}  // namespace kovala
