// Every named row of both courses, built in its course window with the mouse,
// finds the row's compound in the names table, and the completion line names it.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

#include "chem/identity.h"
#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "tests/practice/coursebuilder.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

struct TRowName {
  bool organic;
  int row;
  std::string recipe;  // how a student builds it, see TCourseBuilder
};

void PrintTo(const TRowName& c, std::ostream* os) {
  *os << (c.organic ? "organic row " : "lab row ") << c.row << " " << c.recipe;
}

class CourseRowNames : public testing::TestWithParam<TRowName> {};

TEST_P(CourseRowNames, TheBuiltRowFindsItsRowsName) {
  const TRowName& c = GetParam();
  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  std::unique_ptr<TCourseWindow> window;
  if (c.organic)
    window = std::make_unique<TOrganicWindow>(host, desktop);
  else
    window = std::make_unique<TPracticeWindow>(host, desktop);
  window->Start();
  window->SetupRow(c.row);
  window->StartAgain();
  const std::string rowName = window->ShownMoleculeName();
  ASSERT_FALSE(rowName.empty());

  test::TCourseBuilder builder(*window, desktop);
  ASSERT_TRUE(builder.Build(c.recipe));
  ASSERT_TRUE(window->molecule.completed) << desktop.LastText();

  const TIdentity identity = Identify(GraphOf(window->molecule));
  ASSERT_NE(identity.entry, nullptr) << identity.key << " is not in the names table";
  EXPECT_TRUE(AnswersTo(*identity.entry, rowName)) << identity.entry->name << " for " << rowName;
  EXPECT_EQ(window->PanelText().value_or("").rfind(
                "Completed: " + identity.entry->name + ", " + identity.formula, 0),
            0u)
      << *window->PanelText();
}

INSTANTIATE_TEST_SUITE_P(Lab, CourseRowNames,
                         testing::Values(TRowName{false, 1, "C"}, TRowName{false, 2, "C(Cl)Cl"},
                                         TRowName{false, 3, "CO"}, TRowName{false, 4, "O"},
                                         TRowName{false, 5, "O"}, TRowName{false, 6, "F"},
                                         TRowName{false, 7, "N"}, TRowName{false, 8, "OO"},
                                         TRowName{false, 9, "N#N"}, TRowName{false, 10, "C=C"},
                                         TRowName{false, 11, "BrC=CBr"}, TRowName{false, 12, "C#C"},
                                         TRowName{false, 13, "O=SO"}, TRowName{false, 14, "S(O)(O)(O)O"},
                                         TRowName{false, 15, "O=C=O"}));

INSTANTIATE_TEST_SUITE_P(
    Organic, CourseRowNames,
    testing::Values(TRowName{true, 1, "C"}, TRowName{true, 2, "CC"}, TRowName{true, 3, "CCC"},
                    TRowName{true, 4, "CCCC"}, TRowName{true, 5, "C=C"}, TRowName{true, 6, "C=CC"},
                    TRowName{true, 7, "C=CCC"}, TRowName{true, 8, "C#C"}, TRowName{true, 9, "C#CC"},
                    TRowName{true, 10, "CO"}, TRowName{true, 11, "CCO"}, TRowName{true, 12, "CCCO"},
                    TRowName{true, 13, "COC"}, TRowName{true, 14, "COCC"}, TRowName{true, 15, "CCOCC"},
                    TRowName{true, 16, "C=O"}, TRowName{true, 17, "CC=O"}, TRowName{true, 18, "CC(=O)C"},
                    TRowName{true, 19, "CC(=O)CC"}, TRowName{true, 20, "C(=O)O"},
                    TRowName{true, 21, "CC(=O)O"}, TRowName{true, 22, "C(=O)OC"},
                    TRowName{true, 23, "CC(=O)OC"}, TRowName{true, 24, "CC(=O)OCC"}));

}  // namespace
}  // namespace kovala
