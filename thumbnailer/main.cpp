// kovala-thumbnailer -s SIZE INPUT OUTPUT: draws a molecule file as the
// editor would, centred and scaled into a SIZE x SIZE PNG, for file managers.
// A file that cannot be read gives no output file and a non-zero exit.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "editor/moleculepainter.h"
#include "framework/qt/paintersurface.h"
#include "i18n/translate.h"
#include "model/moleculefile.h"
#include "thumbnailer/thumbnaillayout.h"

namespace {

using namespace kovala;

// A molecule of the editor's 26 atoms is about 2.5 KB; a file far beyond
// that is not one a student saved, and drawing it could keep a file manager
// waiting.
constexpr std::uintmax_t MaxFileBytes = 256 * 1024;
constexpr int MaxSize = 2048;

// Notes whether a drawing writes any text. Only text needs the fonts of a Qt
// application, and starting one costs most of a thumbnail's time, so a
// molecule without hydrogen counts or charges is drawn without it.
class TTextProbe : public ISurface {
 public:
  void DrawBitmap(const std::string&, int, int) override {}
  void Line(int, int, int, int) override {}
  void Ellipse(const TRect&, TColor, TColor) override {}
  void FillRect(const TRect&, TColor) override {}
  void Text(int, int, const std::string&) override { writesText = true; }
  void DrawPicture(const IPicture&, int, int) override {}
  bool writesText = false;
};

enum Exit { Ok = 0, Unreadable = 1, BadArguments = 2, CannotWrite = 3 };

int Usage() {
  std::cerr << "usage: kovala-thumbnailer -s SIZE INPUT OUTPUT\n";
  return BadArguments;
}

bool ParseSize(const char* text, int& size) {
  const char* end = text + std::strlen(text);
  const auto [stop, error] = std::from_chars(text, end, size);
  return error == std::errc() && stop == end && size >= 1 && size <= MaxSize;
}

bool ReadSmallMolecule(const std::string& path, TMolecule& molecule) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const std::uintmax_t bytes = std::filesystem::file_size(path, error);
  if (error || bytes > MaxFileBytes) return false;
  std::ifstream in(path, std::ios::binary);
  return in.is_open() && ReadMolecule(in, molecule) == TReadResult::Ok;
}

}  // namespace

int main(int argc, char** argv) {
  // The messages go to the file manager's log in the user's language; the
  // catalogues lie beside the program file, wherever it was started from.
  std::error_code noProgramFile;
  StartTranslations(std::filesystem::read_symlink("/proc/self/exe", noProgramFile).string());
  int size = 0;
  if (argc != 5 || std::strcmp(argv[1], "-s") != 0 || !ParseSize(argv[2], size)) return Usage();
  const std::string input = argv[3];
  const QString output = QString::fromLocal8Bit(argv[4]);

  TMolecule molecule;
  if (!ReadSmallMolecule(input, molecule)) {
    std::cerr << "kovala-thumbnailer: " << FormatText(Tr("{0} is not a molecule file"), {input}) << "\n";
    return Unreadable;
  }
  if (!InDrawingRange(molecule)) {
    std::cerr << "kovala-thumbnailer: " << FormatText(Tr("{0} places atoms outside any window"), {input})
              << "\n";
    return Unreadable;
  }
  const std::optional<TThumbnailLayout> layout = LayoutThumbnail(molecule, size);
  if (!layout) {
    std::cerr << "kovala-thumbnailer: " << FormatText(Tr("{0} holds no atoms"), {input}) << "\n";
    return Unreadable;
  }

  TTextProbe probe;
  TMoleculePainter::DrawMolecule(probe, molecule);
  std::optional<QGuiApplication> application;
  if (probe.writesText) {
    // Thumbnails are made in the background, where there is no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application.emplace(argc, argv);
  }

  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TPainterSurface surface(painter);
    // Scaled pictures and lines read better smoothed than the window's
    // pixel-exact drawing.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(layout->dx, layout->dy);
    painter.scale(layout->scale, layout->scale);
    TMoleculePainter::DrawMolecule(surface, molecule);
  }

  // The file appears whole or not at all.
  QSaveFile file(output);
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    std::cerr << "kovala-thumbnailer: " << FormatText(Tr("cannot write {0}"), {argv[4]}) << '\n';
    return CannotWrite;
  }
  return Ok;
}
