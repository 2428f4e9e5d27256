// The services a window asks of the desktop as a whole: message boxes, file
// dialogs, off-screen pictures, the clipboard and the help window.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "framework/geometry.h"
#include "framework/messagebox.h"
#include "framework/surface.h"

namespace kovala {

// Shared by the open and save dialogs, so both remember the last choice.
struct TFileDialogSettings {
  std::string filter;            // "Description (*.ext)|*.ext|"
  std::string defaultExtension;  // without the dot
  std::string directory;         // last directory chosen, empty at first
  std::string fileName;          // last file chosen, empty at first
};

class IDesktop : public IMessageBox {
 public:
  // The chosen path, or nothing when the dialog was cancelled. The open
  // dialog only accepts an existing file in an existing directory.
  virtual std::optional<std::string> OpenFileDialog(TFileDialogSettings& settings) = 0;
  virtual std::optional<std::string> SaveFileDialog(TFileDialogSettings& settings) = 0;

  virtual std::unique_ptr<IPicture> CreatePicture(int width, int height) = 0;
  // Puts the part of the picture inside `box` on the clipboard; a box that
  // reaches past the picture is cut at its edge. False when nothing was put.
  virtual bool CopyToClipboard(const IPicture& picture, const TRect& box) = 0;

  // Shows the index page of a help file; help failures are ignored.
  virtual void OpenHelp(const std::string& helpFile) = 0;
  virtual void CloseHelp(const std::string& helpFile) = 0;
};

}  // namespace kovala
