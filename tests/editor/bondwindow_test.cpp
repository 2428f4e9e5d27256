#include "editor/bondwindow.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/fakehost.h"
#include "tests/support/recordingsurface.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

using test::TDrawCall;
using test::TFakeHost;
using test::TRecordingSurface;
using test::TScriptedDesktop;

// A directory of its own for each test's molecule files.
class TTempDir {
 public:
  TTempDir() {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("kovala-bondwindow-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path);
  }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }

 private:
  std::filesystem::path path;
};

class BondWindowTest : public testing::Test {
 protected:
  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  TTempDir temp;

  TAtom& Atom(int i) { return window.molecule.atoms[i]; }

  // A changed molecule with one carbon in the tray, as after a palette press.
  void OneChangedAtom() {
    window.NewAtom(Carbon);
    ASSERT_TRUE(window.changed);
  }

  // Methane laid out by hand: carbon at (100, 100) at index 0 and a hydrogen
  // bonded on each side, hanging from it, with the bond lines of each side.
  void BuildMethane() {
    auto& m = window.molecule;
    TAtom c(Carbon, 100, 100);
    c.freeElectrons = 0;
    c.openBonds = 0;
    c.bonded = 1;
    c.neighbourCount = 4;
    c.childIndex = {1, 2, 3, 4};
    c.electronSlotTaken.fill(1);
    m.atoms.Add(c);
    const TPoint places[4] = {{130, 100}, {100, 70}, {70, 100}, {100, 130}};
    const int facing[4] = {2, 3, 0, 1};  // the hydrogen's side that faces the carbon
    for (int i = 0; i < 4; ++i) {
      TAtom h(Hydrogen, places[i].x, places[i].y);
      h.freeElectrons = 0;
      h.openBonds = 0;
      h.bonded = 1;
      h.parentIndex = 0;
      h.neighbourCount = 1;
      h.electronSlotTaken[static_cast<std::size_t>(facing[i])] = 1;
      h.electronSlotTaken[static_cast<std::size_t>(facing[i] + 4)] = 1;
      m.atoms.Add(h);
    }
    m.bonds.Add(TBonds(120, 130, 110, 110));  // right
    m.bonds.Add(TBonds(110, 110, 100, 90));   // top
    m.bonds.Add(TBonds(100, 90, 110, 110));   // left
    m.bonds.Add(TBonds(110, 110, 120, 130));  // bottom
    m.bondCount = 4;
    m.completed = true;
  }

  std::string WriteBytes(const std::string& name, const std::string& bytes) {
    const std::string path = temp.File(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
};

TEST_F(BondWindowTest, SetupShowsUntitledCaption) {
  window.SetupWindow();
  EXPECT_EQ(host.caption, "Untitled");
  EXPECT_TRUE(window.untitled);
}

TEST_F(BondWindowTest, PalettePressesFillTheTrayFromTheTop) {
  window.molecule.ringTemplatePlaced = true;
  window.NewAtom(Carbon);
  EXPECT_FALSE(window.molecule.ringTemplatePlaced);  // cleared on an empty molecule
  window.NewAtom(Hydrogen);
  window.NewAtom(Hydrogen);
  window.NewAtom(Hydrogen);
  ASSERT_EQ(window.AtomCount(), 4);
  EXPECT_EQ(Atom(0).kind, Carbon);
  EXPECT_EQ(Atom(0).freeElectrons, 4);
  const int expectedY[4] = {10, 40, 70, 100};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Atom(i).x, 590) << i;
    EXPECT_EQ(Atom(i).y, expectedY[i]) << i;
  }
  EXPECT_EQ(window.molecule.undoHistory.Count(), 4);
  EXPECT_TRUE(window.changed);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(BondWindowTest, PaletteGuardRefusesWithItsMessages) {
  for (int i = 0; i < 26; ++i) window.NewAtom(Hydrogen);
  ASSERT_TRUE(desktop.messages.empty());
  window.NewAtom(Hydrogen);
  EXPECT_EQ(window.AtomCount(), 26);
  EXPECT_EQ(window.molecule.undoHistory.Count(), 26);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "You can have no more than 26 total atoms!!!");
  EXPECT_EQ(desktop.messages[0].caption, "Warning");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);

  // Completion is tested first.
  window.molecule.completed = true;
  window.NewAtom(Carbon);
  EXPECT_EQ(desktop.LastText(), "You must start a new molecule before using this command!!!");
  EXPECT_EQ(window.AtomCount(), 26);
}

