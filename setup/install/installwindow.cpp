#include "setup/install/installwindow.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "setup/install/diskspacedialog.h"
#include "setup/install/drives.h"
#include "setup/filehash.h"
#include "setup/filetype.h"
#include "setup/installset.h"

namespace kovala {

namespace fs = std::filesystem;

namespace {

// Large blocks keep the copy as fast as the disk allows.
constexpr std::size_t CopyBlockSize = 1 << 20;

std::string CannotInstall(const std::string& folder, const std::string& reason) {
  return FormatText(Tr("Kovala cannot be installed in {0}:\n{1}"), {Printable(folder), reason});
}

// Kovala is installed; only the desktop's file type is missing.
std::string NoDoubleClick(const std::string& what, int error) {
  return FormatText(
      Tr("Kovala is installed, but its molecule files will not open by a double click: {0}.\n{1}."),
      {Printable(what), Reason(error)});
}

bool IsRegular(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

TInstallWindow::TInstallWindow(ISetupDesktop& setupDesktop, IProgramGroupService& groups,
                               const std::string& homeDirectory, const std::string& programFolder)
    : defaultDirectory(JoinPath(homeDirectory, "kovala")),
      destinationPath(defaultDirectory),
      sourceDirectory(programFolder),
      desktop(setupDesktop),
      programGroups(groups) {}

void TInstallWindow::SetupWindow() {
  createGroup = 0;
  if (sourceDirectory.empty()) {
    Refuse(Tr("The installer cannot tell which folder it was started from, so it has nothing to install."));
    CloseMainWindow();
    return;
  }
  if (!choiceDialog.SetupWindow()) CloseMainWindow();
}

void TInstallWindow::CloseMainWindow() {
  ended = true;
  desktop.CloseMainWindow();
}

void TInstallWindow::Refuse(const std::string& text) { desktop.MessageBox(text, title, TIcon::Stop); }

std::string TInstallWindow::CheckDestination(const std::string& destination) const {
  if (HasControlCharacter(destination))
    return CannotInstall(destination, Tr("its name holds a control character, such as a line break."));
  if (destination.empty() || destination[0] != '/')
    return CannotInstall(destination, Tr("it is not a full path."));
  struct stat info {};
  if (stat(destination.c_str(), &info) != 0) {
    if (errno != ENOENT) return CannotInstall(destination, Reason(errno) + ".");
    // A folder that is not there yet is made in its parent.
    const std::string parent = fs::path(destination).parent_path().string();
    if (access(parent.c_str(), W_OK | X_OK) != 0) return CannotInstall(destination, Reason(errno) + ".");
    return {};
  }
  if (!S_ISDIR(info.st_mode)) return CannotInstall(destination, Tr("it is a file, not a folder."));
  struct stat source {};
  if (stat(sourceDirectory.c_str(), &source) == 0 && source.st_dev == info.st_dev && source.st_ino == info.st_ino)
    return CannotInstall(destination, Tr("it is the folder the installer runs from."));
  if (access(destination.c_str(), W_OK | X_OK) != 0) return CannotInstall(destination, Reason(errno) + ".");
  return {};
}

bool TInstallWindow::PlanInstallation() {
  plan.clear();
  keptFiles.clear();
  earlierText.clear();
  hadManifest = false;
  createdDestination = destinationPath == defaultDirectory && choiceDialog.createdDefault;
  bool madeNow = false;
  if (mkdir(destinationPath.c_str(), 0755) == 0) {
    createdDestination = madeNow = true;
  } else if (errno != EEXIST) {
    Refuse(CannotInstall(destinationPath, Reason(errno) + "."));
    return false;
  }
  auto refuse = [&](const std::string& text) {
    if (madeNow) rmdir(destinationPath.c_str());
    Refuse(text);
    return false;
  };

  const std::string manifestPath = JoinPath(destinationPath, ManifestName);
  int error = 0;
  switch (ReadManifest(manifestPath, earlier, error, &earlierText)) {
    case TManifestRead::Absent:
      earlier = TManifest{};
      break;
    case TManifestRead::Read:
      hadManifest = true;
      break;
    case TManifestRead::TooLarge:
      return refuse(FormatText(Tr("Nothing was installed: {0} is in the way. It is far too large to be the "
                                  "list of an earlier installation."),
                               {Printable(manifestPath)}));
    case TManifestRead::Unreadable:
      return refuse(
          FormatText(Tr("Nothing was installed: {0} is in the way. It cannot be read as the list of an "
                        "earlier installation ({1})."),
                     {Printable(manifestPath), Reason(error)}));
  }

  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const std::string& name : FindInstallSet(sourceDirectory))
    if (seen.insert(name).second) names.push_back(name);
  for (const std::string& name : FindCatalogues(sourceDirectory))
    if (seen.insert(name).second) names.push_back(name);
  if (seen.insert(std::string(UnInstallProgram)).second) names.emplace_back(UnInstallProgram);

  const TManifestIndex index(earlier);
  for (const std::string& name : names) {
    const std::string path = JoinPath(destinationPath, name);
    struct stat info {};
    if (!InRealFolders(destinationPath, name)) {
      // A file or a link stands where a folder of ours would go.
      keptFiles.push_back(name);
    } else if (lstat(path.c_str(), &info) != 0 && errno == ENOENT) {
      plan.push_back(TPlannedFile{name, false, 0, 0});
    } else if (index.StillAsInstalled(name, path)) {
      plan.push_back(TPlannedFile{name, true, 0, 0});
    } else if (IsProgramFile(name)) {
      // Without this file the installation would not work, and it is not ours to replace.
      return refuse(
          FormatText(Tr("Nothing was installed: {0} is in the way. The installer did not put it there "
                        "and will not replace it."),
                     {Printable(path)}));
    } else {
      keptFiles.push_back(name);
    }
  }
  return true;
}

void TInstallWindow::RunInstallation() {
  // Always the number: today's disks hold far more than the old "N/A" limit.
  const std::string available = FormatText(Tr("{0} kB"), {std::to_string(FreeKB(destinationPath))});

  neededKB = 0;
  for (const std::string& name : FindInstallSet(sourceDirectory))
    neededKB += FileSizeKB(JoinPath(sourceDirectory, name));
  for (const std::string& name : FindCatalogues(sourceDirectory))
    neededKB += FileSizeKB(JoinPath(sourceDirectory, name));
  neededKB += FileSizeKB(JoinPath(sourceDirectory, UnInstallProgram));

  if (TDiskSpaceDialog(FormatText(Tr("{0} kB"), {std::to_string(neededKB)}), available).Execute(desktop) !=
      IdOk) {
    // Nothing was copied, so a folder made for it goes again.
    if (createdDestination) rmdir(destinationPath.c_str());
    CloseMainWindow();
    return;
  }
  if (!CopyFiles()) {
    CloseMainWindow();
    return;
  }
  if (createGroup == 1) {
    CreateProgramGroup();
    InstallFileType();
  }
  if (!keptFiles.empty()) {
    std::string text =
        FormatText(Tr("These files were already in {0} and were not put there by the installer. "
                      "They have been kept as they are:"),
                   {Printable(destinationPath)});
    for (const std::string& name : keptFiles) text += Concat({"\n", Printable(name)});
    desktop.MessageBox(text, title, TIcon::Information);
  }
  desktop.MessageBox(Tr("Installation Complete"), Tr("Installation Complete"), TIcon::Information);
  CloseMainWindow();
}

bool TInstallWindow::CopyFiles() {
  filesToCopy = static_cast<int>(plan.size());
  filesCopied = 0;
  progressPercent = 0;
  copiedFiles.clear();
  madeFolders.clear();
  token.clear();
  copyFile = std::make_unique<TCopyFile>(desktop);

  // Every source is there and can be read before anything is written.
  std::vector<TPlannedFile> toCopy;
  for (TPlannedFile file : plan) {
    const std::string source = JoinPath(sourceDirectory, file.name);
    bool skipped = false;
    std::error_code missing;
    while (!skipped && !fs::exists(source, missing)) {
      const TAnswer answer = desktop.MessageBox(
          FormatText(Tr("{0} cannot be found on the current disk. Would you like to change disks?"),
                     {file.name}),
          Tr("Warning"), TIcon::Question, TButtons::YesNo);
      skipped = answer != TAnswer::Yes;
    }
    if (skipped) continue;
    const int fd = open(source.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    int error = fd < 0 ? errno : fstat(fd, &info) != 0 ? errno : S_ISREG(info.st_mode) ? 0 : EINVAL;
    if (fd >= 0) close(fd);
    if (error != 0) {
      Abandon(FormatText(Tr("{0} could not be read"), {source}), Reason(error) + ".", {});
      return false;
    }
    file.size = static_cast<std::uint64_t>(info.st_size);
    toCopy.push_back(file);
  }

  // Hidden copies an interrupted run left behind are ours to remove.
  if (hadManifest && !earlier.finished && !earlier.token.empty())
    for (const TManifestEntry& entry : earlier.files) {
      const std::string leftover = JoinPath(destinationPath, TemporaryName(entry.name, earlier.token));
      if (InRealFolders(destinationPath, entry.name) && IsRegular(leftover)) unlink(leftover.c_str());
    }

  // What stays listed of the earlier installation: its files this run does
  // not replace, as long as they are still as it left them.
  std::unordered_set<std::string> copying;
  for (const TPlannedFile& file : toCopy) copying.insert(file.name);
  std::vector<TManifestEntry> carried;
  const TManifestIndex index(earlier);
  for (const TManifestEntry& entry : earlier.files)
    if (entry.known && copying.count(entry.name) == 0 &&
        index.StillAsInstalled(entry.name, JoinPath(destinationPath, entry.name)))
      carried.push_back(entry);

  // The sub-folders the copies need that are missing, shallower first; an
  // earlier installation's folders stay listed while they are there.
  std::vector<std::string> toMake;
  for (const TPlannedFile& file : toCopy)
    for (std::size_t slash = file.name.find('/'); slash != std::string::npos;
         slash = file.name.find('/', slash + 1)) {
      const std::string folder = file.name.substr(0, slash);
      struct stat info {};
      if (lstat(JoinPath(destinationPath, folder).c_str(), &info) != 0 && errno == ENOENT &&
          std::find(toMake.begin(), toMake.end(), folder) == toMake.end())
        toMake.push_back(folder);
    }
  std::vector<std::string> folders;
  for (const std::string& folder : earlier.madeFolders) {
    struct stat info {};
    if (lstat(JoinPath(destinationPath, folder).c_str(), &info) == 0 && S_ISDIR(info.st_mode))
      folders.push_back(folder);
  }
  folders.insert(folders.end(), toMake.begin(), toMake.end());
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());

  // Before the first copy, the manifest says what is about to come, so an
  // interrupted run can be cleaned up. The hashes come with the copies; the
  // copies take their names only after the manifest has them.
  token = RandomToken();
  TManifest running;
  running.finished = false;
  running.createdFolder = createdDestination || earlier.createdFolder;
  running.token = token;
  running.madeFolders = folders;
  CarryDesktopFiles(earlier, running);
  for (const TManifestEntry& entry : earlier.files)
    if (entry.known) running.files.push_back(entry);
  const std::size_t earlierCount = running.files.size();
  for (const TPlannedFile& file : toCopy) running.files.push_back(TManifestEntry{file.name, file.size, 0, true, true});
  const std::string manifestPath = JoinPath(destinationPath, ManifestName);
  if (const int error = ReplaceFile(destinationPath, std::string(ManifestName), FormatManifest(running), 0644, *disk);
      error != 0) {
    Abandon(FormatText(Tr("{0} could not be written"), {manifestPath}), Reason(error) + ".", {});
    return false;
  }

  for (const std::string& folder : toMake) {
    const std::string path = JoinPath(destinationPath, folder);
    if (mkdir(path.c_str(), 0755) != 0) {
      const int error = errno;
      Abandon(FormatText(Tr("{0} could not be made"), {path}), Reason(error) + ".", {});
      return false;
    }
    madeFolders.push_back(path);
  }

  for (TPlannedFile& file : toCopy) {
    if (copyFile) copyFile->SetStatus(FormatText(Tr("{0} is being copied."), {file.name}));
    std::uint64_t size = 0;
    const std::string temporary = JoinPath(destinationPath, TemporaryName(file.name, token));
    if (const int error = CopyOneFile(JoinPath(sourceDirectory, file.name), temporary, size, file.hash); error != 0) {
      Abandon(FormatText(Tr("{0} could not be written"), {JoinPath(destinationPath, file.name)}),
              Reason(error) + ".", {});
      return false;
    }
    file.size = size;
    AdvanceProgress(file.size);
  }
  for (std::size_t i = 0; i < toCopy.size(); ++i) {
    running.files[earlierCount + i].size = toCopy[i].size;
    running.files[earlierCount + i].hash = toCopy[i].hash;
    running.files[earlierCount + i].pending = false;
  }
  if (const int error = ReplaceFile(destinationPath, std::string(ManifestName), FormatManifest(running), 0644, *disk);
      error != 0) {
    Abandon(FormatText(Tr("{0} could not be written"), {manifestPath}), Reason(error) + ".", {});
    return false;
  }

  // Only now do the copies take their names: until here the folder held
  // nothing new under a visible name.
  std::vector<std::string> placed;
  for (const TPlannedFile& file : toCopy) {
    const std::string target = JoinPath(destinationPath, file.name);
    if (rename(JoinPath(destinationPath, TemporaryName(file.name, token)).c_str(), target.c_str()) != 0) {
      Abandon(FormatText(Tr("{0} could not be written"), {target}), Reason(errno) + ".", placed);
      return false;
    }
    placed.push_back(target);
  }

  TManifest done;
  done.createdFolder = running.createdFolder;
  done.madeFolders = folders;
  CarryDesktopFiles(earlier, done);
  done.files = carried;
  for (const TPlannedFile& file : toCopy) done.files.push_back(TManifestEntry{file.name, file.size, file.hash});
  if (const int error = ReplaceFile(destinationPath, std::string(ManifestName), FormatManifest(done), 0644, *disk);
      error != 0) {
    Abandon(FormatText(Tr("{0} could not be written"), {manifestPath}), Reason(error) + ".", placed);
    return false;
  }
  for (const TPlannedFile& file : toCopy) copiedFiles.push_back(file.name);
  installed = done;
  copyFile.reset();
  return true;
}

void TInstallWindow::Abandon(const std::string& what, const std::string& reason,
                             const std::vector<std::string>& placed) {
  if (!token.empty())
    for (const TPlannedFile& planned : plan) {
      const std::string temporary = JoinPath(destinationPath, TemporaryName(planned.name, token));
      if (IsRegular(temporary)) unlink(temporary.c_str());
    }
  for (const std::string& path : placed) unlink(path.c_str());
  // Deepest first; a folder something else now stands in stays.
  for (auto at = madeFolders.rbegin(); at != madeFolders.rend(); ++at) rmdir(at->c_str());
  madeFolders.clear();
  const std::string manifestPath = JoinPath(destinationPath, ManifestName);
  if (!token.empty()) {
    // The earlier installation's list comes back as it was.
    if (!hadManifest)
      unlink(manifestPath.c_str());
    else
      ReplaceFile(destinationPath, std::string(ManifestName), earlierText, 0644);
  }
  if (createdDestination) rmdir(destinationPath.c_str());
  copyFile.reset();
  Refuse(FormatText(Tr("Kovala was not installed: {0}.\n{1}\nNothing of this installation is left in {2}."),
                    {Printable(what), reason, Printable(destinationPath)}));
}

int TInstallWindow::CopyOneFile(const std::string& source, const std::string& temporary, std::uint64_t& size,
                                std::uint64_t& hash) {
  const int from = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (from < 0) return errno;
  struct stat sourceInfo {};
  if (fstat(from, &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) {
    close(from);
    return S_ISREG(sourceInfo.st_mode) ? errno : EINVAL;
  }
  TNewFile to(temporary, 0600, *disk);
  if (to.Error() != 0) {
    close(from);
    return to.Error();
  }
  TFileHash fileHash;
  std::vector<char> block(CopyBlockSize);
  int error = 0;
  while (error == 0) {
    const ssize_t got = read(from, block.data(), block.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno != EINTR) error = errno;
      continue;
    }
    fileHash.Add(block.data(), static_cast<std::size_t>(got));
    to.Write(block.data(), static_cast<std::size_t>(got));
    error = to.Error();
  }
  close(from);
  // The programs keep their execute bits.
  to.SetMode(sourceInfo.st_mode & 0777);
  // A failed read leaves the copy unfinished, and so removed with `to`.
  if (error == 0) error = to.Finish();
  size = fileHash.Size();
  hash = fileHash.Value();
  return error;
}

void TInstallWindow::AdvanceProgress(std::uint64_t bytes) {
  ++filesCopied;
  if (neededKB > 0) {
    const std::uint64_t share = std::min<std::uint64_t>(bytes / 1000, UINT32_MAX) * 100 / neededKB;
    progressPercent = static_cast<int>(std::min<std::uint64_t>(progressPercent + share, 100));
  } else {
    // Files under 1000 bytes weigh nothing, so the bar counts files instead.
    progressPercent = std::min(100, filesCopied * 100 / std::max(filesToCopy, 1));
  }
  if (copyFile) copyFile->SetProgress(progressPercent);
}

void TInstallWindow::CarryDesktopFiles(const TManifest& from, TManifest& to) {
  to.desktopFiles = from.desktopFiles;
  to.desktopFolders = from.desktopFolders;
  to.desktopCaches = from.desktopCaches;
}

bool TInstallWindow::WriteManifest(const TManifest& manifest) {
  const int error = ReplaceFile(destinationPath, std::string(ManifestName), FormatManifest(manifest), 0644, *disk);
  if (error != 0)
    desktop.MessageBox(
        NoDoubleClick(FormatText(Tr("{0} could not be written"), {JoinPath(destinationPath, ManifestName)}),
                      error),
        title, TIcon::Information);
  return error == 0;
}

void TInstallWindow::InstallFileType() {
  const std::string dataHome = UserDataHome();
  const TUserTypePlaces places(dataHome);
  const std::string package(MoleculeTypePackage());
  TFileHash packageHash;
  packageHash.Add(package.data(), package.size());
  const TManifestEntry entry{places.package, packageHash.Size(), packageHash.Value()};

  // A type file the installer did not put there, or one changed since, is
  // someone else's: it stays, and is not listed.
  struct stat info {};
  if (lstat(places.package.c_str(), &info) == 0) {
    bool ours = false;
    for (const TManifestEntry& listed : earlier.desktopFiles) {
      std::uint64_t size = 0, hash = 0;
      ours = ours || (listed.name == places.package && S_ISREG(info.st_mode) &&
                      HashFile(places.package, size, hash) == 0 && size == listed.size && hash == listed.hash);
    }
    if (!ours) return;
  }

  std::error_code ignored;
  fs::create_directories(dataHome, ignored);
  std::vector<std::string> made;
  for (const std::string& folder : {places.mimeFolder, places.packagesFolder}) {
    if (mkdir(folder.c_str(), 0755) == 0) {
      made.push_back(folder);
    } else if (errno != EEXIST) {
      const int error = errno;
      for (auto at = made.rbegin(); at != made.rend(); ++at) rmdir(at->c_str());
      desktop.MessageBox(NoDoubleClick(FormatText(Tr("{0} could not be made"), {folder}), error), title,
                         TIcon::Information);
      return;
    }
  }

  // Listed before it is written, with the size and hash it will have, so an
  // installation cut short here still leaves nothing unlisted behind.
  std::erase_if(installed.desktopFiles, [&](const TManifestEntry& e) { return e.name == places.package; });
  installed.desktopFiles.push_back(entry);
  for (const std::string& folder : made) installed.desktopFolders.push_back(folder);
  if (!WriteManifest(installed)) {
    for (auto at = made.rbegin(); at != made.rend(); ++at) rmdir(at->c_str());
    return;
  }
  if (const TWriteResult written = ReplaceWholeFile(places.package, package, TWholeFile::Private(0644), *disk);
      !written.Ok()) {
    desktop.MessageBox(
        NoDoubleClick(FormatText(Tr("{0} could not be written"), {places.package}),
                      written.failure == TWriteFailure::NotAFile ? EISDIR : written.systemError),
        title, TIcon::Information);
    return;
  }

  const bool cacheWasThere = lstat(places.desktopCache.c_str(), &info) == 0;
  caches->Refresh(places);
  if (!cacheWasThere && lstat(places.desktopCache.c_str(), &info) == 0) {
    installed.desktopCaches.push_back(places.desktopCache);
    WriteManifest(installed);
  }
}

void TInstallWindow::CreateProgramGroup() {
  const std::string text = CreateGroupCommand(destinationPath);
  if (!programGroups.Connect()) {
    desktop.MessageBox(Tr("Can't start conversation.\nMake sure PROGMAN is running."), title, TIcon::Stop);
    return;
  }
  if (!programGroups.Execute(text))
    desktop.MessageBox(Tr("A critical DDE error has occured."), title, TIcon::Information);
}

}  // namespace kovala
