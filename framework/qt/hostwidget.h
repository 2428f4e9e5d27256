// The widget that hosts one of the program's windows: it hands the window
// Qt's paint, mouse, timer and resize events and serves what the window asks
// of its host, passing the frame services on to the main window.
#pragma once

#include <QRect>
#include <QWidget>
#include <string>
#include <vector>

#include "framework/qt/windowtimers.h"
#include "framework/window.h"
#include "framework/windowhost.h"

namespace kovala {

class THostWidget : public QWidget, public IWindowHost {
 public:
  // `frameServices` answers the caption, message bar and menu requests.
  THostWidget(TWindow& window, IWindowHost& frameServices, QWidget* parent = nullptr);

  TWindow& Window() const { return window; }
  bool MouseCaptured() const { return captured; }

  // Widget pixels per program pixel: the window draws, and its rules run, in
  // program pixels, and the widget shows them this many times larger (a
  // larger system font, or a zoom of the drawing area). Qt's own device pixel
  // ratio comes on top of it.
  double DrawingScale() const { return drawingScale; }
  void SetDrawingScale(double scale);
  // The program point under a widget point.
  TPoint ProgramPoint(QPointF widgetPoint) const;
  // A rectangle of program pixels as it stands on the screen.
  QRect ScreenRect(const TRect& programRect) const;

  // The window's items as a screen reader last heard of them (hostaccessible.h).
  const std::vector<TAccessibleItem>& AccessibleItems() const;
  // Reads the window's items again and, while a screen reader listens, tells
  // it what changed; the window changes only where it repaints, reports a
  // panel change or is resized.
  void RenewAccessibleItems();
  // The host's accessible face exists: someone asked of it, so changes are
  // told from now on even where Qt's own bridge is not running.
  void AccessibleFaceMade() { accessibleFaceMade = true; }

  TRect ClientRect() const override;
  void Invalidate(bool erase) override;
  void UpdateNow() override;
  double PixelRatio() const override;
  void SetCursor(const std::string& cursorName) override;
  void RestoreCursor() override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void SetCaption(const std::string& caption) override;
  void SetMessageBar(const std::string& text) override;
  void PanelChanged() override;
  void AssignMenu(const std::string& menuName) override;
  void GrayMenuItem(int command) override;
  void CheckMenuItem(int command, bool checked) override;
  void SendCommand(int command) override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TWindow& window;
  IWindowHost& frame;
  TWindowTimers timers;
  bool captured = false;
  double drawingScale = 1.0;
  std::string cursorShown;  // empty while the window's own cursor is restored
  int wheelRest = 0;  // wheel turn not yet a whole notch
  mutable std::vector<TAccessibleItem> accessibleItems;
  mutable bool accessibleItemsStale = true;  // read again when next asked for
  bool accessibleFaceMade = false;
};

}  // namespace kovala
