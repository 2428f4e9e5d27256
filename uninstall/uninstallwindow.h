// The un-installer's main window: finds the installation, asks once, then
// removes the program group and exactly the files the installer recorded.
#pragma once

#include <string>

#include "framework/programgroupservice.h"
#include "framework/setupdesktop.h"

namespace kovala {

class TUnInstallWindow {
 public:
  // `pathVariable` is the PATH the un-installer searches after the current directory.
  TUnInstallWindow(ISetupDesktop& desktop, IProgramGroupService& groups, std::string pathVariable);

  // Does all the work, then closes the main window.
  void SetupWindow();
  void RemoveProgramGroup();
  void DeleteInstallSet();

  // The first directory, the current one and then those of `pathVariable` in
  // order, that holds the program with the installer's manifest beside it;
  // empty when none does.
  static std::string LocateInstallation(const std::string& pathVariable);

  const std::string title = "Un-Installation Utility";
  std::string programDirectory;  // ends in "/"

 private:
  void RemoveLast();

  ISetupDesktop& desktop;
  IProgramGroupService& programGroups;
  std::string path;
};

}  // namespace kovala
