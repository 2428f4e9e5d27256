// What the set-up programs ask of the desktop: message boxes, dialogs built
// from dialog resources, and closing their main window.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/messagebox.h"

namespace kovala {

enum class TControlKind { Label, Static, ComboBox, ListBox, CheckBox, DefaultButton, Button, ProgressBar };

// One control of a dialog resource; positions and sizes in dialog units.
struct TControlResource {
  int id;  // -1 for a label nobody talks to
  TControlKind kind;
  std::string_view text;
  int x, y, width, height;
};

struct TDialogResource {
  std::string_view name;
  std::string_view title;
  int x, y, width, height;  // dialog units, from the owner's top-left
  std::string_view fontName;
  int fontPoints;
  std::span<const TControlResource> controls;
};

// Buttons 1 and 2 of a dialog: the default button and Cancel.
inline constexpr int IdOk = 1;
inline constexpr int IdCancel = 2;

enum class TNotification { Clicked, DropDownClosed, SelectionChanged };

class IDialogHandler {
 public:
  virtual ~IDialogHandler() = default;
  virtual void Notify(int controlId, TNotification what) = 0;
};

// A dialog on the screen. The lists show their items in the order given.
class IDialog {
 public:
  virtual ~IDialog() = default;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual std::string Text(int id) const = 0;
  virtual void SetItems(int id, const std::vector<std::string>& items) = 0;
  virtual void Select(int id, int index) = 0;          // -1 selects nothing
  virtual std::string SelectedItem(int id) const = 0;  // empty when none is selected
  virtual void SetChecked(int id, bool checked) = 0;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetProgress(int id, int value) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Runs the dialog modally; the id of the button that ended it, IdCancel
  // when it was closed otherwise.
  virtual int Execute() = 0;
};

class ISetupDesktop : public IMessageBox {
 public:
  // Without a handler, buttons 1 and 2 end a modal run with their id; with
  // one, every button click goes to the handler.
  virtual std::unique_ptr<IDialog> CreateDialog(const TDialogResource& resource, IDialogHandler* handler) = 0;
  // Ends the program once the current handler returns.
  virtual void CloseMainWindow() = 0;
  // A line of text on the main window, under its banner.
  virtual void ShowNote(const std::string& text) = 0;
};

}  // namespace kovala
