#include "view3d/ballmodel.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "base/geometry.h"
#include "view3d/direction.h"
#include "view3d/polar.h"

namespace kovala {
namespace {

// A cell further out than this can only come from a damaged file; holding
// cells inside it keeps every sum of the model well inside 32 bits.
constexpr std::int32_t CellLimit = 1 << 20;

// Where the first atoms of each ring template stand, from the frame's
// top-left corner. One equal coordinate is enough for a match.
constexpr std::array<TPoint, 6> SixRingCells{
    {{300, 200}, {330, 230}, {330, 260}, {300, 290}, {270, 260}, {270, 230}}};
constexpr std::array<TPoint, 5> FiveRingCells{{{300, 150}, {330, 180}, {330, 210}, {270, 210}, {270, 180}}};
constexpr std::array<TPoint, 4> FourRingCells{{{300, 150}, {330, 150}, {330, 180}, {300, 180}}};

// One placement step of a ring rule: a child of the ball, or the ball itself
// from its parent, along a direction. Direction 0 ends the list.
constexpr int FromParent = -1;
struct TRingStep {
  int child = 0;
  int direction = 0;
};
using TRingSteps = std::array<TRingStep, 3>;

constexpr std::array<TRingSteps, 6> AromaticSteps{{
    {},
    {{{1, 43}}},
    {{{FromParent, 6}, {1, 44}}},
    {{{FromParent, 42}, {1, 6}}},
    {{{FromParent, 41}, {1, 42}}},
    {{{FromParent, 2}, {0, 41}}},
}};
constexpr std::array<TRingSteps, 6> SaturatedSteps{{
    {{{0, 44}, {1, 39}, {2, 40}}},
    {{{1, 19}, {2, 20}}},
    {{{FromParent, 33}, {1, 23}, {2, 24}}},
    {{{FromParent, 42}, {1, 33}, {2, 34}}},
    {{{FromParent, 41}, {1, 21}, {2, 22}}},
    {{{FromParent, 40}, {0, 17}, {1, 18}}},
}};
constexpr std::array<TRingSteps, 5> FiveRingSteps{{
    {{{0, 44}, {1, 39}, {2, 40}}},
    {{{1, 19}, {2, 20}}},
    {{{FromParent, 29}, {1, 23}, {2, 24}}},
    {{{FromParent, 1}, {1, 21}, {2, 22}}},
    {{{FromParent, 26}, {0, 17}, {1, 18}}},
}};
constexpr std::array<TRingSteps, 4> FourRingSteps{{
    {{{0, 5}, {1, 25}, {2, 26}}},
    {{{1, 27}, {2, 28}}},
    {{{FromParent, 6}, {1, 31}, {2, 32}}},
    {{{FromParent, 1}, {0, 29}, {1, 30}}},
}};

// Children of the root by its number of electron domains.
constexpr std::array<std::array<int, 4>, 5> RootDirections{{
    {},
    {1},
    {1, 5},
    {3, 4, 5},
    {2, 16, 21, 22},
}};

// Three domains: candidates by the lowest taken direction.
constexpr std::array<std::array<int, 2>, DirectionCount + 1> FlatCandidates{{
    {},       {7, 8},   {42, 44}, {5, 4},   {3},      {3},      {41, 43}, {1},     {1},
    {3},      {1},      {3},      {1},      {6},      {6},      {2},      {2},     {8, 44},
    {17, 44}, {20, 42}, {19, 42}, {22, 43}, {21, 43}, {24, 41}, {23, 41}, {26, 7}, {25, 7},
    {28, 4},  {27, 4},  {30, 8},  {29, 8},  {32, 3},  {31, 3},  {34, 2},  {33, 2}, {36, 5},
    {35, 5},  {38, 1},  {37, 1},  {40, 6},  {39, 6},  {6},      {2},      {6},     {2},
}};

// Four domains: a row with a second group uses its first group when any of
// those directions is taken already, else the second.
struct TTetrahedralRow {
  std::array<int, 3> groupA{};
  std::array<int, 3> groupB{};
};
// clang-format off
constexpr std::array<TTetrahedralRow, DirectionCount + 1> TetrahedralCandidates{{
    {},
    {{10, 31, 32}, {12, 27, 28}},  // 1
    {{15, 23, 24}, {16, 21, 22}},  // 2
    {{4, 37, 38}},                 // 3
    {{3}},                         // 4
    {{9, 29, 30}, {11, 25, 26}},   // 5
    {{14, 17, 18}, {13, 19, 20}},  // 6
    {{8, 36, 35}},                 // 7
    {{7}}, {{5}}, {{1}}, {{5}}, {{1}}, {{6}}, {{6}}, {{2}}, {{2}},  // 8 to 16
    {{6}}, {{6}}, {{6}}, {{6}}, {{2}}, {{2}}, {{2}}, {{2}},         // 17 to 24
    {{5}}, {{5}}, {{1}}, {{1}}, {{5}}, {{5}}, {{1}}, {{1}},         // 25 to 32
    {{36, 38, 39}, {34, 41, 43}},  // 33
    {{35, 37, 40}, {33, 41, 43}},  // 34
    {{34}}, {{33}}, {{34}}, {{33}},                                 // 35 to 38
    {{40, 42, 44}},                // 39
    {{39}}, {{33}}, {{39}}, {{33}}, {{39}},                         // 40 to 44
}};
// clang-format on

static_assert(FlatCandidates[DirectionCount][0] == 2 && TetrahedralCandidates[DirectionCount].groupA[0] == 39,
              "a candidate row is missing");

constexpr std::array<int, 5> DefaultDirection{0, 0, 1, 5, 2};

int LowestTaken(const TList& ball) {
  for (int k = 1; k <= DirectionCount; ++k)
    if (ball.directionTaken[k]) return k;
  return 0;
}

std::int32_t ClampCell(std::int32_t v) { return std::clamp(v, -CellLimit, CellLimit); }

std::int32_t DomainCount(const TAtom& atom) {
  if (atom.neighbourCount == 1) return 1;
  const std::int64_t count = std::int64_t{atom.freeElectrons} / 2 + atom.neighbourCount;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(count, INT32_MIN, INT32_MAX));
}

}  // namespace

