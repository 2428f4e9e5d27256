#include "setup/qt/bannerwindow.h"

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <algorithm>

#include "framework/qt/pictureresources.h"
#include "i18n/translate.h"

namespace kovala {

TBannerWindow::TBannerWindow(const TBannerWindowResource& resource)
    : banner(QString::fromUtf8(Tr(resource.banner))) {
  setWindowTitle(QString::fromUtf8(Tr(resource.title)));
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

namespace {

constexpr int kBannerFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

}  // namespace

QFont TBannerWindow::BannerFont() {
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(30);
  font.setWeight(QFont::Normal);
  return font;
}

QRect TBannerWindow::BannerBounds() const {
  const QRect room(30, 30, width() - 30, height() - 30);
  return QFontMetrics(BannerFont()).boundingRect(room, kBannerFlags, banner);
}

int TBannerWindow::NoteTop() const { return std::max(80, BannerBounds().bottom() + 15); }

void TBannerWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 255));
  QFont font = BannerFont();
  painter.setFont(font);
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(QRect(30, 30, width() - 30, height() - 30), kBannerFlags, banner);
  if (!note.isEmpty()) {
    font.setPixelSize(18);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const int top = NoteTop();
    painter.drawText(QRect(30, top, width() - 60, height() - top),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, note);
  }
}

}  // namespace kovala
