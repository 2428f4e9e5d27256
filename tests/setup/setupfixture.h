// A temporary home and distribution folder for each set-up test; HOME and
// the desktop's data and configuration folders point into it, never at the real ones.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <grp.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "base/wholefile.h"
#include "setup/filehash.h"
#include "setup/installset.h"
#include "setup/manifest.h"
#include "tests/support/fakesetupdesktop.h"

namespace kovala::test {

// A disk that takes `limit` bytes in all and then is full; it counts what
// it was given.
class TLimitedDisk : public TDiskWrites {
 public:
  explicit TLimitedDisk(std::size_t bytes = SIZE_MAX) : limit(bytes) {}
  long WriteAt(int fd, const char* data, std::size_t size, long offset) override {
    if (written >= limit) {
      errno = ENOSPC;
      return -1;
    }
    const std::size_t part = std::min(size, limit - written);
    written += part;
    return TDiskWrites::WriteAt(fd, data, part, offset);
  }
  std::size_t limit;
  std::size_t written = 0;
};

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
  static bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  // A manifest as the installer writes it, for `names` as they now are in `directory`.
  static void WriteManifestFor(const std::string& directory, const std::vector<std::string>& names,
                               bool createdFolder = true, bool finished = true, const std::string& token = {}) {
    TManifest manifest;
    manifest.createdFolder = createdFolder;
    manifest.finished = finished;
    manifest.token = token;
    for (const std::string& name : names) {
      TManifestEntry entry{name, 0, 0, true};
      ASSERT_EQ(HashFile(directory + "/" + name, entry.size, entry.hash), 0) << name;
      manifest.files.push_back(entry);
    }
    std::ofstream(directory + "/" + std::string(ManifestName)) << FormatManifest(manifest);
  }
  static TManifest ManifestOf(const std::string& directory) {
    TManifest manifest;
    int error = 0;
    EXPECT_EQ(ReadManifest(directory + "/" + std::string(ManifestName), manifest, error), TManifestRead::Read);
    return manifest;
  }
  static std::vector<std::string> NamesIn(const TManifest& manifest) {
    std::vector<std::string> names;
    for (const TManifestEntry& entry : manifest.files) names.push_back(entry.name);
    return names;
  }

  // Runs `body` in a child that has dropped to the unprivileged user
  // "nobody" (root ignores permissions, so a permission case run as root
  // tests nothing); the child's exit code, or -1.
  int RunAsNobody(const std::function<int()>& body) {
    // The child must reach the temporary tree to do anything at all.
    for (const std::string& dir : {root, home, dist}) chmod(dir.c_str(), 0755);
    const pid_t child = fork();
    if (child == 0) {
      if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0 || getuid() == 0) _exit(100);
      _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }

  std::string root, home, dist, startDirectory;
  TFakeSetupDesktop desktop;
  TRecordingProgramGroups groups;
};

}  // namespace kovala::test
