// Long seeded random sessions on the frame; a broken rule names the seed and
// the action, which replay with KOVALA_SOAK_SEED and KOVALA_SOAK_ACTIONS.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/soak/soakdriver.h"

namespace kovala {
namespace {

// The whole run is split over the seeds; sanitizer builds run fewer actions.
constexpr int Seeds[] = {1, 2, 3, 4};

int ActionsPerSeed() {
  if (const char* n = std::getenv("KOVALA_SOAK_ACTIONS")) return std::atoi(n);
  return KOVALA_SOAK_ACTIONS / static_cast<int>(std::size(Seeds));
}

class SoakTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("kovala-soak-" + std::to_string(::getpid()) + "-" + std::to_string(GetParam()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

TEST_P(SoakTest, RandomActionsKeepTheRecordsAndMenusSound) {
  std::uint32_t seed = static_cast<std::uint32_t>(GetParam());
  if (const char* s = std::getenv("KOVALA_SOAK_SEED")) seed = static_cast<std::uint32_t>(std::atoi(s));
  test::TSoak soak(seed, folder);
  const int actions = ActionsPerSeed();
  std::string action;
  for (int n = 1; n <= actions; ++n) {
    const std::string broken = soak.Step(action);
    ASSERT_TRUE(broken.empty()) << "seed " << seed << ", action " << n << " (" << action << "): " << broken;
  }
  std::printf(
      "completed %d, 3-D %d, animating %d, saves read back %d, in a course %d, completed there %d (%d on "
      "rows with rules)\n",
      soak.reached.completed, soak.reached.view3D, soak.reached.animating, soak.reached.savesReadBack,
      soak.reached.inCourse, soak.reached.courseCompleted, soak.reached.ruleRowCompleted);
  // Shorter replays may end before the walk builds a whole molecule.
  if (actions >= 10000) {
    EXPECT_GT(soak.reached.completed, 0);
    EXPECT_GT(soak.reached.view3D, 0);
    EXPECT_GT(soak.reached.animating, 0);
    EXPECT_GT(soak.reached.savesReadBack, 0);
    EXPECT_GT(soak.reached.inCourse, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, SoakTest, ::testing::ValuesIn(Seeds));

}  // namespace
}  // namespace kovala
