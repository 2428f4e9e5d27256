// The un-installer's main window: finds the installation, asks once, then
// removes the program group and exactly the files the installer put there
// that are still as it left them.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "i18n/translate.h"
#include "setup/filetype.h"
#include "setup/manifest.h"
#include "setup/programgroupservice.h"
#include "setup/setupdesktop.h"

namespace kovala {

class TUnInstallWindow {
 public:
  // `pathVariable` is the PATH searched after `programFolder` (the folder of
  // the un-installer's own file) and the current directory.
  TUnInstallWindow(ISetupDesktop& desktop, IProgramGroupService& groups, std::string pathVariable,
                   std::string programFolder = {});

  // Does all the work, then closes the main window.
  void SetupWindow();
  void RemoveProgramGroup();
  // Removes the manifest's files that are still as installed; what stays is
  // in `left`, one line each with its reason.
  void DeleteInstallSet();
  // Removes the molecule file type the installer gave this user, when it is
  // still as installed, and refreshes the desktop's caches.
  void RemoveFileType();
  // Removes the sub-folders installations made, deepest first, when empty;
  // the others stay in `keptFolders`.
  void RemoveMadeFolders();

  // The first directory, `programFolder`, the current one and then those of
  // `pathVariable` in order, that holds the program with the installer's
  // manifest beside it, or the unfinished manifest of an interrupted
  // installation; empty when none does.
  static std::string LocateInstallation(const std::string& programFolder, const std::string& pathVariable);

  const std::string title = Tr("Un-Installation Utility");
  std::string programDirectory;  // ends in "/"
  TManifest manifest;
  std::vector<std::string> left;
  std::unordered_set<std::string> stuck;  // still as installed, but could not be removed
  std::vector<TManifestEntry> stuckDesktop;
  std::vector<std::string> keptFolders;
  IDesktopCaches* caches = &TSystemDesktopCaches::Instance();

 private:
  ISetupDesktop& desktop;
  IProgramGroupService& programGroups;
  std::string path;
  std::string ownFolder;
};

}  // namespace kovala
