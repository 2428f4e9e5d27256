// Writes the program's icon as a PNG file for the desktop menu: the icon
// picture itself, or a drawing in SVG rendered at a given size for the icon
// theme's fixed-size folders.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <charconv>
#include <cstring>
#include <iostream>

namespace {

int Usage(const char* program) {
  std::cerr << "usage: " << program << " FILE.png\n"
            << "       " << program << " ICON.svg SIZE FILE.png\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) return Usage(argv[0]);
  // The build runs without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  QImage icon;
  const char* output = argv[argc - 1];
  if (argc == 2) {
    // The resource itself rather than the opaque drawing picture, so the icon
    // keeps its transparent corners.
    icon = QImage(QStringLiteral(":/pictures/ATOMBOMB.xpm"));
  } else {
    int size = 0;
    const char* sizeText = argv[2];
    const auto [end, error] = std::from_chars(sizeText, sizeText + std::strlen(sizeText), size);
    if (error != std::errc() || *end != '\0' || size < 1 || size > 1024) return Usage(argv[0]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
      std::cerr << "cannot read " << argv[1] << '\n';
      return 1;
    }
    icon = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
  }
  if (icon.isNull() || !icon.save(QString::fromLocal8Bit(output), "PNG")) {
    std::cerr << "cannot write " << output << '\n';
    return 1;
  }
  return 0;
}
