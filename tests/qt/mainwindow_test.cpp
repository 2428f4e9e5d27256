// The main window builds its menus, palette and message bar from the
// resource tables, hosts the client windows and hands every command and the
// close query to the frame.
#include "app/qt/mainwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "tests/qt/qttest.h"
#include "tests/qt/recordingwindow.h"

namespace kovala::test {
namespace {

QStringList Texts(const QList<QAction*>& actions) {
  QStringList texts;
  for (const QAction* action : actions)
    texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
  return texts;
}

QAction* FindAction(const QMenuBar& bar, const QString& popup, const QString& item) {
  for (QAction* top : bar.actions())
    if (top->text() == popup && top->menu() != nullptr)
      for (QAction* action : top->menu()->actions())
        if (action->text() == item) return action;
  return nullptr;
}

class MainWindowTest : public TQtTest {
 protected:
  void SetUp() override {
    main.SetFrame(frame);
    main.AddClient(editor);
    main.AddClient(view);
    main.resize(500, 400);
  }

  void Show() {
    main.show();
    QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  }

  std::vector<int> Commands() const {
    std::vector<int> ids;
    for (const auto& e : frame.events)
      if (e.what == "command") ids.push_back(e.x);
    return ids;
  }

  TRecordingWindow frame;
  TRecordingWindow editor;
  TRecordingWindow view;
  TMainWindow main;
};

TEST_F(MainWindowTest, EmptyEditorMenuHasItsExactItemsAndHints) {
  main.AssignMenu("500");
  const QMenuBar& bar = *main.menuBar();
  EXPECT_EQ(Texts(bar.actions()), (QStringList{"&Molecule", "&Practice", "&Help"}));
  EXPECT_EQ(Texts(bar.actions()[0]->menu()->actions()),
            (QStringList{"&New", "&Open ...  F3", "-", "E&xit...Alt-X"}));
  EXPECT_EQ(Texts(bar.actions()[1]->menu()->actions()), (QStringList{" &Start Lab", "&Organic Chemistry"}));
  EXPECT_EQ(Texts(bar.actions()[2]->menu()->actions()), (QStringList{"&Index", "-", "&Using Help"}));
  EXPECT_EQ(FindAction(bar, "&Molecule", "&New")->statusTip(), "Starts a new molecule");
}

TEST_F(MainWindowTest, AssigningAnotherMenuReplacesTheBarWithEveryItemEnabled) {
  main.AssignMenu("500");
  main.AssignMenu("100");
  const QMenuBar& bar = *main.menuBar();
  EXPECT_EQ(Texts(bar.actions()), (QStringList{"&Molecule", "&Edit", "&View", "&Practice", "&Help"}));

  main.GrayMenuItem(205);
  QAction* abbreviate = FindAction(bar, "&Edit", "Abbreviate &H's");
  ASSERT_NE(abbreviate, nullptr);
  EXPECT_FALSE(abbreviate->isEnabled());
  EXPECT_TRUE(FindAction(bar, "&Edit", "&Undo-Back")->isEnabled());

  main.AssignMenu("100");
  EXPECT_TRUE(FindAction(*main.menuBar(), "&Edit", "Abbreviate &H's")->isEnabled());
}

TEST_F(MainWindowTest, CourseMenuPutsItemsStraightOnTheBar) {
  main.AssignMenu("660");
  EXPECT_EQ(Texts(main.menuBar()->actions()),
            (QStringList{"&Quit Practice/Organic", "&View", "&Edit", "&Next", "&Start Again", "&Previous"}));
  main.menuBar()->actions()[3]->trigger();
  EXPECT_EQ(Commands(), std::vector<int>{457});
}

TEST_F(MainWindowTest, MenuItemsPaletteButtonsAndCloseGoToTheFrame) {
  main.AssignMenu("100");
  FindAction(*main.menuBar(), "&Molecule", "Save &as ...")->trigger();

  const QList<QAction*> buttons = main.Palette().actions();
  ASSERT_EQ(buttons.size(), 12);
  EXPECT_EQ(buttons[0]->statusTip(), "Carbon");
  EXPECT_EQ(buttons[9]->statusTip(), "Aromatic ring");
  EXPECT_FALSE(buttons[0]->icon().isNull());
  buttons[1]->trigger();
  buttons[11]->trigger();
  EXPECT_EQ(Commands(), (std::vector<int>{104, 251, 262}));
  EXPECT_EQ(main.toolBarArea(&main.Palette()), Qt::LeftToolBarArea);
  EXPECT_FALSE(main.Palette().isMovable());

  frame.allowClose = false;
  Show();
  EXPECT_FALSE(main.close());
  EXPECT_EQ(frame.closeQueries, 1);
  frame.allowClose = true;
  EXPECT_TRUE(main.close());
}

TEST_F(MainWindowTest, EachClientHasItsOwnHostAndSetClientShowsIt) {
  ASSERT_NE(main.HostOf(editor), nullptr);
  EXPECT_EQ(&editor.Host(), static_cast<IWindowHost*>(main.HostOf(editor)));
  EXPECT_NE(main.HostOf(editor), main.HostOf(view));

  main.SetClient(view);
  EXPECT_EQ(main.CurrentHost(), main.HostOf(view));
  main.SetClient(editor);
  EXPECT_EQ(main.CurrentHost(), main.HostOf(editor));

  main.HostOf(editor)->SetCaption("Untitled");
  main.HostOf(editor)->SetMessageBar("Click on atoms");
  EXPECT_EQ(main.windowTitle(), "Untitled");
  EXPECT_EQ(main.MessageBarText(), "Click on atoms");
  EXPECT_EQ(main.statusBar()->font().pointSize(), 10);
}

TEST_F(MainWindowTest, PanelShowsTheClientsTextUnlessHiddenOrTheClientHasNone) {
  editor.panel = "Still open: the H in the tray needs 1 bond.";
  main.SetClient(editor);
  Show();
  const QLabel& panel = main.Panel();
  EXPECT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.text(), "Still open: the H in the tray needs 1 bond.");
  // A menu hint covers the message bar, not the panel.
  main.HostOf(editor)->SetMessageBar("Click on atoms");
  main.statusBar()->showMessage("Opens a molecule file");
  EXPECT_TRUE(panel.isVisible());

