// The installer's main window: opens the options dialog, then checks the
// space, copies the install set and creates the program group.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/programgroupservice.h"
#include "framework/setupdesktop.h"
#include "install/choicedialog.h"
#include "install/copyfile.h"

namespace kovala {

class TInstallWindow {
 public:
  // The default destination is "kovala" in `homeDirectory`.
  TInstallWindow(ISetupDesktop& desktop, IProgramGroupService& groups, const std::string& homeDirectory);

  void SetupWindow();
  void RunInstallation();
  void CopyFiles();
  // False when the file was skipped; a failed copy leaves nothing under
  // `destination`'s name that was not there before.
  bool CopyOneFile(const std::string& source, const std::string& destination);
  void CreateProgramGroup();
  void CloseMainWindow();
  // A path the installer cannot keep: a stop box with the window's title.
  void Refuse(const std::string& text);

  ISetupDesktop& Desktop() { return desktop; }
  bool Ended() const { return ended; }

  const std::string title = "Installation Utility";
  const std::string defaultDirectory;
  std::string destinationPath;
  int createGroup = 0;
  std::uint32_t neededKB = 0;
  int progressPercent = 0;
  std::string sourceDirectory;  // the current directory when the copy starts
  std::vector<std::string> copiedFiles;
  TChoiceDialog choiceDialog{*this};

 private:
  void AdvanceProgress(const std::string& destination);

  ISetupDesktop& desktop;
  IProgramGroupService& programGroups;
  std::unique_ptr<TCopyFile> copyFile;
  int filesToCopy = 0;
  int filesCopied = 0;
  bool ended = false;
};

}  // namespace kovala
