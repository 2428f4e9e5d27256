#include "view3d/ballmodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <tuple>

#include "base/geometry.h"
#include "tests/view3d/testmolecules.h"
#include "view3d/direction.h"

namespace kovala {
namespace {

using test::TSketch;
using test::TTemplate;

constexpr TRect Frame{0, 0, 640, 400};

TBallModel Built(const TSketch& molecule, int sizeLevel = 1, TRect frame = Frame) {
  TBallModel model;
  for (std::size_t k = 0; k < model.diameter.size(); ++k)
    model.diameter[k] = model.baseDiameter[k] * sizeLevel;
  model.Build(molecule.atoms, frame.left, frame.top, frame.right, frame.bottom);
  return model;
}

TOffset OffsetBetween(const TList& from, const TList& to) {
  return {to.x - from.x, to.y - from.y, to.z - from.z};
}

double Distance(const TList& a, const TList& b) {
  return std::sqrt(double(a.x - b.x) * (a.x - b.x) + double(a.y - b.y) * (a.y - b.y) +
                   double(a.z - b.z) * (a.z - b.z));
}

TEST(RoundHalfDown, RoundsHalvesTowardsMinusInfinity) {
  const std::tuple<float, int> cases[] = {{2.5f, 2},   {2.6f, 3}, {2.4f, 2},   {-2.5f, -3}, {-2.6f, -3},
                                          {-2.4f, -2}, {0.5f, 0}, {-0.5f, -1}, {3.0f, 3}};
  for (auto [value, expected] : cases) EXPECT_EQ(RoundHalfDown(value), expected) << value;
}

TEST(RoundHalfDown, SignOfAComponentIsAppliedAfterRounding) {
  // 5 times cos 60 degrees is 2.5 pixels in both directions 3 and 7.
  EXPECT_EQ(DirectionOffset(7, 5.0f).dx, 2);
  EXPECT_EQ(DirectionOffset(3, 5.0f).dx, -2);
}

TEST(Directions, EveryDirectionHasTheBondLengthAndItsOppositeIsItsNegative) {
  for (float d : {8.0f, 23.0f, 30.0f, 46.0f, 60.0f, 72.0f}) {
    std::set<std::tuple<int, int, int>> seen;
    for (int k = 1; k <= DirectionCount; ++k) {
      const TOffset o = DirectionOffset(k, d);
      const double length = std::sqrt(double(o.dx) * o.dx + double(o.dy) * o.dy + double(o.dz) * o.dz);
      EXPECT_NEAR(length, d, 0.87) << "direction " << k << " at " << d;
      const int opposite = Direction(k).opposite;
      EXPECT_NE(opposite, k);
      EXPECT_EQ(Direction(opposite).opposite, k);
      EXPECT_EQ(DirectionOffset(opposite, d), (TOffset{-o.dx, -o.dy, -o.dz})) << "direction " << k;
      seen.insert({o.dx, o.dy, o.dz});
    }
    EXPECT_EQ(seen.size(), 44u) << "two directions coincide at " << d;
  }
}

TEST(Directions, ComponentsUseTheirAngles) {
  const std::tuple<int, TOffset> cases[] = {
      {1, {-1000, 0, 0}},    {2, {0, -1000, 0}},      {3, {-500, -866, 0}},    {9, {-334, -943, 0}},
      {16, {943, 334, 0}},   {17, {-471, -334, 816}}, {28, {334, -471, -816}}, {33, {0, 577, 817}},
      {36, {-577, 0, -817}}, {41, {-866, -500, 0}},   {44, {866, 500, 0}}};
  for (const auto& [k, expected] : cases)
    EXPECT_EQ(DirectionOffset(k, 1000.0f), expected) << "direction " << k;
}

TEST(PlaceAlong, PutsTheBallBesideAndMarksBothDirections) {
  TList a;
  a.x = 100;
  a.y = 50;
  a.z = 7;
  TList b;
  b.x = -999;
  b.z = -999;
  TBallModel::PlaceAlong(a, b, 16, 23.0f);
  EXPECT_EQ(OffsetBetween(a, b), (TOffset{22, 8, 0}));
  EXPECT_EQ(b.z, 7) << "a flat direction keeps the depth";
  EXPECT_TRUE(a.directionTaken[16]);
  EXPECT_TRUE(b.directionTaken[13]);
  EXPECT_TRUE(a.placed);
  EXPECT_TRUE(b.placed);
  EXPECT_EQ(std::count(a.directionTaken.begin(), a.directionTaken.end(), 1), 1);
}

TEST(BondLength, IsHalfTheSumOfTheDiametersAndGrowsWithTheSize) {
  TBallModel model;
  TList carbon, hydrogen, bromine, unknown;
  hydrogen.kind = Hydrogen;
  bromine.kind = Bromine;
  unknown.kind = 42;
  EXPECT_EQ(model.BondLength(carbon, hydrogen), 23);
  EXPECT_EQ(model.BondLength(bromine, bromine), 36);
  EXPECT_EQ(model.BondLength(carbon, unknown), 15) << "an unknown kind has no ball";
  for (std::size_t k = 0; k < model.diameter.size(); ++k) model.diameter[k] *= 2;
  EXPECT_EQ(model.BondLength(carbon, hydrogen), 46);
}

TEST(BuildModel, MethaneHangsItsHydrogensTetrahedrallyFromTheRoot) {
  const TSketch methane = test::Methane();
  const TBallModel model = Built(methane);
  ASSERT_EQ(model.balls.Count(), 5);
  EXPECT_EQ(model.placementRule, TPlacementRule::General);
  const TList& c = model.balls[0];
  EXPECT_EQ(std::tie(c.x, c.y, c.z), std::make_tuple(320, 133, 0));
  EXPECT_EQ(c.domainCount, 4);
  EXPECT_EQ(OffsetBetween(c, model.balls[1]), (TOffset{0, -23, 0})) << "first H straight above";
  EXPECT_EQ(OffsetBetween(c, model.balls[2]), (TOffset{22, 8, 0}));
  EXPECT_EQ(OffsetBetween(c, model.balls[3]), (TOffset{-11, 8, 19}));
  EXPECT_EQ(OffsetBetween(c, model.balls[4]), (TOffset{-11, 8, -19}));
  for (int k : {2, 16, 21, 22}) EXPECT_TRUE(c.directionTaken[k]) << k;

  // Box 309..342 by 110..141 widened in y to a square about the same centre.
  EXPECT_EQ(std::tie(model.boxWidth, model.boxHeight), std::make_tuple(33, 31));
  EXPECT_EQ(std::tie(model.boxMinY, model.boxMaxY), std::make_tuple(108, 143));
  EXPECT_EQ(std::tie(model.boxMinZ, model.boxMaxZ), std::make_tuple(-19, 19));
  EXPECT_EQ(std::tie(model.centreX, model.centreY, model.centreZ), std::make_tuple(325, 125, 0));

  // The builder works on copies; the molecule is left as it was.
  ASSERT_EQ(model.modelAtoms.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(model.modelAtoms[i], methane.atoms[i]);
  EXPECT_EQ(methane.atoms[0].x, 100);
}

TEST(BuildModel, WaterTakesTwoOfTheFourTetrahedralDirections) {
  const TBallModel model = Built(test::Water());
  const TList& o = model.balls[0];
  EXPECT_EQ(o.domainCount, 4) << "two bonds and two lone pairs";
  EXPECT_EQ(OffsetBetween(o, model.balls[1]), DirectionOffset(2, 23.0f));
  EXPECT_EQ(OffsetBetween(o, model.balls[2]), DirectionOffset(16, 23.0f));
}

TEST(BuildModel, CarbonDioxideIsStraight) {
  const TBallModel model = Built(test::CarbonDioxide());
  const TList& c = model.balls[0];
  EXPECT_EQ(c.domainCount, 2);
  EXPECT_EQ(OffsetBetween(c, model.balls[1]), (TOffset{-30, 0, 0}));
  EXPECT_EQ(OffsetBetween(c, model.balls[2]), (TOffset{30, 0, 0}));
}

TEST(BuildModel, ChildrenOfAChainFollowTheTetrahedralTable) {
  // Ethane: the second carbon hangs below the first at direction 2, so its own
  // parent lies at 6 and its hydrogens take group B of that row: 13, 19, 20.
  TSketch ethane;
  const int c1 = ethane.Add(Carbon, 100, 100);
  const int c2 = ethane.Add(Carbon, 100, 130);
  ethane.Bond(c1, c2);
  for (int i = 0; i < 3; ++i) ethane.Bond(c1, ethane.Add(Hydrogen, 10, 10));
  for (int i = 0; i < 3; ++i) ethane.Bond(c2, ethane.Add(Hydrogen, 10, 10));
  const TBallModel model = Built(ethane);
  const TList& second = model.balls[c2];
  EXPECT_EQ(OffsetBetween(model.balls[c1], second), (TOffset{0, -30, 0}));
  EXPECT_EQ(OffsetBetween(second, model.balls[5]), DirectionOffset(13, 23.0f));
  EXPECT_EQ(OffsetBetween(second, model.balls[6]), DirectionOffset(19, 23.0f));
  EXPECT_EQ(OffsetBetween(second, model.balls[7]), DirectionOffset(20, 23.0f));
}

TEST(BuildModel, HydrogenChlorideHangsTheHydrogenLeftOfTheChlorine) {
  // A lone hydrogen dropped first ends up hanging from the chlorine, which
  // becomes the root with one domain.
  TSketch hcl;
  const int h = hcl.Add(Hydrogen, 100, 100);
  const int cl = hcl.Add(Chlorine, 130, 100);
  hcl.Bond(cl, h);
  const TBallModel model = Built(hcl);
  EXPECT_EQ(model.RootIndex(), cl);
  EXPECT_EQ(OffsetBetween(model.balls[cl], model.balls[h]), (TOffset{-24, 0, 0}));
}

TEST(BuildModel, TerminalAtomsAndFiveDomainsPlaceNothing) {
  // Carbon root with a terminal chlorine (three lone pairs, one bond) and a
  // sulfur with two bonds and three lone pairs: five domains.
  TSketch m;
  const int c = m.Add(Carbon, 100, 100);
  const int cl = m.Add(Chlorine, 130, 100);
  const int s = m.Add(Sulfur, 100, 130);
  m.Bond(c, cl);
  m.Bond(c, s);
  const int h = m.Add(Hydrogen, 100, 160);
  m.Bond(s, h);
  m.atoms[s].freeElectrons = 6;
  // A link from the terminal atom, as a file could carry: never followed.
  const int stray = m.Add(Hydrogen, 200, 220);
  m.atoms[cl].childIndex[0] = stray;
  m.atoms[stray].parentIndex = cl;

  const TBallModel model = Built(m);
  EXPECT_EQ(model.balls[cl].domainCount, 1);
  EXPECT_EQ(model.balls[s].domainCount, 5);
  EXPECT_EQ(std::tie(model.balls[h].x, model.balls[h].y, model.balls[h].z), std::make_tuple(108, 168, 0));
  EXPECT_FALSE(model.balls[h].placed);
  EXPECT_EQ(std::tie(model.balls[stray].x, model.balls[stray].y), std::make_tuple(208, 228));
  EXPECT_FALSE(model.balls[stray].placed);
}

TEST(BuildModel, SizeLevelTwoDoublesEveryBond) {
  const TBallModel model = Built(test::Methane(), 2);
  const TList& c = model.balls[0];
  EXPECT_EQ(std::tie(c.x, c.y), std::make_tuple(320, 133));
  EXPECT_EQ(OffsetBetween(c, model.balls[1]), (TOffset{0, -46, 0}));
  EXPECT_EQ(OffsetBetween(c, model.balls[2]), DirectionOffset(16, 46.0f));
}

TEST(RingRecognition, TemplatesAreRecognisedFromTheirFirstAtoms) {
  struct TCase {
    TTemplate ring;
    bool six, five, four;
    TPlacementRule rule;
  };
  const TCase cases[] = {
      {TTemplate::Aromatic, true, false, true, TPlacementRule::AromaticSixRing},
      {TTemplate::Cyclohexane, true, false, true, TPlacementRule::SaturatedSixRing},
      {TTemplate::Cyclobutane, false, false, true, TPlacementRule::FourRing},
  };
  for (const TCase& c : cases) {
    for (TRect frame : {Frame, TRect{10, 5, 650, 405}}) {
      const TBallModel model = Built(test::RingWithHydrogens(c.ring, frame.left, frame.top), 1, frame);
      EXPECT_EQ(model.PassesRingTest(TRingShape::Six), c.six);
      EXPECT_EQ(model.PassesRingTest(TRingShape::Five), c.five);
      EXPECT_EQ(model.PassesRingTest(TRingShape::Four), c.four);
      EXPECT_EQ(model.placementRule, c.rule) << "six-ring wins over four-ring";
    }
  }
}

TEST(RingRecognition, OneSharedCoordinatePerAtomIsEnough) {
  TSketch m;
  m.Add(Carbon, 300, 17);  // x of the first cell of the six- and five-ring
  m.Add(Carbon, 91, 230);  // only y of the six-ring's second cell
  TBallModel model = Built(m);
  EXPECT_TRUE(model.PassesRingTest(TRingShape::Six)) << "two atoms are enough to pass";
  EXPECT_FALSE(model.PassesRingTest(TRingShape::Five));

  TSketch five;
  for (auto [x, y] : {std::pair{300, 150}, {330, 180}, {330, 210}, {270, 210}, {270, 180}})
    five.Add(Carbon, x, y);
  EXPECT_EQ(Built(five).placementRule, TPlacementRule::FiveRing);
}

TEST(RingModels, BondedBallsTouch) {
  for (TTemplate ring : {TTemplate::Aromatic, TTemplate::Cyclohexane, TTemplate::Cyclobutane}) {
    const TSketch m = test::RingWithHydrogens(ring);
    const TBallModel model = Built(m);
    for (const TList& ball : model.balls) EXPECT_TRUE(ball.placed);
    for (auto [a, b] : m.bondPairs)
      EXPECT_NEAR(Distance(model.balls[a], model.balls[b]), model.BondLength(model.balls[a], model.balls[b]),
                  1.0)
          << "ring " << int(ring) << " bond " << a << "-" << b;
  }
}

TEST(PolarCoordinates, ReproduceEachBallsOffsetFromTheCentre) {
  const TSketch molecules[] = {test::Methane(),
                               test::Water(),
                               test::Octane(),
                               test::RingWithHydrogens(TTemplate::Aromatic),
                               test::RingWithHydrogens(TTemplate::Cyclohexane),
                               test::RingWithHydrogens(TTemplate::Cyclobutane)};
  for (const TSketch& m : molecules) {
    const TBallModel model = Built(m);
    for (const TList& ball : model.balls) {
      const double dx = ball.x - model.centreX, dy = ball.y - model.centreY, dz = ball.z - model.centreZ;
      EXPECT_NEAR(ball.centreDistance, std::sqrt(dx * dx + dy * dy + dz * dz), 1e-3);
      EXPECT_NEAR(ball.yawRadius * std::cos(ball.yawAngle), dx, 1.0);
      EXPECT_NEAR(-ball.yawRadius * std::sin(ball.yawAngle), dz, 1.0);
      EXPECT_NEAR(ball.pitchRadius * std::cos(ball.pitchAngle), dy, 1.0);
      EXPECT_NEAR(-ball.pitchRadius * std::sin(ball.pitchAngle), dz, 1.0);
      EXPECT_GE(ball.yawAngle, 0.0f);
      EXPECT_LE(ball.yawAngle, 6.2831855f);
    }
  }
}

TEST(DamagedMolecules, LinksOutsideTheListOrToTheBallItselfAreNotFollowed) {
  TSketch m = test::Methane();
  m.atoms[0].childIndex = {1, 99, 0, -7};  // one good link, one past the end, itself, negative
  m.atoms[2].parentIndex = 2;
  m.atoms[3].parentIndex = 40;
  const TBallModel model = Built(m);
  ASSERT_EQ(model.balls.Count(), 5);
  EXPECT_EQ(OffsetBetween(model.balls[0], model.balls[1]), (TOffset{0, -23, 0}));
  EXPECT_FALSE(model.balls[0].directionTaken[21]) << "the root's own entry is not followed";
  EXPECT_EQ(std::tie(model.balls[2].x, model.balls[2].y), std::make_tuple(138, 108));
}

TEST(DamagedMolecules, RingRulesSkipEntriesATemplateWouldAlwaysHave) {
  // The bare aromatic ring: the root has no second child for its first pass,
  // and a ring atom names a parent past the end.
  TSketch ring = test::RingWithHydrogens(TTemplate::Aromatic);
  while (ring.atoms.Count() > 6) ring.atoms.Destroy(ring.atoms.Count() - 1);
  for (TAtom& atom : ring.atoms) atom.childIndex[1] = -1;
  ring.atoms[5].childIndex[0] = -1;
  ring.atoms[3].parentIndex = 12;
  const TBallModel model = Built(ring);
  EXPECT_EQ(model.placementRule, TPlacementRule::AromaticSixRing);
  EXPECT_EQ(OffsetBetween(model.balls[0], model.balls[1]), DirectionOffset(44, 30.0f));
  EXPECT_EQ(std::tie(model.balls[3].x, model.balls[3].y), std::make_tuple(315, 255)) << "left flat";
}

TEST(DamagedMolecules, WithoutARootEveryBallStaysFlat) {
  TSketch m = test::Methane();
  m.atoms[0].parentIndex = 3;
  const TBallModel model = Built(m);
  ASSERT_EQ(model.balls.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    const int r = model.DiameterOf(m.atoms[i].kind) / 2;
    EXPECT_EQ(std::tie(model.balls[i].x, model.balls[i].y, model.balls[i].z),
              std::make_tuple(m.atoms[i].x + r, m.atoms[i].y + r, 0));
    EXPECT_FALSE(model.balls[i].placed);
  }
  EXPECT_EQ(std::tie(model.centreX, model.centreY), std::make_tuple(108, 108));
}

TEST(DamagedMolecules, AnEmptyMoleculeBuildsAnEmptyModel) {
  TBallModel model = Built(test::Methane());
  model.Build(TOwningArray<TAtom>(), 0, 0, 640, 400);
  EXPECT_TRUE(model.balls.IsEmpty());
  EXPECT_TRUE(model.modelAtoms.IsEmpty());
  EXPECT_EQ(std::tie(model.boxMinX, model.boxMaxX, model.centreX, model.centreY),
            std::make_tuple(0, 0, 0, 0));
}

TEST(DamagedMolecules, AnyRecordsBuildAModelThatEnclosesItsBalls) {
  std::mt19937 random(7);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const int extremes[] = {INT_MIN, INT_MAX, -1, 0, 300, 330};
  for (int run = 0; run < 3000; ++run) {
    TOwningArray<TAtom> atoms;
    const int count = pick(1, 9);
    for (int i = 0; i < count; ++i) {
      TAtom atom(pick(-2, 10), pick(0, 9) == 0 ? extremes[pick(0, 5)] : 270 + 30 * pick(0, 3),
                 pick(0, 9) == 0 ? extremes[pick(0, 5)] : 150 + 30 * pick(0, 4));
      atom.parentIndex = pick(0, 2) == 0 ? -1 : pick(-3, 11);
      for (auto& child : atom.childIndex) child = pick(-3, 11);
      atom.neighbourCount = pick(0, 2) == 0 ? extremes[pick(0, 5)] : pick(0, 5);
      atom.freeElectrons = pick(0, 2) == 0 ? extremes[pick(0, 5)] : pick(-2, 8);
      atoms.Add(atom);
    }
    TBallModel model;
    model.Build(atoms, 0, 0, 640, 400);
    ASSERT_EQ(model.balls.Count(), count);
    for (const TList& ball : model.balls) {
      ASSERT_TRUE(model.boxMinX <= ball.x && ball.x <= model.boxMaxX) << "run " << run;
      ASSERT_TRUE(model.boxMinY <= ball.y && ball.y <= model.boxMaxY) << "run " << run;
      ASSERT_TRUE(model.boxMinZ <= ball.z && ball.z <= model.boxMaxZ) << "run " << run;
      ASSERT_TRUE(std::isfinite(ball.yawAngle) && std::isfinite(ball.pitchAngle)) << "run " << run;
    }
  }
}

}  // namespace
}  // namespace kovala
