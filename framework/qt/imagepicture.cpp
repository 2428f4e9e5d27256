#include "framework/qt/imagepicture.h"

namespace kovala {

TImagePicture::TImagePicture(int width, int height) {
  if (width > 0 && height > 0) {
    image = QImage(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
  }
}

TImagePicture::~TImagePicture() {
  if (painter.isActive()) painter.end();
}

ISurface& TImagePicture::Surface() {
  if (!surface) {
    // The raster painter writes straight into the image, so the image can be
    // read while the painter stays open for further drawing.
    if (!image.isNull()) painter.begin(&image);
    surface.emplace(painter);
  }
  return *surface;
}

}  // namespace kovala