std::int32_t TBallModel::DiameterOf(ElementKind kind) const {
  return IsKnownKind(kind) ? diameter[static_cast<std::size_t>(kind)] : 0;
}

std::int32_t TBallModel::BondLength(const TList& a, const TList& b) const {
  return (DiameterOf(a.kind) + DiameterOf(b.kind)) / 2;
}

void TBallModel::PlaceAlong(TList& a, TList& b, int k, float d) {
  if (!IsDirection(k)) return;
  const TOffset offset = DirectionOffset(k, d);
  b.x = a.x + offset.dx;
  b.y = a.y + offset.dy;
  b.z = a.z + offset.dz;
  a.directionTaken[static_cast<std::size_t>(k)] = 1;
  b.directionTaken[static_cast<std::size_t>(Direction(k).opposite)] = 1;
  a.placed = true;
  b.placed = true;
}

bool TBallModel::PassesRingTest(TRingShape shape) const {
  std::span<const TPoint> cells;
  switch (shape) {
    case TRingShape::Six:
      cells = SixRingCells;
      break;
    case TRingShape::Five:
      cells = FiveRingCells;
      break;
    case TRingShape::Four:
      cells = FourRingCells;
      break;
  }
  const std::size_t tested = std::min(cells.size(), static_cast<std::size_t>(modelAtoms.Count()));
  for (std::size_t i = 0; i < tested; ++i) {
    const TAtom& atom = modelAtoms[static_cast<int>(i)];
    if (atom.x != frameLeft + cells[i].x && atom.y != frameTop + cells[i].y) return false;
  }
  return true;
}

TPlacementRule TBallModel::ChoosePlacementRule() const {
  if (PassesRingTest(TRingShape::Six)) {
    const bool saturated = !modelAtoms.IsEmpty() && modelAtoms[0].childIndex[2] != -1;
    return saturated ? TPlacementRule::SaturatedSixRing : TPlacementRule::AromaticSixRing;
  }
  if (PassesRingTest(TRingShape::Five)) return TPlacementRule::FiveRing;
  if (PassesRingTest(TRingShape::Four)) return TPlacementRule::FourRing;
  return TPlacementRule::General;
}

int TBallModel::RootIndex() const {
  for (int i = 0; i < balls.Count(); ++i)
    if (balls[i].parentIndex == -1) return i;
  return -1;
}

