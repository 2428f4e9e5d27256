#include "app/frame.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "resources/menus.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using test::TFakeFrameHost;
using test::TFakeHost;
using test::TScriptedDesktop;

const std::string EditorHint =
    "Click on atoms, move to center to bond. Use right mouse button for multiple bonds";
const std::string ModelHint = "Use arrow keys or animate to rotate, shift+arrow to move.";
const std::string PaletteRefusal = "You cannot use this button at this time.";
const std::string NotCompleted = "The molecule must be completed before viewing!!!";
const std::string SaveQuestion = "Do you want to save?";

std::string DataFile(const char* name) { return std::string(KOVALA_TEST_DATA) + "/" + name; }

// A frame as the program has it, set up and ready for commands.
struct TProgram {
  TProgram() {
    host.mainWindow = &frame;
    frame.SetupWindow();
  }
  TFakeFrameHost host;
  TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};
};

void LoadMethane(TBondWindow& window, TScriptedDesktop& desktop) {
  ASSERT_TRUE(ReadMoleculeFile(DataFile("methane.kvl"), window.molecule, desktop));
  ASSERT_TRUE(window.molecule.completed);
  ASSERT_EQ(window.molecule.atoms.Count(), 5);
}

class FrameTest : public ::testing::Test, public TProgram {
 protected:
  TFakeHost& Recorded() { return host.window; }

  // The editor with a completed methane, shown in the 3-D view.
  void ShowMethaneIn3D() {
    LoadMethane(*frame.bondWindow, desktop);
    frame.Command(cmd::ShowModel3D);
    ASSERT_TRUE(frame.view3DActive);
  }
};

TEST_F(FrameTest, StartsWithTheEmptyEditorMenuCaptionAndUsageHint) {
  EXPECT_EQ(Recorded().menusAssigned, std::vector<std::string>{"500"});
  EXPECT_EQ(Recorded().caption, "Untitled");
  EXPECT_EQ(Recorded().messageBar, EditorHint);
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_EQ(&frame.Client(), frame.bondWindow.get());
  EXPECT_EQ(&frame.CurrentMoleculeWindow(), frame.bondWindow.get());
  EXPECT_TRUE(frame.bondWindow->IsVisible());
  EXPECT_FALSE(frame.shapeWindow->IsVisible());
  EXPECT_FALSE(frame.practiceWindow->IsVisible());
  EXPECT_FALSE(frame.organicWindow->IsVisible());
  EXPECT_FALSE(frame.practiceActive || frame.organicActive || frame.view3DActive || frame.helpUsed ||
               frame.helpOnHelpUsed);
}

TEST_F(FrameTest, CarbonOnAnEmptyMoleculeSwitchesToTheFullMenuAndFillsTheTray) {
  EXPECT_TRUE(frame.Command(250));
  EXPECT_EQ(Recorded().menu, "100");
  ASSERT_EQ(frame.bondWindow->AtomCount(), 1);
  const TAtom& carbon = frame.bondWindow->molecule.atoms[0];
  EXPECT_EQ(carbon.kind, Carbon);
  EXPECT_EQ(carbon.x, 640 - 50);
  EXPECT_EQ(carbon.y, 0 + 10);
  EXPECT_TRUE(desktop.messages.empty());

  // Later presses leave the menu alone.
  frame.Command(251);
  EXPECT_EQ(Recorded().menusAssigned, (std::vector<std::string>{"500", "100"}));
}

TEST(FramePaletteTest, EachElementButtonAddsItsOwnKind) {
  for (int id = 250; id <= 258; ++id) {
    SCOPED_TRACE(id);
    TProgram program;
    auto& [host, desktop, app, frame] = program;
    frame.Command(id);
    ASSERT_EQ(frame.bondWindow->AtomCount(), 1);
    EXPECT_EQ(frame.bondWindow->molecule.atoms[0].kind, id - 250);
  }
}

