// Texts that grow in translation still fit: with the pseudo-translation
// (every text about 40 % longer, accented) and with the source texts, the
// installer's dialogs, both set-up banners, every menu bar and both courses'
// lines are laid out at the default window size and at 640 pixels wide, and
// no text may be cut: a label or button narrower than its text, a wrapped
// label taller than its room, a menu title pushed off the bar, a banner or
// course line running past its window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/framegeometry.h"
#include "app/qt/mainwindow.h"
#include "base/commands.h"
#include "framework/qt/paintersurface.h"
#include "i18n/translate.h"
#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "setup/install/qt/qtdialog.h"
#include "setup/qt/bannerwindow.h"
#include "setup/setupdialogs.h"
#include "tests/qt/qttest.h"
#include "tests/qt/recordingwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {
namespace {

// The frame a school screen of 1024 x 768 gives the program, and the narrow one.
constexpr TRect DefaultFrame = FrameRect(1024, 768);
struct TWindowSize {
  int width;
  int height;
};
constexpr TWindowSize WindowSizes[] = {
    {DefaultFrame.right - DefaultFrame.left, DefaultFrame.bottom - DefaultFrame.top}, {640, 480}};

enum class TTexts { Source, Pseudo };

std::string Name(TTexts texts) { return texts == TTexts::Source ? "source" : "pseudo"; }

// Switches the lookups to the pseudo-translation the build makes, or back.
void UseTexts(TTexts texts) {
  StopTranslations();
  unsetenv("LANGUAGE");
  std::setlocale(LC_ALL, "C");
  if (texts == TTexts::Source) return;
  ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
  setenv("LANGUAGE", "pseudo", 1);
  ASSERT_TRUE(StartTranslationsFrom(KOVALA_PSEUDO_LOCALE_DIR));
  ASSERT_EQ(TranslationLanguage(), "pseudo");
}

// Why the widget's text does not fit its geometry; empty when it does.
std::string Cut(const QWidget& widget) {
  const QSize room = widget.size();
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return {};
    if (label->wordWrap()) {
      // The longest word must fit the width, the wrapped lines the height.
      if (label->minimumSizeHint().width() > room.width())
        return "a word is " + std::to_string(label->minimumSizeHint().width()) + " px wide in " +
               std::to_string(room.width());
      if (label->heightForWidth(room.width()) > room.height())
        return "wraps to " + std::to_string(label->heightForWidth(room.width())) + " px in " +
               std::to_string(room.height());
      return {};
    }
    if (label->sizeHint().width() > room.width())
      return "is " + std::to_string(label->sizeHint().width()) + " px wide in " +
             std::to_string(room.width());
    return {};
  }
  if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) {
    if (box->sizeHint().width() > room.width())
      return "is " + std::to_string(box->sizeHint().width()) + " px wide in " + std::to_string(room.width());
    return {};
  }
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    // The text within the button's frame; the style's least button width is no text.
    const int text =
        button->fontMetrics().horizontalAdvance(QString(button->text()).remove(QLatin1Char('&'))) +
        2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
    if (text > room.width())
      return "is " + std::to_string(text) + " px wide in " + std::to_string(room.width());
  }
  return {};
}

QString TextOf(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  return {};
}

class LayoutTest : public TQtTest, public ::testing::WithParamInterface<TTexts> {
 protected:
  void SetUp() override { UseTexts(GetParam()); }
  void TearDown() override { UseTexts(TTexts::Source); }
};

TEST_P(LayoutTest, InstallerDialogsShowEveryTextWhole) {
  for (const TDialogResource* resource : {&ChoiceDialog, &DiskSpaceDialog, &CopyFileDialog}) {
    TQtDialog dialog(*resource, nullptr, nullptr);
    // The texts the installer fills in, as long as they usually come.
    if (resource == &ChoiceDialog) dialog.SetText(choice::DestinationPath, "/home/student/kovala");
    if (resource == &DiskSpaceDialog) {
      dialog.SetText(diskspace::Needed, FormatText(Tr("{0} kB"), {"12345"}));
      dialog.SetText(diskspace::Available, FormatText(Tr("{0} kB"), {"123456789"}));
    }
    if (resource == &CopyFileDialog)
      dialog.SetText(copyfile::Status, FormatText(Tr("{0} is being copied."), {"kovala.hlp"}));
    dialog.Widget()->ensurePolished();
    for (QWidget* widget : dialog.Widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      widget->ensurePolished();
      EXPECT_EQ(Cut(*widget), "") << resource->name << ": \"" << TextOf(*widget).toStdString() << "\"";
    }
  }
}

