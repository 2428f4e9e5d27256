// The installer's copy of a 50 MB install set against cp of the same files
// between the same two directories on the same disk. The target: at least
// 90 % of cp's throughput (compare the bytes_per_second of the two).
// And the un-installer with a manifest of 10,000 lines: at most 50 ms.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "setup/installset.h"
#include "setup/install/installwindow.h"
#include "setup/manifest.h"
#include "setup/uninstall/uninstallwindow.h"
#include "tests/support/fakesetupdesktop.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct TFile {
  const char* name;
  std::size_t bytes;
};

// 50,000,000 bytes in all, shaped like a distribution folder.
constexpr TFile kInstallSet[] = {
    {"kovala", 30'000'000},   {"kovala.png", 1'000'000}, {"water.kvl", 600'000},
    {"methane.kvl", 600'000}, {"ammonium.kvl", 600'000}, {"ethanol.kvl", 600'000},
    {"benzene.kvl", 600'000}, {"readme.doc", 1'000'000}, {"uninstall", 15'000'000},
};

std::int64_t TotalBytes() {
  std::int64_t total = 0;
  for (const TFile& file : kInstallSet) total += static_cast<std::int64_t>(file.bytes);
  return total;
}

// A source and an empty destination folder under the temporary directory.
class TCopyFolders {
 public:
  TCopyFolders() {
    std::string pattern = (fs::temp_directory_path() / "kovala-copy-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root = pattern;
    source = root + "/dist";
    destination = root + "/kovala";
    fs::create_directories(source);
    std::string block(1 << 16, '\0');
    unsigned seed = 12345;
    for (const TFile& file : kInstallSet) {
      std::ofstream out(source + "/" + file.name, std::ios::binary);
      for (std::size_t written = 0; written < file.bytes; written += block.size()) {
        for (char& c : block) c = static_cast<char>(seed = seed * 1103515245u + 12345u);
        out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), file.bytes - written)));
      }
    }
    fs::permissions(source + "/kovala", fs::perms::owner_all, fs::perm_options::add);
    fs::permissions(source + "/uninstall", fs::perms::owner_all, fs::perm_options::add);
    Empty();
  }
  ~TCopyFolders() { fs::remove_all(root); }
  TCopyFolders(const TCopyFolders&) = delete;
  TCopyFolders& operator=(const TCopyFolders&) = delete;

  void Empty() const {
    fs::remove_all(destination);
    fs::create_directories(destination);
  }

  std::string root, source, destination;
};

void BM_InstallerCopy(benchmark::State& state) {
  const TCopyFolders folders;
  kovala::test::TFakeSetupDesktop desktop;
  kovala::test::TRecordingProgramGroups groups;
  kovala::TInstallWindow window(desktop, groups, folders.root, folders.source);
  window.destinationPath = folders.destination;
  for (auto _ : state) {
    if (!window.PlanInstallation()) state.SkipWithError("the destination was refused");
    window.CopyFiles();
    state.PauseTiming();
    if (window.copiedFiles.size() != std::size(kInstallSet)) state.SkipWithError("not every file was copied");
    folders.Empty();
    desktop.dialogs.clear();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_InstallerCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CpCopy(benchmark::State& state) {
  const TCopyFolders folders;
  std::vector<std::string> arguments{"cp"};
  for (const TFile& file : kInstallSet) arguments.push_back(folders.source + "/" + file.name);
  arguments.push_back(folders.destination + "/");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  for (auto _ : state) {
    pid_t child = 0;
    int status = 0;
    if (posix_spawnp(&child, "cp", nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || status != 0)
      state.SkipWithError("cp failed");
    state.PauseTiming();
    folders.Empty();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes());
}
BENCHMARK(BM_CpCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading a 10,000-line manifest and going through its files, none of
// which is there any more.
void BM_UnInstallerManifest(benchmark::State& state) {
  std::string pattern = (fs::temp_directory_path() / "kovala-manifest-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  const std::string folder = pattern;
  kovala::TManifest manifest;
  for (int i = 0; i < 10000; ++i)
    manifest.files.push_back(kovala::TManifestEntry{"molecule" + std::to_string(i) + ".kvl", 1234,
                                                    0x9b9a52953d115909ULL + static_cast<unsigned>(i), true});
  std::ofstream(folder + "/kovala.installed") << kovala::FormatManifest(manifest);
  kovala::test::TFakeSetupDesktop desktop;
  kovala::test::TRecordingProgramGroups groups;
  kovala::TUnInstallWindow window(desktop, groups, "");
  window.programDirectory = folder + "/";
  for (auto _ : state) {
    int error = 0;
    if (kovala::ReadManifest(folder + "/kovala.installed", window.manifest, error) != kovala::TManifestRead::Read)
      state.SkipWithError("the manifest was refused");
    window.DeleteInstallSet();
    benchmark::DoNotOptimize(window.left.size());
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_UnInstallerManifest)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
