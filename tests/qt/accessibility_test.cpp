// The main window as a screen reader sees it through Qt's accessibility
// interfaces: nothing a student can use is unnamed, and the drawing area
// lists its atoms at their place on the screen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/myapp.h"
#include "app/qt/mainwindow.h"
#include "framework/qt/panellabel.h"
#include "framework/qt/qtdesktop.h"
#include "resources/palette.h"
#include "tests/qt/programtest.h"
#include "tests/qt/qttest.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {
namespace {

// Roles a student acts on; any node with them, or focusable, needs a name.
bool Interactive(QAccessibleInterface& node) {
  switch (node.role()) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::PageTab:
    case QAccessible::Link:
    case QAccessible::Canvas:
    case QAccessible::Graphic:
    case QAccessible::ListItem:
      return true;
    default: {
      const QAccessible::State state = node.state();
      return state.focusable || state.movable || state.selectable;
    }
  }
}

struct TWalk {
  int interactive = 0;
  std::vector<std::string> unnamed;  // path of roles to each unnamed interactive node
};

void Walk(QAccessibleInterface* node, const std::string& path, TWalk& walk, int depth = 0) {
  ASSERT_LT(depth, 40) << "the tree loops at " << path;
  if (node == nullptr || !node->isValid()) return;
  const std::string here = path + "/" + std::to_string(node->role());
  if (Interactive(*node)) {
    ++walk.interactive;
    if (node->text(QAccessible::Name).trimmed().isEmpty()) walk.unnamed.push_back(here);
  }
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), here, walk, depth + 1);
}

class AccessibilityTest : public TProgramTest {
 protected:
  THostWidget& Host() const { return EditorHost(); }
  QAccessibleInterface& HostFace() const { return *QAccessible::queryAccessibleInterface(&Host()); }
  QAccessibleInterface& PanelFace() const {
    return *QAccessible::queryAccessibleInterface(const_cast<QLabel*>(&mainWindow.Panel()));
  }

  // The newest tray atom dragged by the window's own gestures, in program pixels.
  void DropNew(ElementKind kind, TPoint to) {
    frame.Command(cmd::PaletteCarbon + kind);
    const TRect client = Host().ClientRect();
    Editor().LeftButtonDown({client.right - 40, client.top + 20}, {});
    Editor().LeftButtonUp(to, {});
  }
  TPoint Centre() const {
    const TRect client = Host().ClientRect();
    return {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  }
};

TEST_F(AccessibilityTest, NoInteractiveNodeIsUnnamedInAnyClient) {
  for (const int client : {0, cmd::StartLab, cmd::OrganicChemistry, cmd::QuitPracticeOrganic}) {
    if (client != 0) frame.Command(client);
    if (client == 0) {
      // Something in the tray and on the grid, so the walk meets atoms too.
      frame.Command(cmd::PaletteOxygen);
      DropNew(Carbon, Centre());
    }
    TWalk walk;
    Walk(QAccessible::queryAccessibleInterface(&mainWindow), "", walk);
    EXPECT_TRUE(walk.unnamed.empty()) << "client " << client << ": unnamed " << walk.unnamed.front();
    // Palette buttons, menu bar items, the drawing areas and their atoms.
    EXPECT_GT(walk.interactive, static_cast<int>(PaletteButtons().size()) + 4) << "client " << client;
  }
}

// A reader speaks the panel's notification with the lines that are new, so
// a line that stays (the keys') is heard once, not after every step. (The
// showing event that makes it speak is not raised where no reader listens,
// as under the offscreen platform.)
TEST_F(AccessibilityTest, APanelChangeIsSaidWithItsNewLinesOnly) {
  auto& panel = static_cast<TPanelLabel&>(const_cast<QLabel&>(mainWindow.Panel()));
  QAccessibleInterface& face = PanelFace();
  struct TStep {
    const char* shown;
    const char* said;
  };
  for (const TStep& step : {TStep{"Still open: the C needs 4 bonds.\nKeys: ...", "Still open: the C needs 4 bonds.\nKeys: ..."},
                            TStep{"Still open: the C needs 3 bonds.\nKeys: ...", "Still open: the C needs 3 bonds."},
                            TStep{"Still open: the C needs 3 bonds.", "Still open: the C needs 3 bonds."},
                            TStep{"Completed: methane, CH4\nKeys: ...", "Completed: methane, CH4\nKeys: ..."}}) {
    panel.SetPanelText(QString::fromUtf8(step.shown));
    EXPECT_EQ(face.text(QAccessible::Description), QString::fromUtf8(step.said)) << step.shown;
    EXPECT_EQ(face.text(QAccessible::Value), QString::fromUtf8(step.shown));
  }
}

TEST_F(AccessibilityTest, NamesOfTheDrawingAreasThePanelAndThePalette) {
  QAccessibleInterface& host = HostFace();
  EXPECT_EQ(host.role(), QAccessible::Canvas);
  EXPECT_EQ(host.text(QAccessible::Name), "Molecule drawing area");
  QAccessibleInterface* shape = QAccessible::queryAccessibleInterface(mainWindow.HostOf(*frame.shapeWindow));
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->text(QAccessible::Name), "3-D model view");

  QAccessibleInterface& panel = PanelFace();
  EXPECT_EQ(panel.role(), QAccessible::Notification);
  EXPECT_EQ(panel.text(QAccessible::Name), "Molecule panel");
  EXPECT_EQ(panel.text(QAccessible::Value), mainWindow.Panel().text());
  QAccessibleTextInterface* text = panel.textInterface();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(0, text->characterCount()), mainWindow.Panel().text());
  EXPECT_EQ(text->text(-5, 1000), mainWindow.Panel().text()) << "offsets out of range are clamped";

  const QList<QAction*> actions = mainWindow.Palette().actions();
  ASSERT_EQ(actions.size(), static_cast<qsizetype>(PaletteButtons().size()));
  for (qsizetype i = 0; i < actions.size(); ++i) {
    QAccessibleInterface* button =
        QAccessible::queryAccessibleInterface(mainWindow.Palette().widgetForAction(actions[i]));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(QAccessible::Name).toStdString(), PaletteButtons()[static_cast<std::size_t>(i)].name);
  }
}

class AccessibleAtomPlaces : public AccessibilityTest, public testing::WithParamInterface<double> {};

TEST_P(AccessibleAtomPlaces, StandWhereTheAtomIsShownAtTheDrawingScale) {
  const double scale = GetParam();
  Host().SetDrawingScale(scale);
  DropNew(Carbon, Centre());
  frame.Command(cmd::PaletteHydrogen);
  QAccessibleInterface& face = HostFace();
  ASSERT_EQ(face.childCount(), 2);
  for (int i = 0; i < 2; ++i) {
    const TAtom& atom = Editor().molecule.atoms[i];
    const QRect expected(Host().mapToGlobal(QPoint(static_cast<int>(atom.x * scale), static_cast<int>(atom.y * scale))),
                         QSize(static_cast<int>(20 * scale), static_cast<int>(20 * scale)));
    QAccessibleInterface* child = face.child(i);
    EXPECT_EQ(child->rect(), expected) << "atom " << i;
    EXPECT_EQ(face.childAt(expected.center().x(), expected.center().y()), child) << "atom " << i;
  }
  const QPoint empty = Host().mapToGlobal(QPoint(5, 5));
  EXPECT_EQ(face.childAt(empty.x(), empty.y()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Scales, AccessibleAtomPlaces, testing::Values(1.0, 2.0, 3.0));

}  // namespace
}  // namespace kovala::test
