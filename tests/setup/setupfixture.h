// A temporary home and distribution folder for each set-up test; HOME and
// the desktop's data and configuration folders point into it, never at the real ones.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/fakesetupdesktop.h"

namespace kovala::test {

class SetupFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "kovala-setup-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    home = root + "/home";
    dist = root + "/dist";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(dist);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/.local/share").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    startDirectory = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(dist.c_str()), 0);
  }
  void TearDown() override {
    if (chdir(startDirectory.c_str()) != 0) ADD_FAILURE() << "cannot go back";
    std::filesystem::remove_all(root);
  }

  static void Write(const std::string& path, std::size_t bytes, bool program = false) {
    std::ofstream(path) << std::string(bytes, 'x');
    if (program) chmod(path.c_str(), 0755);
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

  std::string root, home, dist, startDirectory;
  TFakeSetupDesktop desktop;
  TRecordingProgramGroups groups;
};

}  // namespace kovala::test