TEST_P(LayoutTest, BannersFitTheirWindowAndKeepClearOfTheNote) {
  for (const TBannerWindowResource* resource : {&InstallWindowResource, &UnInstallWindowResource})
    for (const TWindowSize size : WindowSizes) {
      TBannerWindow window(*resource);
      window.resize(size.width, size.height);
      const QRect banner = window.BannerBounds();
      EXPECT_LE(banner.right(), size.width - 1) << resource->banner << " at " << size.width;
      EXPECT_LT(banner.bottom(), window.NoteTop()) << resource->banner << " at " << size.width;
    }
}

TEST_P(LayoutTest, EveryMenuTitleStaysOnTheBar) {
  for (const char* menu :
       {menu::EmptyEditor, menu::Editor, menu::Course, menu::Model, menu::Animating, menu::TrueShape})
    for (const TWindowSize size : WindowSizes) {
      TRecordingWindow frame;
      TRecordingWindow client;
      TMainWindow main;
      main.SetFrame(frame);
      main.SetClient(client);
      main.AssignMenu(menu);
      main.resize(size.width, size.height);
      main.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
      const QMenuBar& bar = *main.menuBar();
      for (QAction* title : bar.actions()) {
        const QRect where = bar.actionGeometry(title);
        EXPECT_TRUE(!where.isEmpty() && bar.rect().contains(where))
            << menu << " at " << size.width << ": " << title->text().toStdString();
        if (title->menu() != nullptr) {
          EXPECT_LE(title->menu()->sizeHint().width(), size.width)
              << menu << ": " << title->text().toStdString();
        }
      }
      main.close();
    }
}

// Records where each text goes, measured in the font the window paints with.
class TMeasuringSurface : public ISurface {
 public:
  TMeasuringSurface() : image(8, 8, QImage::Format_RGB32), painter(&image), measure(painter) {}

  struct TPlaced {
    int x, y;
    std::string text;
  };
  std::vector<TPlaced> texts;

  void DrawBitmap(const std::string&, int, int) override {}
  void Line(int, int, int, int) override {}
  void Ellipse(const TRect&, TColor, TColor) override {}
  void FillRect(const TRect&, TColor) override {}
  void Text(int x, int y, const std::string& text) override { texts.push_back({x, y, text}); }
  void DrawPicture(const IPicture&, int, int) override {}
  TSize TextSize(const std::string& text) const override { return measure.TextSize(text); }

 private:
  QImage image;
  QPainter painter;
  TPainterSurface measure;
};

template <typename TCourse>
void ExpectCourseLinesInside(const char* course) {
  for (const TWindowSize size : WindowSizes) {
    TRecordingWindow frame;
    TFakeHost startHost;
    TScriptedDesktop desktop;
    TCourse window(startHost, desktop);
    TMainWindow main;
    main.SetFrame(frame);
    main.SetClient(window);
    main.AssignMenu(menu::Course);
    main.resize(size.width, size.height);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const TRect client = window.Host().ClientRect();
    window.Start();
    for (int row = 1; row <= window.RowCount(); ++row) {
      if (row > 1) window.NextRow();
      TMeasuringSurface surface;
      window.Paint(surface);
      for (const auto& placed : surface.texts) {
        SCOPED_TRACE(std::string(course) + " row " + std::to_string(row) + " at " +
                     std::to_string(size.width) + ": \"" + placed.text + "\"");
        EXPECT_LE(placed.x + surface.TextSize(placed.text).width, client.right);
        EXPECT_GE(placed.y, client.top);
      }
    }
    EXPECT_TRUE(desktop.messages.empty());
    main.close();
  }
}

TEST_P(LayoutTest, PracticeLabLinesStayInsideTheWindow) {
  ExpectCourseLinesInside<TPracticeWindow>("practice");
}

TEST_P(LayoutTest, OrganicCourseLinesStayInsideTheWindow) {
  ExpectCourseLinesInside<TOrganicWindow>("organic");
}

INSTANTIATE_TEST_SUITE_P(Texts, LayoutTest, ::testing::Values(TTexts::Source, TTexts::Pseudo),
                         [](const ::testing::TestParamInfo<TTexts>& texts) { return Name(texts.param); });

}  // namespace
}  // namespace kovala::test
