#include "framework/qt/imagepicture.h"

#include <cmath>

namespace kovala {

TImagePicture::TImagePicture(int pictureWidth, int pictureHeight, double ratio) {
  if (pictureWidth <= 0 || pictureHeight <= 0) return;
  if (!(ratio >= 1.0 && ratio <= 8.0)) ratio = 1.0;
  width = pictureWidth;
  height = pictureHeight;
  image = QImage(static_cast<int>(std::ceil(width * ratio)), static_cast<int>(std::ceil(height * ratio)),
                 QImage::Format_RGB32);
  // The painter then takes program pixels and lays them over `ratio` image
  // pixels each, so discs and lines come out at the finer resolution.
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
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

QImage TImagePicture::ProgramPixels(const TRect& box) const {
  const double ratio = image.devicePixelRatio();
  if (ratio == 1.0) return image.copy(box.left, box.top, box.Width(), box.Height());
  const QRect fine(static_cast<int>(std::lround(box.left * ratio)), static_cast<int>(std::lround(box.top * ratio)),
                   static_cast<int>(std::lround(box.Width() * ratio)),
                   static_cast<int>(std::lround(box.Height() * ratio)));
  QImage part = image.copy(fine).scaled(box.Width(), box.Height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  part.setDevicePixelRatio(1.0);
  return part;
}

}  // namespace kovala
