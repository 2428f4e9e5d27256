// Writes the program's icon picture as a PNG file for the desktop menu.
#include <QGuiApplication>
#include <QImage>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " FILE.png\n";
    return 2;
  }
  // The build runs without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  // The resource itself rather than the opaque drawing picture, so the icon
  // keeps its transparent corners.
  const QImage icon(QStringLiteral(":/pictures/ATOMBOMB.xpm"));
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::cerr << "cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
