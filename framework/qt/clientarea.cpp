#include "framework/qt/clientarea.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace kovala {

TClientArea::TClientArea(QWidget* parent) : QScrollArea(parent), stack(new QStackedWidget) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setWidget(stack);
}

void TClientArea::AddHost(THostWidget& host) {
  host.SetDrawingScale(drawingScale);
  stack->addWidget(&host);
}

void TClientArea::SetCurrent(THostWidget& host) {
  stack->setCurrentWidget(&host);
  Fit();
}

void TClientArea::SetDrawingScale(double scale) {
  drawingScale = scale;
  for (int i = 0; i < stack->count(); ++i) static_cast<THostWidget*>(stack->widget(i))->SetDrawingScale(scale);
  drawingScale = Current() != nullptr ? Current()->DrawingScale() : scale;
  Fit();
}

TRect TClientArea::VisibleProgramRect() const {
  const QSize seen = maximumViewportSize();
  return TRect{0, 0, static_cast<int>(seen.width() / drawingScale), static_cast<int>(seen.height() / drawingScale)};
}

void TClientArea::Fit() {
  if (fitting) return;
  fitting = true;
  const QSize seen = maximumViewportSize();
  QSize needed(0, 0);
  if (const THostWidget* host = Current()) {
    const TSize reach = host->Window().DrawingReach();
    needed = QSize(static_cast<int>(std::ceil(reach.width * drawingScale)),
                   static_cast<int>(std::ceil(reach.height * drawingScale)));
  }
  // A scroll bar along one edge takes room from the other direction, which
  // may then need its own bar as well.
  int width = seen.width();
  int height = seen.height();
  bool across = needed.width() > width;
  bool down = needed.height() > height;
  if (across) height -= horizontalScrollBar()->sizeHint().height();
  if (!down && needed.height() > height) down = true;
  if (down) width -= verticalScrollBar()->sizeHint().width();
  if (!across && needed.width() > width) {
    across = true;
    height -= horizontalScrollBar()->sizeHint().height();
  }
  const QSize size(std::max({width, needed.width(), 0}), std::max({height, needed.height(), 0}));
  if (stack->size() != size) stack->resize(size);
  fitting = false;
}

void TClientArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  Fit();
}

}  // namespace kovala
