// The two courses driven through their own mouse handlers and commands on the
// recording fakes: structure rules after a drop and after a bond click, the
// layout of a row, navigation at both ends, and the text under the molecule.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "tests/support/recordingsurface.h"
#include "tests/support/scripteddesktop.h"
#include "tests/support/windowfixture.h"

namespace kovala {
namespace {

using test::TFakeHost;
using test::TRecordingSurface;
using test::TScriptedDesktop;

const std::string kCompletedByDrop = "This molecule is completed!!!  Go to View for 3-D structure.";
const std::string kCompletedByClick = "This molecule is completed!!!  Go to View for a 3-D structure.";

enum class TCourse { Practice, Organic };

std::unique_ptr<TCourseWindow> MakeCourse(TCourse course, IWindowHost& host, IDesktop& desktop) {
  if (course == TCourse::Practice) return std::make_unique<TPracticeWindow>(host, desktop);
  return std::make_unique<TOrganicWindow>(host, desktop);
}

// A course on the fakes, started at row 1.
struct TSession : test::TWindowFixture<TCourseWindow> {
  explicit TSession(TCourse course)
      : TWindowFixture([course](IWindowHost& windowHost, IDesktop& windowDesktop) {
          return MakeCourse(course, windowHost, windowDesktop);
        }) {
    window.Start();
  }
  int RowAtoms() const {
    int count = 0;
    for (const TAtomGroup& group : window.ShownRow()->atoms) count += group.count;
    return count;
  }
};

// A structure built in a row of a course, and whether the row accepts it.
struct TRuleCase {
  std::string name;
  TCourse course;
  int row;
  std::string recipe;
  bool accepted;
};

void PrintTo(const TRuleCase& c, std::ostream* os) { *os << c.name; }

class StructureRules : public testing::TestWithParam<TRuleCase> {};

TEST_P(StructureRules, RefuseTheWrongIsomerWithTheRowsMessageAndLayTheRowOutAgain) {
  const TRuleCase& c = GetParam();
  TSession s(c.course);
  s.GoTo(c.row);
  ASSERT_EQ(s.Run("chain " + std::string(c.recipe)), "");
  ASSERT_EQ(s.desktop.messages.size(), 1u);
  const test::TShownMessage& shown = s.desktop.messages[0];
  if (c.accepted) {
    EXPECT_TRUE(shown.text == kCompletedByDrop || shown.text == kCompletedByClick) << shown.text;
    EXPECT_EQ(shown.caption, "Information");
    EXPECT_TRUE(s.m.completed);
    EXPECT_EQ(s.Student().AtomsInTray(), 0);
    return;
  }
  EXPECT_EQ(shown.text, s.window.ShownRow()->ruleMessage);
  EXPECT_EQ(shown.caption, "Warning");
  EXPECT_EQ(shown.icon, TIcon::Exclamation);
  // Nothing of the attempt remains: the row's atoms wait in the tray again.
  EXPECT_FALSE(s.m.completed);
  EXPECT_EQ(s.window.rowNumber, c.row);
  EXPECT_EQ(s.m.atoms.Count(), s.RowAtoms());
  EXPECT_EQ(s.Student().AtomsInTray(), s.RowAtoms());
  EXPECT_TRUE(s.m.bonds.IsEmpty());
  EXPECT_EQ(s.m.bondCount, 0);
  EXPECT_FALSE(s.window.dragging);
  EXPECT_FALSE(s.host.captured);
}

// ":" puts the completing click on the C=O bond last; every other build
// completes with a drop.
INSTANTIATE_TEST_SUITE_P(
    Courses, StructureRules,
    testing::Values(
        TRuleCase{"PeroxideHOOH", TCourse::Practice, 8, "OO", true},
        TRuleCase{"PeroxideBothHydrogensOnOneOxygen", TCourse::Practice, 8, "O(H)(H)O", false},
        TRuleCase{"SulfurDioxideSulfurOnAnOxygenPair", TCourse::Practice, 13, "O=OS", false},
        TRuleCase{"SulfurDioxide", TCourse::Practice, 13, "O=SO", true},
        TRuleCase{"SulfateOxygensBondedToOxygens", TCourse::Practice, 14, "O=O(O)O", false},
        TRuleCase{"EthanolBuiltAsDimethylEther", TCourse::Organic, 11, "COC", false},
        TRuleCase{"TwoPropanol", TCourse::Organic, 12, "CC(O)C", true},
        TRuleCase{"DimethylEtherBuiltAsEthanol", TCourse::Organic, 13, "CCO", false},
        TRuleCase{"DiethylEtherBuiltAsMethylPropylEther", TCourse::Organic, 15, "COCCC", false},
        TRuleCase{"AcetoneBuiltAsPropanalByADrop", TCourse::Organic, 18, "CCC=O", false},
        TRuleCase{"AcetoneBuiltAsPropanalByTheClick", TCourse::Organic, 18, "CCC:O", false},
        TRuleCase{"AcetoneByTheClick", TCourse::Organic, 18, "CC(:O)C", true},
        TRuleCase{"AceticAcidBuiltAsMethylFormate", TCourse::Organic, 21, "C(=O)OC", false},
        TRuleCase{"MethylFormateBuiltAsAceticAcid", TCourse::Organic, 22, "CC(=O)O", false},
        TRuleCase{"MethylAcetateBuiltAsEthylFormate", TCourse::Organic, 23, "C(=O)OCC", false},
        TRuleCase{"EthylAcetateBuiltAsMethylPropanoateByADrop", TCourse::Organic, 24, "CCC(=O)OC", false},
        TRuleCase{"EthylAcetateBuiltAsMethylPropanoateByTheClick", TCourse::Organic, 24, "CCC(:O)OC", false},
        TRuleCase{"EthylAcetateByTheClick", TCourse::Organic, 24, "CC(:O)OCC", true},
        TRuleCase{"RowWithoutRulesTakesAnyStructure", TCourse::Organic, 17, "C=CO", true}),
    [](const testing::TestParamInfo<TRuleCase>& rule) { return rule.param.name; });

// A window whose width changed without a resize event leaves the tray atoms
// standing outside the tray, where they can be bonded to one another: H-H and
// O=O then make a complete peroxide, last by the click on the O-O bond.
TEST(PracticeRules, PeroxideOfTwoMoleculesIsRefusedWhenTheClickCompletesIt) {
  TSession s(TCourse::Practice);
  s.GoTo(8);
  auto& atoms = s.m.atoms;  // H, H, O, O in the tray at x = 590
  s.host.client.right = 700;
  s.window.PickUpAtom(test::CellCentre(atoms[1]));
  s.window.DropAtom(SideOf(atoms[0], LeftSide));
  ASSERT_TRUE(atoms[0].bonded);
  s.host.client.right = 760;  // the oxygens went on to the tray at x = 650
  TAtom& first = atoms[2];
  TAtom& second = atoms[3];
  ASSERT_EQ(first.kind, Oxygen);
  s.window.PickUpAtom(test::CellCentre(second));
  s.window.DropAtom(SideOf(first, LeftSide));
  ASSERT_TRUE(second.bonded);
  ASSERT_FALSE(s.m.completed);
  ASSERT_TRUE(s.desktop.messages.empty());

  s.window.RightButtonDown(test::BondMiddle(s.m.bonds.Last()), {});
  ASSERT_EQ(s.desktop.messages.size(), 1u);
  EXPECT_EQ(s.desktop.messages[0].text,
            "In hydrogen peroxide the hydrogen atoms must be attached to separate oxygen atoms.");
  EXPECT_FALSE(s.m.completed);
  EXPECT_TRUE(s.m.bonds.IsEmpty());
  EXPECT_EQ(s.Student().AtomsInTray(), 4);
}

TEST(PracticeLayout, IonsAreAdjustedOncePerLayoutAndBracketedOnCompletion) {
  struct TIon {
    int row;
    const char* recipe;
    int freeElectrons, openBonds, charge;
  };
  for (const TIon ion : {TIon{5, "O", 5, 3, 1}, TIon{14, "S(O)(O)(O)O", 8, 0, -2}}) {
    SCOPED_TRACE(ion.row);
    TSession s(TCourse::Practice);
    s.GoTo(ion.row);
    s.window.StartAgain();
    s.window.Command(cmd::StartAgain);
    const TAtom& first = s.m.atoms[0];
    EXPECT_EQ(first.freeElectrons, ion.freeElectrons);
    EXPECT_EQ(first.openBonds, ion.openBonds);
    EXPECT_EQ(first.charge, ion.charge);

    ASSERT_EQ(s.Run("chain " + std::string(ion.recipe)), "");
    EXPECT_EQ(s.desktop.Texts(), std::vector<std::string>{kCompletedByDrop});
    ASSERT_EQ(s.m.brackets.Count(), 1);
    EXPECT_EQ(s.m.brackets[0].charge, ion.charge);
  }
}

class CourseNavigation : public testing::TestWithParam<TCourse> {};

TEST_P(CourseNavigation, PreviousStopsAtTheFirstRowAndNextPastTheLastShowsTheEndMessage) {
  TSession s(GetParam());
  const int last = s.window.RowCount();
  ASSERT_EQ(last, GetParam() == TCourse::Practice ? 19 : 24);
  EXPECT_EQ(s.window.rowNumber, 1);
  s.Run("chain " + std::string("C"));  // a few atoms out of the tray
  s.window.Command(cmd::PreviousMolecule);
  EXPECT_EQ(s.window.rowNumber, 1);
  EXPECT_EQ(s.Student().AtomsInTray(), s.RowAtoms());
  EXPECT_TRUE(s.m.bonds.IsEmpty());

  for (int n = 2; n <= last; ++n) {
    s.window.Command(cmd::NextMolecule);
    EXPECT_EQ(s.window.rowNumber, n);
    EXPECT_EQ(s.window.textLines, s.window.ShownRow()->lines);
  }
  s.desktop.messages.clear();
  const int erasing = s.host.erasingInvalidations;
  s.window.Command(cmd::NextMolecule);
  const std::string end = GetParam() == TCourse::Practice
                              ? "You have completed the practice molecules.  Click on Quit Practice"
                              : "You have completed the organic molecules.  Go to Practice|Quit";
  ASSERT_EQ(s.desktop.messages.size(), 1u);
  EXPECT_EQ(s.desktop.messages[0].text, end);
  EXPECT_EQ(s.desktop.messages[0].caption, "Information");
  EXPECT_EQ(s.desktop.messages[0].icon, TIcon::Information);
  EXPECT_GT(s.host.erasingInvalidations, erasing);
  EXPECT_GE(s.host.updates, 1);
  EXPECT_TRUE(s.m.atoms.IsEmpty());
  EXPECT_EQ(s.window.rowNumber, last);
  EXPECT_EQ(s.window.textLines, s.window.ShownRow()->lines);

  s.window.Command(cmd::NextMolecule);
  EXPECT_EQ(s.desktop.Texts(), (std::vector<std::string>{end, end}));
  s.window.Command(cmd::StartAgain);
  EXPECT_EQ(s.window.rowNumber, last);
  EXPECT_EQ(s.m.atoms.Count(), s.RowAtoms());
  s.window.Command(cmd::NextMolecule);
  s.window.Command(cmd::PreviousMolecule);
  EXPECT_EQ(s.window.rowNumber, last - 1);
  EXPECT_EQ(s.m.atoms.Count(), s.RowAtoms());
}

// Completion grays Abbreviate H's; each layout of a row brings it back, so
// butane's second isomer can be built after a completed row.
TEST_P(CourseNavigation, EachLayoutAfterACompletionEnablesAbbreviateHsAgain) {
  for (int id : {cmd::NextMolecule, cmd::StartAgain, cmd::PreviousMolecule}) {
    SCOPED_TRACE(id);
    TSession s(GetParam());
    ASSERT_EQ(s.Run("chain " + std::string("C")), "");
    ASSERT_EQ(s.host.grayed, std::vector<int>{cmd::AbbreviateHs});
    s.window.Command(id);
    EXPECT_TRUE(s.host.grayed.empty());
    EXPECT_EQ(s.host.menu, menu::Course);
  }
  TSession s(GetParam());  // a layout with nothing grayed leaves the menu alone
  s.window.Command(cmd::NextMolecule);
  EXPECT_TRUE(s.host.menusAssigned.empty());
}

TEST_P(CourseNavigation, EachLayoutEmptiesTheUndoHistory) {
  TSession s(GetParam());
  EXPECT_TRUE(s.m.undoHistory.IsEmpty());
  s.Run("chain " + std::string("C"));
  ASSERT_FALSE(s.m.undoHistory.IsEmpty());
  for (int id : {cmd::StartAgain, cmd::NextMolecule, cmd::PreviousMolecule}) {
    s.window.Command(id);
    EXPECT_TRUE(s.m.undoHistory.IsEmpty()) << id;
  }
}

TEST_P(CourseNavigation, StartGoesBackToTheFirstRowAndEndsADragInProgress) {
  TSession s(GetParam());
  s.window.Command(cmd::NextMolecule);
  s.window.PickUpAtom(test::CellCentre(s.m.atoms[0]));
  ASSERT_TRUE(s.window.dragging);
  s.window.electronModePending = true;
  s.window.Start();
  EXPECT_EQ(s.window.rowNumber, 1);
  EXPECT_FALSE(s.window.dragging);
  EXPECT_FALSE(s.host.captured);
  EXPECT_FALSE(s.window.electronModePending);
  EXPECT_EQ(s.host.cursors.back(), "");
  EXPECT_EQ(s.Student().AtomsInTray(), s.RowAtoms());
}

TEST_P(CourseNavigation, NextDuringADragLeavesTheReleaseNothingToDrop) {
  TSession s(GetParam());
  s.window.PickUpAtom(test::CellCentre(s.m.atoms[0]));
  s.window.Command(cmd::NextMolecule);
  s.window.DropAtom({300, 200});
  EXPECT_FALSE(s.window.dragging);
  EXPECT_FALSE(s.host.captured);
  EXPECT_EQ(s.Student().AtomsInTray(), s.RowAtoms());
}

TEST_P(CourseNavigation, FiveLinesAreDrawnUnderTheMoleculeEmptyOnesNot) {
  TSession s(GetParam());
  s.host.client = {0, 0, 800, 500};
  s.window.textLines = {"first", "", "third ", "", "fifth"};
  TRecordingSurface surface;
  s.window.Paint(surface);
  const auto texts = surface.Of(test::TDrawCall::Kind::Text);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_TRUE(surface.HasText("first", 5, 400));
  EXPECT_TRUE(surface.HasText("third ", 5, 430));
  EXPECT_TRUE(surface.HasText("fifth", 5, 460));
  // The molecule comes first, the text over it.
  EXPECT_EQ(surface.calls.back().name, "fifth");
  EXPECT_TRUE(surface.HasBitmap("carbonatom", 590, 10));
}

TEST_P(CourseNavigation, ALineWiderThanTheWindowGoesOnBelowAndPushesTheBlockUp) {
  TSession s(GetParam());
  // The recording surface measures 8 pixels a character: 20 characters fit in 165.
  s.host.client = {0, 0, 165, 500};
  s.window.textLines = {"first", "", "aaaa bbbb cccc dddd eeee ffff", "", "fifth"};
  TRecordingSurface surface;
  s.window.Paint(surface);
  ASSERT_EQ(surface.Of(test::TDrawCall::Kind::Text).size(), 4u);
  EXPECT_TRUE(surface.HasText("first", 5, 385));
  EXPECT_TRUE(surface.HasText("aaaa bbbb cccc dddd", 5, 415));
  EXPECT_TRUE(surface.HasText("eeee ffff", 5, 430));
  EXPECT_TRUE(surface.HasText("fifth", 5, 460));
}

struct TWrapCase {
  const char* name;
  std::array<std::string, 5> lines;
  int room;
  std::vector<std::string> shown;
};

class CourseLineWrap : public testing::TestWithParam<TWrapCase> {};

TEST_P(CourseLineWrap, BreaksOnlyLinesWiderThanTheRoomAtWords) {
  TRecordingSurface measure;  // 8 pixels a character
  EXPECT_EQ(WrappedCourseLines(GetParam().lines, GetParam().room, measure), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CourseLineWrap,
    testing::Values(
        TWrapCase{"FittingLinesStayAsTheyAre",
                  {"one  two ", "", "three", "", ""},
                  72,
                  {"one  two ", "", "three", "", ""}},
        TWrapCase{
            "ExactlyTheRoomStillFits", {"abcd efgh", "", "", "", ""}, 72, {"abcd efgh", "", "", "", ""}},
        TWrapCase{"OnePixelLessBreaks", {"abcd efgh", "", "", "", ""}, 71, {"abcd", "efgh", "", "", "", ""}},
        TWrapCase{
            "ManyBreaks", {"aa bb cc dd ee", "x", "", "", ""}, 40, {"aa bb", "cc dd", "ee", "x", "", "", ""}},
        TWrapCase{"AWordWiderThanTheRoomStandsAlone",
                  {"a verylongword b", "", "", "", ""},
                  24,
                  {"a", "verylongword", "b", "", "", "", ""}}),
    [](const testing::TestParamInfo<TWrapCase>& c) { return std::string(c.param.name); });

INSTANTIATE_TEST_SUITE_P(Courses, CourseNavigation, testing::Values(TCourse::Practice, TCourse::Organic),
                         [](const testing::TestParamInfo<TCourse>& course) {
                           return course.param == TCourse::Practice ? "Practice" : "Organic";
                         });

TEST(PracticeText, WatersDegreeSignIsOneCharacterOfUnicode) {
  TSession s(TCourse::Practice);
  s.GoTo(4);
  const std::string& line = s.window.textLines[3];
  EXPECT_NE(line.find("109.5\u00B0 but rather 105\u00B0"), std::string::npos) << line;
}

TEST(OrganicLayout, NumberIsZeroUntilTheCourseStarts) {
  TFakeHost host;
  TScriptedDesktop desktop;
  TOrganicWindow organic(host, desktop);
  TPracticeWindow lab(host, desktop);
  EXPECT_EQ(organic.moleculeNumber, 0);
  EXPECT_EQ(lab.compoundNumber, 1);
  EXPECT_EQ(organic.ShownRow(), nullptr);
  EXPECT_EQ(organic.ShownMoleculeName(), "");
  EXPECT_EQ(lab.ShownMoleculeName(), "methane");
  // Start Again before the first start lays out the first molecule.
  organic.StartAgain();
  EXPECT_EQ(organic.moleculeNumber, 1);
  organic.NextMolecule();
  EXPECT_EQ(organic.moleculeNumber, 2);
  lab.NextCompound();
  lab.PreviousCompound();
  EXPECT_EQ(lab.compoundNumber, 1);
}

}  // namespace
}  // namespace kovala

namespace kovala {
namespace {

// However the molecule completed, a drop or an added electron, the next row
// enables Abbreviate H's again with a fresh menu.
TEST(CourseMenu, EveryCompletionIsFollowedByAFreshMenuOnTheNextRow) {
  for (bool byElectron : {false, true}) {
    SCOPED_TRACE(byElectron);
    TSession s(TCourse::Organic);
    if (byElectron) {
      // A lone chlorine with its seven electrons takes an eighth and closes.
      s.m.ClearRecords();
      s.m.atoms.Add(TAtom(Chlorine, 100, 100));
      s.window.ArmElectronChange(true);
      s.window.RightButtonDown({110, 110}, {});
    } else {
      ASSERT_EQ(s.Run("chain " + std::string("C")), "");
    }
    ASSERT_TRUE(s.m.completed) << s.desktop.LastText();
    EXPECT_EQ(s.host.grayed, std::vector<int>{cmd::AbbreviateHs});
    s.host.menusAssigned.clear();
    s.window.Command(cmd::NextMolecule);
    EXPECT_EQ(s.host.menusAssigned, std::vector<std::string>{menu::Course});
  }
}

}  // namespace
}  // namespace kovala
