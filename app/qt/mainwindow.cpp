#include "app/qt/mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFont>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "framework/qt/pictureresources.h"
#include "resources/desktopkeys.h"
#include "i18n/translate.h"
#include "resources/menus.h"
#include "resources/palette.h"

namespace kovala {

namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

Qt::Key QtKey(TKey key) {
  switch (key) {
    case TKey::Home:
      return Qt::Key_Home;
    case TKey::End:
      return Qt::Key_End;
    case TKey::Backspace:
      return Qt::Key_Backspace;
    case TKey::F2:
      return Qt::Key_F2;
    case TKey::F3:
      return Qt::Key_F3;
    case TKey::Left:
      return Qt::Key_Left;
    case TKey::Right:
      return Qt::Key_Right;
    case TKey::Up:
      return Qt::Key_Up;
    case TKey::Down:
      return Qt::Key_Down;
    case TKey::X:
      return Qt::Key_X;
    case TKey::N:
      return Qt::Key_N;
    case TKey::O:
      return Qt::Key_O;
    case TKey::S:
      return Qt::Key_S;
    case TKey::Z:
      return Qt::Key_Z;
    case TKey::C:
      return Qt::Key_C;
    case TKey::P:
      return Qt::Key_P;
    case TKey::Q:
      return Qt::Key_Q;
    case TKey::F1:
      return Qt::Key_F1;
    case TKey::Plus:
      return Qt::Key_Plus;
    case TKey::Equal:
      return Qt::Key_Equal;
    case TKey::Minus:
      return Qt::Key_Minus;
    case TKey::Zero:
      return Qt::Key_0;
  }
  return Qt::Key_unknown;
}

QKeySequence SequenceOf(const TDesktopKey& key) {
  Qt::KeyboardModifiers modifiers;
  if (key.control) modifiers |= Qt::ControlModifier;
  if (key.shift) modifiers |= Qt::ShiftModifier;
  if (key.keypad) modifiers |= Qt::KeypadModifier;
  return QKeySequence(QKeyCombination(modifiers, QtKey(key.key)));
}

}  // namespace

TMainWindow::TMainWindow(QWidget* parent)
    : QMainWindow(parent),
      clientArea(new TClientArea(this)),
      clients(&clientArea->Stack()),
      palette(new QToolBar(QString::fromUtf8(Tr("Palette")), this)),
      messageBar(new QLabel(this)),
      panel(new TPanelLabel(this)),
      timers([this](int id) {
        if (frame != nullptr) frame->Timer(id);
      }) {
  // The panel sits under the drawing area, so the tray at the area's right
  // edge stays where it is; it takes the height its wrapped text needs.
  auto* area = new QWidget(this);
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(clientArea, 1);
  column->addWidget(panel);
  setCentralWidget(area);
  panel->setWordWrap(true);
  panel->setTextFormat(Qt::PlainText);
  panel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setMargin(6);
  panel->setAutoFillBackground(true);
  panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
  // Three lines at least, so that a change from one line to two does not
  // move the drawing area's bottom edge each time.
  panel->setMinimumHeight(3 * panel->fontMetrics().lineSpacing() + 2 * panel->margin() +
                          2 * panel->frameWidth());

  QFont barFont = statusBar()->font();
  barFont.setPointSize(10);
  statusBar()->setFont(barFont);
  // The message bar's own text sits in a normal status-bar widget, so a menu
  // hint covers it only while an item is highlighted and it shows again after.
  statusBar()->addWidget(messageBar, 1);
  statusBar()->setSizeGripEnabled(true);

  BuildPalette();
  InstallAccelerators();
  InstallDesktopKeys();
  setWindowIcon(QIcon(QPixmap::fromImage(LoadPicture("ATOMBOMB"))));
}

TMainWindow::~TMainWindow() = default;

THostWidget& TMainWindow::AddClient(TWindow& client) {
  if (THostWidget* existing = HostOf(client)) return *existing;
  auto* host = new THostWidget(client, *this, clients);
  clientArea->AddHost(*host);
  hosts[&client] = host;
  client.AttachHost(*host);
  return *host;
}

THostWidget* TMainWindow::HostOf(const TWindow& client) const {
  const auto found = hosts.find(&client);
  return found == hosts.end() ? nullptr : found->second;
}

