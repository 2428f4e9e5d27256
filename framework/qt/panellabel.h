// The molecule panel's label: a word-wrapped text that a screen reader knows
// as "Molecule panel", reads as text, and hears again whenever it changes.
#pragma once

#include <QAccessibleWidget>
#include <QLabel>

namespace kovala {

class TPanelLabel : public QLabel {
 public:
  explicit TPanelLabel(QWidget* parent = nullptr);

  // Shows a new text and tells a listening screen reader what it replaced.
  void SetPanelText(const QString& text);
  // The lines of the text shown that the text before it did not have (all
  // of it when none is new): what a reader says, so that a line that stays,
  // such as the keys' line, is heard once rather than after every step.
  const QString& News() const { return news; }

 private:
  QString news;
};

// The label's accessible face: its name, its text as the value and through
// the text interface, so a reader can speak it whole or by words.
class TPanelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit TPanelAccessible(TPanelLabel* label);

  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  // QAccessibleTextInterface: the label's text, read only.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  QString Shown() const;
};

QAccessibleInterface* PanelAccessibleFactory(const QString& className, QObject* object);

}  // namespace kovala
