// The "Install Options" dialog: destination drive and directory, and whether
// to create the program group.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "setup/setupdesktop.h"

namespace kovala {

class TInstallWindow;

class TChoiceDialog : public IDialogHandler {
 public:
  explicit TChoiceDialog(TInstallWindow& owner) : window(owner) {}

  // Opens the dialog in the default directory; false when the installer was
  // started from a directory whose path it cannot keep.
  bool SetupWindow();
  void Notify(int controlId, TNotification what) override;

  void Install();
  void Cancel();
  void DriveChange();
  void DirectoryChange();
  // Shows the current directory and lists its subdirectories.
  void Refresh();

  std::string savedDirectory;  // where the installer was started
  bool createdDefault = false;  // the default directory was made when the dialog opened
  std::unique_ptr<IDialog> dialog;

 private:
  TInstallWindow& window;
  std::vector<std::string> drives;
};

}  // namespace kovala
