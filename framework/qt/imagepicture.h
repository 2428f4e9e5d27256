// An off-screen picture held in a QImage: the editor's and the 3-D view's
// clipboard pictures are drawn here before they are copied.
#pragma once

#include <QImage>
#include <QPainter>
#include <optional>

#include "framework/qt/paintersurface.h"
#include "framework/surface.h"

namespace kovala {

class TImagePicture : public IPicture {
 public:
  // White from the start; a size below one pixel gives an empty picture
  // that ignores drawing.
  TImagePicture(int width, int height);
  ~TImagePicture() override;
  TImagePicture(const TImagePicture&) = delete;
  TImagePicture& operator=(const TImagePicture&) = delete;

  int Width() const override { return image.width(); }
  int Height() const override { return image.height(); }
  ISurface& Surface() override;

  // What has been drawn so far.
  const QImage& Image() const { return image; }

 private:
  QImage image;
  QPainter painter;
  std::optional<TPainterSurface> surface;
};

}  // namespace kovala