TEST(FramePaletteTest, RingButtonsStartTheirTemplateOnAnEmptyMolecule) {
  for (int id : {259, 260, 262}) {
    SCOPED_TRACE(id);
    TProgram program;
    auto& [host, desktop, app, frame] = program;
    frame.Command(id);
    EXPECT_EQ(host.window.menu, "100");
    EXPECT_GT(frame.bondWindow->AtomCount(), 0);
    EXPECT_TRUE(frame.bondWindow->molecule.ringTemplatePlaced);
  }
}

TEST_F(FrameTest, NoCyclopentaneButton) {
  EXPECT_FALSE(frame.Command(261));
  EXPECT_EQ(frame.bondWindow->AtomCount(), 0);
  EXPECT_EQ(Recorded().menu, "500");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(FrameTest, PressOnACompletedMoleculeIsRefusedByTheEditorAndKeepsTheMenu) {
  desktop.openChoices = {DataFile("methane.kvl")};
  frame.Command(cmd::OpenMolecule);
  ASSERT_TRUE(frame.bondWindow->molecule.completed);
  ASSERT_EQ(Recorded().menu, "100");
  const auto menusBefore = Recorded().menusAssigned;

  frame.Command(250);
  EXPECT_EQ(desktop.LastText(), "You must start a new molecule before using this command!!!");
  EXPECT_EQ(frame.bondWindow->AtomCount(), 5);
  EXPECT_EQ(Recorded().menusAssigned, menusBefore);
}

TEST(FrameModeTest, PaletteIsRefusedWhileACourseOrTheModelIsShown) {
  enum class Mode { Practice, Organic, Model };
  for (Mode mode : {Mode::Practice, Mode::Organic, Mode::Model}) {
    for (int id : {250, 258, 259, 262}) {
      SCOPED_TRACE(static_cast<int>(mode) * 1000 + id);
      TProgram program;
      auto& [host, desktop, app, frame] = program;
      if (mode == Mode::Practice) frame.practiceActive = true;
      if (mode == Mode::Organic) frame.organicActive = true;
      if (mode == Mode::Model) {
        ASSERT_TRUE(ReadMoleculeFile(DataFile("methane.kvl"), frame.bondWindow->molecule, desktop));
        frame.Command(cmd::ShowModel3D);
        ASSERT_TRUE(frame.view3DActive);
      }
      const std::string menu = host.window.menu;
      const int atoms = frame.CurrentMoleculeWindow().AtomCount();

      EXPECT_TRUE(frame.Command(id));
      ASSERT_EQ(desktop.messages.size(), 1u);
      EXPECT_EQ(desktop.messages[0].text, PaletteRefusal);
      EXPECT_EQ(desktop.messages[0].caption, "Information");
      EXPECT_EQ(desktop.messages[0].icon, TIcon::Information);
      EXPECT_EQ(host.window.menu, menu);
      EXPECT_EQ(frame.CurrentMoleculeWindow().AtomCount(), atoms);
      EXPECT_EQ(frame.bondWindow->AtomCount(), mode == Mode::Model ? 5 : 0);
    }
  }
}

TEST_F(FrameTest, UndoBackAssignsTheMenuByTheAtomsLeft) {
  frame.Command(250);
  frame.Command(251);
  frame.Command(cmd::UndoBack);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 1);
  EXPECT_EQ(Recorded().menu, "100");

  frame.Command(cmd::UndoBack);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 0);
  EXPECT_EQ(Recorded().menu, "500");
}

TEST_F(FrameTest, NewEmptiesTheMoleculeUnlessTheStudentCancels) {
  frame.Command(250);
  desktop.answers = {TAnswer::Cancel};
  frame.Command(cmd::NewMolecule);
  EXPECT_EQ(desktop.LastText(), SaveQuestion);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 1);
  EXPECT_EQ(Recorded().menu, "100");

  desktop.answers = {TAnswer::No};
  frame.Command(cmd::NewMolecule);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 0);
  EXPECT_EQ(Recorded().menu, "500");
}

