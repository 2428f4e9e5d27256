#include "chem/chemmolecule.h"
#include "chem/rdkitmolecule.h"

#include <GraphMol/Conformer.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/PeriodicTable.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesParse.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <RDGeneral/RDLog.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace kovala {

namespace {

RDKit::Bond::BondType BondType(int order) {
  switch (order) {
    case 2:
      return RDKit::Bond::DOUBLE;
    case 3:
      return RDKit::Bond::TRIPLE;
    default:
      return RDKit::Bond::SINGLE;
  }
}

}  // namespace

void QuietLibrary() {
  static const bool quiet = [] {
    boost::logging::disable_logs("rdApp.*");
    return true;
  }();
  (void)quiet;
}

void BuildRdkitMolecule(const TChemGraph& graph, RDKit::RWMol& mol) {
  for (const auto& chem : graph.atoms) {
    RDKit::Atom atom(AtomicNumber(chem.kind));
    atom.setFormalCharge(chem.charge);
    atom.setNoImplicit(true);
    atom.setNumExplicitHs(0);
    atom.setNumRadicalElectrons(static_cast<unsigned>(chem.radicals));
    mol.addAtom(&atom, true, false);
  }
  for (const auto& bond : graph.bonds)
    mol.addBond(static_cast<unsigned>(bond.from), static_cast<unsigned>(bond.to), BondType(bond.order));
  auto* conformer = new RDKit::Conformer(mol.getNumAtoms());
  for (unsigned i = 0; i < mol.getNumAtoms(); ++i)
    conformer->setAtomPos(i, RDGeom::Point3D(graph.atoms[i].x, graph.atoms[i].y, 0.0));
  conformer->set3D(false);
  mol.addConformer(conformer, true);
}

void PrepareUnsanitized(RDKit::RWMol& mol) {
  mol.updatePropertyCache(false);
  RDKit::MolOps::fastFindRings(mol);
}

namespace {

// Heavy atoms with their hydrogen counts, single bonds, no charges, no
// unpaired electrons; a hydrogen stays an atom only when it is not bonded to
// exactly one heavy atom (H2, a lone proton). Written with every hydrogen
// count in brackets, so the key reads back exactly.
std::string SkeletonKeyOf(const RDKit::ROMol& mol) {
  const unsigned count = mol.getNumAtoms();
  std::vector<int> kept(count, -1);
  std::vector<unsigned> hydrogens(count, 0);
  auto foldedHydrogen = [&mol](const RDKit::Atom* atom) {
    if (atom->getAtomicNum() != 1 || atom->getDegree() != 1) return -1;
    for (const auto* neighbour : mol.atomNeighbors(atom))
      if (neighbour->getAtomicNum() != 1) return static_cast<int>(neighbour->getIdx());
    return -1;
  };
  RDKit::RWMol skeleton;
  int charge = 0;
  for (const auto* atom : mol.atoms()) {
    charge += atom->getFormalCharge();
    const int host = foldedHydrogen(atom);
    if (host >= 0) {
      ++hydrogens[static_cast<unsigned>(host)];
      continue;
    }
    RDKit::Atom bare(atom->getAtomicNum());
    bare.setNoImplicit(true);
    kept[atom->getIdx()] = static_cast<int>(skeleton.addAtom(&bare, true, false));
    hydrogens[atom->getIdx()] += atom->getTotalNumHs(false);
  }
  for (unsigned i = 0; i < count; ++i)
    if (kept[i] >= 0) skeleton.getAtomWithIdx(static_cast<unsigned>(kept[i]))->setNumExplicitHs(hydrogens[i]);
  for (const auto* bond : mol.bonds()) {
    const int a = kept[bond->getBeginAtomIdx()];
    const int b = kept[bond->getEndAtomIdx()];
    if (a >= 0 && b >= 0)
      skeleton.addBond(static_cast<unsigned>(a), static_cast<unsigned>(b), RDKit::Bond::SINGLE);
  }
  PrepareUnsanitized(skeleton);
  std::string key = RDKit::MolToSmiles(skeleton, false, false, -1, true, false, true);
  if (charge != 0) key += (charge > 0 ? " +" : " ") + std::to_string(charge);
  return key;
}

// Whether a reader would give some atom written without brackets another
// hydrogen count: an atom of the organic subset gets hydrogens up to its
// lowest usual valence, and the writer does not bracket an uncharged atom that
// the student left short of it (the O of the sulfate ion, the C of CO).
bool HydrogensNeedBrackets(const RDKit::ROMol& mol) {
  static const std::vector<int> kOrganicSubset{5, 6, 7, 8, 9, 15, 16, 17, 35, 53};
  for (const auto* atom : mol.atoms()) {
    const int number = atom->getAtomicNum();
    if (atom->getFormalCharge() != 0 || atom->getNumRadicalElectrons() != 0 || atom->getIsAromatic())
      continue;
    if (std::find(kOrganicSubset.begin(), kOrganicSubset.end(), number) == kOrganicSubset.end()) continue;
    const int hydrogens = static_cast<int>(atom->getTotalNumHs());
    const int bonds = atom->getExplicitValence() - static_cast<int>(atom->getNumExplicitHs());
    int read = 0;
    for (int valence : RDKit::PeriodicTable::getTable()->getValenceList(static_cast<unsigned>(number)))
      if (valence >= bonds) {
        read = valence - bonds;
        break;
      }
    if (read != hydrogens) return true;
  }
  return false;
}

// The library writes charges only as "M  CHG" lines; older readers look for
// them in the atom block's charge column too.
std::string WithAtomBlockCharges(const std::string& block, const RDKit::ROMol& mol) {
  std::istringstream in(block);
  std::string out;
  std::string line;
  for (int number = 0; std::getline(in, line); ++number) {
    const int atom = number - 4;
    if (atom >= 0 && atom < static_cast<int>(mol.getNumAtoms()) && line.size() >= 39) {
      const int charge = mol.getAtomWithIdx(static_cast<unsigned>(atom))->getFormalCharge();
      const int code = charge >= -3 && charge <= 3 && charge != 0 ? 4 - charge : 0;
      char field[8];
      std::snprintf(field, sizeof field, "%3d", code);
      line.replace(36, 3, field);
    }
    out += line;
    out += '\n';
  }
  return out;
}

}  // namespace