void TBallModel::Build(const TOwningArray<TAtom>& atoms, int left, int top, int right, int bottom) {
  frameLeft = left;
  frameTop = top;
  frameRight = right;
  frameBottom = bottom;
  balls.Flush();
  modelAtoms.Flush();
  placementRule = TPlacementRule::General;
  boxMaxX = boxMinX = boxMaxY = boxMinY = boxMaxZ = boxMinZ = 0;
  boxWidth = boxHeight = 0;
  centreX = centreY = centreZ = 0;

  for (const TAtom& atom : atoms) modelAtoms.Add(atom);
  for (const TAtom& atom : modelAtoms) {
    auto ball = std::make_unique<TList>();
    const std::int32_t r = DiameterOf(atom.kind) / 2;
    ball->kind = atom.kind;
    ball->x = ClampCell(atom.x) + r;
    ball->y = ClampCell(atom.y) + r;
    ball->domainCount = DomainCount(atom);
    ball->childIndex = atom.childIndex;
    ball->parentIndex = atom.parentIndex;
    balls.Add(std::move(ball));
  }
  if (balls.IsEmpty()) return;

  placementRule = ChoosePlacementRule();
  // Without a root nothing can be hung from anything: every ball keeps its
  // flat place, which still shows the student the molecule.
  const int root = RootIndex();
  if (root >= 0) {
    balls[root].x = frameRight / 2;
    balls[root].y = frameBottom / 3;
    if (placementRule == TPlacementRule::General)
      GeneralPlacement(root);
    else if (placementRule == TPlacementRule::AromaticSixRing)
      AromaticRingPlacement(root);
    else
      RingPlacement(placementRule);
  }

  SetBoundingBox();
  for (TList& ball : balls) SetPolarCoordinates(ball);
}

void TBallModel::PlaceChild(int ball, int child, int k) {
  const int target = balls[ball].childIndex[static_cast<std::size_t>(child)];
  if (!IsLink(ball, target)) return;
  TList& a = balls[ball];
  TList& b = balls[target];
  PlaceAlong(a, b, k, static_cast<float>(BondLength(a, b)));
}

void TBallModel::PlaceFromParent(int ball, int k) {
  const int parent = balls[ball].parentIndex;
  if (!IsLink(ball, parent)) return;
  TList& a = balls[parent];
  TList& b = balls[ball];
  PlaceAlong(a, b, k, static_cast<float>(BondLength(a, b)));
}

void TBallModel::RootRule(int root) {
  const std::int32_t n = balls[root].domainCount;
  if (n < 1 || n > 4) return;
  const auto& row = RootDirections[static_cast<std::size_t>(n)];
  for (int child = 0; child < n; ++child) PlaceChild(root, child, row[static_cast<std::size_t>(child)]);
}

void TBallModel::GeneralRule(int ball) {
  const std::int32_t n = balls[ball].domainCount;
  if (n < 2 || n > 4) return;
  TList& a = balls[ball];
  for (int i = 0; i < n; ++i) {
    const int target = a.childIndex[static_cast<std::size_t>(i)];
    if (!IsLink(ball, target)) continue;
    TList& b = balls[target];
    if (b.placed) continue;

    // The row is looked up afresh for every child: a child put in a lower
    // direction than the parent's changes it for the next one.
    std::array<int, 3> candidates{};
    const int s = LowestTaken(a);
    if (s == 0) {
      candidates[0] = DefaultDirection[static_cast<std::size_t>(n)];
    } else if (n == 2) {
      candidates[0] = Direction(s).opposite;
    } else if (n == 3) {
      const auto& row = FlatCandidates[static_cast<std::size_t>(s)];
      std::copy(row.begin(), row.end(), candidates.begin());
    } else {
      const TTetrahedralRow& row = TetrahedralCandidates[static_cast<std::size_t>(s)];
      const bool groupATaken = std::any_of(row.groupA.begin(), row.groupA.end(), [&](int k) {
        return k != 0 && a.directionTaken[static_cast<std::size_t>(k)];
      });
      candidates = row.groupB[0] == 0 || groupATaken ? row.groupA : row.groupB;
    }
    for (int k : candidates) {
      if (k == 0) break;
      if (a.directionTaken[static_cast<std::size_t>(k)]) continue;
      PlaceAlong(a, b, k, static_cast<float>(BondLength(a, b)));
      break;
    }
  }
}

void TBallModel::GeneralPlacement(int root) {
  RootRule(root);
  // The root rule runs again in list order; it puts the same children at the
  // same places.
  for (int i = 0; i < balls.Count(); ++i) {
    if (balls[i].childIndex[0] == -1) continue;
    if (i == root)
      RootRule(i);
    else
      GeneralRule(i);
  }
}