TEST_F(BondWindowTest, PalettePressOnCompletedMoleculeLeavesItAlone) {
  BuildMethane();
  window.NewAtom(Hydrogen);
  EXPECT_EQ(window.AtomCount(), 5);
  EXPECT_TRUE(window.molecule.undoHistory.IsEmpty());
  EXPECT_FALSE(window.changed);
  EXPECT_EQ(desktop.Texts(),
            std::vector<std::string>{"You must start a new molecule before using this command!!!"});
}

TEST_F(BondWindowTest, UndoBackStepsBackToEmpty) {
  window.NewAtom(Carbon);
  window.NewAtom(Oxygen);
  window.UndoBack();
  EXPECT_EQ(window.AtomCount(), 1);
  window.UndoBack();
  EXPECT_EQ(window.AtomCount(), 0);
  EXPECT_TRUE(window.molecule.undoHistory.IsEmpty());
  EXPECT_TRUE(window.changed);  // undo does not touch it

  const int before = host.invalidations;
  window.UndoBack();  // nothing left to undo
  EXPECT_EQ(host.invalidations, before);
}

TEST_F(BondWindowTest, UndoBackClearsCompletionAndRestoresTheBondCounter) {
  BuildMethane();
  window.molecule.bondCount = 3;  // as after a ring template: not the number of bond lines
  window.Snapshot();
  window.molecule.bondCount = 9;
  window.molecule.bonds.Flush();
  window.UndoBack();
  EXPECT_FALSE(window.molecule.completed);
  EXPECT_EQ(window.molecule.bonds.Count(), 4);
  EXPECT_EQ(window.molecule.bondCount, 3);
  EXPECT_GT(host.erasingInvalidations, 0);
}

TEST_F(BondWindowTest, UndoBackWaitsWhileAnAtomIsDragged) {
  window.NewAtom(Carbon);
  window.dragging = true;
  window.draggedAtom = &Atom(0);
  window.UndoBack();
  EXPECT_EQ(window.AtomCount(), 1);
  EXPECT_EQ(window.draggedAtom, &Atom(0));
}

TEST_F(BondWindowTest, NewEndsADragAndEmptiesTheMolecule) {
  window.NewAtom(Carbon);
  window.changed = false;
  window.dragging = true;
  window.draggedAtom = &Atom(0);
  host.captured = true;
  EXPECT_TRUE(window.New());
  EXPECT_FALSE(window.dragging);
  EXPECT_FALSE(host.captured);
  EXPECT_EQ(window.draggedAtom, nullptr);
  EXPECT_EQ(window.AtomCount(), 0);
}

