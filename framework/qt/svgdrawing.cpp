#include "framework/qt/svgdrawing.h"

#include <QRect>
#include <QSize>
#include <algorithm>

namespace kovala {

TSvgDrawing::TSvgDrawing(const TRect& box) : buffer(&bytes) {
  const QRect view(box.left, box.top, std::max(1, box.Width()), std::max(1, box.Height()));
  generator.setOutputDevice(&buffer);
  generator.setSize(view.size());
  generator.setViewBox(view);
  generator.setTitle(QStringLiteral("Kovala molecule"));
  painter.begin(&generator);
  surface = std::make_unique<TPainterSurface>(painter);
}

TSvgDrawing::~TSvgDrawing() {
  if (painter.isActive()) painter.end();
}

std::string TSvgDrawing::Finish() {
  if (painter.isActive() && !painter.end()) return {};
  return bytes.toStdString();
}

}  // namespace kovala
