// The program's main window: menu bar, palette tool box and message bar built
// from the resource tables, one host widget per client window, and every
// command, accelerator and close request handed to the frame.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QStackedWidget>
#include <QToolBar>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/framehost.h"
#include "framework/qt/clientarea.h"
#include "framework/qt/hostwidget.h"
#include "framework/qt/panellabel.h"
#include "framework/qt/windowtimers.h"
#include "framework/window.h"

class QAction;

namespace kovala {

class TMainWindow : public QMainWindow, public IFrameHost {
 public:
  explicit TMainWindow(QWidget* parent = nullptr);
  ~TMainWindow() override;

  // The frame receives the commands, the close query and the resizes.
  void SetFrame(TWindow& frameWindow) { frame = &frameWindow; }
  // Gives a client window its own widget in the client area.
  THostWidget& AddClient(TWindow& client);
  THostWidget* HostOf(const TWindow& client) const;

  // The window shown in the client area now, or nullptr.
  THostWidget* CurrentHost() const;
  QToolBar& Palette() const { return *palette; }
  QString MessageBarText() const { return messageBar->text(); }
  // The molecule panel under the client area.
  const QLabel& Panel() const { return *panel; }

  // IFrameHost.
  void SetClient(TWindow& client) override;
  void CloseMainWindow() override;
  void ShowPanel(bool shown) override;
  // Both the frame's panel item and a window's own menu items.
  void CheckMenuItem(int command, bool checked) override;
  void SetDrawingScale(double scale) override;

  // The frame's own window services.
  TRect ClientRect() const override;
  void Invalidate(bool erase) override;
  void UpdateNow() override;
  void SetCursor(const std::string& cursorName) override;
  void RestoreCursor() override;
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void SetTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void SetCaption(const std::string& caption) override;
  void SetMessageBar(const std::string& text) override;
  void PanelChanged() override;
  void AssignMenu(const std::string& menuName) override;
  void GrayMenuItem(int command) override;
  // A client's key standing for a palette button or menu item.
  void SendCommand(int command) override { Command(command); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildPalette();
  void InstallAccelerators();
  // Ctrl+N, Ctrl+S, F1, the zoom keys...: each gives the command its menu
  // item gives, and only where the item is offered (resources/desktopkeys.h).
  void InstallDesktopKeys();
  bool OffersEnabled(int command) const;
  // Shows the current client's panel text, or hides the panel when the
  // client has none or the student hid it.
  void RefreshPanel();
  QAction* CommandAction(const QString& text, int command, QObject* parent, bool checkable = false);
  void Command(int id);

  TWindow* frame = nullptr;
  TClientArea* clientArea;
  QStackedWidget* clients;
  QToolBar* palette;
  QLabel* messageBar;
  TPanelLabel* panel;
  bool panelShown = true;
  std::set<int> checkedCommands;
  std::vector<std::pair<int, QAction*>> menuActions;
  std::vector<QObject*> menuObjects;  // the popups and bar items of the assigned menu
  std::map<const TWindow*, THostWidget*> hosts;
  TWindowTimers timers;
};

}  // namespace kovala
