// The main window's drawing area: the host widgets of the client windows,
// one shown at a time, all at one drawing scale, in a scroll area so that a
// zoomed window is never cut: the widget shown fills the area seen and grows
// past it where its window draws further out.
#pragma once

#include <QPointF>
#include <QScrollArea>
#include <QStackedWidget>
#include <optional>

#include "base/geometry.h"
#include "framework/qt/hostwidget.h"

namespace kovala {

class TClientArea : public QScrollArea {
 public:
  explicit TClientArea(QWidget* parent = nullptr);

  QStackedWidget& Stack() const { return *stack; }
  THostWidget* Current() const { return static_cast<THostWidget*>(stack->currentWidget()); }
  void AddHost(THostWidget& host);
  void SetCurrent(THostWidget& host);

  double DrawingScale() const { return drawingScale; }
  // Every host at this scale, then the area fitted again.
  void SetDrawingScale(double scale);
  // The area seen without scroll bars, in program pixels: what a window
  // that draws nothing further out is given.
  TRect VisibleProgramRect() const;
  // Sizes the hosts to the area seen, or larger where the window shown
  // needs more (DrawingReach at the drawing scale), with scroll bars then.
  void Fit();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QStackedWidget* stack;
  double drawingScale = 1.0;
  bool fitting = false;
  // The program point kept in the middle through a run of zoom steps.
  std::optional<QPointF> zoomMiddle;
};

}  // namespace kovala
