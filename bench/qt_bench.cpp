// One animation tick of the 3-D view as the running program shows it: the
// turn, then the repaint through the QImage picture and the painter surface,
// for a 26-ball model in a 1600 x 900 client. And the resident memory around
// ten thousand ticks, which must stay flat while the model turns, and the
// share of a core that the running animation takes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <ctime>
#include <fstream>

#include "framework/qt/paintersurface.h"
#include "framework/qt/qtdesktop.h"
#include "tests/view3d/testmolecules.h"
#include "tests/view3d/viewfakes.h"
#include "view3d/shapewindow.h"
#include "view3d/trueshapewindow.h"

namespace {

constexpr int ClientWidth = 1600;
constexpr int ClientHeight = 900;

// The window's screen: a client-sized image the host paints into at every
// update, as the widget's paint event does.
struct TQtAnimatedOctane {
  QImage screen{ClientWidth, ClientHeight, QImage::Format_RGB32};
  QPainter painter{&screen};
  kovala::TPainterSurface screenSurface{painter};
  kovala::test::TPaintingHost host;
  kovala::TQtDesktop desktop;
  kovala::TShapeWindow window{host, desktop};

  TQtAnimatedOctane() {
    host.client = {0, 0, ClientWidth, ClientHeight};
    host.window = &window;
    host.target = &screenSurface;
    window.SeedRandom(1);
    window.BuildModel(kovala::test::Octane().atoms, 0, 0, ClientWidth, ClientHeight);
    window.StartAnimation();
  }

  void Tick() { window.Timer(kovala::TShapeWindow::AnimationTimer); }
};

// Resident set size in kibibytes, from the second field of /proc/self/statm.
double ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long totalPages = 0;
  long residentPages = 0;
  statm >> totalPages >> residentPages;
  return static_cast<double>(residentPages) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

void BM_QtAnimationTick(benchmark::State& state) {
  TQtAnimatedOctane view;
  for (auto _ : state) view.Tick();
  benchmark::DoNotOptimize(view.screen.constBits());
  state.counters["balls"] = view.window.balls.Count();
  // One repaint per tick shows that every tick reached the screen image.
  state.counters["repaints_per_tick"] =
      static_cast<double>(view.host.updates) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_QtAnimationTick)->Unit(benchmark::kMicrosecond);

// The share of one core that a running animation takes: the processor time of
// one second's ticks at the window's period (target: no more than 2 %).
void BM_QtAnimationCoreShare(benchmark::State& state) {
  TQtAnimatedOctane view;
  view.Tick();  // the off-screen picture is made once
  constexpr int TicksPerSecond = 1000 / kovala::TShapeWindow::AnimationPeriod;
  double cpuSeconds = 0;
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    for (int i = 0; i < TicksPerSecond; ++i) view.Tick();
    cpuSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  }
  benchmark::DoNotOptimize(view.screen.constBits());
  state.counters["ticks_per_second"] = TicksPerSecond;
  state.counters["core_share_percent"] = 100.0 * cpuSeconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_QtAnimationCoreShare)->Unit(benchmark::kMillisecond);

void BM_QtTenThousandTicksResidentSet(benchmark::State& state) {
  for (auto _ : state) {
    TQtAnimatedOctane view;
    // The first tick makes the off-screen picture that every later tick reuses.
    view.Tick();
    const double before = ResidentKiB();
    for (int i = 0; i < 10000; ++i) view.Tick();
    const double after = ResidentKiB();
    state.counters["rss_before_kib"] = before;
    state.counters["rss_after_kib"] = after;
    state.counters["rss_growth_kib"] = after - before;
  }
}
BENCHMARK(BM_QtTenThousandTicksResidentSet)->Iterations(1)->Unit(benchmark::kMillisecond);

// The true shape of octane (26 atoms) in a 1600 x 900 view with its angle
// labels, painted antialiased into a client-sized image as the widget's paint
// event does.
struct TTrueShapeOctane {
  QImage screen{ClientWidth, ClientHeight, QImage::Format_RGB32};
  kovala::test::TFakeHost host;
  kovala::TQtDesktop desktop;
  kovala::TTrueShapeWindow window{host, desktop};

  explicit TTrueShapeOctane(bool labels) {
    host.client = {0, 0, ClientWidth, ClientHeight};
    kovala::TChemGraph& graph = window.graph;
    for (int c = 0; c < 8; ++c) {
      graph.atoms.push_back({kovala::Carbon, 0, 0, 0, 0, 0});
      if (c > 0) graph.bonds.push_back({c - 1, c, 1});
    }
    for (int c = 0; c < 8; ++c)
      for (int h = 0; h < (c == 0 || c == 7 ? 3 : 2); ++h) {
        graph.bonds.push_back({c, static_cast<int>(graph.atoms.size()), 1});
        graph.atoms.push_back({kovala::Hydrogen, 0, 0, 0, 0, 0});
      }
    window.shape = kovala::TrueShapeOf(graph);
    window.name = "octane";
    window.formula = "C₈H₁₈";
    window.showAngles = labels;
    window.showLonePairs = labels;
  }
  void Frame() {
    QPainter painter(&screen);
    painter.fillRect(screen.rect(), Qt::white);
    kovala::TPainterSurface surface(painter);
    window.Paint(surface);
  }
};

// Argument 1: with the angle labels and lone pairs shown, 0: as first shown.
void BM_TrueShapeFrame(benchmark::State& state) {
  TTrueShapeOctane view(state.range(0) != 0);
  for (auto _ : state) {
    view.window.Turn(kovala::TTrueShapeWindow::AnimationStep, 0);
    view.Frame();
  }
  benchmark::DoNotOptimize(view.screen.constBits());
  state.counters["atoms"] = static_cast<double>(view.window.shape.atoms.size());
}
BENCHMARK(BM_TrueShapeFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The share of one core that the turning true shape takes: the processor
// time of one second of timer ticks, each followed by its frame (target: 3 %).
void BM_TrueShapeAnimationCoreShare(benchmark::State& state) {
  TTrueShapeOctane view(state.range(0) != 0);
  view.window.StartAnimation();
  constexpr int TicksPerSecond = 1000 / kovala::TTrueShapeWindow::AnimationPeriod;
  double cpuSeconds = 0;
  for (auto _ : state) {
    const std::clock_t start = std::clock();
    for (int i = 0; i < TicksPerSecond; ++i) {
      view.window.Timer(kovala::TTrueShapeWindow::AnimationTimer);
      view.Frame();
    }
    cpuSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  }
  benchmark::DoNotOptimize(view.screen.constBits());
  state.counters["ticks_per_second"] = TicksPerSecond;
  state.counters["core_share_percent"] = 100.0 * cpuSeconds / static_cast<double>(state.iterations());
}
BENCHMARK(BM_TrueShapeAnimationCoreShare)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