struct TChemMolecule::TImpl {
  RDKit::RWMol mol;
  bool sanitized = false;
};

namespace {

// A fresh molecule from the graph, checked when the rules allow it.
std::unique_ptr<TChemMolecule::TImpl> Convert(const TChemGraph& graph) {
  auto impl = std::make_unique<TChemMolecule::TImpl>();
  try {
    BuildRdkitMolecule(graph, impl->mol);
    unsigned failed = 0;
    RDKit::MolOps::sanitizeMol(impl->mol, failed, kSanitizeOps);
    impl->sanitized = true;
    return impl;
  } catch (...) {
  }
  // Start again from the graph: the checks may have changed the molecule before refusing it.
  impl = std::make_unique<TChemMolecule::TImpl>();
  try {
    BuildRdkitMolecule(graph, impl->mol);
    PrepareUnsanitized(impl->mol);
  } catch (...) {
    impl = std::make_unique<TChemMolecule::TImpl>();
  }
  return impl;
}

}  // namespace

TChemMolecule::TChemMolecule(const TChemGraph& graph) {
  QuietLibrary();
  impl = Convert(graph);
}

TChemMolecule::~TChemMolecule() = default;
TChemMolecule::TChemMolecule(TChemMolecule&&) noexcept = default;
TChemMolecule& TChemMolecule::operator=(TChemMolecule&&) noexcept = default;

bool TChemMolecule::Sanitized() const { return impl->sanitized; }

std::string TChemMolecule::Smiles() const {
  try {
    // Hydrogens as counts on their atoms, as chemists write them.
    RDKit::RWMol written(impl->mol);
    RDKit::MolOps::removeHs(written, false, true, false);
    written.updatePropertyCache(false);
    if (!impl->sanitized || HydrogensNeedBrackets(written))
      return RDKit::MolToSmiles(written, true, false, -1, true, false, true);
    RDKit::MolOps::setAromaticity(written);
    return RDKit::MolToSmiles(written);
  } catch (...) {
    return {};
  }
}

std::string TChemMolecule::SkeletonKey() const {
  try {
    return SkeletonKeyOf(impl->mol);
  } catch (...) {
    return {};
  }
}

bool TChemMolecule::UsePositions3D(const std::vector<std::array<double, 3>>& positions) {
  try {
    if (positions.size() != impl->mol.getNumAtoms()) return false;
    auto* conformer = new RDKit::Conformer(impl->mol.getNumAtoms());
    for (unsigned i = 0; i < impl->mol.getNumAtoms(); ++i)
      conformer->setAtomPos(i, RDGeom::Point3D(positions[i][0], positions[i][1], positions[i][2]));
    conformer->set3D(true);
    impl->mol.clearConformers();
    impl->mol.addConformer(conformer, true);
    return true;
  } catch (...) {
    return false;
  }
}

std::string TChemMolecule::Molfile(std::string_view title) const {
  try {
    RDKit::RWMol copy(impl->mol);
    copy.setProp(RDKit::common_properties::_Name, std::string(title));
    return WithAtomBlockCharges(RDKit::MolToMolBlock(copy, false, -1, false), copy);
  } catch (...) {
    return {};
  }
}

std::string TChemMolecule::SdfRecord(std::string_view title,
                                     const std::vector<std::pair<std::string, std::string>>& fields) const {
  std::string record = Molfile(title);
  if (record.empty()) return {};
  for (const auto& [name, value] : fields) record += ">  <" + name + ">\n" + value + "\n\n";
  return record + "$$$$\n";
}

std::string SkeletonKeyOfSmiles(std::string_view smiles) {
  QuietLibrary();
  try {
    // A skeleton key itself breaks the valence rules ("[NH4] +1"), so what
    // does not pass them is read without them.
    std::unique_ptr<RDKit::RWMol> mol;
    try {
      mol.reset(RDKit::SmilesToMol(std::string(smiles)));
    } catch (...) {
    }
    if (!mol) {
      mol.reset(RDKit::SmilesToMol(std::string(smiles), 0, false));
      if (!mol) return {};
      PrepareUnsanitized(*mol);
    }
    return SkeletonKeyOf(*mol);
  } catch (...) {
    return {};
  }
}

}  // namespace kovala
