// An SVG drawing over Qt SVG: the program's own painter surface draws into an
// SVG generator, so the document looks like the window.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <QSvgGenerator>
#include <memory>
#include <string>

#include "framework/desktop.h"
#include "framework/qt/paintersurface.h"

namespace kovala {

class TSvgDrawing : public ISvgDrawing {
 public:
  explicit TSvgDrawing(const TRect& box);
  ~TSvgDrawing() override;
  TSvgDrawing(const TSvgDrawing&) = delete;
  TSvgDrawing& operator=(const TSvgDrawing&) = delete;

  bool IsActive() const { return painter.isActive(); }
  ISurface& Surface() override { return *surface; }
  std::string Finish() override;

 private:
  QByteArray bytes;
  QBuffer buffer;
  QSvgGenerator generator;
  QPainter painter;
  std::unique_ptr<TPainterSurface> surface;
};

}  // namespace kovala
