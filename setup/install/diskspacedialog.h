// The "Disk Space Available" dialog: the space needed and the space free on
// the destination's file system; the teacher decides.
#pragma once

#include <string>

#include "setup/setupdesktop.h"
#include "setup/setupdialogs.h"

namespace kovala {

class TDiskSpaceDialog {
 public:
  TDiskSpaceDialog(std::string needed, std::string available)
      : neededText(std::move(needed)), availableText(std::move(available)) {}

  // IdOk for Next, IdCancel for Cancel.
  int Execute(ISetupDesktop& desktop) const {
    const auto dialog = desktop.CreateDialog(DiskSpaceDialog, nullptr);
    dialog->SetText(diskspace::Needed, neededText);
    dialog->SetText(diskspace::Available, availableText);
    return dialog->Execute();
  }

  std::string neededText;
  std::string availableText;
};

}  // namespace kovala
