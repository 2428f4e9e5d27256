#include "chem/namestable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

#include "chem/chemmolecule.h"

namespace kovala {

extern const std::string_view kNamesData;

namespace {

// The data file as shipped: each key is the skeleton key of the entry's own
// SMILES, already canonical, and no two entries share one.
TEST(NamesTable, EveryKeyIsTheCanonicalSkeletonOfItsMolecule) {
  const auto& entries = TNamesTable::Builtin().Entries();
  EXPECT_GE(entries.size(), 100u);
  std::size_t dataLines = 0;
  for (std::string_view text = kNamesData; !text.empty();) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!line.empty() && line.front() != '#') ++dataLines;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  EXPECT_EQ(entries.size(), dataLines) << "a repeated key or a malformed line";

  std::set<std::string> names;
  for (const auto& entry : entries) {
    EXPECT_EQ(SkeletonKeyOfSmiles(entry.smiles), entry.key) << entry.name;
    const auto space = entry.key.find(' ');
    const std::string skeleton = entry.key.substr(0, space);
    const std::string charge = space == std::string::npos ? "" : entry.key.substr(space);
    EXPECT_EQ(SkeletonKeyOfSmiles(skeleton) + charge, entry.key) << entry.name << ": not canonical";
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name << " twice";
  }
}

TEST(NamesTable, HoldsTheIsomersAndSmallMoleculesOfTheCourse) {
  const auto& table = TNamesTable::Builtin();
  for (const char* smiles : {"CCC=O",  "C=CCO",     "CCCO",   "CC(C)O",   "CCCOC",
                             "CCOC=O", "CCC(=O)OC", "C=CCC",  "CC=CC",    "CC(C)C",
                             "O",      "N",         "[NH4+]", "[OH3+]",   "[OH-]",
                             "O=C=O",  "C#N",       "OO",     "O=S=O",    "[O-]S(=O)(=O)[O-]",
                             "F",      "Cl",        "Br",     "c1ccccc1", "C1CCCCC1",
                             "C1CCC1"})
    EXPECT_NE(table.Find(SkeletonKeyOfSmiles(smiles)), nullptr) << smiles;
}

TEST(NamesTable, ReadsTabbedLinesAndKeepsTheFirstOfARepeatedKey) {
  const TNamesTable table(
      "# comment\n"
      "\n"
      "[CH4]\tmethane\tC\r\n"
      "[CH4]\tmarsh gas\tC\n"
      "[CH3][OH]\tmethanol\n"
      "[CH3][CH2][OH]\tethanol\tCCO\tAlcohol\n"
      "\tnameless\tC\n");
  ASSERT_EQ(table.Entries().size(), 2u);
  ASSERT_NE(table.Find("[CH4]"), nullptr);
  EXPECT_EQ(table.Find("[CH4]")->name, "methane");
  EXPECT_EQ(table.Find("[CH3][OH]"), nullptr);
  const TNameEntry& ethanol = *table.Find("[CH3][CH2][OH]");
  EXPECT_TRUE(AnswersTo(ethanol, "Ethanol"));
  EXPECT_TRUE(AnswersTo(ethanol, "alcohol"));
  EXPECT_FALSE(AnswersTo(ethanol, "ethanal"));
  EXPECT_FALSE(AnswersTo(ethanol, ""));
  EXPECT_FALSE(AnswersTo(*table.Find("[CH4]"), ""));
}

}  // namespace
}  // namespace kovala