TEST_F(FrameTest, OpenAssignsTheMenuByWhatIsLoadedWhateverOpenReturned) {
  desktop.openChoices = {DataFile("methane.kvl")};
  frame.Command(cmd::OpenMolecule);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 5);
  EXPECT_EQ(Recorded().menu, "100");

  // A cancelled dialog keeps the molecule, and the menu with it.
  desktop.openChoices = {std::nullopt};
  frame.Command(cmd::OpenMolecule);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 5);
  EXPECT_EQ(Recorded().menu, "100");

  // A file that cannot be read leaves the molecule empty.
  desktop.openChoices = {DataFile("no-such-molecule.kvl")};
  frame.Command(cmd::OpenMolecule);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 0);
  EXPECT_EQ(Recorded().menu, "500");
}

TEST(FrameModeTest, FileKeysAndBackspaceDoNothingInACourseOrTheModel) {
  for (bool model : {false, true}) {
    SCOPED_TRACE(model);
    TProgram program;
    auto& [host, desktop, app, frame] = program;
    ASSERT_TRUE(ReadMoleculeFile(DataFile("methane.kvl"), frame.bondWindow->molecule, desktop));
    frame.bondWindow->molecule.Snapshot();
    frame.bondWindow->changed = true;
    if (model) {
      frame.Command(cmd::ShowModel3D);
      ASSERT_TRUE(frame.view3DActive);
    } else {
      frame.practiceActive = true;
    }
    const auto menus = host.window.menusAssigned;
    desktop.openChoices = {DataFile("water.kvl")};
    desktop.saveChoices = {"/nonexistent-dir/never.kvl"};

    for (int id : {cmd::SaveMolecule, cmd::OpenMolecule, cmd::UndoBack}) EXPECT_TRUE(frame.Command(id));
    EXPECT_EQ(desktop.openDialogs, 0);
    EXPECT_EQ(desktop.saveDialogs, 0);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(frame.bondWindow->AtomCount(), 5);
    EXPECT_EQ(frame.bondWindow->molecule.undoHistory.Count(), 1);
    EXPECT_EQ(host.window.menusAssigned, menus);
  }
}

TEST_F(FrameTest, ModelOfAnIncompleteMoleculeIsRefused) {
  frame.Command(250);
  frame.Command(cmd::ShowModel3D);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, NotCompleted);
  EXPECT_EQ(desktop.messages[0].caption, "Warning");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);
  EXPECT_FALSE(frame.view3DActive);
  EXPECT_EQ(Recorded().menu, "100");
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_TRUE(frame.bondWindow->IsVisible());
  EXPECT_EQ(Recorded().messageBar, EditorHint);
}

TEST_F(FrameTest, ModelOfACompletedMoleculeTakesOverTheFrame) {
  ShowMethaneIn3D();
  EXPECT_EQ(Recorded().menu, "MENU_2");
  EXPECT_EQ(host.Client(), frame.shapeWindow.get());
  EXPECT_EQ(&frame.Client(), frame.shapeWindow.get());
  EXPECT_TRUE(frame.shapeWindow->IsVisible());
  EXPECT_FALSE(frame.bondWindow->IsVisible());
  EXPECT_EQ(Recorded().messageBar, ModelHint);
  EXPECT_TRUE(desktop.messages.empty());
  // The model is built from copies; the editor keeps its molecule behind the view.
  EXPECT_EQ(frame.shapeWindow->modelAtoms.Count(), 5);
  EXPECT_EQ(frame.shapeWindow->balls.Count(), 5);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 5);
}

TEST_F(FrameTest, EndDoesNothingWhileTheModelIsShown) {
  ShowMethaneIn3D();
  frame.bondWindow->molecule.completed = false;  // would be refused if looked at again
  const auto menus = Recorded().menusAssigned;
  const auto clients = host.clients.size();
  EXPECT_TRUE(frame.Command(cmd::ShowModel3D));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(Recorded().menusAssigned, menus);
  EXPECT_EQ(host.clients.size(), clients);
}

