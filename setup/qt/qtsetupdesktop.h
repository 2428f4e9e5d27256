// The set-up programs' desktop in Qt: message boxes, dialogs from the
// dialog resources, and the main window that ends the program when closed.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "framework/qt/qtdesktop.h"
#include "setup/setupdesktop.h"

namespace kovala {

// Makes the dialogs of the dialog tables. Only the installer shows any, so
// the un-installer's desktop is made without one and links no dialog code.
using TDialogMaker =
    std::function<std::unique_ptr<IDialog>(const TDialogResource&, IDialogHandler*, QWidget*)>;

class TQtSetupDesktop : public ISetupDesktop {
 public:
  explicit TQtSetupDesktop(QWidget* mainWindow, TDialogMaker dialogMaker = {});

  TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                     TButtons buttons = TButtons::Ok) override;
  std::unique_ptr<IDialog> CreateDialog(const TDialogResource& resource, IDialogHandler* handler) override;
  void CloseMainWindow() override;
  void ShowNote(const std::string& text) override;

 private:
  QPointer<QWidget> owner;
  TDialogMaker maker;
  TQtDesktop boxes;
};

}  // namespace kovala
