// Building the ball model of a 26-atom molecule, and one animation tick of
// its 3-D view with the repaint it asks for.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "tests/view3d/testmolecules.h"
#include "tests/view3d/viewfakes.h"
#include "view3d/ballmodel.h"
#include "view3d/shapewindow.h"

namespace {

void BM_BuildModel(benchmark::State& state) {
  const auto octane = kovala::test::Octane();
  kovala::TBallModel model;
  for (auto _ : state) {
    model.Build(octane.atoms, 0, 0, 640, 400);
    benchmark::DoNotOptimize(model.centreX);
  }
}
BENCHMARK(BM_BuildModel);

// The view paints into a picture that counts the drawing calls and keeps
// nothing, so this times the turning, sorting and drawing calls, not pixels.
struct TAnimatedOctane {
  kovala::test::TPaintingHost host;
  kovala::test::TCountingDesktop desktop;
  kovala::test::TCountingSurface screen;
  kovala::TShapeWindow window{host, desktop};

  TAnimatedOctane() {
    host.window = &window;
    host.target = &screen;
    window.SeedRandom(1);
    window.BuildModel(kovala::test::Octane().atoms, 0, 0, 640, 400);
    window.StartAnimation();
  }
};

void BM_AnimationTick(benchmark::State& state) {
  TAnimatedOctane view;
  for (auto _ : state) view.window.Timer(kovala::TShapeWindow::AnimationTimer);
  benchmark::DoNotOptimize(view.screen.calls);
}
BENCHMARK(BM_AnimationTick);

// Heap in use before and after 10,000 ticks: a running animation must not
// accumulate anything.
void BM_TenThousandTicksHeapGrowth(benchmark::State& state) {
  for (auto _ : state) {
    TAnimatedOctane view;
    view.window.Timer(kovala::TShapeWindow::AnimationTimer);
    const auto before = mallinfo2().uordblks;
    for (int i = 0; i < 10000; ++i) view.window.Timer(kovala::TShapeWindow::AnimationTimer);
    const auto after = mallinfo2().uordblks;
    state.counters["heap_growth_bytes"] = static_cast<double>(after) - static_cast<double>(before);
    state.counters["pictures_made"] = view.desktop.created;
  }
}
BENCHMARK(BM_TenThousandTicksHeapGrowth)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