TEST_F(FrameTest, ReturnBringsTheEditorBackAndResetsTheModelWindow) {
  ShowMethaneIn3D();
  frame.Command(cmd::ReturnToKovala);
  EXPECT_FALSE(frame.view3DActive);
  EXPECT_EQ(Recorded().menu, "100");
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_TRUE(frame.bondWindow->IsVisible());
  EXPECT_FALSE(frame.shapeWindow->IsVisible());
  EXPECT_EQ(Recorded().messageBar, EditorHint);
  EXPECT_TRUE(frame.shapeWindow->modelAtoms.IsEmpty());
  EXPECT_TRUE(frame.shapeWindow->balls.IsEmpty());
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 1);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 5);

  // A second visit builds a fresh model of the same molecule.
  frame.Command(cmd::ShowModel3D);
  EXPECT_EQ(frame.shapeWindow->balls.Count(), 5);
}

TEST_F(FrameTest, HomeInTheEditorStillResetsTheModelWindow) {
  LoadMethane(*frame.bondWindow, desktop);
  frame.shapeWindow->BuildModel(frame.bondWindow->molecule.atoms, 0, 0, 640, 400);
  frame.shapeWindow->sizeLevel = 2;
  ASSERT_EQ(frame.shapeWindow->balls.Count(), 5);
  EXPECT_TRUE(frame.Command(cmd::ReturnToKovala));
  EXPECT_TRUE(frame.shapeWindow->modelAtoms.IsEmpty());
  EXPECT_TRUE(frame.shapeWindow->balls.IsEmpty());
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 1);
  EXPECT_FALSE(frame.shapeWindow->IsVisible());
  EXPECT_EQ(Recorded().menu, "100");
  EXPECT_EQ(host.Client(), frame.bondWindow.get());
  EXPECT_EQ(Recorded().messageBar, EditorHint);
}

TEST(FrameModeTest, ModelOfACourseWorksOnTheCourseMoleculeAndReturnsToIt) {
  for (bool organic : {false, true}) {
    SCOPED_TRACE(organic);
    TProgram program;
    auto& [host, desktop, app, frame] = program;
    TBondWindow& course = organic ? static_cast<TBondWindow&>(*frame.organicWindow)
                                  : static_cast<TBondWindow&>(*frame.practiceWindow);
    // Entering a course hides the editor behind it.
    (organic ? frame.organicActive : frame.practiceActive) = true;
    frame.bondWindow->Hide();
    course.Show();
    ASSERT_EQ(&frame.CurrentMoleculeWindow(), &course);

    // The editor's empty molecule does not matter: the course's one is shown.
    frame.Command(cmd::ShowModel3D);
    EXPECT_EQ(desktop.LastText(), NotCompleted);
    EXPECT_FALSE(frame.view3DActive);

    ASSERT_TRUE(ReadMoleculeFile(DataFile("methane.kvl"), course.molecule, desktop));
    frame.Command(cmd::ShowModel3D);
    EXPECT_TRUE(frame.view3DActive);
    EXPECT_FALSE(course.IsVisible());
    EXPECT_EQ(host.Client(), frame.shapeWindow.get());

    frame.Command(cmd::ReturnToKovala);
    EXPECT_EQ(host.Client(), &course);
    EXPECT_TRUE(course.IsVisible());
    EXPECT_FALSE(frame.bondWindow->IsVisible());
    EXPECT_EQ(host.window.menu, "660");
    EXPECT_EQ(course.AtomCount(), 5);
  }
}

TEST_F(FrameTest, AnimateAndStopSwitchMenusAndTheTimer) {
  ShowMethaneIn3D();
  frame.Command(cmd::Animate);
  EXPECT_EQ(Recorded().menu, "650");
  EXPECT_TRUE(frame.shapeWindow->animating);
  EXPECT_EQ(Recorded().timers, std::vector<int>{1});

  frame.Command(cmd::StopAnimate);
  EXPECT_EQ(Recorded().menu, "MENU_2");
  EXPECT_FALSE(frame.shapeWindow->animating);
  EXPECT_TRUE(Recorded().timers.empty());
}

