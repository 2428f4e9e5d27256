// The drawing surface over a QPainter: what a window's paint and an
// off-screen picture draw through in the running program.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <memory>
#include <string>

#include "framework/surface.h"

namespace kovala {

class TPainterSurface : public ISurface {
 public:
  // Sets the painter up as every window expects it: no antialiasing, a
  // one-pixel black pen, the default font, transparent text background.
  explicit TPainterSurface(QPainter& painter);

  void DrawBitmap(const std::string& resourceName, int x, int y) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Ellipse(const TRect& box, TColor fill, TColor outline) override;
  void FillRect(const TRect& box, TColor fill) override;
  void Text(int x, int y, const std::string& text) override;
  void DrawPicture(const IPicture& picture, int x, int y) override;
  TSize TextSize(const std::string& text) const override;
  void ShadedBall(const TRect& box, TColor colour) override;
  void Stick(TPoint from, TPoint to, int width, TColor colour) override;
  void TranslucentPolygon(const std::vector<TPoint>& points, TColor fill, int opacity) override;
  void SizedText(int x, int y, const std::string& text, int pixelHeight, TColor colour) override;
  int SizedTextWidth(const std::string& text, int pixelHeight) override;

 private:
  QPainter& painter;
  // Labels are measured many times a frame at one height.
  std::unique_ptr<QFontMetrics> metrics;
  int metricsHeight = 0;
};

}  // namespace kovala
