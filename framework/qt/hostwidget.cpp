#include "framework/qt/hostwidget.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QToolTip>
#include <cmath>
#include <QWheelEvent>

#include "framework/qt/hostaccessible.h"
#include "framework/qt/paintersurface.h"
#include "framework/qt/pictureresources.h"

namespace kovala {

namespace {

TKeyState KeysOf(const QMouseEvent& event) {
  return TKeyState{event.modifiers().testFlag(Qt::ShiftModifier),
                   event.modifiers().testFlag(Qt::ControlModifier), event.modifiers().testFlag(Qt::AltModifier)};
}

// The key as the window reads it; keys it has no name for are Other.
TKeyPress KeyPressOf(const QKeyEvent& event) {
  TKeyPress press;
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  press.keys = TKeyState{modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::ControlModifier),
                         modifiers.testFlag(Qt::AltModifier)};
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    press.code = TKeyCode::Character;
    press.character = static_cast<char>('A' + (key - Qt::Key_A));
  } else if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    press.code = TKeyCode::Character;
    press.character = static_cast<char>('0' + (key - Qt::Key_0));
  } else {
    switch (key) {
      case Qt::Key_Tab:
        press.code = TKeyCode::Tab;
        break;
      case Qt::Key_Backtab:
        // Shift+Tab arrives as its own key.
        press.code = TKeyCode::Tab;
        press.keys.shift = true;
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        press.code = TKeyCode::Enter;
        break;
      case Qt::Key_Space:
        press.code = TKeyCode::Space;
        break;
      case Qt::Key_Escape:
        press.code = TKeyCode::Escape;
        break;
      case Qt::Key_Left:
        press.code = TKeyCode::Left;
        break;
      case Qt::Key_Right:
        press.code = TKeyCode::Right;
        break;
      case Qt::Key_Up:
        press.code = TKeyCode::Up;
        break;
      case Qt::Key_Down:
        press.code = TKeyCode::Down;
        break;
      case Qt::Key_Plus:
        press.code = TKeyCode::Plus;
        // Plus is shifted on most keyboards; the shift is not part of the key.
        press.keys.shift = false;
        break;
      case Qt::Key_Minus:
        press.code = TKeyCode::Minus;
        break;
      default:
        break;
    }
  }
  return press;
}

bool ByKeyboard(Qt::FocusReason reason) {
  return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

}  // namespace