TEST_F(FrameTest, ArrowKeysDoNothingWhileAnimating) {
  ShowMethaneIn3D();
  frame.Command(cmd::Animate);
  auto positions = [&] {
    std::vector<std::array<int, 3>> out;
    for (const auto& ball : frame.shapeWindow->balls) out.push_back({ball.x, ball.y, ball.z});
    return out;
  };
  const auto before = positions();
  for (int id = 701; id <= 708; ++id) frame.Command(id);
  EXPECT_EQ(positions(), before);

  // Once stopped the same keys turn and move the model again.
  frame.Command(cmd::StopAnimate);
  frame.Command(706);  // Shift+Right
  auto expected = before;
  for (auto& p : expected) p[0] += 5;
  auto after = positions();
  // Drawing may reorder the balls by depth; compare them as a set.
  std::sort(expected.begin(), expected.end());
  std::sort(after.begin(), after.end());
  EXPECT_EQ(after, expected);
}

TEST_F(FrameTest, ReturnStopsARunningAnimation) {
  ShowMethaneIn3D();
  frame.Command(cmd::Animate);
  ASSERT_TRUE(frame.shapeWindow->animating);
  frame.Command(cmd::ReturnToKovala);
  EXPECT_FALSE(frame.shapeWindow->animating);
  EXPECT_TRUE(Recorded().timers.empty());
  EXPECT_EQ(Recorded().menu, "100");
}

TEST_F(FrameTest, SizeStepsRebuildAndRepaintTheModelWindow) {
  TFakeHost shapeHost;
  shapeHost.client = host.window.client;
  frame.shapeWindow->AttachHost(shapeHost);
  ShowMethaneIn3D();
  const int erased = shapeHost.erasingInvalidations;

  frame.Command(cmd::IncreaseSize);
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 2);
  EXPECT_GT(shapeHost.erasingInvalidations, erased);

  // A refused step repaints nothing.
  const int afterGrow = shapeHost.erasingInvalidations;
  frame.Command(cmd::IncreaseSize);
  EXPECT_EQ(desktop.LastText(), "You cannot make the molecule any larger!!!");
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 2);
  EXPECT_EQ(shapeHost.erasingInvalidations, afterGrow);

  frame.Command(cmd::DecreaseSize);
  EXPECT_EQ(frame.shapeWindow->sizeLevel, 1);
  EXPECT_GT(shapeHost.erasingInvalidations, afterGrow);
}

TEST(FrameMenuTest, EveryMenuTheFrameAssignsIsAMenuResource) {
  TProgram program;
  auto& [host, desktop, app, frame] = program;
  frame.Command(250);
  frame.Command(cmd::UndoBack);
  LoadMethane(*frame.bondWindow, desktop);
  frame.Command(cmd::ShowModel3D);
  frame.Command(cmd::Animate);
  frame.Command(cmd::StopAnimate);
  frame.Command(cmd::ReturnToKovala);
  frame.practiceActive = true;
  frame.Command(cmd::ReturnToKovala);

  const std::vector<std::string> walk{"500", "100", "500", "MENU_2", "650", "MENU_2", "100", "660"};
  EXPECT_EQ(host.window.menusAssigned, walk);
  for (const auto& name : host.window.menusAssigned) EXPECT_NE(FindMenu(name), nullptr) << name;
}

TEST_F(FrameTest, CommandsGoToTheClientFirst) {
  // Add Electron belongs to the editor, which answers with its own prompt.
  EXPECT_TRUE(frame.Command(cmd::AddElectron));
  EXPECT_EQ(desktop.LastText(), "Click the right mouse button on the atom which is to gain the electron.");
  EXPECT_TRUE(frame.bondWindow->electronModePending);

  // With the 3-D view as client nobody takes it.
  frame.bondWindow->electronModePending = false;
  desktop.messages.clear();
  ShowMethaneIn3D();
  EXPECT_FALSE(frame.Command(cmd::AddElectron));
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_FALSE(frame.bondWindow->electronModePending);
}

TEST_F(FrameTest, CopyToClipboardNeedsAtoms) {
  EXPECT_TRUE(frame.Command(cmd::CopyMolecule));
  EXPECT_TRUE(desktop.clipboard.empty());
  EXPECT_TRUE(desktop.messages.empty());

  frame.Command(250);
  frame.Command(cmd::CopyMolecule);
  EXPECT_EQ(desktop.clipboard.size(), 1u);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "You can now start another Windows application and Paste the molecule by choosing Edit|Paste "
            "from the application's menu.");
  EXPECT_EQ(desktop.messages[0].caption, "Information");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);
}