THostWidget* TMainWindow::CurrentHost() const { return static_cast<THostWidget*>(clients->currentWidget()); }

void TMainWindow::SetClient(TWindow& client) {
  THostWidget& host = AddClient(client);
  clientArea->SetCurrent(host);
  // The window shown takes the keys, unless the student has moved them
  // elsewhere; so keys build a molecule from the start.
  QWidget* focused = focusWidget();
  if (focused == nullptr || focused == clientArea || dynamic_cast<THostWidget*>(focused) != nullptr)
    host.setFocus(Qt::OtherFocusReason);
  RefreshPanel();
}

void TMainWindow::CloseMainWindow() { close(); }

TRect TMainWindow::ClientRect() const { return clientArea->VisibleProgramRect(); }

void TMainWindow::SetDrawingScale(double scale) { clientArea->SetDrawingScale(scale); }

void TMainWindow::Invalidate(bool erase) {
  if (THostWidget* host = CurrentHost()) host->Invalidate(erase);
}

void TMainWindow::UpdateNow() {
  if (THostWidget* host = CurrentHost()) host->UpdateNow();
}

void TMainWindow::SetCursor(const std::string& cursorName) { setCursor(LoadCursor(cursorName)); }

void TMainWindow::RestoreCursor() { unsetCursor(); }

void TMainWindow::SetTimer(int id, int milliseconds) { timers.Set(id, milliseconds); }

void TMainWindow::KillTimer(int id) { timers.Kill(id); }

void TMainWindow::SetCaption(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void TMainWindow::SetMessageBar(const std::string& text) {
  messageBar->setText(QString::fromStdString(text));
}

void TMainWindow::PanelChanged() {
  RefreshPanel();
  // The molecule changed: it may now reach past the area seen.
  clientArea->Fit();
}

void TMainWindow::ShowPanel(bool shown) {
  panelShown = shown;
  RefreshPanel();
}

void TMainWindow::RefreshPanel() {
  const THostWidget* host = CurrentHost();
  const std::optional<std::string> text = host ? host->Window().PanelText() : std::nullopt;
  if (text) {
    const QString shown = QString::fromStdString(*text);
    panel->SetPanelText(shown);
  }
  const bool visible = panelShown && text.has_value();
  if (panel->isVisibleTo(this) == visible) return;
  panel->setVisible(visible);
  // The client area takes its new height at once, so a window that asks for
  // its client rectangle next (the 3-D model's area) gets the new one.
  if (QLayout* column = centralWidget()->layout()) column->activate();
}

void TMainWindow::CheckMenuItem(int command, bool checked) {
  if (checked)
    checkedCommands.insert(command);
  else
    checkedCommands.erase(command);
  // A window may mark an item of its own menu that the table did not make
  // checkable.
  for (const auto& [id, action] : menuActions)
    if (id == command) {
      action->setCheckable(true);
      action->setChecked(checked);
    }
}

void TMainWindow::AssignMenu(const std::string& menuName) {
  const std::optional<TMenu> menu = ProgramMenu(menuName);
  if (!menu) return;
  menuBar()->clear();
  menuActions.clear();
  // The menu may be replaced from one of its own items' commands, so the old
  // popups and actions go once that command has returned.
  for (QObject* old : menuObjects) old->deleteLater();
  menuObjects.clear();
  for (const TMenuItem& item : menu->items) {
    if (item.popup.empty()) {
      if (item.command == 0) continue;
      QAction* action = CommandAction(QString::fromStdString(item.text), item.command, menuBar());
      menuBar()->addAction(action);
      menuObjects.push_back(action);
      continue;
    }
    auto* popup = new QMenu(QString::fromStdString(item.text), menuBar());
    // A reader names the open popup by its title, without the mnemonic mark.
    popup->setAccessibleName(QString::fromStdString(item.text).remove(QLatin1Char('&')));
    menuBar()->addMenu(popup);
    menuObjects.push_back(popup);
    // Once the popup closes the hint of its last highlighted item goes too.
    connect(popup, &QMenu::aboutToHide, statusBar(), &QStatusBar::clearMessage);
    for (const TMenuItem& entry : item.popup) {
      if (entry.command == 0 && entry.text.empty())
        popup->addSeparator();
      else
        popup->addAction(
            CommandAction(QString::fromStdString(entry.text), entry.command, popup, entry.checkable));
    }
  }
}

void TMainWindow::GrayMenuItem(int command) {
  for (const auto& [id, action] : menuActions)
    if (id == command) action->setEnabled(false);
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (frame != nullptr && !frame->CanClose()) {
    event->ignore();
    return;
  }
  event->accept();
}

void TMainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (frame != nullptr) frame->Resized();
}

