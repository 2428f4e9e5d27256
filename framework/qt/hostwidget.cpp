#include "framework/qt/hostwidget.h"

#include <QAccessible>
#include <QHelpEvent>
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
                   event.modifiers().testFlag(Qt::ControlModifier)};
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

bool THostWidget::event(QEvent* event) {
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

void THostWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  window.Resized();
  RenewAccessibleItems();
}

}  // namespace kovala
