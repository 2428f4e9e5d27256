#include "framework/qt/paintersurface.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

#include "framework/qt/imagepicture.h"
#include "framework/qt/pictureresources.h"

namespace kovala {

namespace {

QColor ToQColor(TColor color) { return QColor(color.red, color.green, color.blue); }

// The right and bottom edges of a box lie outside it, as the editor's
// rectangles count them.
bool IsEmpty(const TRect& box) { return box.right <= box.left || box.bottom <= box.top; }

}  // namespace

TPainterSurface::TPainterSurface(QPainter& target) : painter(target) {
  if (!painter.isActive()) return;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.setBackgroundMode(Qt::TransparentMode);
}

void TPainterSurface::DrawBitmap(const std::string& resourceName, int x, int y) {
  const QImage& picture = LoadPicture(resourceName);
  if (!painter.isActive() || picture.isNull()) return;
  painter.drawImage(x, y, picture);
}

void TPainterSurface::Line(int x1, int y1, int x2, int y2) {
  if (!painter.isActive()) return;
  painter.drawLine(x1, y1, x2, y2);
}

void TPainterSurface::Ellipse(const TRect& box, TColor fill, TColor outline) {
  if (!painter.isActive() || IsEmpty(box)) return;
  painter.save();
  painter.setPen(QPen(ToQColor(outline), 1));
  painter.setBrush(ToQColor(fill));
  // The one-pixel outline is drawn on the rectangle's edge, so the rectangle
  // is one pixel smaller to keep the disc inside the box.
  painter.drawEllipse(QRect(box.left, box.top, box.Width() - 1, box.Height() - 1));
  painter.restore();
}

void TPainterSurface::FillRect(const TRect& box, TColor fill) {
  if (!painter.isActive() || IsEmpty(box)) return;
  painter.fillRect(QRect(box.left, box.top, box.Width(), box.Height()), ToQColor(fill));
}

void TPainterSurface::Text(int x, int y, const std::string& text) {
  if (!painter.isActive()) return;
  // QPainter places text on its baseline; the windows give the top-left.
  painter.drawText(x, y + painter.fontMetrics().ascent(), QString::fromStdString(text));
}

TSize TPainterSurface::TextSize(const std::string& text) const {
  if (!painter.isActive()) return EstimatedTextSize(text);
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect ink = metrics.boundingRect(QString::fromStdString(text));
  // Text is placed by its top-left at the ascent, so the height counts from the top.
  return {std::max(metrics.horizontalAdvance(QString::fromStdString(text)), ink.right() + 1),
          std::max(metrics.height(), metrics.ascent() + ink.bottom() + 1)};
}

void TPainterSurface::DrawPicture(const IPicture& picture, int x, int y) {
  const auto* image = dynamic_cast<const TImagePicture*>(&picture);
  if (!painter.isActive() || image == nullptr) return;
  painter.drawImage(x, y, image->Image());
}

}  // namespace kovala
