// Feeds arbitrary bytes to the molecule file reader. Whatever it accepts must
// hold only links inside the molecule and must write back to a file that
// reads the same.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "model/moleculefile.h"

using namespace kovala;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TMolecule molecule;
  if (ReadMolecule(in, molecule) != TReadResult::Ok) {
    if (!molecule.atoms.IsEmpty() || !molecule.bonds.IsEmpty() || !molecule.brackets.IsEmpty()) std::abort();
    return 0;
  }
  for (const auto& atom : molecule.atoms) {
    if (atom.parentIndex != -1 && !molecule.atoms.ValidIndex(atom.parentIndex)) std::abort();
    for (auto child : atom.childIndex)
      if (child != -1 && !molecule.atoms.ValidIndex(child)) std::abort();
  }
  std::ostringstream out;
  WriteMolecule(out, molecule);
  std::istringstream again(out.str());
  TMolecule second;
  if (ReadMolecule(again, second) != TReadResult::Ok) std::abort();
  std::ostringstream out2;
  WriteMolecule(out2, second);
  if (out.str() != out2.str()) std::abort();
  return 0;
}