TEST_F(BondWindowTest, NewAsksOnlyForAChangedMoleculeWithAtoms) {
  window.changed = true;  // changed, but nothing to lose
  EXPECT_TRUE(window.New());
  window.NewAtom(Carbon);
  window.changed = false;
  EXPECT_TRUE(window.New());
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(BondWindowTest, NewResetsEverything) {
  BuildMethane();
  window.molecule.brackets.Add(TBrackett(1, 2, 3, 4, -1));
  window.molecule.ringTemplatePlaced = true;
  window.Snapshot();
  window.untitled = false;
  window.fileName = "/some/where.kvl";
  desktop.answers = {TAnswer::No};
  ASSERT_TRUE(window.New());
  const auto& m = window.molecule;
  EXPECT_TRUE(m.atoms.IsEmpty() && m.bonds.IsEmpty() && m.brackets.IsEmpty() && m.undoHistory.IsEmpty());
  EXPECT_EQ(m.bondCount, 0);
  EXPECT_FALSE(m.completed || m.ringTemplatePlaced || window.changed);
  EXPECT_TRUE(window.untitled);
  EXPECT_EQ(window.fileName, "Untitled");
  EXPECT_EQ(host.caption, "Untitled");
}

// The save question of New, Open and the close query, with each answer.
// "Yes" whose save did not happen keeps the molecule, as Cancel does.
enum class TAsker { New, Open, Close };
enum class TReply { YesSaved, YesDialogCancelled, YesWriteFailed, No, Cancel };

struct TSaveQuestionCase {
  TAsker asker;
  TReply reply;
  bool goesOn;
};

class SaveQuestionTest : public BondWindowTest, public testing::WithParamInterface<TSaveQuestionCase> {};

TEST_P(SaveQuestionTest, AnswerDecides) {
  const TSaveQuestionCase c = GetParam();
  OneChangedAtom();
  const std::string savedPath = temp.File("kept.kvl");
  switch (c.reply) {
    case TReply::YesSaved:
      desktop.answers = {TAnswer::Yes};
      desktop.saveChoices = {savedPath};
      break;
    case TReply::YesDialogCancelled:
      desktop.answers = {TAnswer::Yes};
      desktop.saveChoices = {std::nullopt};
      break;
    case TReply::YesWriteFailed:
      desktop.answers = {TAnswer::Yes};
      desktop.saveChoices = {temp.File("no-such-directory/x.kvl")};
      break;
    case TReply::No:
      desktop.answers = {TAnswer::No};
      break;
    case TReply::Cancel:
      desktop.answers = {TAnswer::Cancel};
      break;
  }
  desktop.openChoices = {std::nullopt};  // Open's dialog, when reached, is cancelled

  bool result = false;
  switch (c.asker) {
    case TAsker::New:
      result = window.New();
      EXPECT_EQ(window.AtomCount(), c.goesOn ? 0 : 1);
      break;
    case TAsker::Open:
      result = window.Open();
      EXPECT_FALSE(result);  // its dialog was cancelled either way
      EXPECT_EQ(desktop.openDialogs, c.goesOn ? 1 : 0);
      EXPECT_EQ(window.AtomCount(), 1);
      break;
    case TAsker::Close:
      result = window.CanClose();
      break;
  }
  if (c.asker != TAsker::Open) {
    EXPECT_EQ(result, c.goesOn);
  }

  ASSERT_FALSE(desktop.messages.empty());
  EXPECT_EQ(desktop.messages[0].text, "Do you want to save?");
  EXPECT_EQ(desktop.messages[0].caption, "Molecule has changed");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Question);
  EXPECT_EQ(desktop.messages[0].buttons, TButtons::YesNoCancel);
  EXPECT_EQ(std::filesystem::exists(savedPath), c.reply == TReply::YesSaved);
  if (c.reply == TReply::YesWriteFailed) {
    EXPECT_EQ(desktop.LastText(), "File cannot be found!");
  }
}

std::string SaveQuestionName(const testing::TestParamInfo<TSaveQuestionCase>& param) {
  static const char* const askers[] = {"New", "Open", "Close"};
  static const char* const replies[] = {"YesSaved", "YesDialogCancelled", "YesWriteFailed", "No", "Cancel"};
  return std::string(askers[static_cast<int>(param.param.asker)]) + "_" +
         replies[static_cast<int>(param.param.reply)];
}

