#include "setup/uninstall/uninstallwindow.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "setup/filehash.h"
#include "setup/installset.h"
#include "setup/setuptext.h"

namespace kovala {

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// A directory that merely holds some other program of that name is not an
// installation: only the manifest says what may be removed. An installation
// stopped during its copy has no program yet, only its unfinished manifest.
bool IsInstallation(const fs::path& directory) {
  if (!IsFile(directory / ManifestName)) return false;
  if (IsFile(directory / ProgramName)) return true;
  TManifest manifest;
  int error = 0;
  return ReadManifest((directory / ManifestName).string(), manifest, error) == TManifestRead::Read &&
         !manifest.legacy && !manifest.finished;
}

// The order files go in: the install set's patterns, the files in
// sub-folders (the catalogues), then the un-installer.
int Rank(const std::string& name) {
  if (name.find('/') != std::string::npos) return static_cast<int>(InstallSet.size());
  for (std::size_t i = 0; i < InstallSet.size(); ++i)
    if (MatchesPattern(name, InstallSet[i])) return static_cast<int>(i);
  return name == UnInstallProgram ? static_cast<int>(InstallSet.size() + 1) : -1;
}

}  // namespace

TUnInstallWindow::TUnInstallWindow(ISetupDesktop& setupDesktop, IProgramGroupService& groups,
                                   std::string pathVariable, std::string programFolder)
    : desktop(setupDesktop),
      programGroups(groups),
      path(std::move(pathVariable)),
      ownFolder(std::move(programFolder)) {}

std::string TUnInstallWindow::LocateInstallation(const std::string& programFolder,
                                                 const std::string& pathVariable) {
  std::error_code error;
  std::vector<fs::path> candidates;
  if (!programFolder.empty()) candidates.emplace_back(programFolder);
  candidates.push_back(fs::current_path(error));
  std::stringstream entries(pathVariable);
  std::string entry;
  while (std::getline(entries, entry, ':'))
    if (!entry.empty()) candidates.push_back(fs::absolute(entry, error));
  for (const fs::path& directory : candidates)
    if (IsInstallation(directory)) return directory.lexically_normal().string();
  return {};
}

void TUnInstallWindow::SetupWindow() {
  std::string directory = LocateInstallation(ownFolder, path);
  if (directory.empty()) {
    desktop.MessageBox(Tr("The kovala program cannot be found."), Tr("Information"), TIcon::Information);
    desktop.CloseMainWindow();
    return;
  }
  if (directory.size() > 1 && directory.back() == '/') directory.pop_back();
  if (!WithinPathLimit(directory)) {
    desktop.MessageBox(
        Tr("The kovala program's directory path is longer than 99 characters and cannot be removed."), title,
        TIcon::Stop);
    desktop.CloseMainWindow();
    return;
  }
  programDirectory = JoinPath(directory, "");
  const std::string manifestPath = JoinPath(programDirectory, ManifestName);
  int error = 0;
  switch (ReadManifest(manifestPath, manifest, error)) {
    case TManifestRead::Read:
      break;
    case TManifestRead::TooLarge:
      desktop.MessageBox(
          FormatText(Tr("{0} is far too large to be the list of a Kovala installation. Nothing was "
                        "removed."),
                     {Printable(manifestPath)}),
          title, TIcon::Stop);
      desktop.CloseMainWindow();
      return;
    case TManifestRead::Absent:
    case TManifestRead::Unreadable:
      desktop.MessageBox(FormatText(Tr("{0} cannot be read ({1}). Nothing was removed."),
                                    {Printable(manifestPath), Reason(error)}),
                         title, TIcon::Stop);
      desktop.CloseMainWindow();
      return;
  }
  // The teacher sees which installation goes before saying yes.
  desktop.ShowNote(
      FormatText(Tr("Kovala installed in {0} will be removed from there."), {Printable(directory)}));
  if (desktop.MessageBox(Tr("You have started the un-install utililty for the program Kovala. Continue?"),
                         Tr("Un-Install Kovala?"), TIcon::Question, TButtons::YesNo) != TAnswer::Yes) {
    desktop.CloseMainWindow();
    return;
  }
  RemoveProgramGroup();
  DeleteInstallSet();
  RemoveFileType();
  RemoveMadeFolders();
  if (stuck.empty() && stuckDesktop.empty()) {
    unlink(manifestPath.c_str());
  } else {
    // The list keeps what could not be removed, so another run can.
    TManifest rest = manifest;
    rest.finished = true;
    rest.token.clear();
    std::erase_if(rest.files, [&](const TManifestEntry& entry) { return stuck.count(entry.name) == 0; });
    rest.madeFolders = keptFolders;
    rest.desktopFiles = stuckDesktop;
    rest.desktopFolders.clear();
    rest.desktopCaches.clear();
    ReplaceFile(directory, std::string(ManifestName), FormatManifest(rest), 0644);
  }
  if (left.empty()) {
    // Only a folder the installer made goes, and only when nothing else is in it.
    if (manifest.createdFolder) rmdir(directory.c_str());
    desktop.MessageBox(Tr("Un-Install of Kovala completed."), Tr("Information"), TIcon::Information);
  } else {
    std::string text =
        FormatText(Tr("Kovala was not removed completely from {0}. Left there:"), {Printable(directory)});
    for (const std::string& line : left) text += Concat({"\n", line});
    desktop.MessageBox(text, title, TIcon::Stop);
  }
  desktop.CloseMainWindow();
}

