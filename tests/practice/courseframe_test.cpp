// The courses inside the frame: entering with the save question, the student's
// walk through every row of both courses with the 3-D view after each, and
// leaving again, also when the student cancels the leaving.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "tests/support/programfixture.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"
#include "tests/support/studentdriver.h"

namespace kovala {
namespace {

using test::TStudentDriver;
using test::TFakeFrameHost;
using test::TScriptedDesktop;

const std::string kSaveQuestion = "Do you want to save?";

struct TProgram : test::TProgramFixture {
  // A changed carbon in the editor, as after one palette press.
  void EditorHoldsAnUnsavedCarbon() {
    frame.Command(cmd::PaletteCarbon);
    ASSERT_TRUE(frame.bondWindow->changed);
  }
};

struct TCourseCase {
  int command;
  std::string caption;
  bool organic;
};

void PrintTo(const TCourseCase& c, std::ostream* os) { *os << c.caption; }

class CourseFrame : public testing::TestWithParam<TCourseCase> {
 protected:
  TCourseWindow& Course(TProgram& p) const {
    if (GetParam().organic) return *p.frame.organicWindow;
    return *p.frame.practiceWindow;
  }
  bool Active(const TProgram& p) const {
    return GetParam().organic ? p.frame.organicActive : p.frame.practiceActive;
  }
};

TEST_P(CourseFrame, EnteringAsksToSaveAChangedEditorMoleculeAndCancelStaysInTheEditor) {
  TProgram p;
  p.EditorHoldsAnUnsavedCarbon();
  p.desktop.answers = {TAnswer::Cancel};
  EXPECT_TRUE(p.frame.Command(GetParam().command));
  ASSERT_EQ(p.desktop.messages.size(), 1u);
  EXPECT_EQ(p.desktop.messages[0].text, kSaveQuestion);
  EXPECT_EQ(p.desktop.messages[0].caption, "Molecule has changed");
  EXPECT_EQ(p.desktop.messages[0].icon, TIcon::Question);
  EXPECT_EQ(p.desktop.messages[0].buttons, TButtons::YesNoCancel);
  EXPECT_FALSE(Active(p));
  EXPECT_EQ(p.host.Client(), p.frame.bondWindow.get());
  EXPECT_EQ(p.host.window.menu, "100");
  EXPECT_EQ(p.host.window.caption, "Untitled");

  p.desktop.answers = {TAnswer::No};
  p.frame.Command(GetParam().command);
  EXPECT_TRUE(Active(p));
  EXPECT_EQ(p.host.Client(), &Course(p));
  EXPECT_EQ(&p.frame.CurrentMoleculeWindow(), &Course(p));
  EXPECT_TRUE(Course(p).IsVisible());
  EXPECT_FALSE(p.frame.bondWindow->IsVisible());
  EXPECT_EQ(p.host.window.menu, "660");
  EXPECT_EQ(p.host.window.caption, GetParam().caption);
  EXPECT_EQ(Course(p).rowNumber, 1);
  EXPECT_EQ(Course(p).textLines, Course(p).ShownRow()->lines);
  // The editor's molecule waits behind the course until Quit runs New.
  EXPECT_EQ(p.frame.bondWindow->AtomCount(), 1);
  EXPECT_FALSE(p.frame.bondWindow->changed);
}

TEST_P(CourseFrame, PaletteAndUndoBackDoNothingInTheCourse) {
  TProgram p;
  p.frame.Command(GetParam().command);
  TStudentDriver student(Course(p), &p.desktop);
  ASSERT_EQ(student.Run("chain C"), "");
  const int atoms = Course(p).AtomCount();
  p.desktop.messages.clear();
  p.frame.Command(cmd::PaletteCarbon);
  EXPECT_EQ(p.desktop.Texts(), std::vector<std::string>{"You cannot use this button at this time."});
  p.frame.Command(cmd::UndoBack);
  EXPECT_EQ(Course(p).AtomCount(), atoms);
  EXPECT_TRUE(Course(p).molecule.completed);
  EXPECT_EQ(p.frame.bondWindow->AtomCount(), 0);
}

// Yes on entering, then the save dialog cancelled: the editor's molecule is
// still unsaved when the student quits, and Cancel at the question keeps the
// course exactly as it was.
TEST_P(CourseFrame, QuitCancelledAtTheSaveQuestionStaysInTheCourse) {
  TProgram p;
  p.EditorHoldsAnUnsavedCarbon();
  p.desktop.answers = {TAnswer::Yes};
  p.desktop.saveChoices = {std::nullopt};
  p.frame.Command(GetParam().command);
  ASSERT_TRUE(Active(p));
  ASSERT_TRUE(p.frame.bondWindow->changed);
  p.frame.Command(cmd::NextMolecule);
  const auto menus = p.host.window.menusAssigned;
  const auto clients = p.host.clients;

  for (TAnswer answer : {TAnswer::Cancel, TAnswer::Yes}) {
    SCOPED_TRACE(static_cast<int>(answer));
    p.desktop.messages.clear();
    p.desktop.answers = {answer};
    p.desktop.saveChoices = {std::nullopt};
    p.frame.Command(cmd::QuitPracticeOrganic);
    EXPECT_EQ(p.desktop.Texts(), std::vector<std::string>{kSaveQuestion});
    EXPECT_TRUE(Active(p));
    EXPECT_TRUE(Course(p).IsVisible());
    EXPECT_FALSE(p.frame.bondWindow->IsVisible());
    EXPECT_EQ(p.host.clients, clients);
    EXPECT_EQ(p.host.window.menusAssigned, menus);
    EXPECT_EQ(p.host.window.caption, GetParam().caption);
    EXPECT_EQ(Course(p).rowNumber, 2);
    EXPECT_EQ(p.frame.bondWindow->AtomCount(), 1);
  }

  p.desktop.answers = {TAnswer::No};
  p.frame.Command(cmd::QuitPracticeOrganic);
  EXPECT_FALSE(p.frame.practiceActive || p.frame.organicActive);
  EXPECT_EQ(p.host.Client(), p.frame.bondWindow.get());
  EXPECT_EQ(p.frame.bondWindow->AtomCount(), 0);
  EXPECT_EQ(p.host.window.menu, "500");
  EXPECT_EQ(p.host.window.caption, "Untitled");
}

// How a student builds each row. Rows 17 and 18 of the lab (CH3 and OH) cannot
// follow the octet rule: all their atoms bond and the molecule stays incomplete.
const std::map<int, std::string> kLabBuilds{{1, "C"},        {2, "C(Cl)Cl"},
                                            {3, "CO"},       {4, "O"},
                                            {5, "O"},        {6, "F"},
                                            {7, "N"},        {8, "OO"},
                                            {9, "N#N"},      {10, "C=C"},
                                            {11, "BrC=CBr"}, {12, "C#C"},
                                            {13, "O=SO"},    {14, "S(O)(O)(O)O"},
                                            {15, "O=C=O"},   {16, "P(Cl)(Cl)Cl"},
                                            {17, "C"},       {18, "O"},
                                            {19, "C#O"}};
const std::map<int, std::string> kOrganicBuilds{
    {1, "C"},         {2, "CC"},      {3, "CCC"},      {4, "CCCC"},     {5, "C=C"},       {6, "C=CC"},
    {7, "C=CCC"},     {8, "C#C"},     {9, "C#CC"},     {10, "CO"},      {11, "CCO"},      {12, "CCCO"},
    {13, "COC"},      {14, "COCC"},   {15, "CCOCC"},   {16, "C=O"},     {17, "CC=O"},     {18, "CC(=O)C"},
    {19, "CC(=O)CC"}, {20, "C(=O)O"}, {21, "CC(=O)O"}, {22, "C(=O)OC"}, {23, "CC(=O)OC"}, {24, "CC(=O)OCC"}};

TEST_P(CourseFrame, StudentBuildsEveryRowLooksAtItIn3DAndGoesOnToTheEnd) {
  TProgram p;
  p.frame.Command(GetParam().command);
  TCourseWindow& course = Course(p);
  const auto& builds = GetParam().organic ? kOrganicBuilds : kLabBuilds;
  ASSERT_EQ(static_cast<int>(builds.size()), course.RowCount());

  for (const auto& [row, recipe] : builds) {
    SCOPED_TRACE(row);
    ASSERT_EQ(course.rowNumber, row);
    p.desktop.messages.clear();
    TStudentDriver student(course, &p.desktop);
    ASSERT_EQ(student.Run("chain " + std::string(recipe)), "");
    EXPECT_EQ(student.AtomsInTray(), 0);
    const bool stable = GetParam().organic || (row != 17 && row != 18);
    if (stable) {
      ASSERT_EQ(p.desktop.messages.size(), 1u);
      const std::string& text = p.desktop.messages[0].text;
      EXPECT_EQ(text.rfind("This molecule is completed!!!  Go to View for ", 0), 0u) << text;
      EXPECT_TRUE(course.molecule.completed);

      p.frame.Command(cmd::ShowModel3D);
      EXPECT_TRUE(p.frame.view3DActive);
      EXPECT_EQ(p.host.Client(), p.frame.shapeWindow.get());
      EXPECT_EQ(p.frame.shapeWindow->balls.Count(), course.AtomCount());
      p.frame.Command(cmd::ReturnToKovala);
      EXPECT_EQ(p.host.Client(), &course);
      EXPECT_EQ(p.host.window.menu, "660");
    } else {
      EXPECT_TRUE(p.desktop.messages.empty());
      EXPECT_FALSE(course.molecule.completed);
    }
    p.frame.Command(cmd::NextMolecule);
  }
  ASSERT_FALSE(p.desktop.messages.empty());
  EXPECT_EQ(p.desktop.messages.back().text.rfind("You have completed the ", 0), 0u);

  p.frame.Command(cmd::QuitPracticeOrganic);
  EXPECT_EQ(p.host.window.menu, "500");
  EXPECT_EQ(p.host.window.caption, "Untitled");
  EXPECT_EQ(p.host.Client(), p.frame.bondWindow.get());
  EXPECT_TRUE(p.frame.bondWindow->IsVisible());
  EXPECT_FALSE(course.IsVisible());

  // Opening the course again starts at its first row.
  p.frame.Command(GetParam().command);
  EXPECT_EQ(course.rowNumber, 1);
}

INSTANTIATE_TEST_SUITE_P(Courses, CourseFrame,
                         testing::Values(TCourseCase{cmd::StartLab, "Practice", false},
                                         TCourseCase{cmd::OrganicChemistry, "Organic Chemistry", true}),
                         [](const testing::TestParamInfo<TCourseCase>& course) {
                           return course.param.organic ? "Organic" : "Practice";
                         });

// Every compound of both courses has a true shape, and Return goes back to
// the course at the same compound with its menu.
TEST_P(CourseFrame, EveryCompoundHasATrueShapeAndReturnGoesBackToTheCourse) {
  TProgram p;
  p.frame.Command(GetParam().command);
  TCourseWindow& course = Course(p);
  const auto& builds = GetParam().organic ? kOrganicBuilds : kLabBuilds;
  for (const auto& [row, recipe] : builds) {
    SCOPED_TRACE(row);
    TStudentDriver student(course, &p.desktop);
    ASSERT_EQ(student.Run("chain " + std::string(recipe)), "");
    if (course.molecule.completed) {
      p.desktop.messages.clear();
      p.frame.Command(cmd::ShowTrueShape);
      EXPECT_TRUE(p.desktop.messages.empty()) << p.desktop.LastText();
      ASSERT_TRUE(p.frame.trueShapeActive);
      EXPECT_EQ(p.host.Client(), p.frame.trueShapeWindow.get());
      EXPECT_EQ(p.frame.trueShapeWindow->shape.atoms.size(), static_cast<std::size_t>(course.AtomCount()));
      EXPECT_EQ(p.host.window.menu, "TRUE_SHAPE");
      p.frame.Command(cmd::NextMolecule);  // not from here
      EXPECT_EQ(course.rowNumber, row);
      p.frame.Command(cmd::ReturnFromTrueShape);
      EXPECT_FALSE(p.frame.trueShapeActive);
      EXPECT_EQ(p.host.Client(), &course);
      EXPECT_TRUE(course.IsVisible());
      EXPECT_EQ(p.host.window.menu, "660");
    }
    p.frame.Command(cmd::NextMolecule);
  }
}

TEST(CourseFrameSwitch, EnteringOneCourseFromTheOtherLeavesOnlyTheNewOneShown) {
  TProgram p;
  p.frame.Command(cmd::StartLab);
  p.frame.Command(cmd::OrganicChemistry);
  EXPECT_TRUE(p.frame.organicActive);
  EXPECT_FALSE(p.frame.practiceActive);
  EXPECT_FALSE(p.frame.practiceWindow->IsVisible());
  EXPECT_TRUE(p.frame.organicWindow->IsVisible());
  EXPECT_EQ(p.host.window.caption, "Organic Chemistry");
}

}  // namespace
}  // namespace kovala
