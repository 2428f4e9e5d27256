// The "Copying Files" dialog: the file being copied and the progress bar.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "setup/setupdesktop.h"
#include "setup/setupdialogs.h"

namespace kovala {

class TCopyFile {
 public:
  explicit TCopyFile(ISetupDesktop& desktop) : dialog(desktop.CreateDialog(CopyFileDialog, nullptr)) {
    dialog->SetProgress(copyfile::Progress, 0);
    dialog->Show();
  }
  ~TCopyFile() { dialog->Hide(); }
  TCopyFile(const TCopyFile&) = delete;
  TCopyFile& operator=(const TCopyFile&) = delete;

  void SetStatus(const std::string& text) { dialog->SetText(copyfile::Status, text); }
  // The bar's range is 0 to 100.
  void SetProgress(int percent) { dialog->SetProgress(copyfile::Progress, std::clamp(percent, 0, 100)); }

 private:
  std::unique_ptr<IDialog> dialog;
};

}  // namespace kovala
