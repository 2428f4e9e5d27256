// Building the ball model of a 26-atom molecule.
#include <benchmark/benchmark.h>

#include "tests/view3d/testmolecules.h"
#include "view3d/ballmodel.h"

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

}  // namespace
