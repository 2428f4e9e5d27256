#include "setup/qt/qtsetupdesktop.h"

#include <QApplication>

#include "setup/qt/bannerwindow.h"

namespace kovala {

namespace {

// What a desktop without a dialog maker gives: a dialog that is never shown
// and ends as if cancelled.
class TNoDialog : public IDialog {
 public:
  void SetText(int, const std::string&) override {}
  std::string Text(int) const override { return {}; }
  void SetItems(int, const std::vector<std::string>&) override {}
  void Select(int, int) override {}
  std::string SelectedItem(int) const override { return {}; }
  void SetChecked(int, bool) override {}
  bool IsChecked(int) const override { return false; }
  void SetProgress(int, int) override {}
  void Show() override {}
  void Hide() override {}
  int Execute() override { return IdCancel; }
};

}  // namespace

TQtSetupDesktop::TQtSetupDesktop(QWidget* mainWindow, TDialogMaker dialogMaker)
    : owner(mainWindow), maker(std::move(dialogMaker)) {
  boxes.SetOwner(mainWindow);
}

TAnswer TQtSetupDesktop::MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                                    TButtons buttons) {
  return boxes.MessageBox(text, caption, icon, buttons);
}

std::unique_ptr<IDialog> TQtSetupDesktop::CreateDialog(const TDialogResource& resource,
                                                       IDialogHandler* handler) {
  if (!maker) return std::make_unique<TNoDialog>();
  return maker(resource, handler, owner.data());
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
