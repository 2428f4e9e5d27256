// The set-up programs' main window: blue, with the program's red banner.
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

#include "setup/setupdialogs.h"

namespace kovala {

class TBannerWindow : public QWidget {
 public:
  explicit TBannerWindow(const TBannerWindowResource& resource);

  // Maximised, and covering the screen even where no window manager acts on
  // the request (a bare X server in a classroom kiosk).
  void ShowMaximized();
  // A line of white text under the banner.
  void SetNote(const QString& text);

  // The banner's font, and the room its text takes as drawn: a banner wider
  // than the window (a long translation, a narrow screen) goes on at a word
  // break below, and the note keeps clear of it.
  static QFont BannerFont();
  QRect BannerBounds() const;
  int NoteTop() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString banner;
  QString note;
};

}  // namespace kovala
