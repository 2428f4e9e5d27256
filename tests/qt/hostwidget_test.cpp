// The host widget hands the window its paint, mouse, timer and resize events
// in client pixels, serves cursors and timers and passes frame services on.
#include "framework/qt/hostwidget.h"

#include <gtest/gtest.h>

#include <QTest>

#include "resources/cursors.h"
#include "tests/qt/qttest.h"
#include "tests/qt/recordingwindow.h"
#include "tests/support/fakehost.h"

namespace kovala::test {
namespace {

class HostWidgetTest : public TQtTest {
 protected:
  void SetUp() override {
    host.resize(200, 120);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    window.events.clear();
  }

  TRecordingWindow window;
  TFakeHost frame;
  THostWidget host{window, frame};
};

TEST_F(HostWidgetTest, ButtonsReachTheWindowInClientPixelsWithTheirKeys) {
  QTest::mousePress(&host, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
  QTest::mouseRelease(&host, Qt::LeftButton, Qt::ControlModifier, QPoint(50, 60));
  QTest::mousePress(&host, Qt::RightButton, Qt::NoModifier, QPoint(70, 80));
  QTest::mouseRelease(&host, Qt::RightButton, Qt::NoModifier, QPoint(70, 80));

  const std::vector<TWindowEvent> expected{{"left down", 30, 40, true, false},
                                           {"left up", 50, 60, false, true},
                                           {"right down", 70, 80, false, false}};
  EXPECT_EQ(window.events, expected);
}

TEST_F(HostWidgetTest, PaintDrawsTheWindowOnWhite) {
  const QImage shown = host.grab().toImage();
  ASSERT_GE(window.Count("paint"), 1);
  EXPECT_EQ(shown.pixel(5, 7) & 0xFFFFFF, 0u);
  EXPECT_EQ(shown.pixel(24, 7) & 0xFFFFFF, 0u);
  EXPECT_EQ(shown.pixel(15, 8) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown.pixel(150, 100) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(HostWidgetTest, ResizeReachesTheWindowAndTheClientRectFollows) {
  host.resize(300, 150);
  EXPECT_EQ(window.Count("resized"), 1);
  EXPECT_EQ(host.ClientRect(), (TRect{0, 0, 300, 150}));
}

TEST_F(HostWidgetTest, TimerFiresWithItsIdUntilKilled) {
  host.SetTimer(1, 5);
  host.SetTimer(1, 5);  // restarts the same timer, no second one
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.Count("timer") >= 3; }, 2000));
  for (const auto& e : window.events) {
    if (e.what == "timer") {
      EXPECT_EQ(e.x, 1);
    }
  }
  host.KillTimer(1);
  const int fired = window.Count("timer");
  QTest::qWait(30);
  EXPECT_EQ(window.Count("timer"), fired);
}

// A zoomed drawing area: the window still works in its own pixels, which
// the widget shows twice as large; every widget pixel of a program pixel
// maps back to it.
TEST_F(HostWidgetTest, DrawingScaleShowsTheWindowLargerAndMapsTheMouseBack) {
  host.SetDrawingScale(2.0);
  EXPECT_EQ(window.Count("resized"), 1);
  EXPECT_EQ(host.ClientRect(), (TRect{0, 0, 100, 60}));
  EXPECT_EQ(host.PixelRatio(), 2.0 * host.devicePixelRatioF());
  for (const QPoint at : {QPoint(60, 40), QPoint(61, 41), QPoint(59, 39), QPoint(1, 1), QPoint(199, 119)})
    QTest::mouseClick(&host, Qt::LeftButton, Qt::NoModifier, at);
  const std::vector<TWindowEvent> expected{{"left down", 30, 20, false, false},
                                           {"left down", 30, 20, false, false},
                                           {"left down", 29, 19, false, false},
                                           {"left down", 0, 0, false, false},
                                           {"left down", 99, 59, false, false}};
  std::vector<TWindowEvent> presses;
  for (const auto& e : window.events)
    if (e.what == "left down") presses.push_back(e);
  EXPECT_EQ(presses, expected);

  // The window's line from (5, 7) to (25, 7) lies twice as far out, twice as thick.
  const QImage shown = host.grab().toImage();
  EXPECT_EQ(shown.pixel(12, 14) & 0xFFFFFF, 0u);
  EXPECT_EQ(shown.pixel(48, 14) & 0xFFFFFF, 0u);
  EXPECT_EQ(shown.pixel(30, 20) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown.pixel(60, 14) & 0xFFFFFF, 0xFFFFFFu);

  const TCursorInfo* info = FindCursor("carboncursor");
  ASSERT_NE(info, nullptr);
  host.SetCursor("carboncursor");
  EXPECT_EQ(host.cursor().pixmap().width(), 2 * CursorSize);
  EXPECT_EQ(host.cursor().hotSpot(), QPoint(2 * info->hotX, 2 * info->hotY));
  host.SetDrawingScale(1.0);
  EXPECT_EQ(host.cursor().pixmap().width(), CursorSize);
  EXPECT_EQ(host.ClientRect(), (TRect{0, 0, 200, 120}));
  host.RestoreCursor();
}

TEST_F(HostWidgetTest, ElementCursorUsesItsPictureAndHotSpot) {
  const TCursorInfo* info = FindCursor("carboncursor");
  ASSERT_NE(info, nullptr);
  host.SetCursor("carboncursor");
  EXPECT_EQ(host.cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(host.cursor().hotSpot(), QPoint(info->hotX, info->hotY));
  host.RestoreCursor();
  EXPECT_EQ(host.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(HostWidgetTest, FrameServicesGoToTheFrame) {
  host.SetCaption("Untitled");
  host.SetMessageBar("Click on atoms");
  host.AssignMenu("100");
  host.GrayMenuItem(205);
  EXPECT_EQ(frame.caption, "Untitled");
  EXPECT_EQ(frame.messageBar, "Click on atoms");
  EXPECT_EQ(frame.menu, "100");
  EXPECT_EQ(frame.grayed, std::vector<int>{205});
}

}  // namespace
}  // namespace kovala::test

namespace kovala::test {
namespace {

TKeyPress Key(TKeyCode code, char character = 0, bool shift = false, bool control = false, bool alt = false) {
  TKeyPress press;
  press.code = code;
  press.character = character;
  press.keys.shift = shift;
  press.keys.control = control;
  press.keys.alt = alt;
  return press;
}

bool SameKey(const TKeyPress& a, const TKeyPress& b) {
  return a.code == b.code && a.character == b.character && a.keys.shift == b.keys.shift &&
         a.keys.control == b.keys.control && a.keys.alt == b.keys.alt;
}

TEST_F(HostWidgetTest, KeysReachTheWindowByNameWithTheirModifiers) {
  QTest::keyClick(&host, Qt::Key_C);
  QTest::keyClick(&host, Qt::Key_L, Qt::ShiftModifier);
  QTest::keyClick(&host, Qt::Key_4);
  QTest::keyClick(&host, Qt::Key_Right, Qt::AltModifier);
  QTest::keyClick(&host, Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier);
  QTest::keyClick(&host, Qt::Key_Left, Qt::ControlModifier);
  QTest::keyClick(&host, Qt::Key_Plus, Qt::ShiftModifier);  // Shift+= on most keyboards
  QTest::keyClick(&host, Qt::Key_Minus);
  QTest::keyClick(&host, Qt::Key_Return);
  QTest::keyClick(&host, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(&host, Qt::Key_Space);
  QTest::keyClick(&host, Qt::Key_Tab);
  QTest::keyClick(&host, Qt::Key_Backtab, Qt::ShiftModifier);
  QTest::keyClick(&host, Qt::Key_F5);
  const std::vector<TKeyPress> expected{
      Key(TKeyCode::Character, 'C'),
      Key(TKeyCode::Character, 'L', true),
      Key(TKeyCode::Character, '4'),
      Key(TKeyCode::Right, 0, false, false, true),
      Key(TKeyCode::Up, 0, true, false, true),
      Key(TKeyCode::Left, 0, false, true),
      Key(TKeyCode::Plus),
      Key(TKeyCode::Minus),
      Key(TKeyCode::Enter),
      Key(TKeyCode::Enter),
      Key(TKeyCode::Space),
      Key(TKeyCode::Tab),
      Key(TKeyCode::Tab, 0, true),
      Key(TKeyCode::Other),
  };
  ASSERT_EQ(window.keysPressed.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_TRUE(SameKey(window.keysPressed[i], expected[i])) << "key " << i;
}

// Tab goes to the window first and moves the focus on only when the window
// lets it go; Ctrl+Tab leaves at once. The window hears of each focus change
// and whether it came by keyboard.
class HostWidgetFocus : public TQtTest {};

TEST_F(HostWidgetFocus, TabLeavesOnlyWhenTheWindowLetsItGo) {
  TRecordingWindow window;
  TFakeHost frame;
  QWidget page;  // owns the widgets; the window and frame outlive it
  page.resize(300, 200);
  auto* host = new THostWidget(window, frame, &page);
  host->setGeometry(0, 0, 200, 120);
  auto* next = new QWidget(&page);
  next->setFocusPolicy(Qt::StrongFocus);
  next->setGeometry(0, 150, 50, 20);
  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
  next->setFocus(Qt::OtherFocusReason);
  host->setFocus(Qt::TabFocusReason);
  ASSERT_TRUE(host->hasFocus());
  ASSERT_FALSE(window.focusChanges.empty());
  EXPECT_EQ(window.focusChanges.back(), std::make_pair(true, true));

  window.keysUsed = true;
  QTest::keyClick(host, Qt::Key_Tab);
  EXPECT_TRUE(host->hasFocus()) << "the window kept Tab for its atoms";
  window.keysUsed = false;
  QTest::keyClick(host, Qt::Key_Tab);
  EXPECT_TRUE(next->hasFocus()) << "past the last atom Tab moves on";
  EXPECT_EQ(window.focusChanges.back(), std::make_pair(false, false));

  host->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(window.focusChanges.back(), std::make_pair(true, false));
  window.keysUsed = true;
  const std::size_t heard = window.keysPressed.size();
  QTest::keyClick(host, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_TRUE(next->hasFocus()) << "Ctrl+Tab leaves whatever the window wants";
  EXPECT_EQ(window.keysPressed.size(), heard);
}

}  // namespace
}  // namespace kovala::test