void TBallModel::AromaticRingPlacement(int root) {
  PlaceChild(root, 0, 44);
  PlaceChild(root, 1, 2);
  for (int i = 0; i < balls.Count(); ++i) {
    if (i == 0 || i >= static_cast<int>(AromaticSteps.size())) {
      GeneralRule(i);
      continue;
    }
    for (const TRingStep& step : AromaticSteps[static_cast<std::size_t>(i)]) {
      if (step.direction == 0) break;
      if (step.child == FromParent)
        PlaceFromParent(i, step.direction);
      else
        PlaceChild(i, step.child, step.direction);
    }
  }
}

void TBallModel::RingPlacement(TPlacementRule ring) {
  std::span<const TRingSteps> steps;
  if (ring == TPlacementRule::SaturatedSixRing) steps = SaturatedSteps;
  if (ring == TPlacementRule::FiveRing) steps = FiveRingSteps;
  if (ring == TPlacementRule::FourRing) steps = FourRingSteps;
  for (int i = 0; i < balls.Count(); ++i) {
    if (i >= static_cast<int>(steps.size())) {
      GeneralRule(i);
      continue;
    }
    for (const TRingStep& step : steps[static_cast<std::size_t>(i)]) {
      if (step.direction == 0) break;
      if (step.child == FromParent)
        PlaceFromParent(i, step.direction);
      else
        PlaceChild(i, step.child, step.direction);
    }
  }
}

void TBallModel::SetBoundingBox() {
  const TList& first = balls[0];
  boxMaxX = boxMinX = first.x;
  boxMaxY = boxMinY = first.y;
  boxMaxZ = boxMinZ = first.z;
  for (const TList& ball : balls) {
    boxMaxX = std::max(boxMaxX, ball.x);
    boxMinX = std::min(boxMinX, ball.x);
    boxMaxY = std::max(boxMaxY, ball.y);
    boxMinY = std::min(boxMinY, ball.y);
    boxMaxZ = std::max(boxMaxZ, ball.z);
    boxMinZ = std::min(boxMinZ, ball.z);
  }
  boxWidth = boxMaxX - boxMinX;
  boxHeight = boxMaxY - boxMinY;
  // The smaller extent grows by the whole difference at each end, so the
  // box stays centred where it was.
  if (boxWidth > boxHeight) {
    boxMaxY += boxWidth - boxHeight;
    boxMinY -= boxWidth - boxHeight;
  } else {
    boxMaxX += boxHeight - boxWidth;
    boxMinX -= boxHeight - boxWidth;
  }
  centreX = (boxMaxX + boxMinX) / 2;
  centreY = (boxMaxY + boxMinY) / 2;
  centreZ = (boxMaxZ + boxMinZ) / 2;
}

// (dx, dz) = yawRadius (cos yawAngle, -sin yawAngle) and
// (dy, dz) = pitchRadius (cos pitchAngle, -sin pitchAngle).
void TBallModel::SetPolarCoordinates(TList& ball) const {
  const float dx = static_cast<float>(ball.x - centreX);
  const float dy = static_cast<float>(ball.y - centreY);
  const float dz = static_cast<float>(ball.z - centreZ);
  ball.centreDistance =
      static_cast<float>(std::fabs(std::sqrt(static_cast<double>(dx * dx + dy * dy + dz * dz))));
  const float distanceSquared = ball.centreDistance * ball.centreDistance;
  ball.yawRadius = static_cast<float>(std::sqrt(static_cast<double>(std::fabs(distanceSquared - dy * dy))));
  ball.pitchRadius = static_cast<float>(std::sqrt(static_cast<double>(std::fabs(distanceSquared - dx * dx))));

  const int side = dz < 0 ? -1 : (dz > 0 ? 1 : 0);
  if (dx == 0)
    ball.yawAngle = dz > 0 ? ThreeHalvesPi : HalfPi;
  else
    ball.yawAngle = AngleOnCircle(dx, OffAxis(ball.yawRadius, dx), side);
  if (dy == 0)
    ball.pitchAngle = dz > 0 ? ThreeHalvesPi : HalfPi;
  else
    ball.pitchAngle = AngleOnCircle(dy, OffAxis(ball.pitchRadius, dy), side);
}

}  // namespace kovala
