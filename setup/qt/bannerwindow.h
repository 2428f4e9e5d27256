// The set-up programs' main window: blue, with the program's red banner.
#pragma once

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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString banner;
  QString note;
};

}  // namespace kovala
