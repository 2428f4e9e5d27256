// The ball model of a completed molecule: one ball per atom, put beside the
// ball it is bonded to along fixed directions, with its bounding box, centre
// and the polar coordinates the view turns the balls by.
#pragma once

#include <array>
#include <cstdint>

#include "base/owningarray.h"
#include "model/atom.h"
#include "view3d/list.h"

namespace kovala {

// How the balls are placed: ring templates are recognised by the flat cells
// of the first atoms and placed by fixed ring rules, everything else by the
// general rules.
enum class TPlacementRule { General, AromaticSixRing, SaturatedSixRing, FiveRing, FourRing };
enum class TRingShape { Six, Five, Four };

class TBallModel {
 public:
  // Ball diameters in pixels by element kind at the smallest size.
  static constexpr std::array<std::int32_t, ElementKindCount> BaseDiameters =
      EachElement([](const TElementInfo& element) { return element.ballDiameter; });

  // Builds the model from copies of the atoms for a client rectangle,
  // discarding the previous model.
  void Build(const TOwningArray<TAtom>& atoms, int left, int top, int right, int bottom);

  // Current diameter of a kind; kinds the program does not know have none.
  std::int32_t DiameterOf(ElementKind kind) const;
  // Distance between the centres of two touching balls.
  std::int32_t BondLength(const TList& a, const TList& b) const;
  // Puts b beside a along direction k of a at distance d and marks the
  // direction taken on both.
  static void PlaceAlong(TList& a, TList& b, int k, float d);

  // Whether the first atoms stand on that ring's cells; atoms the ring has
  // no cell for are not looked at.
  bool PassesRingTest(TRingShape shape) const;
  TPlacementRule ChoosePlacementRule() const;
  // Position of the ball the molecule hangs from, -1 when there is none.
  int RootIndex() const;

  TOwningArray<TAtom> modelAtoms;
  TOwningArray<TList> balls;
  std::array<std::int32_t, ElementKindCount> diameter = BaseDiameters;
  std::array<std::int32_t, ElementKindCount> baseDiameter = BaseDiameters;
  TPlacementRule placementRule = TPlacementRule::General;

  std::int32_t frameLeft = 0;
  std::int32_t frameTop = 0;
  std::int32_t frameRight = 0;
  std::int32_t frameBottom = 0;
  std::int32_t boxMaxX = 0;
  std::int32_t boxMinX = 0;
  std::int32_t boxMaxY = 0;
  std::int32_t boxMinY = 0;
  std::int32_t boxMaxZ = 0;
  std::int32_t boxMinZ = 0;
  std::int32_t boxWidth = 0;
  std::int32_t boxHeight = 0;
  std::int32_t centreX = 0;
  std::int32_t centreY = 0;
  std::int32_t centreZ = 0;

 protected:
  // A link from ball `from` that names another ball of the list; any other
  // value, as a damaged file may carry, is never followed.
  bool IsLink(int from, int to) const { return to != from && balls.ValidIndex(to); }

 private:
  void PlaceChild(int ball, int child, int k);
  void PlaceFromParent(int ball, int k);
  void RootRule(int root);
  void GeneralRule(int ball);
  void GeneralPlacement(int root);
  void AromaticRingPlacement(int root);
  void RingPlacement(TPlacementRule ring);
  void SetBoundingBox();
  void SetPolarCoordinates(TList& ball) const;
};

}  // namespace kovala
