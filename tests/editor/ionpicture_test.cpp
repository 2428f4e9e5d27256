// Pictures of an ion taken whole: the clipboard picture, its SVG, the
// exported SVG and the printed page take in both brackets and the charge,
// while a molecule without brackets keeps the box of its atoms.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>

#include "editor/bondwindow.h"
#include "editor/moleculepainter.h"
#include "tests/support/windowfixture.h"

namespace kovala {
namespace {

using TSession = test::TWindowFixture<>;

// O at (285, 185) with an H on its right, then one electron added to the O.
void Hydroxide(TSession& s) {
  ASSERT_EQ(s.Run("O at 300 200; H right of 1"), "");
  s.window.ArmElectronChange(true);
  s.window.RightButtonDown({295, 195}, {});
}

TRect ViewBoxOf(const std::string& svg) {
  const auto at = svg.find("viewBox=\"");
  if (at == std::string::npos) return {};
  std::istringstream numbers(svg.substr(at + 9));
  TRect box;
  int width = 0, height = 0;
  numbers >> box.left >> box.top >> width >> height;
  box.right = box.left + width;
  box.bottom = box.top + height;
  return box;
}

struct TPictureCase {
  const char* name;
  std::function<TRect(TSession&)> take;  // makes the picture and gives its box
};

void PrintTo(const TPictureCase& c, std::ostream* os) { *os << c.name; }

TRect Exported(TSession& s) {
  const std::string path = testing::TempDir() + "/ion-" + std::to_string(getpid()) + ".svg";
  s.desktop.saveChoices = {path};
  if (!s.window.Export()) return {};
  std::ifstream file(path);
  const std::string svg((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  return ViewBoxOf(svg);
}

const TPictureCase kPictures[] = {
    {"clipboard bitmap",
     [](TSession& s) {
       s.window.CopyToClipboard();
       return s.desktop.clipboard.empty() ? TRect{} : s.desktop.clipboard.back().box;
     }},
    {"clipboard SVG",
     [](TSession& s) {
       s.window.CopyToClipboard();
       return s.desktop.clipboard.empty() ? TRect{} : ViewBoxOf(s.desktop.clipboard.back().svg);
     }},
    {"exported SVG", Exported},
    {"print",
     [](TSession& s) {
       s.desktop.printerPrints = false;
       s.window.Print();
       return s.desktop.printed.empty() ? TRect{} : s.desktop.printed.back().box;
     }},
};

class IonPicture : public testing::TestWithParam<TPictureCase> {};

TEST_P(IonPicture, TakesInBothBracketsAndTheCharge) {
  TSession s;
  Hydroxide(s);
  ASSERT_TRUE(s.window.molecule.completed);
  ASSERT_EQ(s.window.molecule.brackets.Count(), 1);
  const TBrackett& bracket = s.window.molecule.brackets[0];
  const TRect box = GetParam().take(s);
  const TSize charge = ISurface::EstimatedTextSize(TMoleculePainter::ChargeText(bracket.charge));
  // Right and bottom edges lie outside a box.
  EXPECT_LE(box.left, bracket.left);
  EXPECT_LE(box.top, bracket.top);
  EXPECT_GT(box.bottom, bracket.bottom) << "the bottom line of the brackets";
  EXPECT_GT(box.right, bracket.right) << "the right bracket";
  EXPECT_GE(box.right, bracket.right + 5 + charge.width) << "the charge \"1-\"";
  EXPECT_GE(box.bottom, bracket.top + charge.height);
}

TEST_P(IonPicture, WithoutBracketsKeepsTheBoxOfTheAtoms) {
  TSession s;
  ASSERT_EQ(s.Run("O at 300 200; H right of 1; H top of 1"), "");
  ASSERT_TRUE(s.window.molecule.completed);
  ASSERT_TRUE(s.window.molecule.brackets.IsEmpty());
  const TRect box = GetParam().take(s);
  const TRect atoms = s.window.molecule.AtomBox();
  if (std::string(GetParam().name) == "print") {
    // The page adds the name and formula below and room for them beside.
    EXPECT_EQ(box.left, atoms.left);
    EXPECT_EQ(box.top, atoms.top);
    EXPECT_EQ(box.right, atoms.left + 240);
  } else {
    EXPECT_EQ(box, atoms);
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, IonPicture, testing::ValuesIn(kPictures));

TEST(IonPictureBox, MeasuresTheChargeOnTheSurfaceAndTakesEveryBracket) {
  struct TWideFont : ISurface {
    void DrawBitmap(const std::string&, int, int) override {}
    void Line(int, int, int, int) override {}
    void Ellipse(const TRect&, TColor, TColor) override {}
    void FillRect(const TRect&, TColor) override {}
    void Text(int, int, const std::string&) override {}
    void DrawPicture(const IPicture&, int, int) override {}
    TSize TextSize(const std::string& text) const override {
      return {30 * static_cast<int>(text.size()), 40};
    }
  } wide;
  TMolecule m;
  m.atoms.Add(TAtom(Sulfur, 100, 100));
  const TRect atoms = m.AtomBox();
  EXPECT_EQ(TMoleculePainter::PictureBox(m, atoms, &wide), atoms);
  m.brackets.Add(TBrackett(95, 125, 95, 125, -2));
  m.brackets.Add(TBrackett(60, 125, 95, 200, -2));  // a second, lower and further left
  EXPECT_EQ(TMoleculePainter::PictureBox(m, atoms, &wide), (TRect{60, 95, 125 + 5 + 60 + 1, 201}));
  EXPECT_EQ(TMoleculePainter::PictureBox(m, atoms, nullptr), (TRect{60, 95, 125 + 5 + 16 + 1, 201}));
}

}  // namespace
}  // namespace kovala
