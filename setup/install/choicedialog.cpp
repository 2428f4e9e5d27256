#include "setup/install/choicedialog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "setup/install/drives.h"
#include "setup/installset.h"
#include "setup/install/installwindow.h"
#include "setup/setupdialogs.h"

namespace kovala {

namespace fs = std::filesystem;

namespace {

std::string CurrentDirectory() {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  return error ? std::string() : current.string();
}

bool ChangeDirectory(const std::string& path) { return !path.empty() && chdir(path.c_str()) == 0; }

}  // namespace

bool TChoiceDialog::SetupWindow() {
  savedDirectory = CurrentDirectory();
  if (savedDirectory.size() > MaxSavedDirectory) {
    window.Refuse(Tr("The installer cannot run from a directory whose path is longer than 255 characters."));
    return false;
  }
  createdDefault = mkdir(window.defaultDirectory.c_str(), 0755) == 0;
  // Where the default cannot be entered (a file of that name, say), the
  // dialog opens beside it and still names it, so that Install explains why
  // it cannot be used; it never falls back to where the installer was started.
  const bool entered = ChangeDirectory(window.defaultDirectory);
  if (!entered) ChangeDirectory(fs::path(window.defaultDirectory).parent_path().string());

  dialog = window.Desktop().CreateDialog(ChoiceDialog, this);
  drives = WritableMountPoints();
  Refresh();
  if (!entered) dialog->SetText(choice::DestinationPath, window.defaultDirectory);
  std::vector<std::string> driveEntries;
  for (const std::string& drive : drives) driveEntries.push_back(DriveEntry(drive));
  dialog->SetItems(choice::DriveBox, driveEntries);
  const std::string current = DriveOf(drives, CurrentDirectory());
  for (std::size_t i = 0; i < drives.size(); ++i)
    if (drives[i] == current) dialog->Select(choice::DriveBox, static_cast<int>(i));
  dialog->SetChecked(choice::CreateGroup, true);
  dialog->Show();
  return true;
}

void TChoiceDialog::Notify(int controlId, TNotification what) {
  if (controlId == IdOk && what == TNotification::Clicked) Install();
  if (controlId == IdCancel && what == TNotification::Clicked) Cancel();
  if (controlId == choice::DriveBox && what == TNotification::DropDownClosed) DriveChange();
  if (controlId == choice::DirectoryList && what == TNotification::SelectionChanged) DirectoryChange();
}

void TChoiceDialog::Refresh() {
  const std::string current = CurrentDirectory();
  dialog->SetText(choice::DestinationPath, current);
  dialog->SetItems(choice::DirectoryList, DirectoryEntries(current));
}

void TChoiceDialog::DriveChange() {
  const std::string drive = DriveOfEntry(dialog->SelectedItem(choice::DriveBox));
  if (drive.empty()) return;
  ChangeDirectory(drive);
  Refresh();
}

void TChoiceDialog::DirectoryChange() {
  const std::string name = DirectoryOfEntry(dialog->SelectedItem(choice::DirectoryList));
  if (name.empty()) return;
  ChangeDirectory(name);
  Refresh();
}

void TChoiceDialog::Install() {
  const std::string destination = dialog->Text(choice::DestinationPath);
  // Each refusal leaves the dialog open, so the teacher can choose again.
  if (!WithinPathLimit(destination)) {
    window.Refuse(Tr("The destination path is longer than 99 characters. Choose a shorter one."));
    return;
  }
  if (const std::string why = window.CheckDestination(destination); !why.empty()) {
    window.Refuse(why);
    return;
  }
  window.createGroup = dialog->IsChecked(choice::CreateGroup) ? 1 : 0;
  window.destinationPath = destination;
  if (!window.PlanInstallation()) return;
  if (window.destinationPath != window.defaultDirectory) {
    rmdir(window.defaultDirectory.c_str());
    createdDefault = false;
  }
  ChangeDirectory(savedDirectory);
  dialog->Hide();
  window.RunInstallation();
}

void TChoiceDialog::Cancel() {
  rmdir(window.defaultDirectory.c_str());  // only an empty directory goes
  ChangeDirectory(savedDirectory);
  window.CloseMainWindow();
}

}  // namespace kovala