THostWidget::THostWidget(TWindow& hosted, IWindowHost& frameServices, QWidget* parent)
    : QWidget(parent), window(hosted), frame(frameServices), timers([this](int id) { window.Timer(id); }) {
  // Every paint starts from white and draws the whole window, so Qt need not
  // clear the area first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The right button belongs to the window (multiple bonds, electrons), never
  // to a context menu.
  setContextMenuPolicy(Qt::PreventContextMenu);
  // The drawing area is built by keys as well as by the mouse.
  setFocusPolicy(Qt::StrongFocus);
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(HostAccessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
}

void THostWidget::SetDrawingScale(double scale) {
  if (!(scale >= 1.0 && scale <= 8.0)) scale = 1.0;
  if (scale == drawingScale) return;
  drawingScale = scale;
  if (!cursorShown.empty()) setCursor(LoadCursor(cursorShown, PixelRatio()));
  window.Resized();
  update();
  RenewAccessibleItems();
}

TPoint THostWidget::ProgramPoint(QPointF widgetPoint) const {
  // Every screen pixel of a program pixel belongs to that program pixel, so
  // the same drop lands in the same cell whatever the scale.
  return TPoint{static_cast<int>(std::floor(widgetPoint.x() / drawingScale)),
                static_cast<int>(std::floor(widgetPoint.y() / drawingScale))};
}

QRect THostWidget::ScreenRect(const TRect& programRect) const {
  const QPoint topLeft(static_cast<int>(std::floor(programRect.left * drawingScale)),
                       static_cast<int>(std::floor(programRect.top * drawingScale)));
  const QPoint bottomRight(static_cast<int>(std::floor(programRect.right * drawingScale)),
                           static_cast<int>(std::floor(programRect.bottom * drawingScale)));
  return QRect(mapToGlobal(topLeft), mapToGlobal(bottomRight) - QPoint(1, 1));
}

const std::vector<TAccessibleItem>& THostWidget::AccessibleItems() const {
  if (accessibleItemsStale) {
    accessibleItems = window.AccessibleItems();
    accessibleItemsStale = false;
  }
  return accessibleItems;
}

void THostWidget::RenewAccessibleItems() {
  // Without a listener the items are read only when one asks for them.
  if (!QAccessible::isActive() && !accessibleFaceMade) {
    accessibleItemsStale = true;
    return;
  }
  const std::vector<TAccessibleItem> before = AccessibleItems();
  const std::vector<TAccessibleItem> after = window.AccessibleItems();
  if (after == before) return;
  AnnounceItemChanges(*this, before, after, [this, &after] { accessibleItems = after; });
}

TRect THostWidget::ClientRect() const {
  return TRect{0, 0, static_cast<int>(width() / drawingScale), static_cast<int>(height() / drawingScale)};
}

double THostWidget::PixelRatio() const { return devicePixelRatioF() * drawingScale; }

void THostWidget::Invalidate(bool /*erase*/) {
  // The whole window is drawn on white at every paint, so a repaint without
  // erasing looks the same as one with it.
  update();
  RenewAccessibleItems();
}

void THostWidget::UpdateNow() {
  repaint();
  RenewAccessibleItems();
}

void THostWidget::SetCursor(const std::string& cursorName) {
  cursorShown = cursorName;
  setCursor(LoadCursor(cursorName, PixelRatio()));
}

void THostWidget::RestoreCursor() {
  cursorShown.clear();
  unsetCursor();
}

// Qt holds the mouse for the widget that took the press until the release,
// wherever the release happens; that is all the capture the windows need.
void THostWidget::CaptureMouse() { captured = true; }

void THostWidget::ReleaseMouse() { captured = false; }

void THostWidget::SetTimer(int id, int milliseconds) { timers.Set(id, milliseconds); }

void THostWidget::KillTimer(int id) { timers.Kill(id); }

void THostWidget::SetCaption(const std::string& caption) { frame.SetCaption(caption); }

void THostWidget::SetMessageBar(const std::string& text) { frame.SetMessageBar(text); }

void THostWidget::PanelChanged() {
  frame.PanelChanged();
  RenewAccessibleItems();
}

void THostWidget::AssignMenu(const std::string& menuName) { frame.AssignMenu(menuName); }

void THostWidget::GrayMenuItem(int command) { frame.GrayMenuItem(command); }

void THostWidget::CheckMenuItem(int command, bool checked) { frame.CheckMenuItem(command, checked); }

void THostWidget::SendCommand(int command) { frame.SendCommand(command); }

bool THostWidget::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A modifier alone is no key of the window's: Alt on its way to a menu.
    switch (key->key()) {
      case Qt::Key_Shift:
      case Qt::Key_Control:
      case Qt::Key_Alt:
      case Qt::Key_AltGr:
      case Qt::Key_Meta:
        return QWidget::event(event);
      default:
        break;
    }
    // Ctrl+Tab always leaves the drawing area, whatever atom has the focus.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      if (key->modifiers().testFlag(Qt::ControlModifier)) {
        focusNextPrevChild(key->key() == Qt::Key_Tab && !key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
      }
    }
    // Asked before Qt's own use of Tab, which moves on only when the window
    // lets the key go.
    if (window.KeyDown(KeyPressOf(*key))) {
      event->accept();
      return true;
    }
    return QWidget::event(event);
  }
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  // No tooltip follows an atom that the mouse is carrying.
  const std::string text = captured ? std::string() : window.ToolTipAt(ProgramPoint(help->pos()));
  if (text.empty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), QString::fromStdString(text), this);
  }
  return true;
}

void THostWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.scale(drawingScale, drawingScale);
  TPainterSurface surface(painter);
  window.Paint(surface);
}

void THostWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    window.LeftButtonDown(ProgramPoint(event->position()), KeysOf(*event));
  else if (event->button() == Qt::RightButton)
    window.RightButtonDown(ProgramPoint(event->position()), KeysOf(*event));
  event->accept();
}

void THostWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) window.LeftButtonUp(ProgramPoint(event->position()), KeysOf(*event));
  event->accept();
}

void THostWidget::mouseMoveEvent(QMouseEvent* event) {
  // Without mouse tracking Qt sends moves only while a button is held.
  if (event->buttons().testFlag(Qt::LeftButton)) window.MouseMove(ProgramPoint(event->position()), KeysOf(*event));
  event->accept();
}

void THostWidget::wheelEvent(QWheelEvent* event) {
  // Whole notches of 120 eighths of a degree; a touchpad's small steps add up.
  wheelRest += event->angleDelta().y();
  const int notches = wheelRest / 120;
  wheelRest -= notches * 120;
  if (notches != 0) window.MouseWheel(ProgramPoint(event->position()), notches);
  event->accept();
}

void THostWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  window.FocusChanged(true, ByKeyboard(event->reason()));
  // The focused atom now reports its focus, and a reader is told of it.
  RenewAccessibleItems();
}

void THostWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // The whole window went inactive (a message box, another program, or the
  // main window closing after its windows are gone): the focus comes back
  // here, so the window is not told.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  window.FocusChanged(false, false);
  RenewAccessibleItems();
}

void THostWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  window.Resized();
  RenewAccessibleItems();
}

}  // namespace kovala