void TUnInstallWindow::RemoveProgramGroup() {
  if (!programGroups.Connect()) {
    desktop.MessageBox(Tr("Can't start conversation.\nMake sure PROGMAN is running."), title, TIcon::Stop);
    return;
  }
  if (!programGroups.Execute(DeleteGroupCommand()))
    desktop.MessageBox(Tr("A critical DDE error has occured."), title, TIcon::Information);
}

void TUnInstallWindow::DeleteInstallSet() {
  left.clear();
  stuck.clear();
  // Names in the order they go; each name once, whatever its entries.
  std::vector<std::vector<std::string>> byRank(InstallSet.size() + 2);
  std::unordered_map<std::string, bool> seen;
  for (const TManifestEntry& entry : manifest.files) {
    const int rank = Rank(entry.name);
    if (rank >= 0 && seen.emplace(entry.name, true).second) byRank[static_cast<std::size_t>(rank)].push_back(entry.name);
  }
  const TManifestIndex index(manifest);
  for (std::vector<std::string>& names : byRank) {
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      const std::string file = JoinPath(programDirectory, name);
      struct stat info {};
      // Through a link a folder could lead outside the installation.
      if (!InRealFolders(programDirectory, name)) {
        left.push_back(
            FormatText(Tr("{0}: changed since it was installed, so it was kept."), {Printable(name)}));
        continue;
      }
      if (lstat(file.c_str(), &info) != 0) {
        if (errno != ENOENT) left.push_back(Printable(name) + ": " + Reason(errno) + ".");
        continue;
      }
      if (!index.StillAsInstalled(name, file)) {
        left.push_back(FormatText(
            manifest.legacy ? Tr("{0}: an older installer kept no record of its contents, so it was kept.")
                            : Tr("{0}: changed since it was installed, so it was kept."),
            {Printable(name)}));
        continue;
      }
      if (unlink(file.c_str()) != 0) {
        left.push_back(Printable(name) + ": " + Reason(errno) + ".");
        stuck.insert(name);
      }
    }
  }
  // Hidden copies of an interrupted installation are the installer's own.
  if (!manifest.finished && !manifest.token.empty())
    for (const auto& [name, unused] : seen) {
      const std::string temporary = JoinPath(programDirectory, TemporaryName(name, manifest.token));
      struct stat info {};
      if (InRealFolders(programDirectory, name) && lstat(temporary.c_str(), &info) == 0 &&
          S_ISREG(info.st_mode) && unlink(temporary.c_str()) != 0)
        left.push_back(Printable(TemporaryName(name, manifest.token)) + ": " + Reason(errno) + ".");
    }
}

void TUnInstallWindow::RemoveMadeFolders() {
  keptFolders.clear();
  std::vector<std::string> folders = manifest.madeFolders;
  // Deepest first: a child's path is longer than its parent's.
  std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
    return a.size() > b.size() || (a.size() == b.size() && a > b);
  });
  for (const std::string& folder : folders) {
    const std::string where = JoinPath(programDirectory, folder);
    struct stat info {};
    if (!InRealFolders(programDirectory, folder) || lstat(where.c_str(), &info) != 0 ||
        !S_ISDIR(info.st_mode))
      continue;
    // Only an empty one goes: whatever a student put there keeps its folder.
    if (rmdir(where.c_str()) != 0) keptFolders.push_back(folder);
  }
  std::sort(keptFolders.begin(), keptFolders.end());
}

void TUnInstallWindow::RemoveFileType() {
  stuckDesktop.clear();
  const TUserTypePlaces places(UserDataHome());
  // Only the paths this user's installer writes are ever touched, whatever
  // else a manifest may name.
  bool listed = false;
  for (const TManifestEntry& entry : manifest.desktopFiles) {
    if (entry.name != places.package) continue;
    listed = true;
    struct stat info {};
    if (lstat(entry.name.c_str(), &info) != 0) continue;
    std::uint64_t size = 0, hash = 0;
    if (!S_ISREG(info.st_mode) || HashFile(entry.name, size, hash) != 0 || size != entry.size || hash != entry.hash) {
      left.push_back(
          FormatText(Tr("{0}: changed since it was installed, so it was kept."), {Printable(entry.name)}));
      continue;
    }
    if (unlink(entry.name.c_str()) != 0) {
      left.push_back(Printable(entry.name) + ": " + Reason(errno) + ".");
      stuckDesktop.push_back(entry);
    }
  }
  const auto made = [&](const std::string& folder) {
    return std::find(manifest.desktopFolders.begin(), manifest.desktopFolders.end(), folder) !=
           manifest.desktopFolders.end();
  };
  if (!listed && !made(places.mimeFolder) && !made(places.packagesFolder)) return;

  caches->Refresh(places);
  std::error_code error;
  const bool noTypesLeft = !fs::exists(places.packagesFolder, error) || fs::is_empty(places.packagesFolder, error);
  if (made(places.mimeFolder) && noTypesLeft && !error) {
    // A database the installer began, now of no type at all: everything in
    // it is the tool's cache of an empty packages folder.
    fs::remove_all(places.mimeFolder, error);
  } else if (made(places.packagesFolder) && noTypesLeft) {
    rmdir(places.packagesFolder.c_str());
  }
  // The handlers' cache the installer's refresh made goes once it names no
  // handler at all.
  for (const std::string& cache : manifest.desktopCaches) {
    std::ifstream in(cache, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (cache == places.desktopCache && in && text == "[MIME Cache]\n") unlink(cache.c_str());
  }
}

}  // namespace kovala
