// What translations add to start-up and to each text shown: binding the
// catalogue and the first lookups of the texts a window shows at once (every
// menu item and hint), against the English path, which looks nothing up.
#include <benchmark/benchmark.h>

#include <clocale>
#include <cstdlib>

#include "i18n/translate.h"

namespace {

// The texts of the editor's menus and their hints, as the frame reads them when it opens.
const char* const kStartTexts[] = {
    "&Molecule", "&Edit", "&View", "&Practice", "&Help", "&New", "&Open ...  F3", "&Save ... F2",
    "Save &as ...", "E&xit...Alt-X", "&Export ...", "&Print ...", "&Undo-Back", "&Add Electron",
    "&Subtract Electron", "Abbreviate &H's", "&Copy to Clipboard", "&3-D Model...End", "Molecule &Panel",
    "&True Shape...", " &Start Lab", "&Organic Chemistry", "&Index", "&Using Help", "Starts a new molecule",
    "Retrieves an existing molecule", "Saves a molecule to disk", "Saves a molecule under a different name",
    "Exits the program", "Goes back one step", "Makes an abbreviated structural formula",
    "Shows a 3-dimensional view of a completed molecule", "Untitled", "Carbon", "Hydrogen", "Oxygen",
    "Nitrogen", "Sulfur", "Chlorine", "Phosphorus", "Bromine", "Fluorine", "Aromatic ring", "Cyclohexane",
    "Cyclobutane", "No atoms yet.",
    "Click on atoms, move to center to bond. Use right mouse button for multiple bonds",
};

void UseGerman() {
  std::setlocale(LC_ALL, "C.UTF-8");
  setenv("LANGUAGE", "de", 1);
}

// Binding the catalogue and the first lookup of every start-up text; each
// round starts from gettext's emptied cache, as a fresh start does.
void BM_StartGerman(benchmark::State& state) {
  UseGerman();
  for (auto _ : state) {
    kovala::StartTranslationsFrom(KOVALA_BENCH_LOCALE_DIR);
    for (const char* text : kStartTexts) benchmark::DoNotOptimize(kovala::Tr(text));
  }
  kovala::StopTranslations();
}
BENCHMARK(BM_StartGerman);

void BM_StartEnglish(benchmark::State& state) {
  kovala::StopTranslations();
  for (auto _ : state)
    for (const char* text : kStartTexts) benchmark::DoNotOptimize(kovala::Tr(text));
}
BENCHMARK(BM_StartEnglish);

// A text looked up again, as the message bar does on every hover.
void BM_LookupGermanAgain(benchmark::State& state) {
  UseGerman();
  kovala::StartTranslationsFrom(KOVALA_BENCH_LOCALE_DIR);
  for (auto _ : state) benchmark::DoNotOptimize(kovala::Tr("Starts a new molecule"));
  kovala::StopTranslations();
}
BENCHMARK(BM_LookupGermanAgain);

void BM_LookupCompoundGerman(benchmark::State& state) {
  UseGerman();
  kovala::StartTranslationsFrom(KOVALA_BENCH_LOCALE_DIR);
  for (auto _ : state) benchmark::DoNotOptimize(kovala::TrContext("compound", "acetic acid"));
  kovala::StopTranslations();
}
BENCHMARK(BM_LookupCompoundGerman);

}  // namespace