  editor.panel = "Completed: methane, CH₄";
  main.HostOf(editor)->PanelChanged();
  EXPECT_EQ(panel.text(), "Completed: methane, CH₄");
  // The 3-D view has no panel; returning shows the molecule window's again.
  main.SetClient(view);
  EXPECT_FALSE(panel.isVisible());
  main.SetClient(editor);
  EXPECT_TRUE(panel.isVisible());
  // Hidden by the student, it stays hidden through client switches; the
  // client area takes its room at once.
  const int withPanel = main.ClientRect().Height();
  main.ShowPanel(false);
  EXPECT_FALSE(panel.isVisible());
  EXPECT_GT(main.ClientRect().Height(), withPanel);
  main.SetClient(view);
  main.SetClient(editor);
  EXPECT_FALSE(panel.isVisible());
  main.ShowPanel(true);
  EXPECT_TRUE(panel.isVisible());
  main.close();
}

TEST_F(MainWindowTest, PanelWrapsALongExplanationWithoutCuttingAt640Pixels) {
  std::string text =
      "Both atoms need a free bond: the dropped H has 1, the placed H has 0 left.\nStill open: ";
  for (int i = 0; i < 6; ++i) text += "3 C need 2 bonds each, one O needs 1 bond, ";
  text += "and the H in the tray needs 1 bond.";
  editor.panel = text;
  main.SetClient(editor);
  main.resize(640, 480);
  Show();
  QApplication::processEvents();
  const QLabel& panel = main.Panel();
  ASSERT_TRUE(panel.isVisible());
  EXPECT_EQ(panel.text().toStdString(), text) << "the whole text, not an elided one";
  const QRect inside = panel.contentsRect().marginsRemoved(QMargins(6, 6, 6, 6));
  const QRect needed = panel.fontMetrics().boundingRect(inside, Qt::TextWordWrap, panel.text());
  EXPECT_GT(needed.height(), 3 * panel.fontMetrics().lineSpacing()) << "the text does need several lines";
  EXPECT_LE(needed.width(), inside.width());
  EXPECT_LE(needed.height(), inside.height()) << "no line is cut off at the bottom";
  // The panel lies within the window, under the drawing area.
  const QRect inWindow(panel.mapTo(&main, QPoint(0, 0)), panel.size());
  EXPECT_TRUE(main.rect().contains(inWindow)) << inWindow.x() << "," << inWindow.y();
  EXPECT_GE(inWindow.top(), main.HostOf(editor)->mapTo(&main, QPoint(0, main.HostOf(editor)->height())).y());
  main.close();
}

TEST_F(MainWindowTest, PanelMenuItemKeepsItsCheckMarkAcrossMenus) {
  main.AssignMenu("100");
  QAction* item = FindAction(*main.menuBar(), "&View", "Molecule &Panel");
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  main.CheckMenuItem(1002, true);
  EXPECT_TRUE(item->isChecked());
  main.AssignMenu("660");
  item = FindAction(*main.menuBar(), "&View", "Molecule &Panel");
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isChecked());
  main.CheckMenuItem(1002, false);
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_EQ(Commands().back(), 1002);
}

TEST_F(MainWindowTest, ReleaseOutsideTheClientStillReachesIt) {
  main.SetClient(editor);
  Show();
  THostWidget& host = *main.HostOf(editor);
  editor.events.clear();
  QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
  // Over the palette, left of the client area.
  QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, QPoint(-10, 30));
  ASSERT_EQ(editor.Count("left up"), 1);
  EXPECT_EQ(editor.events.back(), (TWindowEvent{"left up", -10, 30}));
  main.close();
}

TEST_F(MainWindowTest, AcceleratorsWorkInTheWindowButNotInADialog) {
  Show();
  QTest::keyClick(&main, Qt::Key_Backspace);
  QTest::keyClick(&main, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(&main, Qt::Key_X, Qt::AltModifier);
  EXPECT_EQ(Commands(), (std::vector<int>{201, 705, 24340}));

  frame.events.clear();
  QTimer::singleShot(0, [] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_F2);
    box->close();
  });
  QMessageBox::information(&main, "Information", "You cannot use this button at this time.");
  EXPECT_TRUE(Commands().empty());
  main.close();
}

}  // namespace
}  // namespace kovala::test
