// The program as its entry wires it, without the splash, shown and active in
// the real main window, for tests that drive it as a student does: palette
// buttons clicked, atoms dragged on the editor's widget. Message boxes and
// file dialogs are answered by a script, so no test waits on a modal box.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolBar>
#include <optional>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/myapp.h"
#include "app/qt/mainwindow.h"
#include "framework/qt/qtdesktop.h"
#include "model/elementkind.h"
#include "resources/palette.h"
#include "tests/qt/qttest.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

// Pictures, the clipboard and help are Qt's own; message boxes and file
// dialogs are answered and recorded by the script instead of by a person.
class TAnsweringDesktop : public TQtDesktop {
 public:
  TScriptedDesktop script;

  TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                     TButtons buttons) override {
    return script.MessageBox(text, caption, icon, buttons);
  }
  std::optional<std::string> OpenFileDialog(TFileDialogSettings& settings) override {
    return script.OpenFileDialog(settings);
  }
  std::optional<std::string> SaveFileDialog(TFileDialogSettings& settings) override {
    return script.SaveFileDialog(settings);
  }
  void OpenHelp(const std::string& file) override { script.OpenHelp(file); }
  void CloseHelp(const std::string& file) override { script.CloseHelp(file); }
};

class TProgramTest : public TQtTest {
 protected:
  void SetUp() override {
    desktop.SetOwner(&mainWindow);
    mainWindow.AddClient(*frame.bondWindow);
    mainWindow.AddClient(*frame.shapeWindow);
    mainWindow.AddClient(*frame.practiceWindow);
    mainWindow.AddClient(*frame.organicWindow);
    mainWindow.SetFrame(frame);
    mainWindow.resize(800, 600);
    frame.SetupWindow();
    mainWindow.show();
    QApplication::setActiveWindow(&mainWindow);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
  }

  TBondWindow& Editor() const { return *frame.bondWindow; }
  THostWidget& EditorHost() const { return *mainWindow.HostOf(*frame.bondWindow); }

  // The palette's tool button, clicked with the mouse.
  void ClickPalette(ElementKind kind) {
    const QList<QAction*> buttons = mainWindow.Palette().actions();
    const std::vector<TPaletteButton>& table = PaletteButtons();
    for (std::size_t i = 0; i < table.size() && i < static_cast<std::size_t>(buttons.size()); ++i) {
      if (table[i].command != cmd::PaletteCarbon + kind) continue;
      QTest::mouseClick(mainWindow.Palette().widgetForAction(buttons[static_cast<qsizetype>(i)]),
                        Qt::LeftButton);
      return;
    }
    FAIL() << "no palette button for kind " << kind;
  }

  // The middle of tray slot k.
  QPoint TraySlot(int k = 0) const {
    const TRect client = EditorHost().ClientRect();
    return QPoint(client.right - 40, client.top + 20 + 30 * k);
  }

  QPoint Centre() const {
    const TRect client = EditorHost().ClientRect();
    return QPoint((client.left + client.right) / 2, (client.top + client.bottom) / 2);
  }

  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&EditorHost(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(&EditorHost(), (from + to) / 2);
    QTest::mouseRelease(&EditorHost(), Qt::LeftButton, Qt::NoModifier, to);
  }

  TAnsweringDesktop desktop;
  TMainWindow mainWindow;
  TMyApp app{mainWindow};
  TFrame frame{mainWindow, desktop, app};
};

}  // namespace kovala::test
