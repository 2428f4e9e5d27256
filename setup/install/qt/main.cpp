// The installer's entry: the blue main window, maximised, with the options
// dialog over it; the installation runs from the dialog's Install button.
#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>
#include <string>

#include "framework/qt/programtranslations.h"
#include "setup/install/installwindow.h"
#include "setup/install/qt/qtdialog.h"
#include "setup/installset.h"
#include "setup/qt/bannerwindow.h"
#include "setup/qt/qtsetupdesktop.h"
#include "setup/xdgprogramgroups.h"

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
  // Before the first window: every text it shows is looked up once.
  QTranslator qtTexts;
  StartProgramTranslations(qtTexts);
  TBannerWindow mainWindow(InstallWindowResource);
  TQtSetupDesktop desktop(
      &mainWindow, [](const TDialogResource& resource, IDialogHandler* handler, QWidget* owner) {
        return std::unique_ptr<IDialog>(std::make_unique<TQtDialog>(resource, handler, owner));
      });
  TXdgProgramGroups groups;
  // The files come from beside the installer, wherever it was started from.
  TInstallWindow window(desktop, groups, HomeDirectory(), RunningProgramFolder());
  mainWindow.ShowMaximized();
  // The dialog opens from the running event loop, over a main window that
  // is already mapped and painted.
  QTimer::singleShot(0, &mainWindow, [&] { window.SetupWindow(); });
  return QApplication::exec();
}
