#include "framework/qt/paintersurface.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QRadialGradient>
#include <QString>
#include <algorithm>
#include <map>
#include <tuple>

#include "framework/qt/imagepicture.h"
#include "framework/qt/pictureresources.h"

namespace kovala {

namespace {

QColor ToQColor(TColor color) { return QColor(color.red, color.green, color.blue); }

QFont SizedFont(const QFont& base, int pixelHeight) {
  QFont font(base);
  font.setPixelSize(std::max(pixelHeight, 1));
  return font;
}

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
  const QFontMetrics fontMetrics = painter.fontMetrics();
  const QRect ink = fontMetrics.boundingRect(QString::fromStdString(text));
  // Text is placed by its top-left at the ascent, so the height counts from the top.
  return {std::max(fontMetrics.horizontalAdvance(QString::fromStdString(text)), ink.right() + 1),
          std::max(fontMetrics.height(), fontMetrics.ascent() + ink.bottom() + 1)};
}

void TPainterSurface::DrawPicture(const IPicture& picture, int x, int y) {
  const auto* image = dynamic_cast<const TImagePicture*>(&picture);
  if (!painter.isActive() || image == nullptr) return;
  painter.drawImage(x, y, image->Image());
}

namespace {

// A shaded ball of one colour and size, drawn once and then copied: the
// gradient is the dear part of a frame, and a turning molecule shows the
// same few balls again and again.
const QImage& BallPicture(TColor colour, int width, int height) {
  static std::map<std::tuple<int, int, int, int, int>, QImage> pictures;
  const auto key = std::make_tuple(colour.red, colour.green, colour.blue, width, height);
  const auto found = pictures.find(key);
  if (found != pictures.end()) return found->second;
  if (pictures.size() > 256) pictures.clear();  // sizes change with the zoom
  QImage picture(width, height, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF area(0, 0, width, height);
  // Lit from the upper left: a pale highlight, the element's colour, a
  // darker rim, so a black carbon still reads as a ball.
  const QPointF light(area.width() * 0.35, area.height() * 0.3);
  QRadialGradient shading(light, area.width() * 0.75);
  const QColor base = ToQColor(colour);
  shading.setColorAt(0.0, QColor(255, 255, 255));
  shading.setColorAt(0.12, base.lighter(colour == Black ? 400 : 140));
  shading.setColorAt(0.55, base.value() < 40 ? QColor(60, 60, 60) : base);
  shading.setColorAt(1.0, base.value() < 40 ? QColor(10, 10, 10) : base.darker(220));
  painter.setPen(QPen(QColor(0, 0, 0, 110), 1));
  painter.setBrush(shading);
  painter.drawEllipse(area.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.end();
  return pictures.emplace(key, std::move(picture)).first->second;
}

}  // namespace

void TPainterSurface::ShadedBall(const TRect& box, TColor colour) {
  if (!painter.isActive() || IsEmpty(box) || box.Width() > 4096 || box.Height() > 4096) return;
  painter.drawImage(box.left, box.top, BallPicture(colour, box.Width(), box.Height()));
}

void TPainterSurface::Stick(TPoint from, TPoint to, int width, TColor colour) {
  if (!painter.isActive()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(ToQColor(colour), std::max(width, 1), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
  painter.restore();
}

void TPainterSurface::TranslucentPolygon(const std::vector<TPoint>& points, TColor fill, int opacity) {
  if (!painter.isActive() || points.size() < 3) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  QColor colour = ToQColor(fill);
  colour.setAlpha(std::clamp(opacity, 0, 255));
  QColor edge = colour.darker(150);
  edge.setAlpha(std::clamp(opacity + 60, 0, 255));
  painter.setPen(QPen(edge, 1));
  painter.setBrush(colour);
  QPolygon polygon;
  for (const TPoint& p : points) polygon << QPoint(p.x, p.y);
  painter.drawPolygon(polygon);
  painter.restore();
}

void TPainterSurface::SizedText(int x, int y, const std::string& text, int pixelHeight, TColor colour) {
  if (!painter.isActive()) return;
  painter.save();
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.setFont(SizedFont(painter.font(), pixelHeight));
  painter.setPen(ToQColor(colour));
  painter.drawText(x, y + painter.fontMetrics().ascent(), QString::fromStdString(text));
  painter.restore();
}

int TPainterSurface::SizedTextWidth(const std::string& text, int pixelHeight) {
  if (!metrics || metricsHeight != pixelHeight) {
    metrics = std::make_unique<QFontMetrics>(SizedFont(painter.isActive() ? painter.font() : QFont(), pixelHeight));
    metricsHeight = pixelHeight;
  }
  return metrics->horizontalAdvance(QString::fromStdString(text));
}

}  // namespace kovala
