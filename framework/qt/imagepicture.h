// An off-screen picture held in a QImage: the editor's and the 3-D view's
// clipboard pictures are drawn here before they are copied.
#pragma once

#include <QImage>
#include <QPainter>
#include <optional>

#include "base/geometry.h"
#include "framework/qt/paintersurface.h"
#include "framework/surface.h"

namespace kovala {

class TImagePicture : public IPicture {
 public:
  // White from the start; a size below one pixel gives an empty picture
  // that ignores drawing. `ratio` image pixels stand for one program pixel:
  // drawing is in program pixels, and the image is that much finer.
  TImagePicture(int width, int height, double ratio = 1.0);
  ~TImagePicture() override;
  TImagePicture(const TImagePicture&) = delete;
  TImagePicture& operator=(const TImagePicture&) = delete;

  int Width() const override { return width; }
  int Height() const override { return height; }
  ISurface& Surface() override;

  // What has been drawn so far, at the picture's own resolution.
  const QImage& Image() const { return image; }
  // The part `box` (program pixels, inside the picture) at one image pixel
  // per program pixel, as the clipboard takes it.
  QImage ProgramPixels(const TRect& box) const;

 private:
  int width = 0;
  int height = 0;
  QImage image;
  QPainter painter;
  std::optional<TPainterSurface> surface;
};

}  // namespace kovala
