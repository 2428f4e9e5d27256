#include "framework/qt/pictureresources.h"

#include <QPainter>
#include <QPixmap>
#include <QString>
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

QCursor LoadCursor(std::string_view name) {
  const QPixmap picture(QString::fromStdString(CursorResource(name)));
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  const TCursorInfo* info = FindCursor(name);
  if (info == nullptr) return QCursor(picture);
  return QCursor(picture, info->hotX, info->hotY);
}

}  // namespace kovala
