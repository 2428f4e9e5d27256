#include "chem/trueshape.h"

#include <ForceField/ForceField.h>
#include <ForceField/UFF/AngleConstraint.h>
#include <ForceField/UFF/DistanceConstraint.h>
#include <GraphMol/Conformer.h>
#include <GraphMol/DistGeomHelpers/Embedder.h>
#include <GraphMol/ForceFieldHelpers/MMFF/AtomTyper.h>
#include <GraphMol/ForceFieldHelpers/MMFF/Builder.h>
#include <GraphMol/ForceFieldHelpers/UFF/AtomTyper.h>
#include <GraphMol/ForceFieldHelpers/UFF/Builder.h>
#include <GraphMol/RingInfo.h>
#include <GraphMol/SanitException.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "chem/rdkitmolecule.h"
#include "i18n/translate.h"

namespace kovala {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The same molecule must always get the same shape.
constexpr int kEmbedSeed = 0x4B6F76;
// Strong enough that a corrected centre ends within a few tenths of a degree.
constexpr double kConstraintForce = 2000.0;
constexpr int kMinimiseSteps = 2000;

TVector3 Minus(const TVector3& a, const TVector3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
TVector3 Plus(const TVector3& a, const TVector3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
TVector3 Times(const TVector3& a, double f) { return {a[0] * f, a[1] * f, a[2] * f}; }
double Dot(const TVector3& a, const TVector3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Length(const TVector3& a) { return std::sqrt(Dot(a, a)); }
TVector3 Cross(const TVector3& a, const TVector3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
TVector3 Unit(const TVector3& a) {
  const double length = Length(a);
  return length > 1e-9 ? Times(a, 1.0 / length) : TVector3{0, 0, 0};
}
double Radians(double degrees) { return degrees * kPi / 180.0; }

double AngleAt(const TVector3& a, const TVector3& centre, const TVector3& b) {
  const TVector3 u = Unit(Minus(a, centre));
  const TVector3 v = Unit(Minus(b, centre));
  return std::acos(std::clamp(Dot(u, v), -1.0, 1.0)) * 180.0 / kPi;
}

// A unit vector at right angles to `u`, towards `hint` where it can be.
TVector3 Perpendicular(const TVector3& u, const TVector3& hint) {
  TVector3 p = Minus(hint, Times(u, Dot(hint, u)));
  if (Length(p) > 1e-3) return Unit(p);
  for (const TVector3& axis : {TVector3{1, 0, 0}, TVector3{0, 1, 0}, TVector3{0, 0, 1}}) {
    p = Minus(axis, Times(u, Dot(axis, u)));
    if (Length(p) > 0.5) return Unit(p);
  }
  return {0, 0, 1};
}

bool PeriodThree(ElementKind kind) {
  return kind == Sulfur || kind == Phosphorus || kind == Chlorine || kind == Bromine;
}
bool Halogen(ElementKind kind) { return kind == Fluorine || kind == Chlorine || kind == Bromine; }

// Hydrides and halides have well-known angles; a centre with carbon (or other
// heavy groups) around it is left to the force field within a wide band.
double LonePairAngle(ElementKind centre, int charge, int lonePairs, ElementKind a, ElementKind b) {
  const bool hydrogens = a == Hydrogen && b == Hydrogen;
  const bool fluorines = a == Fluorine && b == Fluorine;
  const bool halides = Halogen(a) && Halogen(b);
  const bool hydrideOrHalide = (a == Hydrogen || Halogen(a)) && (b == Hydrogen || Halogen(b));
  if (!hydrideOrHalide) return 0;
  if (lonePairs == 1) {
    if (PeriodThree(centre)) return hydrogens ? 93.5 : fluorines ? 98.0 : halides ? 100.0 : 97.0;
    if (centre == Oxygen && charge > 0) return 111.0;  // hydronium
    return fluorines ? 102.0 : 107.0;
  }
  if (lonePairs == 2) {
    if (PeriodThree(centre)) return hydrogens ? 92.0 : fluorines ? 98.0 : 103.0;
    if (centre == Nitrogen) return hydrogens ? 104.0 : 103.0;
    return hydrogens ? 104.5 : (a == Chlorine && b == Chlorine) ? 111.0 : 103.0;
  }
  return 0;
}

// The electron domains and the records of one centre, and its neighbours.
struct TCentre {
  int atom = 0;
  TDomains domains;
  std::vector<int> neighbours;
};

// The force field for the conformer: MMFF94 where it has parameters for
// every atom, else UFF; nullptr when neither has.
std::unique_ptr<ForceFields::ForceField> ForceFieldFor(RDKit::RWMol& mol, bool sanitized, std::string& name) {
  if (sanitized) {
    RDKit::MMFF::MMFFMolProperties properties(mol);
    if (properties.isValid()) {
      name = "MMFF94";
      return std::unique_ptr<ForceFields::ForceField>(RDKit::MMFF::constructForceField(mol, &properties));
    }
  }
  const auto [params, complete] = RDKit::UFF::getAtomTypes(mol);
  if (!complete) return nullptr;
  name = "UFF";
  return std::unique_ptr<ForceFields::ForceField>(RDKit::UFF::constructForceField(mol, params));
}

struct TConstraint {
  int a, centre, b;
  double degrees;
};

// The pairs of bonds whose angles the domains set against the conformer:
// a linear centre bent, a planar one puckered, a lone-pair centre off its
// angle. Centres in rings of five or fewer keep their strain.
std::vector<TConstraint> Contradictions(const std::vector<TCentre>& centres, const TChemGraph& graph,
                                        const std::vector<TVector3>& at, const RDKit::RingInfo& rings,
                                        std::vector<int>& corrected) {
  std::vector<TConstraint> out;
  for (const TCentre& c : centres) {
    const int n = static_cast<int>(c.neighbours.size());
    if (n < 2 || graph.atoms[c.atom].radicals > 0) continue;
    if (rings.isInitialized() && rings.numAtomRings(static_cast<unsigned>(c.atom)) > 0 &&
        rings.minAtomRingSize(static_cast<unsigned>(c.atom)) <= 5)
      continue;
    std::vector<TConstraint> wanted;
    bool contradicted = false;
    double sum = 0;
    for (int i = 0; i < n; ++i)
      for (int j = i + 1; j < n; ++j) {
        const int a = c.neighbours[i];
        const int b = c.neighbours[j];
        const double angle = AngleAt(at[a], at[c.atom], at[b]);
        sum += angle;
        const TIdealAngle ideal =
            VseprAngle(graph.atoms[c.atom].kind, graph.atoms[c.atom].charge, c.domains, graph.atoms[a].kind,
                       graph.atoms[b].kind);
        if (ideal.degrees <= 0) continue;
        const bool off = std::abs(angle - ideal.degrees) > ideal.tolerance;
        contradicted = contradicted || off;
        // A tight ideal is the angle itself; a wide band only keeps the
        // angle inside it.
        const double target =
            ideal.tolerance <= 2.0
                ? ideal.degrees
                : std::clamp(angle, ideal.degrees - ideal.tolerance, ideal.degrees + ideal.tolerance);
        wanted.push_back({a, c.atom, b, target});
      }
    // A flat centre keeps the share of each angle and gets back to 360.
    if (c.domains.Count() == 3 && c.domains.lonePairs == 0 && n == 3 && sum < 356.0) {
      contradicted = true;
      wanted.clear();
      for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
          const int a = c.neighbours[i];
          const int b = c.neighbours[j];
          wanted.push_back({a, c.atom, b, AngleAt(at[a], at[c.atom], at[b]) * 360.0 / sum});
        }
    }
    if (!contradicted) continue;
    corrected.push_back(c.atom);
    out.insert(out.end(), wanted.begin(), wanted.end());
  }
  return out;
}

void AddConstraints(ForceFields::ForceField& field, const std::vector<TConstraint>& constraints,
                    const std::vector<TVector3>& at) {
  for (const TConstraint& c : constraints) {
    if (c.degrees > 179.0) {
      // A straight angle has no slope for an angle term; the two ends apart
      // by both bonds do the same.
      const double span = Length(Minus(at[c.a], at[c.centre])) + Length(Minus(at[c.b], at[c.centre]));
      field.contribs().emplace_back(new ForceFields::UFF::DistanceConstraintContrib(
          &field, static_cast<unsigned>(c.a), static_cast<unsigned>(c.b), span, span, kConstraintForce));
    } else {
      field.contribs().emplace_back(new ForceFields::UFF::AngleConstraintContrib(
          &field, static_cast<unsigned>(c.a), static_cast<unsigned>(c.centre), static_cast<unsigned>(c.b),
          c.degrees, c.degrees, kConstraintForce));
    }
  }
}

std::vector<TVector3> Positions(const RDKit::Conformer& conformer) {
  std::vector<TVector3> out;
  for (unsigned i = 0; i < conformer.getNumAtoms(); ++i) {
    const RDGeom::Point3D& p = conformer.getAtomPos(i);
    out.push_back({p.x, p.y, p.z});
  }
  return out;
}

// Where the lone pairs of an atom point, from its bonds and the number of
// its pairs: opposite the bonds, spread as the domains spread.
std::vector<TVector3> LonePairDirections(const TTrueShape& shape, int atom, int pairs) {
  std::vector<TVector3> out;
  if (pairs <= 0) return out;
  const TVector3& at = shape.atoms[atom].position;
  const std::vector<int> neighbours = shape.Neighbours(atom);
  std::vector<TVector3> bonds;
  for (int n : neighbours) bonds.push_back(Unit(Minus(shape.atoms[n].position, at)));
  const int domains = static_cast<int>(bonds.size()) + pairs;
  if (domains > 4) return out;
  TVector3 sum{0, 0, 0};
  for (const TVector3& u : bonds) sum = Plus(sum, u);
  const double tetrahedral = Radians(109.47);

  if (bonds.empty()) {
    static const TVector3 kCorners[4] = {{1, 1, 1}, {-1, -1, 1}, {-1, 1, -1}, {1, -1, -1}};
    for (int k = 0; k < pairs; ++k) out.push_back(Unit(kCorners[k]));
    return out;
  }
  if (bonds.size() == 1) {
    const TVector3 u = bonds[0];
    // The pairs of a terminal atom lie in the plane of its partner's other
    // bonds, as the pairs of a carbonyl oxygen do.
    TVector3 hint{0, 0, 1};
    for (int m : shape.Neighbours(neighbours[0]))
      if (m != atom) {
        hint = Minus(shape.atoms[m].position, shape.atoms[neighbours[0]].position);
        break;
      }
    const TVector3 p = Perpendicular(u, hint);
    const TVector3 q = Cross(u, p);
    if (pairs == 1) return {Times(u, -1)};
    const double from = pairs == 2 ? Radians(120) : tetrahedral;
    for (int k = 0; k < pairs; ++k) {
      const double turn = 2 * kPi * k / pairs;
      out.push_back(Unit(Plus(Times(u, std::cos(from)),
                              Times(Plus(Times(p, std::cos(turn)), Times(q, std::sin(turn))), std::sin(from)))));
    }
    return out;
  }
  const TVector3 away = Length(sum) > 1e-3 ? Unit(Times(sum, -1)) : Perpendicular(bonds[0], {0, 0, 1});
  if (pairs == 1) return {away};
  if (bonds.size() == 2 && pairs == 2) {
    const TVector3 side = Unit(Cross(bonds[0], bonds[1]));
    const double half = tetrahedral / 2;
    out.push_back(Unit(Plus(Times(away, std::cos(half)), Times(side, std::sin(half)))));
    out.push_back(Unit(Minus(Times(away, std::cos(half)), Times(side, std::sin(half)))));
  }
  return out;
}

TTrueShape Refused(std::string problem) {
  TTrueShape shape;
  shape.problem = std::move(problem);
  return shape;
}

// The valence rules refuse some bonds a student may make (carbon monoxide
// bonded C#O with no charges); placing atoms in space still needs the rules'
// bookkeeping, so the refused atom is charged on this copy, as the rules
// know the structure, until they pass. The files and names never see it.
bool SanitizeForShape(RDKit::RWMol& mol) {
  for (unsigned attempt = 0; attempt <= 2 * mol.getNumAtoms(); ++attempt) {
    RDKit::RWMol trial(mol);
    try {
      unsigned failed = 0;
      RDKit::MolOps::sanitizeMol(trial, failed, kSanitizeOps);
      mol = trial;
      return true;
    } catch (const RDKit::AtomValenceException& error) {
      RDKit::Atom* atom = mol.getAtomWithIdx(error.getAtomIdx());
      atom->setFormalCharge(atom->getFormalCharge() + 1);
    } catch (...) {
      return false;
    }
  }
  return false;
}

TTrueShape Shape(const TChemGraph& graph) {
  if (graph.atoms.empty()) return Refused(Tr("it has no atoms"));
  RDKit::RWMol mol;
  BuildRdkitMolecule(graph, mol);
  const bool sanitized = SanitizeForShape(mol);
  if (!sanitized) {
    mol = RDKit::RWMol();
    BuildRdkitMolecule(graph, mol);
    PrepareUnsanitized(mol);
    try {
      RDKit::MolOps::setHybridization(mol);
    } catch (...) {
    }
  }

  RDKit::DGeomHelpers::EmbedParameters params = RDKit::DGeomHelpers::ETKDGv3;
  params.randomSeed = kEmbedSeed;
  params.numThreads = 1;
  int conformer = RDKit::DGeomHelpers::EmbedMolecule(mol, params);
  if (conformer < 0) {
    params.useRandomCoords = true;
    conformer = RDKit::DGeomHelpers::EmbedMolecule(mol, params);
  }
  if (conformer < 0) return Refused(Tr("its atoms cannot be placed in space"));
  RDKit::Conformer& coordinates = mol.getConformer(conformer);

  TTrueShape shape;
  for (const TChemAtom& atom : graph.atoms) shape.atoms.push_back({atom.kind, atom.charge, {}, {}});
  for (const TChemBond& bond : graph.bonds) shape.bonds.push_back({bond.from, bond.to, bond.order});

  std::vector<TCentre> centres;
  for (int i = 0; i < static_cast<int>(graph.atoms.size()); ++i) {
    TCentre centre{i, {0, graph.atoms[i].lonePairs}, shape.Neighbours(i)};
    centre.domains.neighbours = static_cast<int>(centre.neighbours.size());
    centres.push_back(centre);
  }

  if (auto field = ForceFieldFor(mol, sanitized, shape.forceField)) {
    field->initialize();
    field->minimize(kMinimiseSteps);
    std::vector<int> corrected;
    const std::vector<TConstraint> constraints =
        Contradictions(centres, graph, Positions(coordinates), *mol.getRingInfo(), corrected);
    if (!constraints.empty()) {
      // A fresh field, so the constrained minimum starts from the relaxed one.
      std::string unused;
      auto constrained = ForceFieldFor(mol, sanitized, unused);
      if (constrained) {
        AddConstraints(*constrained, constraints, Positions(coordinates));
        constrained->initialize();
        constrained->minimize(kMinimiseSteps);
        shape.correctedCentres = corrected;
      }
    }
  }

  const std::vector<TVector3> at = Positions(coordinates);
  for (std::size_t i = 0; i < at.size() && i < shape.atoms.size(); ++i) shape.atoms[i].position = at[i];
  for (int i = 0; i < static_cast<int>(shape.atoms.size()); ++i)
    shape.atoms[i].lonePairs = LonePairDirections(shape, i, graph.atoms[i].lonePairs);
  return shape;
}

}  // namespace

double TTrueShape::Angle(int a, int centre, int b) const {
  const int count = static_cast<int>(atoms.size());
  if (a < 0 || b < 0 || centre < 0 || a >= count || b >= count || centre >= count) return 0;
  return AngleAt(atoms[a].position, atoms[centre].position, atoms[b].position);
}

std::vector<int> TTrueShape::Neighbours(int atom) const {
  std::vector<int> out;
  for (const TShapeBond& bond : bonds) {
    if (bond.from == atom) out.push_back(bond.to);
    if (bond.to == atom) out.push_back(bond.from);
  }
  return out;
}

TIdealAngle VseprAngle(ElementKind centre, int charge, TDomains domains, ElementKind a, ElementKind b) {
  if (domains.neighbours < 2) return {};
  switch (domains.Count()) {
    case 2:
      return domains.lonePairs == 0 ? TIdealAngle{180.0, 2.0} : TIdealAngle{};
    case 3:
      if (domains.lonePairs == 0) return {120.0, 12.0};
      // Bent on a flat triangle of domains: a little under 120.
      return PeriodThree(centre) ? TIdealAngle{119.0, 2.0} : TIdealAngle{117.0, 8.0};
    case 4: {
      if (domains.lonePairs == 0) return {};
      const double known = LonePairAngle(centre, charge, domains.lonePairs, a, b);
      // Known hydrides and halides take the measured angle itself.
      if (known > 0) return {known, 0.3};
      // Heavier groups: the force field knows them, but a flattened centre
      // is still wrong.
      return PeriodThree(centre) ? TIdealAngle{100.0, 10.0} : TIdealAngle{108.0, 8.0};
    }
    default:
      return {};
  }
}

TTrueShape TrueShapeOf(const TChemGraph& graph) {
  QuietLibrary();
  try {
    return Shape(graph);
  } catch (const std::exception& error) {
    return Refused(FormatText(Tr("the chemistry library could not place it ({0})"), {error.what()}));
  } catch (...) {
    return Refused(Tr("the chemistry library could not place it"));
  }
}

}  // namespace kovala
