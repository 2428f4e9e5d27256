// The set-up programs' desktop in Qt: message boxes, dialogs from the
// dialog resources, and the main window that ends the program when closed.
#pragma once

#include <QPointer>
#include <QWidget>

#include "framework/qt/qtdesktop.h"
#include "framework/setupdesktop.h"

namespace kovala {

class TQtSetupDesktop : public ISetupDesktop {
 public:
  explicit TQtSetupDesktop(QWidget* mainWindow);

  TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                     TButtons buttons = TButtons::Ok) override;
  std::unique_ptr<IDialog> CreateDialog(const TDialogResource& resource, IDialogHandler* handler) override;
  void CloseMainWindow() override;
  void ShowNote(const std::string& text) override;

 private:
  QPointer<QWidget> owner;
  TQtDesktop boxes;
};

}  // namespace kovala
