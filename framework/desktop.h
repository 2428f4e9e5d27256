// The services a window asks of the desktop as a whole: message boxes, file
// dialogs, off-screen pictures, the clipboard and the help window.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/geometry.h"
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

// A drawing kept as SVG: painted through its surface like a picture, then
// taken out as the text of an SVG document.
class ISvgDrawing {
 public:
  virtual ~ISvgDrawing() = default;
  virtual ISurface& Surface() = 0;
  // Ends the drawing; empty when the document could not be made.
  virtual std::string Finish() = 0;
};

// A page to print: `draw` paints in window coordinates, and the part inside
// `box` is scaled onto the paper.
struct TPrintPage {
  std::string title;  // the print job's name
  TRect box;
  std::function<void(ISurface&)> draw;
};

class IDesktop : public IMessageBox {
 public:
  // The chosen path, or nothing when the dialog was cancelled. The open
  // dialog only accepts an existing file in an existing directory.
  virtual std::optional<std::string> OpenFileDialog(TFileDialogSettings& settings) = 0;
  virtual std::optional<std::string> SaveFileDialog(TFileDialogSettings& settings) = 0;

  virtual std::unique_ptr<IPicture> CreatePicture(int width, int height) = 0;
  // A picture of the same size in program pixels, held `ratio` times finer,
  // for drawing that goes to the screen (IWindowHost::PixelRatio). Copied to
  // the clipboard it still gives a picture of its size in program pixels.
  virtual std::unique_ptr<IPicture> CreateScreenPicture(int width, int height, double /*ratio*/) {
    return CreatePicture(width, height);
  }
  // Puts the part of the picture inside `box` on the clipboard; a box that
  // reaches past the picture is cut at its edge. False when nothing was put.
  virtual bool CopyToClipboard(const IPicture& picture, const TRect& box) = 0;
  // The same, with the same drawing as an SVG document beside the bitmap.
  // A desktop without SVG puts the bitmap alone.
  virtual bool CopyToClipboardWithSvg(const IPicture& picture, const TRect& box, const std::string& /*svg*/) {
    return CopyToClipboard(picture, box);
  }
  // An SVG drawing whose view is `box` of the window's coordinates; nullptr
  // where none can be made.
  virtual std::unique_ptr<ISvgDrawing> CreateSvgDrawing(const TRect& /*box*/) { return nullptr; }

  // Shows the page in a print preview, from which the student prints it or
  // closes it; false when nothing was printed.
  virtual bool PrintWithPreview(const TPrintPage& /*page*/) { return false; }

  // Shows the index page of a help file; help failures are ignored.
  virtual void OpenHelp(const std::string& helpFile) = 0;
  virtual void CloseHelp(const std::string& helpFile) = 0;
};

}  // namespace kovala
