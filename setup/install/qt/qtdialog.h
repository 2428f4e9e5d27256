// A dialog built from a dialog resource, its controls placed at their
// dialog-unit positions converted with the dialog font's base units.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

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

  // True when every text of the dialog shows whole: a label's wrapped lines
  // in its height and its longest word in its width, a button's or check
  // box's text in its width.
  bool TextsFit() const;

 private:
  struct TPlaced {
    QWidget* widget;
    TControlResource control;
  };
  // The controls and the dialog at their table's positions, the dialog units
  // across taken `widthPercent` of their size.
  void Place(int widthPercent);
  // A text longer than the table's room (a translation) widens the whole
  // dialog evenly, in steps, until every text fits; the source texts fit at
  // the table's own size, which they keep.
  void Fit();

  QDialog* dialog;
  std::map<int, QWidget*> controls;
  std::vector<TPlaced> placed;
  TDialogResource resource;
  int unitX = 0;  // pixels of four dialog units across
  int unitY = 0;  // pixels of eight dialog units down
};

}  // namespace kovala
