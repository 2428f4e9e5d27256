// A dialog built from a dialog resource, its controls placed at their
// dialog-unit positions converted with the dialog font's base units.
#pragma once

#include <QDialog>
#include <QPoint>
#include <map>
#include <memory>

#include "setup/setupdesktop.h"

namespace kovala {

class TQtDialog : public IDialog {
 public:
  TQtDialog(const TDialogResource& resource, IDialogHandler* handler, QWidget* owner);
  ~TQtDialog() override;
  TQtDialog(const TQtDialog&) = delete;
  TQtDialog& operator=(const TQtDialog&) = delete;

  void SetText(int id, const std::string& text) override;
  std::string Text(int id) const override;
  void SetItems(int id, const std::vector<std::string>& items) override;
  void Select(int id, int index) override;
  std::string SelectedItem(int id) const override;
  void SetChecked(int id, bool checked) override;
  bool IsChecked(int id) const override;
  void SetProgress(int id, int value) override;
  void Show() override;
  void Hide() override;
  int Execute() override;

  QDialog* Widget() const { return dialog; }
  // The control with the resource's id; nullptr for an unknown id.
  QWidget* Control(int id) const;

 private:
  QDialog* dialog;
  std::map<int, QWidget*> controls;
};

}  // namespace kovala
