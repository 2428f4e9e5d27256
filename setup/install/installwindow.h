// The installer's main window: opens the options dialog, then checks the
// space, copies the install set and creates the program group.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "i18n/translate.h"
#include "setup/filetype.h"
#include "setup/install/choicedialog.h"
#include "setup/install/copyfile.h"
#include "setup/manifest.h"
#include "setup/programgroupservice.h"
#include "setup/setupdesktop.h"
#include "setup/setuptext.h"

namespace kovala {

// One file the installation is about to put into the destination.
struct TPlannedFile {
  std::string name;
  bool update = false;  // replaces the unchanged file of an earlier installation
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
};

class TInstallWindow {
 public:
  // The default destination is "kovala" in `homeDirectory`; the files come
  // from `programFolder`, the folder of the running installer.
  TInstallWindow(ISetupDesktop& desktop, IProgramGroupService& groups, const std::string& homeDirectory,
                 const std::string& programFolder);

  void SetupWindow();
  // Why `destination` cannot take the installation; empty when it can.
  std::string CheckDestination(const std::string& destination) const;
  // Makes `destinationPath` if needed and decides what each file of the
  // install set does there. False, with the message shown, when nothing
  // may be installed there.
  bool PlanInstallation();
  void RunInstallation();
  // False when the installation stopped; the message is shown and nothing
  // this run wrote is left.
  bool CopyFiles();
  // Copies the source file `source` to `temporary`, created exclusively and
  // synced; 0 or the errno. `size` and `hash` receive those of the bytes written.
  int CopyOneFile(const std::string& source, const std::string& temporary, std::uint64_t& size, std::uint64_t& hash);
  void CreateProgramGroup();
  // Gives this user the molecule file type (setup/filetype.h), listed in
  // the manifest like every file the installer writes.
  void InstallFileType();
  void CloseMainWindow();
  // A stop box with the window's title.
  void Refuse(const std::string& text);

  ISetupDesktop& Desktop() { return desktop; }
  bool Ended() const { return ended; }

  const std::string title = Tr("Installation Utility");
  const std::string defaultDirectory;
  std::string destinationPath;
  int createGroup = 0;
  std::uint32_t neededKB = 0;
  int progressPercent = 0;
  std::string sourceDirectory;  // the folder of the installer's own file
  bool createdDestination = false;  // this run made the destination folder
  std::vector<TPlannedFile> plan;
  std::vector<std::string> keptFiles;   // in the destination already, left alone
  std::vector<std::string> copiedFiles;
  std::vector<std::string> madeFolders;  // full paths of the sub-folders this run made
  // Where the copies' and the manifest's bytes go; tests put a disk that fills up here.
  TDiskWrites* disk = &TDiskWrites::System();
  IDesktopCaches* caches = &TSystemDesktopCaches::Instance();
  TChoiceDialog choiceDialog{*this};

 private:
  void AdvanceProgress(std::uint64_t bytes);
  // What the desktop got from an earlier installation stays listed.
  static void CarryDesktopFiles(const TManifest& from, TManifest& to);
  // False, with the message shown, when the manifest could not be written.
  bool WriteManifest(const TManifest& manifest);
  // Takes back what this run wrote, then shows what failed ("F could not
  // be written") and why.
  void Abandon(const std::string& what, const std::string& reason, const std::vector<std::string>& placed);

  ISetupDesktop& desktop;
  IProgramGroupService& programGroups;
  std::unique_ptr<TCopyFile> copyFile;
  TManifest earlier;
  TManifest installed;  // the manifest as the copy left it
  bool hadManifest = false;
  std::string earlierText;  // the earlier manifest's bytes, put back after a failure
  std::string token;
  int filesToCopy = 0;
  int filesCopied = 0;
  bool ended = false;
};

}  // namespace kovala
