// The un-installer's entry: the blue main window, maximised; the work runs
// as soon as the window is up, then the program ends.
#include <QApplication>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>

#include "framework/qt/programtranslations.h"
#include "setup/installset.h"
#include "setup/qt/bannerwindow.h"
#include "setup/qt/qtsetupdesktop.h"
#include "setup/uninstall/uninstallwindow.h"
#include "setup/xdgprogramgroups.h"

int main(int argc, char** argv) {
  using namespace kovala;
  QApplication application(argc, argv);
  // Before the first window: every text it shows is looked up once.
  QTranslator qtTexts;
  StartProgramTranslations(qtTexts);
  TBannerWindow mainWindow(UnInstallWindowResource);
  TQtSetupDesktop desktop(&mainWindow);
  TXdgProgramGroups groups;
  const char* path = std::getenv("PATH");
  TUnInstallWindow window(desktop, groups, path != nullptr ? path : "", RunningProgramFolder());
  mainWindow.ShowMaximized();
  QTimer::singleShot(0, &mainWindow, [&] { window.SetupWindow(); });
  return QApplication::exec();
}
