#include "framework/qt/qtsetupdesktop.h"

#include <QApplication>

#include "framework/qt/bannerwindow.h"
#include "framework/qt/qtdialog.h"

namespace kovala {

TQtSetupDesktop::TQtSetupDesktop(QWidget* mainWindow) : owner(mainWindow) { boxes.SetOwner(mainWindow); }

TAnswer TQtSetupDesktop::MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                                    TButtons buttons) {
  return boxes.MessageBox(text, caption, icon, buttons);
}

std::unique_ptr<IDialog> TQtSetupDesktop::CreateDialog(const TDialogResource& resource,
                                                       IDialogHandler* handler) {
  return std::make_unique<TQtDialog>(resource, handler, owner.data());
}

void TQtSetupDesktop::CloseMainWindow() {
  if (owner) owner->close();
  QApplication::quit();
}

void TQtSetupDesktop::ShowNote(const std::string& text) {
  if (auto* banner = dynamic_cast<TBannerWindow*>(owner.data())) {
    banner->SetNote(QString::fromStdString(text));
    // Painted before a modal box opens over it.
    banner->repaint();
  }
}

}  // namespace kovala
