// The shape a molecule really has in space: positions from a force field,
// checked centre by centre against its electron domains (bonded neighbours
// plus lone pairs) so that what the student learns about angles holds.
// Plain values out; the chemistry library stays inside.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "chem/chemgraph.h"

namespace kovala {

using TVector3 = std::array<double, 3>;

struct TShapeAtom {
  ElementKind kind = Carbon;
  int charge = 0;
  TVector3 position{};  // ångström
  // Unit vectors from the atom towards each of its lone pairs.
  std::vector<TVector3> lonePairs;
};

struct TShapeBond {
  int from = 0;  // positions in the shape's atoms, as in the graph
  int to = 0;
  int order = 1;
};

struct TTrueShape {
  // Empty when the molecule has a shape; otherwise why not, worded to follow
  // "no true shape for this molecule: ".
  std::string problem;
  std::string forceField;  // "MMFF94", "UFF" or "" when neither had parameters
  std::vector<TShapeAtom> atoms;
  std::vector<TShapeBond> bonds;
  // Centres whose angles the electron domains set against the force field.
  std::vector<int> correctedCentres;

  bool Shaped() const { return problem.empty(); }
  // The angle a–centre–b in degrees; 0 for a position outside the shape.
  double Angle(int a, int centre, int b) const;
  // The atoms bonded to one, in bond order.
  std::vector<int> Neighbours(int atom) const;
};

// The electron domains of one centre as the records count them.
struct TDomains {
  int neighbours = 0;
  int lonePairs = 0;
  int Count() const { return neighbours + lonePairs; }
};

// The angle between two bonds of a centre that the electron domains call
// for, in degrees, with how far a force field may stray from it before the
// domains win; nullopt-like 0 when the domains set no angle (a single bond,
// more than four domains, a carbon neighbour on a lone-pair centre, where
// the force field knows better).
struct TIdealAngle {
  double degrees = 0;
  double tolerance = 0;
};
TIdealAngle VseprAngle(ElementKind centre, int charge, TDomains domains, ElementKind a, ElementKind b);

// Same graph, same coordinates, every run. Never throws.
TTrueShape TrueShapeOf(const TChemGraph& graph);

}  // namespace kovala