INSTANTIATE_TEST_SUITE_P(NewOpenClose, SaveQuestionTest,
                         testing::Values(TSaveQuestionCase{TAsker::New, TReply::YesSaved, true},
                                         TSaveQuestionCase{TAsker::New, TReply::YesDialogCancelled, false},
                                         TSaveQuestionCase{TAsker::New, TReply::YesWriteFailed, false},
                                         TSaveQuestionCase{TAsker::New, TReply::No, true},
                                         TSaveQuestionCase{TAsker::New, TReply::Cancel, false},
                                         TSaveQuestionCase{TAsker::Open, TReply::YesSaved, true},
                                         TSaveQuestionCase{TAsker::Open, TReply::YesDialogCancelled, false},
                                         TSaveQuestionCase{TAsker::Open, TReply::YesWriteFailed, false},
                                         TSaveQuestionCase{TAsker::Open, TReply::No, true},
                                         TSaveQuestionCase{TAsker::Open, TReply::Cancel, false},
                                         TSaveQuestionCase{TAsker::Close, TReply::YesSaved, true},
                                         TSaveQuestionCase{TAsker::Close, TReply::YesDialogCancelled, false},
                                         TSaveQuestionCase{TAsker::Close, TReply::YesWriteFailed, false},
                                         TSaveQuestionCase{TAsker::Close, TReply::No, true},
                                         TSaveQuestionCase{TAsker::Close, TReply::Cancel, false}),
                         SaveQuestionName);

TEST_F(BondWindowTest, SaveAsksForANameOnlyUntilSaveAsHasWrittenTheFile) {
  OneChangedAtom();
  const std::string first = temp.File("first.kvl");
  // A cancelled and a failed Save as leave the molecule untitled.
  desktop.saveChoices = {std::nullopt, temp.File("missing/x.kvl"), first};
  EXPECT_FALSE(window.Save());
  EXPECT_FALSE(window.Save());
  EXPECT_TRUE(window.untitled);
  EXPECT_EQ(desktop.saveDialogs, 2);

  EXPECT_TRUE(window.Save());
  EXPECT_EQ(host.caption, first);
  EXPECT_FALSE(window.changed);
  EXPECT_FALSE(window.untitled);
  std::filesystem::remove(first);
  window.AddToTray(Hydrogen);
  EXPECT_TRUE(window.Save());
  EXPECT_EQ(desktop.saveDialogs, 3) << "the next Save writes to the chosen file without asking";
  EXPECT_EQ(window.fileName, first);
  EXPECT_TRUE(std::filesystem::exists(first));
}

TEST_F(BondWindowTest, SaveAsKeepsALongPathWhole) {
  OneChangedAtom();
  const std::string longName = std::string(150, 'm') + ".kvl";
  const std::string path = temp.File(longName);
  desktop.saveChoices = {path};
  EXPECT_TRUE(window.Command(cmd::SaveAs));
  EXPECT_EQ(window.fileName, path);
  EXPECT_EQ(host.caption, path);
  EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(BondWindowTest, FailedWriteKeepsTheMoleculeChanged) {
  OneChangedAtom();
  host.caption = "Untitled";
  desktop.saveChoices = {temp.File("missing/x.kvl")};
  EXPECT_FALSE(window.SaveAs());
  EXPECT_TRUE(window.changed);
  EXPECT_EQ(host.caption, "Untitled");
  EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"File cannot be found!"});
}

