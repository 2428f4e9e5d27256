// The program on a screen of device pixel ratio 2: the molecule, the 3-D view
// and the carried atom's cursor grow with the rest of the window and are drawn
// at the screen's resolution, while the rules keep the program's own pixels.
// A program of its own: the ratio is fixed before the QApplication exists.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTest>
#include <QToolBar>

#include "app/frame.h"
#include "app/myapp.h"
#include "app/qt/mainwindow.h"
#include "framework/qt/qtdesktop.h"
#include "model/elementkind.h"
#include "resources/cursors.h"
#include "resources/palette.h"
#include "tests/qt/programtest.h"
#include "tests/qt/qttest.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {
namespace {

// Whether some 2 x 2 block of device pixels, aligned to a program pixel,
// holds two colours: a picture blown up from program pixels never has one.
bool DrawnFinerThanProgramPixels(const QImage& shown) {
  for (int y = 0; y + 1 < shown.height(); y += 2)
    for (int x = 0; x + 1 < shown.width(); x += 2) {
      const QRgb first = shown.pixel(x, y) & 0xFFFFFF;
      if ((shown.pixel(x + 1, y) & 0xFFFFFF) != first || (shown.pixel(x, y + 1) & 0xFFFFFF) != first ||
          (shown.pixel(x + 1, y + 1) & 0xFFFFFF) != first)
        return true;
    }
  return false;
}

int InkIn(const QImage& shown, const QRect& box) {
  int ink = 0;
  for (int y = box.top(); y <= box.bottom(); ++y)
    for (int x = box.left(); x <= box.right(); ++x)
      if ((shown.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++ink;
  return ink;
}

using PixelRatioTest = TProgramTest;

TEST_F(PixelRatioTest, DropsLandAsAtRatioOneAndThePicturesAreDrawnFine) {
  THostWidget& host = EditorHost();
  ASSERT_EQ(host.devicePixelRatioF(), 2.0);
  EXPECT_EQ(host.PixelRatio(), 2.0);
  TBondWindow& editor = *frame.bondWindow;
  const TRect client = host.ClientRect();
  const QPoint centre((client.left + client.right) / 2, (client.top + client.bottom) / 2);

  // The same drops as on a 1x screen put the atoms on the same cells.
  ClickPalette(Carbon);
  QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, TraySlot());
  // The carried atom's cursor is as large, on the screen, as its cell.
  EXPECT_EQ(host.cursor().pixmap().width(), 2 * CursorSize);
  QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, centre);
  const TAtom& carbon = editor.molecule.atoms[0];
  ASSERT_EQ((TPoint{carbon.x, carbon.y}), (TPoint{centre.x() - 15, centre.y() - 15}));
  for (const QPoint side : {QPoint(30, 10), QPoint(10, -10), QPoint(-10, 10), QPoint(10, 30)}) {
    ClickPalette(Hydrogen);
    Drag(TraySlot(), QPoint(carbon.x, carbon.y) + side);
  }
  ASSERT_TRUE(editor.molecule.completed);
  const TAtom& right = editor.molecule.atoms[1];
  EXPECT_EQ((TPoint{right.x, right.y}), (TPoint{carbon.x + 30, carbon.y}));

  // On the screen the carbon's cell covers 40 x 40 device pixels.
  const QImage shown = host.grab().toImage();
  ASSERT_EQ(shown.size(), QSize(2 * client.Width(), 2 * client.Height()));
  EXPECT_GT(InkIn(shown, QRect(2 * carbon.x, 2 * carbon.y, 40, 40)), 40);
  EXPECT_EQ(InkIn(shown, QRect(2 * carbon.x + 50, 2 * carbon.y + 50, 8, 8)), 0);

  // The 3-D view draws its discs at the screen's resolution, not blown up.
  QTest::keyClick(&mainWindow, Qt::Key_End);
  ASSERT_TRUE(frame.view3DActive);
  THostWidget& viewHost = *mainWindow.HostOf(*frame.shapeWindow);
  const QImage model = viewHost.grab().toImage();
  ASSERT_EQ(model.size(), QSize(2 * viewHost.ClientRect().Width(), 2 * viewHost.ClientRect().Height()));
  EXPECT_TRUE(DrawnFinerThanProgramPixels(model));

  // Its clipboard picture keeps the program's own pixel size.
  QApplication::clipboard()->clear();
  frame.Command(625);
  TShapeWindow& view = *frame.shapeWindow;
  const QImage copied = QApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(view.pictureRight - view.pictureLeft, view.pictureBottom - view.pictureTop));
  QTest::keyClick(&mainWindow, Qt::Key_Home);
}

}  // namespace
}  // namespace kovala::test

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
