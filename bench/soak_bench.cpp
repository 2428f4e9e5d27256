// Random student actions per second on the frame and the recording fakes,
// every model and menu rule checked after each, as the soak test runs them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/soak/soakdriver.h"

namespace {

void BM_SoakActions(benchmark::State& state) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("kovala-soak-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  kovala::test::TSoak soak(1, folder);
  std::string action;
  for (auto _ : state) {
    const std::string broken = soak.Step(action);
    if (!broken.empty()) {
      state.SkipWithError(broken.c_str());
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SoakActions)->Iterations(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
