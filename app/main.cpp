// The molecule program's entry: the splash for three seconds, then the main
// frame with its palette, menus and accelerators, then the event loop.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/framegeometry.h"
#include "app/myapp.h"
#include "app/qt/mainwindow.h"
#include "app/startarguments.h"
#include "framework/qt/pictureresources.h"
#include "framework/qt/programtranslations.h"
#include "framework/qt/qtdesktop.h"

int main(int argc, char** argv) {
  using namespace kovala;

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kovala"));
  QApplication::setDesktopFileName(QStringLiteral("org.kovala.Kovala"));

  // Only now: QApplication takes the whole user locale when it starts, and
  // the numbers in exported files must go back to C after that. Qt's own
  // buttons and file dialogs speak the same language as the program.
  QTranslator qtTexts;
  StartProgramTranslations(qtTexts);

  // Qt has taken its own options out of argc and argv by now; the rest are
  // kept as bytes, as the file system names files.
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::optional<std::string> startFile = StartFileArgument(arguments, std::cerr);

  const QRect screen = QGuiApplication::primaryScreen()->geometry();

  // The splash is a bare picture in the middle of the screen; the event loop
  // keeps running underneath it so the desktop stays responsive.
  QLabel splash(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  splash.setAttribute(Qt::WA_QuitOnClose, false);
  const QPixmap splashPicture = QPixmap::fromImage(LoadPicture("Bitmap_1"));
  splash.setPixmap(splashPicture);
  // A reader meets the splash as a picture; it names the program.
  splash.setAccessibleName(QStringLiteral("Kovala"));
  const TRect splashArea =
      SplashRect(screen.width(), screen.height(), splashPicture.width(), splashPicture.height());
  splash.setGeometry(screen.left() + splashArea.left, screen.top() + splashArea.top, splashArea.Width(),
                     splashArea.Height());
  splash.show();

  TQtDesktop desktop;
  TMainWindow mainWindow;
  desktop.SetOwner(&mainWindow);
  TMyApp app(mainWindow);
  mainWindow.setWindowTitle(QString::fromStdString(app.name));
  TFrame frame(mainWindow, desktop, app);
  mainWindow.AddClient(*frame.bondWindow);
  mainWindow.AddClient(*frame.shapeWindow);
  mainWindow.AddClient(*frame.practiceWindow);
  mainWindow.AddClient(*frame.organicWindow);
  mainWindow.AddClient(*frame.trueShapeWindow);
  mainWindow.SetFrame(frame);

  const TRect frameArea = FrameRect(screen.width(), screen.height());
  mainWindow.move(screen.left() + frameArea.left, screen.top() + frameArea.top);
  mainWindow.resize(frameArea.Width(), frameArea.Height());
  frame.SetupWindow();

  QTimer::singleShot(SplashSeconds * 1000, &mainWindow, [&] {
    // The frame shows before the splash goes, so the program never has no
    // window for the event loop to quit on.
    mainWindow.show();
    splash.close();
    // A file named on the command line goes through Open as if chosen in
    // its dialog, with the same messages for a file that cannot be read.
    if (startFile) {
      desktop.AnswerNextOpenDialog(*startFile);
      frame.Command(cmd::OpenMolecule);
    }
  });

  // The help windows go with the desktop when the program ends.
  return QApplication::exec();
}
