#include "install/installwindow.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "install/diskspacedialog.h"
#include "install/drives.h"
#include "install/installset.h"

namespace kovala {

namespace fs = std::filesystem;

namespace {

// Large blocks keep the copy as fast as the disk allows.
constexpr std::size_t CopyBlockSize = 1 << 20;

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool CopyContents(int from, int to) {
  std::vector<char> block(CopyBlockSize);
  for (;;) {
    const ssize_t got = read(from, block.data(), block.size());
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (!WriteAll(to, block.data(), static_cast<std::size_t>(got))) return false;
  }
}

std::string FileName(const std::string& path) { return fs::path(path).filename().string(); }

}  // namespace

TInstallWindow::TInstallWindow(ISetupDesktop& setupDesktop, IProgramGroupService& groups,
                               const std::string& homeDirectory)
    : defaultDirectory(JoinPath(homeDirectory, "kovala")),
      destinationPath(defaultDirectory),
      desktop(setupDesktop),
      programGroups(groups) {}

void TInstallWindow::SetupWindow() {
  createGroup = 0;
  if (!choiceDialog.SetupWindow()) CloseMainWindow();
}

void TInstallWindow::CloseMainWindow() {
  ended = true;
  desktop.CloseMainWindow();
}

void TInstallWindow::Refuse(const std::string& text) { desktop.MessageBox(text, title, TIcon::Stop); }

void TInstallWindow::RunInstallation() {
  // Always the number: today's disks hold far more than the old "N/A" limit.
  const std::string available = std::to_string(FreeKB(destinationPath)) + " kB";

  std::error_code error;
  sourceDirectory = fs::current_path(error).string();
  neededKB = 0;
  for (const std::string& name : FindInstallSet(sourceDirectory))
    neededKB += FileSizeKB(JoinPath(sourceDirectory, name));
  neededKB += FileSizeKB(JoinPath(sourceDirectory, UnInstallProgram));

  if (TDiskSpaceDialog(std::to_string(neededKB) + " kB", available).Execute(desktop) != IdOk) {
    // Nothing was copied, so the default directory made for it goes again.
    if (destinationPath == defaultDirectory) rmdir(defaultDirectory.c_str());
    CloseMainWindow();
    return;
  }
  CopyFiles();
  if (createGroup == 1) CreateProgramGroup();
  desktop.MessageBox("Installation Complete", "Installation Complete", TIcon::Information);
  CloseMainWindow();
}

void TInstallWindow::CopyFiles() {
  const std::vector<std::string> files = FindInstallSet(sourceDirectory);
  filesToCopy = static_cast<int>(files.size()) + 1;
  filesCopied = 0;
  progressPercent = 0;
  copiedFiles.clear();
  copyFile = std::make_unique<TCopyFile>(desktop);

  auto copy = [&](const std::string& name) {
    if (!CopyOneFile(name, JoinPath(destinationPath, name))) return;
    if (std::find(copiedFiles.begin(), copiedFiles.end(), name) == copiedFiles.end())
      copiedFiles.push_back(name);
  };
  for (const std::string& name : files) copy(name);
  copy(std::string(UnInstallProgram));

  // The un-installer removes exactly what the manifest names; an earlier
  // installation's names stay in it.
  const std::string manifest = JoinPath(destinationPath, ManifestName);
  std::vector<std::string> names = ReadManifest(manifest);
  for (const std::string& name : copiedFiles)
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  if (!copiedFiles.empty()) WriteManifest(manifest, names);

  copyFile.reset();
}

bool TInstallWindow::CopyOneFile(const std::string& source, const std::string& destination) {
  if (destination.size() > MaxFilePath) {
    Refuse(destination + " is longer than 139 characters and is not copied.");
    return false;
  }
  const std::string sourcePath = JoinPath(sourceDirectory, source);
  std::error_code error;
  while (!fs::exists(sourcePath, error)) {
    const TAnswer answer =
        desktop.MessageBox(source + " cannot be found on the current disk. Would you like to change disks?",
                           "Warning", TIcon::Question, TButtons::YesNo);
    if (answer != TAnswer::Yes) return false;
  }

  const int from = open(sourcePath.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0) return false;
  struct stat sourceInfo {};
  if (fstat(from, &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) {
    close(from);
    return false;
  }
  // The copy grows under a hidden name beside its target and takes the real
  // name only once complete, so no half-copied file is ever left behind.
  const fs::path target(destination);
  // Appended piece by piece: GCC 12's optimiser misreads "." + name as an
  // overlapping copy and stops a Release build.
  std::string hiddenName(".");
  hiddenName += target.filename().string();
  hiddenName += ".copying";
  const std::string temporary = (target.parent_path() / hiddenName).string();
  const int to = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (to < 0) {
    close(from);
    return false;
  }
  if (copyFile) copyFile->SetStatus(FileName(destination) + " is being copied.");

  bool complete = CopyContents(from, to);
  // The programs keep their execute bits.
  complete = fchmod(to, sourceInfo.st_mode & 0777) == 0 && complete;
  complete = close(to) == 0 && complete;
  close(from);
  if (!complete || rename(temporary.c_str(), destination.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  AdvanceProgress(destination);
  return true;
}

void TInstallWindow::AdvanceProgress(const std::string& destination) {
  ++filesCopied;
  if (neededKB > 0) {
    const std::uint64_t share = std::uint64_t{FileSizeKB(destination)} * 100 / neededKB;
    progressPercent = static_cast<int>(std::min<std::uint64_t>(progressPercent + share, 100));
  } else {
    // Files under 1000 bytes weigh nothing, so the bar counts files instead.
    progressPercent = std::min(100, filesCopied * 100 / std::max(filesToCopy, 1));
  }
  if (copyFile) copyFile->SetProgress(progressPercent);
}

void TInstallWindow::CreateProgramGroup() {
  const std::string text = CreateGroupCommand(destinationPath);
  if (!programGroups.Connect()) {
    desktop.MessageBox("Can't start conversation.\nMake sure PROGMAN is running.", title, TIcon::Stop);
    return;
  }
  if (!programGroups.Execute(text))
    desktop.MessageBox("A critical DDE error has occured.", title, TIcon::Information);
}

}  // namespace kovala