void TMainWindow::BuildPalette() {
  palette->setMovable(false);
  palette->setFloatable(false);
  palette->setOrientation(Qt::Vertical);
  palette->setIconSize(QSize(20, 20));
  palette->setToolButtonStyle(Qt::ToolButtonIconOnly);
  palette->setContextMenuPolicy(Qt::PreventContextMenu);
  for (const TPaletteButton& button : PaletteButtons()) {
    const QString name = QString::fromStdString(Tr(std::string(button.name)));
    QAction* action = CommandAction(name, button.command, palette);
    action->setIcon(QIcon(QPixmap::fromImage(LoadPicture(button.bitmap))));
    action->setStatusTip(name);
    action->setToolTip(name);
    palette->addAction(action);
    if (QWidget* shown = palette->widgetForAction(action)) shown->setAccessibleName(name);
  }
  addToolBar(Qt::LeftToolBarArea, palette);
  // The button that shows the buttons a short window has no room for.
  if (auto* more = palette->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QString::fromUtf8(Tr("More palette buttons")));
}

void TMainWindow::InstallAccelerators() {
  for (const TAccelerator& accelerator : Accelerators()) {
    Qt::KeyboardModifiers modifiers;
    if (accelerator.shift) modifiers |= Qt::ShiftModifier;
    if (accelerator.alt) modifiers |= Qt::AltModifier;
    // Bound to this window alone: keys typed into a message box or a file
    // dialog never reach the frame as commands.
    auto* shortcut = new QShortcut(QKeySequence(QKeyCombination(modifiers, QtKey(accelerator.key))), this);
    shortcut->setContext(Qt::WindowShortcut);
    const int command = accelerator.command;
    connect(shortcut, &QShortcut::activated, this, [this, command] { Command(command); });
  }
}

void TMainWindow::InstallDesktopKeys() {
  for (const TDesktopKey& key : DesktopKeys()) {
    auto* shortcut = new QShortcut(SequenceOf(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, &key] {
      const int command = DesktopKeyCommand(key, [this](int id) { return OffersEnabled(id); });
      if (command != 0) Command(command);
    });
  }
}

bool TMainWindow::OffersEnabled(int command) const {
  return std::any_of(menuActions.begin(), menuActions.end(),
                     [command](const auto& entry) { return entry.first == command && entry.second->isEnabled(); });
}

QAction* TMainWindow::CommandAction(const QString& text, int command, QObject* parent, bool checkable) {
  auto* action = new QAction(text, parent);
  if (checkable) {
    action->setCheckable(true);
    action->setChecked(checkedCommands.count(command) > 0);
  }
  if (parent == palette) {
    connect(action, &QAction::triggered, this, [this, command] { Command(command); });
    return action;
  }
  action->setStatusTip(ToQString(MenuHint(command)));
  // The desktop key stands beside the item in a popup. The main window's own
  // shortcut acts on it, so the item's applies only inside its open popup,
  // where it gives the same command.
  if (qobject_cast<QMenu*>(parent) != nullptr)
    if (const TDesktopKey* key = DesktopKeyShownFor(command)) {
      action->setShortcut(SequenceOf(*key));
      action->setShortcutContext(Qt::WidgetShortcut);
    }
  connect(action, &QAction::triggered, this, [this, command] {
    // A chosen item's hint goes as the menu closes; the message bar shows its
    // own text again while the command runs.
    statusBar()->clearMessage();
    Command(command);
  });
  menuActions.emplace_back(command, action);
  return action;
}

void TMainWindow::Command(int id) {
  if (frame != nullptr) frame->Command(id);
}

}  // namespace kovala
