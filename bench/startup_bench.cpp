// The program's start-up with and without a translation: the translations
// started as main() starts them (the program's catalogue and Qt's own), then
// the main window with the frame, its five client windows, the editor's
// menus, palette and message bar, as the program builds them before its
// first paint. The splash's three seconds and the event loop are left out,
// being the same in every language. German should stay within 5 % of C.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

#include "app/frame.h"
#include "app/myapp.h"
#include "app/qt/mainwindow.h"
#include "framework/qt/programtranslations.h"
#include "framework/qt/qtdesktop.h"
#include "i18n/translate.h"

namespace {

using namespace kovala;

void StartUp(benchmark::State& state, const char* locale) {
  setenv("LC_ALL", locale, 1);
  unsetenv("LANGUAGE");
  QLocale::setDefault(QLocale(QString::fromLatin1(locale).section(QLatin1Char('.'), 0, 0)));
  bool translated = false;
  for (auto _ : state) {
    QTranslator qtTexts;
    translated = StartProgramTranslations(qtTexts);
    TQtDesktop desktop;
    TMainWindow mainWindow;
    desktop.SetOwner(&mainWindow);
    TMyApp app(mainWindow);
    TFrame frame(mainWindow, desktop, app);
    mainWindow.AddClient(*frame.bondWindow);
    mainWindow.AddClient(*frame.shapeWindow);
    mainWindow.AddClient(*frame.practiceWindow);
    mainWindow.AddClient(*frame.organicWindow);
    mainWindow.AddClient(*frame.trueShapeWindow);
    mainWindow.SetFrame(frame);
    mainWindow.resize(995, 795);
    frame.SetupWindow();
    benchmark::DoNotOptimize(mainWindow.windowTitle());
    QCoreApplication::removeTranslator(&qtTexts);
  }
  StopTranslations();
  state.counters["translated"] = translated ? 1 : 0;
}

void BM_StartUpC(benchmark::State& state) { StartUp(state, "C"); }
BENCHMARK(BM_StartUpC)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_StartUpGerman(benchmark::State& state) { StartUp(state, "de_DE.UTF-8"); }
BENCHMARK(BM_StartUpGerman)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The translations alone (the program's catalogue bound, Qt's own loaded):
// the part of the start-up a language adds to.
void StartTranslationsOnly(benchmark::State& state, const char* locale) {
  setenv("LC_ALL", locale, 1);
  unsetenv("LANGUAGE");
  QLocale::setDefault(QLocale(QString::fromLatin1(locale).section(QLatin1Char('.'), 0, 0)));
  for (auto _ : state) {
    QTranslator qtTexts;
    benchmark::DoNotOptimize(StartProgramTranslations(qtTexts));
    QCoreApplication::removeTranslator(&qtTexts);
  }
  StopTranslations();
}

void BM_TranslationsC(benchmark::State& state) { StartTranslationsOnly(state, "C"); }
BENCHMARK(BM_TranslationsC)->Unit(benchmark::kMicrosecond);

void BM_TranslationsGerman(benchmark::State& state) { StartTranslationsOnly(state, "de_DE.UTF-8"); }
BENCHMARK(BM_TranslationsGerman)->Unit(benchmark::kMicrosecond);

}  // namespace
