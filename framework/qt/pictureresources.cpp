#include "framework/qt/pictureresources.h"

#include <QPainter>
#include <QPixmap>
#include <QString>
#include <cmath>
#include <map>
#include <string>

#include "resources/cursors.h"
#include "resources/pictures.h"

namespace kovala {

const QImage& LoadPicture(std::string_view name) {
  static std::map<std::string, QImage, std::less<>> cache;
  if (const auto found = cache.find(name); found != cache.end()) return found->second;

  QImage image(QString::fromStdString(PictureResource(name)));
  if (!image.isNull() && image.hasAlphaChannel()) {
    // The pictures are copied unchanged onto a white drawing area, so any
    // transparent pixel of the file stands for that white.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    painter.end();
    image = opaque;
  } else if (!image.isNull()) {
    image = image.convertToFormat(QImage::Format_RGB32);
  }
  return cache.emplace(std::string(name), image).first->second;
}

QCursor LoadCursor(std::string_view name, double scale) {
  QImage picture(QString::fromStdString(CursorResource(name)));
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  if (!(scale > 1.0 && scale <= 8.0)) scale = 1.0;
  // The desktop shows a cursor picture pixel for pixel on the screen, so a
  // finer screen needs a larger picture; its pixels are copied, not blurred.
  const int size = static_cast<int>(std::lround(picture.width() * scale));
  if (size != picture.width())
    picture = picture.scaled(size, static_cast<int>(std::lround(picture.height() * scale)), Qt::IgnoreAspectRatio,
                             Qt::FastTransformation);
  const QPixmap pixmap = QPixmap::fromImage(picture);
  const TCursorInfo* info = FindCursor(name);
  if (info == nullptr) return QCursor(pixmap);
  return QCursor(pixmap, static_cast<int>(std::lround(info->hotX * scale)),
                 static_cast<int>(std::lround(info->hotY * scale)));
}

}  // namespace kovala
