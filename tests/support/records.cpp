#include "tests/support/records.h"

namespace kovala::test {

TRecords RecordsOf(const TMolecule& molecule) {
  TRecords records;
  for (const auto& atom : molecule.atoms) records.atoms.push_back(atom);
  for (const auto& bond : molecule.bonds) records.bonds.push_back(bond);
  for (const auto& bracket : molecule.brackets) records.brackets.push_back(bracket);
  records.bondCount = molecule.bondCount;
  return records;
}

void PrintTo(const TRecords& records, std::ostream* os) {
  *os << records.atoms.size() << " atoms, " << records.bonds.size() << " bonds, " << records.brackets.size()
      << " brackets, bondCount " << records.bondCount << ":";
  for (const TAtom& atom : records.atoms)
    *os << " " << atom.kind << "@" << atom.x << "," << atom.y << "/" << atom.freeElectrons << "/" << atom.openBonds;
}

}  // namespace kovala::test
