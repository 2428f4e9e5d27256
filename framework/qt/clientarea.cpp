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
  // The window shown inside takes the keyboard focus; a focus stop on the
  // frame around it would be one more nameless Tab. Keys the window leaves
  // (Page Up, Page Down) still reach the scroll area.
  setFocusPolicy(Qt::NoFocus);
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()})
    connect(bar, &QAbstractSlider::actionTriggered, this, [this] { zoomMiddle.reset(); });
}

void TClientArea::AddHost(THostWidget& host) {
  host.SetDrawingScale(drawingScale);
  stack->addWidget(&host);
}

void TClientArea::SetCurrent(THostWidget& host) {
  zoomMiddle.reset();
  stack->setCurrentWidget(&host);
  Fit();
}

void TClientArea::SetDrawingScale(double scale) {
  // The program point in the middle of what is seen stays there, as far as
  // the scroll bars allow, so a molecule in sight stays in sight. It is kept
  // from step to step until the student scrolls: a step whose area needs no
  // scrolling would otherwise pull it towards the upper left.
  if (!zoomMiddle)
    zoomMiddle = QPointF((horizontalScrollBar()->value() + viewport()->width() / 2.0) / drawingScale,
                         (verticalScrollBar()->value() + viewport()->height() / 2.0) / drawingScale);
  const QPointF middle = *zoomMiddle;
  drawingScale = scale;
  for (int i = 0; i < stack->count(); ++i) static_cast<THostWidget*>(stack->widget(i))->SetDrawingScale(scale);
  drawingScale = Current() != nullptr ? Current()->DrawingScale() : scale;
  Fit();
  horizontalScrollBar()->setValue(static_cast<int>(std::lround(middle.x() * drawingScale - viewport()->width() / 2.0)));
  verticalScrollBar()->setValue(static_cast<int>(std::lround(middle.y() * drawingScale - viewport()->height() / 2.0)));
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

// Also called for the viewport's resizes, as scroll bars come and go during
// a zoom step, so the middle kept through the steps is not dropped here.
void TClientArea::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  Fit();
}

}  // namespace kovala
