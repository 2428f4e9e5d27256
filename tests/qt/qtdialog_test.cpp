// Dialogs built from the set-up programs' dialog tables: every control of the
// table is there with its text and kind, inside the dialog, and Escape ends
// the dialog as Cancel does.
#include "setup/install/qt/qtdialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <utility>
#include <vector>

#include "setup/setupdialogs.h"
#include "tests/qt/qttest.h"

namespace kovala::test {
namespace {

class TRecordingHandler : public IDialogHandler {
 public:
  void Notify(int controlId, TNotification what) override { heard.emplace_back(controlId, what); }
  std::vector<std::pair<int, TNotification>> heard;
};

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The widget kind a control of the table must become, checked on `widget`.
bool IsOfKind(const QWidget* widget, TControlKind kind) {
  switch (kind) {
    case TControlKind::Label:
    case TControlKind::Static:
      return qobject_cast<const QLabel*>(widget) != nullptr;
    case TControlKind::ComboBox:
      return qobject_cast<const QComboBox*>(widget) != nullptr;
    case TControlKind::ListBox:
      return qobject_cast<const QListWidget*>(widget) != nullptr;
    case TControlKind::CheckBox:
      return qobject_cast<const QCheckBox*>(widget) != nullptr;
    case TControlKind::DefaultButton:
    case TControlKind::Button:
      return qobject_cast<const QPushButton*>(widget) != nullptr;
    case TControlKind::ProgressBar:
      return qobject_cast<const QProgressBar*>(widget) != nullptr;
  }
  return false;
}

QString TextOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  return {};
}

class QtDialogTest : public TQtTest, public ::testing::WithParamInterface<const TDialogResource*> {};

TEST_P(QtDialogTest, HasEveryControlOfItsTableWithItsTextInsideTheDialog) {
  const TDialogResource& resource = *GetParam();
  TQtDialog dialog(resource, nullptr, nullptr);
  QDialog* widget = dialog.Widget();
  EXPECT_EQ(widget->windowTitle(), FromView(resource.title));
  ASSERT_GT(widget->width(), 0);
  ASSERT_GT(widget->height(), 0);

  const QList<QWidget*> children = widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const TControlResource& control : resource.controls) {
    SCOPED_TRACE(FromView(control.text).toStdString() + " id " + std::to_string(control.id));
    const QWidget* found = nullptr;
    if (control.id != -1) {
      found = dialog.Control(control.id);
    } else {
      for (const QWidget* child : children)
        if (TextOf(child) == FromView(control.text)) found = child;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(IsOfKind(found, control.kind));
    EXPECT_EQ(TextOf(found), FromView(control.text));
    EXPECT_GT(found->width(), 0);
    EXPECT_GT(found->height(), 0);
    EXPECT_TRUE(widget->rect().contains(found->geometry())) << "control placed outside the dialog";
  }
}

TEST_P(QtDialogTest, EscapeInAModalRunEndsItAsCancel) {
  TQtDialog dialog(*GetParam(), nullptr, nullptr);
  QTimer::singleShot(0, [] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  EXPECT_EQ(dialog.Execute(), IdCancel);
  EXPECT_FALSE(dialog.Widget()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(SetupDialogs, QtDialogTest,
                         ::testing::Values(&ChoiceDialog, &DiskSpaceDialog, &CopyFileDialog));

TEST_F(TQtTest, ButtonsOfAModalRunWithoutHandlerEndItWithTheirId) {
  for (const int id : {IdOk, IdCancel}) {
    TQtDialog dialog(DiskSpaceDialog, nullptr, nullptr);
    auto* button = qobject_cast<QPushButton*>(dialog.Control(id));
    ASSERT_NE(button, nullptr);
    QTimer::singleShot(0, button, [button] { button->click(); });
    EXPECT_EQ(dialog.Execute(), id);
  }
}

TEST_F(TQtTest, ShownDialogTellsItsHandlerOfClicksListsAndEscape) {
  TRecordingHandler handler;
  TQtDialog dialog(ChoiceDialog, &handler, nullptr);
  dialog.SetItems(choice::DirectoryList, {"[..]", "[notes]"});
  dialog.SetItems(choice::DriveBox, {"[-/-]", "[-/home-]"});
  dialog.Select(choice::DriveBox, 0);
  dialog.Show();
  ASSERT_TRUE(dialog.Widget()->isVisible());
  EXPECT_TRUE(handler.heard.empty()) << "filling the lists is not the teacher's choice";

  qobject_cast<QListWidget*>(dialog.Control(choice::DirectoryList))->setCurrentRow(1);
  QCoreApplication::processEvents();
  EXPECT_EQ(dialog.SelectedItem(choice::DirectoryList), "[notes]");
  auto* drives = qobject_cast<QComboBox*>(dialog.Control(choice::DriveBox));
  drives->setCurrentIndex(1);
  emit drives->activated(1);
  EXPECT_EQ(dialog.SelectedItem(choice::DriveBox), "[-/home-]");
  qobject_cast<QPushButton*>(dialog.Control(IdOk))->click();
  QTest::keyClick(dialog.Widget(), Qt::Key_Escape);

  const std::vector<std::pair<int, TNotification>> expected{
      {choice::DirectoryList, TNotification::SelectionChanged},
      {choice::DriveBox, TNotification::DropDownClosed},
      {IdOk, TNotification::Clicked},
      {IdCancel, TNotification::Clicked},
  };
  EXPECT_EQ(handler.heard, expected);
  EXPECT_FALSE(dialog.Widget()->isVisible());
}

// Like the options dialog: picking a directory fills the list anew.
class TRefillingHandler : public IDialogHandler {
 public:
  void Notify(int controlId, TNotification what) override {
    if (controlId != choice::DirectoryList || what != TNotification::SelectionChanged) return;
    ++changes;
    dialog->SetItems(choice::DirectoryList, {"[..]", "[deeper]"});
  }
  IDialog* dialog = nullptr;
  int changes = 0;
};

TEST_F(TQtTest, ClickedDirectoryLeavesNothingSelectedInTheNewList) {
  TRefillingHandler handler;
  TQtDialog dialog(ChoiceDialog, &handler, nullptr);
  handler.dialog = &dialog;
  dialog.SetItems(choice::DirectoryList, {"[..]", "[notes]"});
  dialog.Show();
  auto* list = qobject_cast<QListWidget*>(dialog.Control(choice::DirectoryList));
  const QRect first = list->visualItemRect(list->item(0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
  QCoreApplication::processEvents();
  EXPECT_EQ(handler.changes, 1);
  EXPECT_EQ(dialog.SelectedItem(choice::DirectoryList), "");
  EXPECT_TRUE(list->selectedItems().isEmpty());
  // The same entry again is a new choice.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
  QCoreApplication::processEvents();
  EXPECT_EQ(handler.changes, 2);
}

}  // namespace
}  // namespace kovala::test
