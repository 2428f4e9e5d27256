// Loads every picture, cursor and help page from the compiled resources, on
// Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QString>
#include <QUrl>
#include <memory>
#include <set>
#include <string>

#include "resources/cursors.h"
#include "resources/helpfiles.h"
#include "resources/pictures.h"

namespace kovala {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class ResourcesQt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QGuiApplication::instance() == nullptr) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
      static int argc = 1;
      static char name[] = "resources_qt_tests";
      static char* argv[] = {name, nullptr};
      app = std::make_unique<QGuiApplication>(argc, argv);
    }
  }
  static void TearDownTestSuite() { app.reset(); }
  static std::unique_ptr<QGuiApplication> app;
};
std::unique_ptr<QGuiApplication> ResourcesQt::app;

bool IsInk(QRgb pixel) { return qAlpha(pixel) == 255 && qGray(pixel) < 64; }
bool IsWhite(QRgb pixel) { return pixel == qRgb(255, 255, 255); }

TEST_F(ResourcesQt, EveryPictureLoadsWithItsSize) {
  for (const TPictureInfo& picture : Pictures()) {
    const QImage image(Q(PictureResource(picture.name)));
    ASSERT_FALSE(image.isNull()) << picture.name;
    EXPECT_EQ(image.width(), picture.width) << picture.name;
    EXPECT_EQ(image.height(), picture.height) << picture.name;
  }
}

TEST_F(ResourcesQt, EveryPictureFileIsInTheTable) {
  const QStringList files = QDir(":/pictures").entryList(QDir::Files);
  EXPECT_EQ(static_cast<std::size_t>(files.size()), Pictures().size());
  for (const QString& file : files) {
    EXPECT_NE(FindPicture(QFileInfo(file).completeBaseName().toStdString()), nullptr) << file.toStdString();
  }
}

TEST_F(ResourcesQt, AtomSymbolsAreBlackOnWhiteAndClearOfTheElectronDots) {
  // The dots sit in the outer three pixels of the cell; a symbol that reached
  // into that ring would run into them.
  for (const char* name : {"carbonatom", "oxygenatom", "nitrogenatom", "sulfuratom", "chlorineatom",
                           "phosphorus", "bromine", "fluorine"}) {
    const QImage image = QImage(Q(PictureResource(name))).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(20, 20)) << name;
    int ink = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 20; ++x) {
        const QRgb pixel = image.pixel(x, y);
        EXPECT_TRUE(IsWhite(pixel) || pixel == qRgb(0, 0, 0)) << name << " at " << x << "," << y;
        if (IsInk(pixel)) {
          ++ink;
          EXPECT_TRUE(x >= 3 && x <= 16 && y >= 3 && y <= 16)
              << name << " touches the dots at " << x << "," << y;
        }
      }
    }
    EXPECT_GT(ink, 30) << name;
  }
}

TEST_F(ResourcesQt, TheHydrogenFillsItsPictureFromTopToBottom) {
  const QImage image = QImage(Q(PictureResource("bitmap_2"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(14, 14));
  bool inkTop = false;
  bool inkBottom = false;
  for (int x = 0; x < image.width(); ++x) {
    inkTop = inkTop || IsInk(image.pixel(x, 0));
    inkBottom = inkBottom || IsInk(image.pixel(x, image.height() - 1));
  }
  EXPECT_TRUE(inkTop);
  EXPECT_TRUE(inkBottom);
}

TEST_F(ResourcesQt, ElectronIsSolidBlackAndBlankIsWhite) {
  const QImage electron = QImage(Q(PictureResource("electron"))).convertToFormat(QImage::Format_RGB32);
  const QImage blank = QImage(Q(PictureResource("blank"))).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(electron.size(), QSize(3, 3));
  ASSERT_EQ(blank.size(), QSize(20, 20));
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(electron.pixel(x, y), qRgb(0, 0, 0));
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_TRUE(IsWhite(blank.pixel(x, y))) << x << "," << y;
  }
}

TEST_F(ResourcesQt, EveryCursorLoadsWithItsHotSpotOnTheAtom) {
  for (const TCursorInfo& info : Cursors()) {
    const QPixmap pixmap(Q(CursorResource(info.name)));
    ASSERT_FALSE(pixmap.isNull()) << info.name;
    EXPECT_EQ(pixmap.width(), CursorSize) << info.name;
    EXPECT_EQ(pixmap.height(), CursorSize) << info.name;
    const QCursor cursor(pixmap, info.hotX, info.hotY);
    EXPECT_EQ(cursor.hotSpot(), QPoint(info.hotX, info.hotY)) << info.name;
    EXPECT_TRUE(pixmap.rect().contains(cursor.hotSpot())) << info.name;
    // Opaque under the hot spot, see-through in the corners.
    const QImage image = pixmap.toImage();
    EXPECT_EQ(qAlpha(image.pixel(info.hotX, info.hotY)), 255) << info.name;
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << info.name;
  }
}

TEST_F(ResourcesQt, HelpPagesLoadWithTheirPicturesAndAnchors) {
  for (const char* helpFile : {"kovala.hlp", "WINHELP.HLP"}) {
    const std::string page(HelpPage(helpFile));
    QFile file(Q(HelpPageResource(page)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page;
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(html.contains("<title>")) << page;

    // Every picture a page shows is in the resources and loads.
    const QUrl base("qrc:/help/" + Q(page));
    int pictures = 0;
    auto images = QRegularExpression(R"re(<img[^>]*\bsrc="([^"]+)")re").globalMatch(html);
    while (images.hasNext()) {
      const QString src = images.next().captured(1);
      const QString path = ":" + base.resolved(QUrl(src)).path();
      EXPECT_FALSE(QImage(path).isNull()) << page << ": " << src.toStdString();
      ++pictures;
    }
    // Every link within the help pages leads to a page and a place that exist.
    std::set<QString> anchors;
    auto names = QRegularExpression(R"re(\b(?:id|name)="([^"]+)")re").globalMatch(html);
    while (names.hasNext()) anchors.insert(names.next().captured(1));
    auto links = QRegularExpression(R"re(<a[^>]*\bhref="([^"]+)")re").globalMatch(html);
    while (links.hasNext()) {
      const QString href = links.next().captured(1);
      const QUrl target = base.resolved(QUrl(href));
      ASSERT_EQ(target.scheme(), "qrc") << page << ": " << href.toStdString();
      EXPECT_TRUE(QFile::exists(":" + target.path())) << page << ": " << href.toStdString();
      if (target.path() == base.path() && target.hasFragment()) {
        EXPECT_TRUE(anchors.count(target.fragment())) << page << ": " << href.toStdString();
      }
    }
    if (page == "kovala.html") {
      EXPECT_GE(pictures, 4);
    }
  }
}

}  // namespace
}  // namespace kovala
