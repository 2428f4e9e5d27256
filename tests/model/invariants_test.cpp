// The rules the records keep, and who is bonded to whom, on molecules built
// by the editing core and then broken one field at a time.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "model/invariants.h"
#include "model/moleculelimits.h"
#include "model/topology.h"
#include "tests/support/studentdriver.h"

namespace kovala {
namespace {

constexpr int kTrayColumn = 590;  // the driver's area is 640 wide

// Methane, built by sides: C is atom 0 and the hydrogens follow in the order dropped.
TMolecule Methane() {
  TMoleculeEditor editor;
  test::TStudentDriver student(editor);
  EXPECT_EQ(student.Run("C; H right of 1; H top of 1; H left of 1; H bottom of 1"), "");
  return editor.molecule;
}

struct TBreakCase {
  std::string name;
  std::function<void(TMolecule&)> breakIt;
  std::string what;  // empty: every rule still holds
  TFormatProblem stored = TFormatProblem::None;
};

void PrintTo(const TBreakCase& c, std::ostream* os) { *os << c.name; }

class Invariants : public testing::TestWithParam<TBreakCase> {};

TEST_P(Invariants, EachBrokenRuleIsNamed) {
  const TBreakCase& c = GetParam();
  TMolecule m = Methane();
  ASSERT_TRUE(BrokenInvariant(m, TInvariants::Built, kTrayColumn).Holds());
  c.breakIt(m);
  const TBrokenInvariant built = BrokenInvariant(m, TInvariants::Built, kTrayColumn);
  EXPECT_EQ(built.what, c.what);
  EXPECT_EQ(built.problem, c.stored);
  // A file is held to the stored rules only, and the writer to the same.
  const TBrokenInvariant stored = BrokenInvariant(m, TInvariants::Stored);
  EXPECT_EQ(stored.problem, c.stored);
  EXPECT_EQ(stored.Holds(), c.stored == TFormatProblem::None);
  EXPECT_EQ(CheckLimits(m), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Records, Invariants,
    testing::Values(
        TBreakCase{"untouched", [](TMolecule&) {}, ""},
        TBreakCase{"unknown kind", [](TMolecule& m) { m.atoms[1].kind = 42; }, "atom 1: unknown kind"},
        TBreakCase{"too many electrons", [](TMolecule& m) { m.atoms[1].freeElectrons = 3; },
                   "atom 1: more electrons and open bonds than the element has"},
        TBreakCase{"parent forgets its child", [](TMolecule& m) { m.atoms[0].childIndex = {2, 3, 4, -1}; },
                   "atom 1: parent does not list it as a child"},
        TBreakCase{"child after a gap",
                   [](TMolecule& m) {
                     m.atoms[0].childIndex = {1, -1, 2, 3};
                     m.atoms[4].parentIndex = -1;
                   },
                   "atom 0: child entry after an empty one"},
        TBreakCase{"child hangs elsewhere", [](TMolecule& m) { m.atoms[2].parentIndex = 1; },
                   "atom 0: child does not hang from it"},
        TBreakCase{"neighbour count", [](TMolecule& m) { m.atoms[0].neighbourCount = 3; },
                   "atom 0: neighbour count differs from its entries"},
        TBreakCase{"bonded flag", [](TMolecule& m) { m.atoms[2].bonded = 0; },
                   "atom 2: bonded flag differs from its neighbours"},
        TBreakCase{"two on one cell",
                   [](TMolecule& m) {
                     m.atoms[2].x = m.atoms[1].x;
                     m.atoms[2].y = m.atoms[1].y;
                   },
                   "atom 2: two placed atoms on one cell"},
        TBreakCase{"completed while open", [](TMolecule& m) { m.atoms[3].openBonds = 1; m.atoms[3].freeElectrons = 0; },
                   "completed with an open bond"},
        TBreakCase{"link outside", [](TMolecule& m) { m.atoms[1].parentIndex = 9; }, "atom 1: parent outside the molecule",
                   TFormatProblem::BadLink},
        TBreakCase{"far away", [](TMolecule& m) { m.atoms[1].x = MaxCoordinate + 1; }, "atom 1: value out of range",
                   TFormatProblem::OutOfRange},
        TBreakCase{"negative counter", [](TMolecule& m) { m.bondCount = -1; }, "bond counter out of range",
                   TFormatProblem::OutOfRange}),
    [](const testing::TestParamInfo<TBreakCase>& param) {
      std::string name;
      for (char ch : param.param.name) name += ch == ' ' ? '_' : ch;
      return name;
    });

TEST(Topology, BondEndsPartnersAndNeighboursOfMethane) {
  TMoleculeEditor editor;
  test::TStudentDriver student(editor);
  ASSERT_EQ(student.Run("C; H right of 1; H top of 1; H left of 1; H bottom of 1"), "");
  const TMolecule& m = editor.molecule;
  // A drop's bond starts at the atom that was in place.
  for (int i = 0; i < m.bonds.Count(); ++i) {
    const TBondEnds ends = EndsOf(m, m.bonds[i]);
    EXPECT_EQ(ends.start, 0) << i;
    EXPECT_EQ(ends.end, i + 1) << i;
    EXPECT_TRUE(ends.Joins());
    EXPECT_EQ(AtomAtBondEnd(m, m.bonds[i].x1, m.bonds[i].y1, 0), -1) << "only the carbon is at the start";
  }
  EXPECT_EQ(Neighbours(m, 0), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(Neighbours(m, 2), (std::vector<int>{0}));
  for (int i = 0; i < m.atoms.Count(); ++i) EXPECT_EQ(AbbreviatedPartner(m, i), -1) << i;

  // Folded, every hydrogen stands beside the carbon, and only the links join them.
  ASSERT_EQ(student.Run("abbreviate"), "");
  EXPECT_TRUE(m.bonds.IsEmpty());
  for (int i = 1; i < m.atoms.Count(); ++i) EXPECT_EQ(AbbreviatedPartner(m, i), 0) << i;
  EXPECT_EQ(AbbreviatedPartner(m, 0), -1);
  EXPECT_TRUE(BrokenInvariant(m, TInvariants::Built, kTrayColumn).Holds())
      << BrokenInvariant(m, TInvariants::Built, kTrayColumn).what;
}

TEST(Topology, ABondEndNeedsAnAtomWithinTwelvePixelsBothWays) {
  TMolecule m;
  m.atoms.Add(TAtom(Carbon, 100, 100));  // centre (110, 110)
  const struct {
    int x, y, atom;
  } cases[] = {{110, 110, 0}, {121, 110, 0}, {122, 110, -1}, {110, 98, -1}, {99, 99, 0}, {98, 110, -1}};
  for (const auto& c : cases) EXPECT_EQ(AtomAtBondEnd(m, c.x, c.y), c.atom) << c.x << "," << c.y;
}

}  // namespace
}  // namespace kovala
