#include "model/molecule.h"

#include <gtest/gtest.h>

namespace kovala {
namespace {

TMolecule SampleMolecule() {
  TMolecule m;
  m.atoms.Add(TAtom(Carbon, 300, 200));
  m.atoms.Add(TAtom(Hydrogen, 330, 200));
  m.atoms[0].childIndex[0] = 1;
  m.atoms[1].parentIndex = 0;
  m.bonds.Add(TBonds(320, 330, 210, 210));
  m.brackets.Add(TBrackett(295, 355, 195, 225, -1));
  m.bondCount = 1;
  return m;
}

TEST(Molecule, SnapshotAndRestoreGiveBackIdenticalRecords) {
  TMolecule m = SampleMolecule();
  const TMolecule before = m;
  m.Snapshot();
  m.atoms[0].freeElectrons = 0;
  m.atoms.Add(TAtom(Oxygen, 10, 10));
  m.bonds[0].SetOrder("double");
  m.brackets.Flush();
  m.bondCount = 5;

  ASSERT_TRUE(m.RestoreSnapshot());
  ASSERT_EQ(m.atoms.Count(), before.atoms.Count());
  for (int i = 0; i < m.atoms.Count(); ++i) EXPECT_EQ(m.atoms[i], before.atoms[i]);
  ASSERT_EQ(m.bonds.Count(), 1);
  EXPECT_EQ(m.bonds[0], before.bonds[0]);
  ASSERT_EQ(m.brackets.Count(), 1);
  EXPECT_EQ(m.brackets[0], before.brackets[0]);
  EXPECT_EQ(m.bondCount, 1);
  EXPECT_TRUE(m.undoHistory.IsEmpty());
  EXPECT_FALSE(m.RestoreSnapshot());
}

TEST(Molecule, SnapshotHoldsCopiesNotSharedRecords) {
  TMolecule m = SampleMolecule();
  m.Snapshot();
  m.atoms[0].x = 999;
  EXPECT_EQ(m.undoHistory.Last().atoms[0].x, 300);
}

TEST(Molecule, RestoreKeepsTheCounterOfTheSnapshotNotTheBondTotal) {
  TMolecule m;
  m.bondCount = 5;  // as after a six-membered ring template
  for (int i = 0; i < 6; ++i) m.bonds.Add(TBonds(i, i, i, i));
  m.Snapshot();
  m.bonds.Add(TBonds());
  m.bondCount = 6;
  m.RestoreSnapshot();
  EXPECT_EQ(m.bonds.Count(), 6);
  EXPECT_EQ(m.bondCount, 5);
}

TEST(OwningArray, MoveKeepsTheRecordItself) {
  TMolecule m = SampleMolecule();
  m.atoms.Add(TAtom(Oxygen, 0, 0));
  TAtom& oxygen = m.atoms[2];
  m.atoms.MoveTo(2, 0);
  EXPECT_EQ(&m.atoms[0], &oxygen);
  EXPECT_EQ(m.atoms.IndexOf(oxygen), 0);
  EXPECT_EQ(m.atoms[1].kind, Carbon);
  EXPECT_EQ(m.atoms[2].kind, Hydrogen);
  m.atoms.MoveTo(0, 2);
  EXPECT_EQ(m.atoms.IndexOf(oxygen), 2);
  const TAtom stranger;
  EXPECT_EQ(m.atoms.IndexOf(stranger), -1);
}

TEST(Molecule, TotalChargeSumsTheAtoms) {
  TMolecule m = SampleMolecule();
  m.atoms[0].charge = 2;
  m.atoms[1].charge = -3;
  EXPECT_EQ(m.TotalCharge(), -1);
}

}  // namespace
}  // namespace kovala
