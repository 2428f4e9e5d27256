// The SVG drawing, the clipboard's SVG beside the bitmap and the print
// preview, on the off-screen platform.
#include "framework/qt/svgdrawing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <QWidget>

#include "framework/qt/imagepicture.h"
#include "framework/qt/qtdesktop.h"
#include "tests/qt/qttest.h"

namespace kovala::test {
namespace {

class SvgDrawingTest : public TQtTest {};

// Drawn in window coordinates, the document shows the box and what lies in it.
TEST_F(SvgDrawingTest, ShowsTheBoxOfTheWindowsDrawing) {
  TSvgDrawing drawing({100, 50, 160, 90});
  ASSERT_TRUE(drawing.IsActive());
  drawing.Surface().FillRect({120, 60, 140, 80}, Black);
  const std::string svg = drawing.Finish();
  ASSERT_NE(svg.find("<svg"), std::string::npos);

  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox(), QRect(100, 50, 60, 40));
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  EXPECT_EQ(image.pixel(30, 20) & 0xFFFFFF, 0u);       // inside the filled box, at (130, 70)
  EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);  // outside it
}

TEST_F(SvgDrawingTest, ClipboardHoldsTheBitmapAndTheSvg) {
  TQtDesktop desktop;
  TImagePicture picture(50, 40);
  const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"/>";
  ASSERT_TRUE(desktop.CopyToClipboardWithSvg(picture, {10, 10, 30, 30}, svg));
  const QMimeData* data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasImage());
  EXPECT_EQ(data->data(QStringLiteral("image/svg+xml")).toStdString(), svg);
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(20, 20));
  EXPECT_FALSE(desktop.CopyToClipboardWithSvg(picture, {60, 0, 90, 30}, svg));
}

// The preview paints the page through the program's surface; closing it prints nothing.
TEST_F(SvgDrawingTest, PrintPreviewPaintsThePageAndClosingItPrintsNothing) {
  TQtDesktop desktop;
  int painted = 0;
  TPrintPage page{"methane", {0, 0, 100, 60}, [&painted](ISurface& surface) {
                    ++painted;
                    surface.Text(5, 40, "methane");
                  }};
  bool seen = false;
  QTimer::singleShot(0, [&seen] {
    QWidget* modal = QApplication::activeModalWidget();
    seen = modal != nullptr;
    if (modal) QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
  });
  EXPECT_FALSE(desktop.PrintWithPreview(page));
  EXPECT_TRUE(seen);
  EXPECT_GE(painted, 1);
  EXPECT_FALSE(desktop.PrintWithPreview(TPrintPage{"empty", {}, {}}));
}

}  // namespace
}  // namespace kovala::test
