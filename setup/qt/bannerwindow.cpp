#include "setup/qt/bannerwindow.h"

#include <QFont>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

#include "framework/qt/pictureresources.h"

namespace kovala {

TBannerWindow::TBannerWindow(const TBannerWindowResource& resource)
    : banner(QString::fromUtf8(resource.banner)) {
  setWindowTitle(QString::fromUtf8(resource.title));
  setWindowIcon(QIcon(QPixmap::fromImage(LoadPicture(resource.icon))));
}

void TBannerWindow::ShowMaximized() {
  if (const QScreen* where = screen()) setGeometry(where->availableGeometry());
  showMaximized();
}

void TBannerWindow::SetNote(const QString& text) {
  note = text;
  update();
}

void TBannerWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 255));
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(30);
  font.setWeight(QFont::Normal);
  painter.setFont(font);
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(QRect(30, 30, width() - 30, height() - 30), Qt::AlignLeft | Qt::AlignTop, banner);
  if (!note.isEmpty()) {
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(30, 80, width() - 60, height() - 80), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     note);
  }
}

}  // namespace kovala
