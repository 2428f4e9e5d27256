#include "uninstall/uninstallwindow.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

#include "install/installset.h"

namespace kovala {

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

// Removes a file, never a directory; failures are passed over.
void RemoveFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_directory(fs::symlink_status(path, error))) unlink(path.c_str());
}

}  // namespace

TUnInstallWindow::TUnInstallWindow(ISetupDesktop& setupDesktop, IProgramGroupService& groups,
                                   std::string pathVariable)
    : desktop(setupDesktop), programGroups(groups), path(std::move(pathVariable)) {}

std::string TUnInstallWindow::LocateInstallation(const std::string& pathVariable) {
  std::error_code error;
  std::vector<fs::path> candidates{fs::current_path(error)};
  std::stringstream entries(pathVariable);
  std::string entry;
  while (std::getline(entries, entry, ':'))
    if (!entry.empty()) candidates.push_back(fs::absolute(entry, error));
  // A directory that merely holds some other program of that name is not an
  // installation: only the manifest says what may be removed.
  for (const fs::path& directory : candidates)
    if (IsFile(directory / ProgramName) && IsFile(directory / ManifestName))
      return directory.lexically_normal().string();
  return {};
}

void TUnInstallWindow::SetupWindow() {
  const std::string directory = LocateInstallation(path);
  if (directory.empty()) {
    desktop.MessageBox("The kovala program cannot be found.", "Information", TIcon::Information);
    desktop.CloseMainWindow();
    return;
  }
  programDirectory = JoinPath(directory, "");
  if (programDirectory.size() > MaxDestinationPath) {
    desktop.MessageBox(
        "The kovala program's directory path is longer than 99 characters and cannot be removed.", title,
        TIcon::Stop);
    desktop.CloseMainWindow();
    return;
  }
  if (desktop.MessageBox("You have started the un-install utililty for the program Kovala. Continue?",
                         "Un-Install Kovala?", TIcon::Question, TButtons::YesNo) != TAnswer::Yes) {
    desktop.CloseMainWindow();
    return;
  }
  RemoveProgramGroup();
  DeleteInstallSet();
  desktop.MessageBox("Un-Install of Kovala completed.", "Information", TIcon::Information);
  RemoveLast();
  desktop.CloseMainWindow();
}

void TUnInstallWindow::RemoveProgramGroup() {
  if (!programGroups.Connect()) {
    desktop.MessageBox("Can't start conversation.\nMake sure PROGMAN is running.", title, TIcon::Stop);
    return;
  }
  if (!programGroups.Execute(DeleteGroupCommand()))
    desktop.MessageBox("A critical DDE error has occured.", title, TIcon::Information);
}

void TUnInstallWindow::DeleteInstallSet() {
  const std::vector<std::string> names = ReadManifest(JoinPath(programDirectory, ManifestName));
  std::vector<std::string> gone;
  for (std::string_view pattern : InstallSet) {
    std::vector<std::string> matching;
    for (const std::string& name : names)
      if (MatchesPattern(name, pattern) && std::find(gone.begin(), gone.end(), name) == gone.end())
        matching.push_back(name);
    std::sort(matching.begin(), matching.end());
    for (const std::string& name : matching) {
      RemoveFile(fs::path(programDirectory) / name);
      gone.push_back(name);
    }
  }
}

void TUnInstallWindow::RemoveLast() {
  const std::vector<std::string> names = ReadManifest(JoinPath(programDirectory, ManifestName));
  if (std::find(names.begin(), names.end(), UnInstallProgram) != names.end())
    RemoveFile(fs::path(programDirectory) / UnInstallProgram);
  RemoveFile(fs::path(programDirectory) / ManifestName);
  rmdir(programDirectory.c_str());  // only when nothing else is left in it
}

}  // namespace kovala
