#include "thumbnailer/thumbnaillayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace kovala {
namespace {

struct TPlacedAtom {
  int x;
  int y;
  bool bonded;
};

struct TLayoutCase {
  const char* name;
  std::vector<TPlacedAtom> atoms;
  int size;
  // The drawing's box (cells plus 5 pixels) that must end up centred.
  double left, top, right, bottom;
};

TMolecule MoleculeOf(const std::vector<TPlacedAtom>& placed) {
  TMolecule molecule;
  for (const TPlacedAtom& p : placed) {
    TAtom& atom = molecule.atoms.Add(TAtom(Carbon, p.x, p.y));
    atom.bonded = p.bonded ? 1 : 0;
  }
  return molecule;
}

class ThumbnailLayoutTest : public testing::TestWithParam<TLayoutCase> {};

TEST_P(ThumbnailLayoutTest, CentresTheDrawingAndFitsItInsideTheMargin) {
  const TLayoutCase& c = GetParam();
  const auto layout = LayoutThumbnail(MoleculeOf(c.atoms), c.size);
  ASSERT_TRUE(layout.has_value());

  const double left = c.left * layout->scale + layout->dx;
  const double right = c.right * layout->scale + layout->dx;
  const double top = c.top * layout->scale + layout->dy;
  const double bottom = c.bottom * layout->scale + layout->dy;
  const double margin = c.size * ThumbnailMargin;
  EXPECT_NEAR((left + right) / 2, c.size / 2.0, 1e-6 * c.size);
  EXPECT_NEAR((top + bottom) / 2, c.size / 2.0, 1e-6 * c.size);
  EXPECT_GE(left, margin - 1e-6);
  EXPECT_GE(top, margin - 1e-6);
  EXPECT_LE(right, c.size - margin + 1e-6);
  EXPECT_LE(bottom, c.size - margin + 1e-6);
  // The longer side fills the space between the margins.
  const double longer = std::max(right - left, bottom - top);
  EXPECT_NEAR(longer, c.size - 2 * margin, 1e-6 * c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Molecules, ThumbnailLayoutTest,
    testing::Values(
        TLayoutCase{"lone_atom", {{100, 200, false}}, 256, 95, 195, 125, 225},
        TLayoutCase{"wide_chain", {{0, 0, true}, {30, 0, true}, {60, 0, true}, {90, 0, true}}, 128, -5, -5, 115, 25},
        TLayoutCase{"tall_chain", {{40, 10, true}, {40, 40, true}, {40, 70, true}}, 64, 35, 5, 65, 95},
        // A tray atom far to the right is left out once atoms are bonded.
        TLayoutCase{"tray_left_out", {{10, 10, true}, {40, 10, true}, {900, 10, false}}, 256, 5, 5, 65, 35},
        TLayoutCase{"negative_place", {{-300, -300, true}, {-270, -300, true}}, 48, -305, -305, -245, -275},
        TLayoutCase{"extreme_corners",
                    {{INT_MIN, INT_MIN, true}, {INT_MAX, INT_MAX, true}},
                    256,
                    double(INT_MIN) - 5,
                    double(INT_MIN) - 5,
                    double(INT_MAX) + 25,
                    double(INT_MAX) + 25},
        TLayoutCase{"one_pixel", {{0, 0, false}}, 1, -5, -5, 25, 25}),
    [](const testing::TestParamInfo<TLayoutCase>& c) { return std::string(c.param.name); });

TEST(ThumbnailLayoutTest, ChargeBracketAndItsChargeAreInside) {
  TMolecule molecule = MoleculeOf({{100, 100, true}, {130, 100, true}});
  molecule.brackets.Add(TBrackett(80, 170, 80, 140, -1));
  const auto layout = LayoutThumbnail(molecule, 200);
  ASSERT_TRUE(layout.has_value());
  EXPECT_GE(80 * layout->scale + layout->dx, 200 * ThumbnailMargin - 1e-6);
  // The charge text stands 5 pixels after the bracket.
  EXPECT_LE((170 + 25) * layout->scale + layout->dx, 200 * (1 - ThumbnailMargin) + 1e-6);
}

TEST(ThumbnailLayoutTest, DrawingRangeCoversEveryRecord) {
  const TMolecule inside = MoleculeOf({{-MaxDrawingCoordinate, MaxDrawingCoordinate, true}});
  EXPECT_TRUE(InDrawingRange(inside));

  TMolecule atomOut = MoleculeOf({{0, 0, true}, {MaxDrawingCoordinate + 1, 0, true}});
  EXPECT_FALSE(InDrawingRange(atomOut));

  TMolecule bondOut = inside;
  TBonds& bond = bondOut.bonds.Add(TBonds{});
  bond.y2 = INT_MIN;
  EXPECT_FALSE(InDrawingRange(bondOut));

  TMolecule bracketOut = inside;
  bracketOut.brackets.Add(TBrackett(0, INT_MAX, 0, 10, 1));
  EXPECT_FALSE(InDrawingRange(bracketOut));
}

TEST(ThumbnailLayoutTest, NothingToLayOut) {
  EXPECT_FALSE(LayoutThumbnail(TMolecule{}, 256).has_value());
  EXPECT_FALSE(LayoutThumbnail(MoleculeOf({{0, 0, true}}), 0).has_value());
  EXPECT_FALSE(LayoutThumbnail(MoleculeOf({{0, 0, true}}), -16).has_value());
}

}  // namespace
}  // namespace kovala