TEST_F(FrameTest, ResizeRepaintsTheWholeFrameAtOnce) {
  const int erased = Recorded().erasingInvalidations;
  const int updates = Recorded().updates;
  frame.Resized();
  EXPECT_EQ(Recorded().erasingInvalidations, erased + 1);
  EXPECT_EQ(Recorded().updates, updates + 1);
}

// Exit goes through the application object to the main window, whose close
// query is the frame's.
class CloseTest : public FrameTest {
 protected:
  void ChangeMolecule() {
    frame.Command(250);
    ASSERT_TRUE(frame.bondWindow->changed);
  }
  std::filesystem::path SavedFile() {
    return std::filesystem::temp_directory_path() / ("kovala-close-" + std::to_string(::getpid()) + ".kvl");
  }
};

TEST_F(CloseTest, UnchangedMoleculeClosesWithoutAsking) {
  EXPECT_TRUE(frame.Command(cmd::Exit));
  EXPECT_EQ(host.closeRequests, 1);
  EXPECT_TRUE(host.closed);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(CloseTest, CancelKeepsTheProgramAndTheHelpOpen) {
  ChangeMolecule();
  frame.Command(cmd::HelpIndex);
  desktop.answers = {TAnswer::Cancel};
  frame.Command(cmd::Exit);
  EXPECT_EQ(desktop.LastText(), SaveQuestion);
  EXPECT_FALSE(host.closed);
  EXPECT_TRUE(desktop.helpClosed.empty());
  EXPECT_EQ(frame.bondWindow->AtomCount(), 1);
}

TEST_F(CloseTest, NoClosesAndClosesTheHelpFilesThatWereOpened) {
  ChangeMolecule();
  frame.Command(cmd::UsingHelp);
  desktop.answers = {TAnswer::No};
  frame.Command(cmd::Exit);
  EXPECT_TRUE(host.closed);
  EXPECT_EQ(desktop.saveDialogs, 0);
  EXPECT_EQ(desktop.helpClosed, std::vector<std::string>{"WINHELP.HLP"});
}

TEST_F(CloseTest, YesSavesThenCloses) {
  ChangeMolecule();
  frame.Command(cmd::HelpIndex);
  frame.Command(cmd::UsingHelp);
  EXPECT_TRUE(frame.helpUsed && frame.helpOnHelpUsed);
  EXPECT_EQ(desktop.helpOpened, (std::vector<std::string>{"kovala.hlp", "WINHELP.HLP"}));
  const auto path = SavedFile();
  desktop.answers = {TAnswer::Yes};
  desktop.saveChoices = {path.string()};
  frame.Command(cmd::Exit);
  EXPECT_EQ(desktop.saveDialogs, 1);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_TRUE(host.closed);
  EXPECT_EQ(desktop.helpClosed, (std::vector<std::string>{"kovala.hlp", "WINHELP.HLP"}));
  std::filesystem::remove(path);
}

TEST_F(CloseTest, YesWhoseSaveDidNotHappenKeepsTheProgram) {
  ChangeMolecule();
  desktop.answers = {TAnswer::Yes};
  desktop.saveChoices = {std::nullopt};
  frame.Command(cmd::Exit);
  EXPECT_EQ(desktop.saveDialogs, 1);
  EXPECT_FALSE(host.closed);
  EXPECT_EQ(frame.bondWindow->AtomCount(), 1);
}

TEST(MyAppTest, HandlesOnlyExit) {
  TFakeFrameHost host;
  TMyApp app{host};
  EXPECT_EQ(app.name, "Kovala");
  EXPECT_FALSE(app.Command(cmd::NewMolecule));
  EXPECT_EQ(host.closeRequests, 0);
  EXPECT_TRUE(app.Command(cmd::Exit));
  EXPECT_EQ(host.closeRequests, 1);
  EXPECT_TRUE(host.closed);
}

}  // namespace
}  // namespace kovala
