// The painter surface and the off-screen picture put each drawing call on
// the exact pixels the windows ask for.
#include "framework/qt/paintersurface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "framework/qt/imagepicture.h"
#include "tests/qt/qttest.h"

namespace kovala::test {
namespace {

QRgb Pixel(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFF; }
constexpr QRgb WhitePixel = 0xFFFFFF;
constexpr QRgb BlackPixel = 0x000000;
constexpr TColor TestRed{255, 0, 0};

// The smallest rectangle holding every pixel that is not white.
QRect Ink(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Pixel(image, x, y) != WhitePixel) box |= QRect(x, y, 1, 1);
  return box;
}

class PainterSurfaceTest : public TQtTest {
 protected:
  // Draws through a fresh surface onto a white 60 x 60 image.
  template <typename Draw>
  QImage Drawn(Draw draw) {
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterSurface surface(painter);
    draw(surface);
    painter.end();
    return image;
  }
};

// The clipboard picture of an ion is cut to a box that takes in the charge
// by its measured size; every pixel of the text must fall inside it.
TEST_F(PainterSurfaceTest, IonPictureChargeTextInkLiesWithinItsMeasuredSize) {
  for (const char* charge : {"1+", "2-", "3-", "12+"}) {
    TSize size;
    const QImage image = Drawn([&](ISurface& s) {
      s.Text(10, 10, charge);
      size = s.TextSize(charge);
    });
    const QRect ink = Ink(image);
    ASSERT_FALSE(ink.isNull()) << charge;
    EXPECT_TRUE(QRect(10, 10, size.width, size.height).contains(ink))
        << charge << ": ink " << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height()
        << " beyond " << size.width << "x" << size.height;
  }
}

TEST_F(PainterSurfaceTest, ElectronBitmapCoversItsThreeByThreeCell) {
  const QImage image = Drawn([](ISurface& s) { s.DrawBitmap("electron", 17, 6); });
  EXPECT_EQ(Ink(image), QRect(17, 6, 3, 3));
  EXPECT_EQ(Pixel(image, 17, 6), BlackPixel);
  EXPECT_EQ(Pixel(image, 19, 8), BlackPixel);
}

TEST_F(PainterSurfaceTest, UnknownBitmapDrawsNothing) {
  const QImage image = Drawn([](ISurface& s) { s.DrawBitmap("no such picture", 10, 10); });
  EXPECT_TRUE(Ink(image).isEmpty());
}

TEST_F(PainterSurfaceTest, LinesAreOnePixelWideAndUnsmoothed) {
  const QImage image = Drawn([](ISurface& s) {
    s.Line(10, 20, 30, 20);
    s.Line(40, 5, 40, 25);
  });
  // Both end points are drawn.
  for (int x = 10; x <= 30; ++x) EXPECT_EQ(Pixel(image, x, 20), BlackPixel) << x;
  EXPECT_EQ(Pixel(image, 31, 20), WhitePixel);
  EXPECT_EQ(Pixel(image, 20, 19), WhitePixel);
  EXPECT_EQ(Pixel(image, 20, 21), WhitePixel);
  for (int y = 5; y <= 25; ++y) EXPECT_EQ(Pixel(image, 40, y), BlackPixel) << y;
  EXPECT_EQ(Pixel(image, 40, 26), WhitePixel);
  EXPECT_EQ(Pixel(image, 39, 15), WhitePixel);
  EXPECT_EQ(Pixel(image, 41, 15), WhitePixel);
  EXPECT_EQ(Pixel(image, 9, 20), WhitePixel);
  EXPECT_EQ(Pixel(image, 40, 4), WhitePixel);
}

TEST_F(PainterSurfaceTest, DiscStaysInsideItsBoxWithOutlineAndFill) {
  const TColor fill{255, 0, 0};
  const TColor outline{0, 0, 255};
  const QImage image = Drawn([&](ISurface& s) { s.Ellipse({10, 20, 30, 40}, fill, outline); });
  EXPECT_EQ(Ink(image), QRect(10, 20, 20, 20));
  EXPECT_EQ(Pixel(image, 20, 30), 0xFF0000u);
  EXPECT_EQ(Pixel(image, 10, 30), 0x0000FFu);
  EXPECT_EQ(Pixel(image, 20, 20), 0x0000FFu);
}

TEST_F(PainterSurfaceTest, FillRectLeavesRightAndBottomEdgesOut) {
  const QImage image = Drawn([](ISurface& s) { s.FillRect({5, 6, 15, 12}, Black); });
  EXPECT_EQ(Ink(image), QRect(5, 6, 10, 6));
}

TEST_F(PainterSurfaceTest, TextHangsFromItsTopLeftCorner) {
  const QImage image = Drawn([](ISurface& s) { s.Text(20, 30, "4+"); });
  const QRect ink = Ink(image);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_GE(ink.top(), 30);
  EXPECT_LE(ink.top(), 36);
  EXPECT_GE(ink.left(), 20);
  EXPECT_LE(ink.left(), 23);
}

TEST_F(PainterSurfaceTest, PictureStartsWhiteAndCopiesAtItsPlace) {
  TImagePicture picture(8, 5);
  ASSERT_EQ(picture.Width(), 8);
  ASSERT_EQ(picture.Height(), 5);
  EXPECT_TRUE(Ink(picture.Image()).isEmpty());

  picture.Surface().FillRect({0, 0, 2, 2}, Black);
  const QImage image = Drawn([&](ISurface& s) { s.DrawPicture(picture, 30, 40); });
  EXPECT_EQ(Ink(image), QRect(30, 40, 2, 2));
}

// A picture for a 2x screen: drawn in program pixels, held twice as fine,
// shown pixel for pixel on a 2x target, and copied out at its program size.
TEST_F(PainterSurfaceTest, FinePictureDrawsInProgramPixelsAndGivesThemBack) {
  TImagePicture picture(10, 8, 2.0);
  EXPECT_EQ(picture.Width(), 10);
  EXPECT_EQ(picture.Height(), 8);
  ASSERT_EQ(picture.Image().size(), QSize(20, 16));
  picture.Surface().FillRect({3, 2, 5, 4}, Black);
  EXPECT_EQ(Ink(picture.Image()), QRect(6, 4, 4, 4));
  picture.Surface().Ellipse({0, 0, 10, 8}, Black, Black);
  EXPECT_TRUE(QRect(0, 0, 20, 16).contains(Ink(picture.Image())));
  // The disc is drawn at the fine resolution: its rim cuts through 2 x 2 blocks.
  bool cutBlock = false;
  for (int y = 0; y + 1 < 16; y += 2)
    for (int x = 0; x + 1 < 20; x += 2) {
      const QRgb first = Pixel(picture.Image(), x, y);
      for (const QPoint p : {QPoint(x + 1, y), QPoint(x, y + 1), QPoint(x + 1, y + 1)})
        if (Pixel(picture.Image(), p.x(), p.y()) != first) cutBlock = true;
    }
  EXPECT_TRUE(cutBlock);

  const QImage program = picture.ProgramPixels({2, 1, 8, 7});
  ASSERT_EQ(program.size(), QSize(6, 6));
  EXPECT_EQ(program.devicePixelRatio(), 1.0);
  EXPECT_EQ(Pixel(program, 2, 2), BlackPixel);  // the filled square at (4, 3)

  QImage target(40, 40, QImage::Format_RGB32);
  target.setDevicePixelRatio(2.0);
  target.fill(Qt::white);
  QPainter painter(&target);
  TPainterSurface surface(painter);
  TImagePicture square(4, 4, 2.0);
  square.Surface().FillRect({1, 1, 3, 3}, Black);
  surface.DrawPicture(square, 5, 6);
  painter.end();
  EXPECT_EQ(Ink(target), QRect(12, 14, 4, 4));
}

TEST_F(PainterSurfaceTest, PictureWithoutAreaIgnoresDrawing) {
  TImagePicture picture(0, 12);
  EXPECT_EQ(picture.Width(), 0);
  picture.Surface().Line(0, 0, 5, 5);
  picture.Surface().Text(0, 0, "x");
  const QImage image = Drawn([&](ISurface& s) { s.DrawPicture(picture, 1, 1); });
  EXPECT_TRUE(Ink(image).isEmpty());
}

// The true shape's smooth drawing: a shaded ball stays in its box and shows
// its colour, a stick is as wide as asked, a translucent outline lets the
// white through, and sized text grows with its height.
TEST_F(PainterSurfaceTest, SmoothBallsSticksTranslucentFillsAndSizedText) {
  const QImage ball = Drawn([](ISurface& s) { s.ShadedBall({10, 10, 40, 40}, TestRed); });
  EXPECT_TRUE(QRect(10, 10, 30, 30).contains(Ink(ball)));
  EXPECT_GE(Ink(ball).width(), 28);
  const QColor middle = ball.pixelColor(28, 28);
  EXPECT_GT(middle.red(), 150);
  EXPECT_LT(middle.green(), 60);
  // Lit from the upper left: lighter there than at the lower right.
  EXPECT_GT(ball.pixelColor(20, 19).lightness(), ball.pixelColor(34, 34).lightness());

  const QImage stick = Drawn([](ISurface& s) { s.Stick({10, 30}, {50, 30}, 6, Black); });
  EXPECT_EQ(Pixel(stick, 30, 30), BlackPixel);
  EXPECT_EQ(Pixel(stick, 30, 27), BlackPixel);
  EXPECT_EQ(Pixel(stick, 30, 36), WhitePixel);

  const QImage lobe = Drawn([](ISurface& s) {
    s.TranslucentPolygon({{10, 10}, {50, 10}, {50, 50}, {10, 50}}, {0, 0, 255}, 80);
  });
  const QColor seen = lobe.pixelColor(30, 30);
  EXPECT_GT(seen.red(), 100);  // white still shows through
  EXPECT_LT(seen.red(), 255);
  EXPECT_EQ(seen.blue(), 255);
  EXPECT_EQ(Pixel(lobe, 5, 5), WhitePixel);

  const QImage small = Drawn([](ISurface& s) { s.SizedText(2, 2, "104.5", 10, Black); });
  const QImage large = Drawn([](ISurface& s) { s.SizedText(2, 2, "104.5", 20, Black); });
  EXPECT_GT(Ink(large).height(), Ink(small).height());
  EXPECT_GT(Ink(large).width(), Ink(small).width());
  QImage measure(1, 1, QImage::Format_RGB32);
  QPainter painter(&measure);
  TPainterSurface surface(painter);
  EXPECT_NEAR(surface.SizedTextWidth("104.5", 20), Ink(large).width(), 4);
}

}  // namespace
}  // namespace kovala::test