TEST_F(BondWindowTest, SavedMoleculeOpensAgainUnchanged) {
  BuildMethane();
  window.molecule.bonds[1].SetOrder("double");
  window.molecule.brackets.Add(TBrackett(65, 155, 65, 155, -2));
  window.molecule.ringTemplatePlaced = true;
  window.Snapshot();
  const TMolecule original = [&] {
    TMolecule copy;
    copy.atoms = window.molecule.atoms;
    copy.bonds = window.molecule.bonds;
    copy.brackets = window.molecule.brackets;
    return copy;
  }();
  const std::string path = temp.File("methane.kvl");
  desktop.saveChoices = {path};
  ASSERT_TRUE(window.Save());

  ASSERT_TRUE(window.New());  // saved, so no question
  desktop.openChoices = {path};
  const int erasing = host.erasingInvalidations;
  ASSERT_TRUE(window.Open());
  const auto& m = window.molecule;
  ASSERT_EQ(m.atoms.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(m.atoms[i], original.atoms[i]) << i;
  ASSERT_EQ(m.bonds.Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(m.bonds[i], original.bonds[i]) << i;
  ASSERT_EQ(m.brackets.Count(), 1);
  EXPECT_EQ(m.brackets[0], original.brackets[0]);
  EXPECT_EQ(m.bondCount, 4);
  EXPECT_TRUE(m.completed);
  EXPECT_FALSE(m.ringTemplatePlaced);
  EXPECT_TRUE(m.undoHistory.IsEmpty());
  EXPECT_FALSE(window.changed);
  EXPECT_FALSE(window.untitled);
  EXPECT_EQ(window.fileName, path);
  EXPECT_EQ(host.caption, path);
  EXPECT_GT(host.erasingInvalidations, erasing);
  EXPECT_TRUE(desktop.messages.empty());

  // Now titled: Save writes without a dialog.
  window.Snapshot();
  EXPECT_TRUE(window.Save());
  EXPECT_EQ(desktop.saveDialogs, 1);
  EXPECT_FALSE(window.changed);
}

TEST_F(BondWindowTest, FailedOpenLeavesAnEmptyUntitledMolecule) {
  struct TCase {
    std::string file;
    std::string message;
  };
  const std::vector<TCase> cases = {
      {temp.File("absent.kvl"), "File cannot be found!"},
      {WriteBytes("wrong.kvl", std::string("Kovala31X") + std::string(19, '\0')), "Incorrect File Format!"},
  };
  for (const auto& c : cases) {
    BuildMethane();
    window.Snapshot();
    window.changed = false;
    window.untitled = false;
    host.caption = "old.kvl";
    desktop.messages.clear();
    desktop.openChoices = {c.file};
    EXPECT_FALSE(window.Open()) << c.file;
    EXPECT_EQ(desktop.Texts(), std::vector<std::string>{c.message});
    const auto& m = window.molecule;
    EXPECT_TRUE(m.atoms.IsEmpty() && m.bonds.IsEmpty() && m.undoHistory.IsEmpty());
    EXPECT_FALSE(m.completed);  // the palette works again
    EXPECT_EQ(m.bondCount, 0);
    EXPECT_EQ(host.caption, "old.kvl");

    // The next Save asks for a name instead of overwriting the unreadable file.
    window.NewAtom(Carbon);
    const int dialogs = desktop.saveDialogs;
    desktop.saveChoices = {std::nullopt};
    EXPECT_FALSE(window.Save());
    EXPECT_EQ(desktop.saveDialogs, dialogs + 1);
    window.molecule.atoms.Flush();
  }
  EXPECT_FALSE(std::filesystem::exists(temp.File("absent.kvl")));
}

TEST_F(BondWindowTest, AbbreviateHsFoldsMethaneIntoItsCarbon) {
  BuildMethane();
  EXPECT_TRUE(window.Command(cmd::AbbreviateHs));
  const auto& m = window.molecule;
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(Atom(i).x, 115) << i;
    EXPECT_EQ(Atom(i).y, 100) << i;
  }
  EXPECT_TRUE(m.bonds.IsEmpty());
  const auto& slots = Atom(0).electronSlotTaken;
  EXPECT_EQ(slots, (std::array<std::uint8_t, 8>{1, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_EQ(m.undoHistory.Count(), 1);
  EXPECT_TRUE(window.changed);
  EXPECT_GT(host.erasingInvalidations, 0);

  TRecordingSurface surface;
  window.Paint(surface);
  EXPECT_TRUE(surface.HasText("4", 130, 110));
  EXPECT_TRUE(surface.HasBitmap("carbonatom", 100, 100));
  EXPECT_EQ(surface.Of(TDrawCall::Kind::Line).size(), 0u);

  window.UndoBack();
  EXPECT_EQ(m.bonds.Count(), 4);
  EXPECT_EQ(Atom(1).x, 130);
}

TEST_F(BondWindowTest, AbbreviateHsHidesTheBondUnderTheHydrogen) {
  // H - C - C: the hydrogen moves right of its carbon, over the bond to the
  // next carbon, which goes; a 40-pixel ring bond from the same point stays.
  auto& m = window.molecule;
  TAtom h(Hydrogen, 70, 100);
  h.parentIndex = 1;
  m.atoms.Add(h);
  TAtom c(Carbon, 100, 100);
  c.childIndex = {0, 2, -1, -1};
  c.electronSlotTaken = {1, 0, 1, 0, 1, 0, 1, 0};
  m.atoms.Add(c);
  m.atoms.Add(TAtom(Carbon, 130, 100));
  m.bonds.Add(TBonds(120, 160, 110, 110));  // 40 wide
  m.bonds.Add(TBonds(120, 130, 110, 110));  // C - C
  m.bonds.Add(TBonds(100, 90, 110, 110));   // C - H
  window.AbbreviateHs();
  EXPECT_EQ(Atom(0).x, 115);
  EXPECT_EQ(Atom(0).y, 100);
  ASSERT_EQ(m.bonds.Count(), 1);
  EXPECT_EQ(m.bonds[0].x2, 160);
  // The left side opened again, the right side is held by the hydrogen.
  EXPECT_EQ(Atom(1).electronSlotTaken, (std::array<std::uint8_t, 8>{1, 0, 0, 0, 1, 0, 0, 0}));
}

TEST_F(BondWindowTest, AbbreviateHsLeavesAHydrogenWithoutPartnerInPlace) {
  auto& m = window.molecule;
  TAtom h(Hydrogen, 200, 200);
  h.parentIndex = 7;  // points nowhere, as in a damaged file
  m.atoms.Add(h);
  m.atoms.Add(TAtom(Hydrogen, 300, 300));
  window.AbbreviateHs();
  EXPECT_EQ(Atom(0).x, 200);
  EXPECT_EQ(Atom(1).x, 300);
}

TEST_F(BondWindowTest, TrayAtomsFollowTheTrayWhenTheWidthChanges) {
  window.SetupWindow();
  TAtom placed(Carbon, 100, 100);
  placed.bonded = 1;
  window.molecule.atoms.Add(placed);
  TAtom bondedAtEdge(Carbon, 590, 200);  // a bonded atom that happens to stand in the column
  bondedAtEdge.bonded = 1;
  window.molecule.atoms.Add(bondedAtEdge);
  window.NewAtom(Hydrogen);
  window.NewAtom(Oxygen);

  host.client.right = 800;
  window.Resized();
  EXPECT_EQ(Atom(2).x, 750);
  EXPECT_EQ(Atom(3).x, 750);
  EXPECT_EQ(Atom(3).y, 40);
  EXPECT_EQ(Atom(0).x, 100);
  EXPECT_EQ(Atom(1).x, 590);
  EXPECT_TRUE(window.InTray(Atom(2)));

  // The next palette atom goes below them, not over the first.
  window.NewAtom(Carbon);
  EXPECT_EQ(Atom(4).x, 750);
  EXPECT_EQ(Atom(4).y, 70);

  // A width change that reached no Resized is caught up by the tray itself.
  host.client.right = 500;
  window.NewAtom(Hydrogen);
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(Atom(i).x, 450) << i;
  EXPECT_EQ(Atom(5).y, 100);
}

TEST_F(BondWindowTest, CopyToClipboardBoxesTheAtoms) {
  auto& m = window.molecule;
  m.atoms.Add(TAtom(Carbon, 100, 100));
  m.atoms.Add(TAtom(Oxygen, 160, 40));
  m.bonds.Add(TBonds(120, 130, 110, 110));
  m.brackets.Add(TBrackett(95, 185, 35, 125, 1));
  window.CopyToClipboard();
  ASSERT_EQ(desktop.clipboard.size(), 1u);
  const auto& copy = desktop.clipboard[0];
  EXPECT_EQ(copy.pictureWidth, 640);
  EXPECT_EQ(copy.pictureHeight, 400);
  // The atoms' box, widened by one pixel for the right bracket's and the
  // bottom lines and to the right for the charge "1+" (16 pixels on the
  // recording surface).
  EXPECT_EQ(copy.box, (TRect{95, 35, 185 + 5 + 16 + 1, 126}));
  // Atoms, then bonds, then brackets with their charge.
  ASSERT_FALSE(copy.drawing.empty());
  EXPECT_EQ(copy.drawing.front().name, "carbonatom");
  std::size_t firstLine = 0;
  while (copy.drawing[firstLine].kind != TDrawCall::Kind::Line) ++firstLine;
  for (std::size_t i = 0; i < firstLine; ++i) EXPECT_EQ(copy.drawing[i].kind, TDrawCall::Kind::Bitmap);
  EXPECT_EQ(copy.drawing[firstLine].x1, 120);
  EXPECT_EQ(copy.drawing.back(), (TDrawCall{TDrawCall::Kind::Text, "1+", 190, 35, 0, 0, {}, {}}));
}

TEST_F(BondWindowTest, CopyToClipboardOfAnEmptyMoleculeCopiesNothing) {
  window.CopyToClipboard();
  EXPECT_TRUE(desktop.clipboard.empty());
}

TEST_F(BondWindowTest, PaintBlanksTheDraggedAtomLast) {
  window.NewAtom(Carbon);
  window.NewAtom(Hydrogen);
  TRecordingSurface still;
  window.Paint(still);
  EXPECT_FALSE(still.HasBitmap("blank", 590, 40));

  window.dragging = true;
  window.draggedAtom = &Atom(1);
  TRecordingSurface dragged;
  window.Paint(dragged);
  ASSERT_FALSE(dragged.calls.empty());
  EXPECT_EQ(dragged.calls.back(), (TDrawCall{TDrawCall::Kind::Bitmap, "blank", 590, 40, 0, 0, {}, {}}));
  EXPECT_TRUE(dragged.HasBitmap("bitmap_2", 593, 43));
}

TEST_F(BondWindowTest, ElectronCommandsArmTheNextRightClick) {
  window.NewAtom(Nitrogen);
  const int snapshots = window.molecule.undoHistory.Count();
  EXPECT_TRUE(window.Command(cmd::AddElectron));
  EXPECT_TRUE(window.electronModeAdd);
  EXPECT_TRUE(window.electronModePending);
  EXPECT_TRUE(window.Command(cmd::SubtractElectron));
  EXPECT_FALSE(window.electronModeAdd);
  EXPECT_TRUE(window.electronModePending);
  ASSERT_EQ(desktop.messages.size(), 2u);
  EXPECT_EQ(desktop.messages[0].text,
            "Click the right mouse button on the atom which is to gain the electron.");
  EXPECT_EQ(desktop.messages[1].text,
            "Click the right mouse button on the atom which is to lose the electron.");
  for (const auto& shown : desktop.messages) {
    EXPECT_EQ(shown.caption, "Information");
    EXPECT_EQ(shown.icon, TIcon::Information);
  }
  EXPECT_EQ(window.molecule.undoHistory.Count(), snapshots);
  EXPECT_EQ(Atom(0).freeElectrons, 5);
}

TEST_F(BondWindowTest, OtherCommandsAreLeftToTheFrame) {
  for (const int id : {101, 102, 103, 201, 206, 250, 301}) EXPECT_FALSE(window.Command(id)) << id;
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.saveDialogs, 0);
}

TEST_F(BondWindowTest, RightClickOnAnEmptyMoleculeKeepsTheElectronModeArmed) {
  window.Command(cmd::AddElectron);
  window.RightButtonDown({100, 100}, {});
  EXPECT_TRUE(window.electronModePending);
  EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
}  // namespace kovala
