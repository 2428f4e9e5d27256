// The installer's entry: the blue main window, maximised, with the options
// dialog over it; the installation runs from the dialog's Install button.
#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "framework/qt/bannerwindow.h"
#include "framework/qt/qtsetupdesktop.h"
#include "install/installwindow.h"
#include "install/xdgprogramgroups.h"

namespace {

std::string HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  const passwd* user = getpwuid(getuid());
  return user != nullptr ? user->pw_dir : "/";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kovala;
  QApplication application(argc, argv);
  TBannerWindow mainWindow(InstallWindowResource);
  TQtSetupDesktop desktop(&mainWindow);
  TXdgProgramGroups groups;
  TInstallWindow window(desktop, groups, HomeDirectory());
  mainWindow.showMaximized();
  window.SetupWindow();
  if (window.Ended()) return 0;
  return QApplication::exec();
}
