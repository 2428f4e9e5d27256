// Every named row of both courses, built in its course window with the mouse,
// finds the row's compound in the names table, and the completion line names it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <ostream>
#include <set>
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

// The atoms a names-table key holds ("[CH3][CH2][OH]"): each bracket is one
// heavy atom with its hydrogens. Empty for a charged key.
std::multiset<ElementKind> AtomsOfKey(const std::string& key) {
  std::multiset<ElementKind> atoms;
  for (std::size_t at = key.find('['); at != std::string::npos; at = key.find('[', at + 1)) {
    const std::size_t end = key.find(']', at);
    if (end == std::string::npos) return {};
    std::string inside = key.substr(at + 1, end - at - 1);
    std::string symbol(1, inside[0]);
    std::size_t i = 1;
    if (i < inside.size() && std::islower(static_cast<unsigned char>(inside[i]))) symbol += inside[i++];
    bool known = false;
    for (ElementKind kind = 0; kind < ElementKindCount; ++kind)
      if (ElementInfo(kind).symbol == symbol) {
        atoms.insert(kind);
        known = true;
      }
    if (!known) return {};
    if (i < inside.size() && inside[i] == 'H') {
      ++i;
      const int count = i < inside.size() && std::isdigit(static_cast<unsigned char>(inside[i])) ? inside[i++] - '0' : 1;
      for (int h = 0; h < count; ++h) atoms.insert(Hydrogen);
    }
    if (i != inside.size()) return {};  // a charge
  }
  if (key.find(']') + 1 < key.size() && key.back() != ']') return {};
  return atoms;
}

// The row rules and the names table's fourth column agree: of every isomer
// of a row's compound that the table knows and a student can build from the
// row's atoms, those the table gives the row complete it, and those a rule
// refuses are given to no row.
TEST(CourseRowIsomers, RowRulesAcceptWhatTheNamesTableGivesTheRow) {
  int accepted = 0;
  int refused = 0;
  for (bool organic : {false, true}) {
    const std::vector<TCourseRow>& table = organic ? OrganicTable() : PracticeTable();
    for (int n = 1; n <= static_cast<int>(table.size()); ++n) {
      const TCourseRow& row = table[static_cast<std::size_t>(n - 1)];
      if (row.name.empty() || row.adjustment) continue;
      std::multiset<ElementKind> rowAtoms;
      for (const TAtomGroup& group : row.atoms)
        for (int i = 0; i < group.count; ++i) rowAtoms.insert(group.kind);
      for (const TNameEntry& entry : TNamesTable::Builtin().Entries()) {
        // Ring closures and charges are beyond a chain of drops.
        if (AtomsOfKey(entry.key) != rowAtoms ||
            entry.smiles.find_first_of("0123456789[]+-cno") != std::string::npos)
          continue;
        SCOPED_TRACE(row.name + " built as " + entry.name + " " + entry.smiles);
        test::TFakeHost host;
        test::TScriptedDesktop desktop;
        std::unique_ptr<TCourseWindow> window;
        if (organic)
          window = std::make_unique<TOrganicWindow>(host, desktop);
        else
          window = std::make_unique<TPracticeWindow>(host, desktop);
        window->Start();
        window->SetupRow(n);
        window->StartAgain();
        test::TCourseBuilder builder(*window, desktop);
        {
          // Some isomers do not fit on the grid without Abbreviate H's; the
          // builder's complaints about them only mean that one is left out.
          testing::TestPartResultArray complaints;
          const testing::ScopedFakeTestPartResultReporter quiet(
              testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &complaints);
          if (!builder.Build(entry.smiles) || complaints.size() > 0) continue;
        }
        // What the table gives a row its rules accept; what they refuse, the
        // table gives no row. Rules may let more through (a row without
        // rules takes every isomer), which the panel then names as an isomer.
        const bool given = entry.name == row.name || AnswersTo(entry, row.name);
        if (window->molecule.completed) {
          ++accepted;
          const TIdentity identity = Identify(GraphOf(window->molecule));
          EXPECT_EQ(identity.entry, &entry) << identity.key;
        } else {
          ++refused;
          EXPECT_FALSE(given) << "refused: " << desktop.LastText();
          EXPECT_EQ(desktop.LastText(), row.ruleMessage);
        }
        if (given) {
          EXPECT_TRUE(window->molecule.completed) << desktop.LastText();
        }
      }
    }
  }
  // Both answers are met, on more than a handful of isomers.
  EXPECT_GE(accepted, 10);
  EXPECT_GE(refused, 5);
}

}  // namespace
}  // namespace kovala
