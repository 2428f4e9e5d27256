// The program's own frame, editor and 3-D view inside the real main window,
// driven the way a student drives them: palette buttons clicked, atoms
// dragged with the mouse on the editor's widget, keys typed into the window.
// Message boxes are answered by a script, so no test waits on a modal box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame.h"
#include "app/myapp.h"
#include "app/qt/mainwindow.h"
#include "framework/qt/pictureresources.h"
#include "framework/qt/qtdesktop.h"
#include "model/elementkind.h"
#include "resources/palette.h"
#include "tests/qt/programtest.h"
#include "tests/qt/qttest.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {
namespace {

const std::string CompletedText = "This molecule is completed!!!  Go to View for 3-D structure.";

QStringList BarTexts(const QMainWindow& window) {
  QStringList texts;
  for (const QAction* action : window.menuBar()->actions()) texts << action->text();
  return texts;
}

// Carried atoms show their element's own cursor picture.
void ExpectCarriedCursor(const QWidget& host, ElementKind kind) {
  const QCursor expected = LoadCursor(ElementInfo(kind).cursorName);
  EXPECT_TRUE(host.testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(host.cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(host.cursor().hotSpot(), expected.hotSpot());
  EXPECT_EQ(host.cursor().pixmap().toImage(), expected.pixmap().toImage());
}

void ExpectPlainCursor(const QWidget& host) {
  EXPECT_FALSE(host.testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(host.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Places of the balls in no particular order: a repaint sorts them by depth.
using TBallPlaces = std::vector<std::tuple<ElementKind, int, int, int>>;
TBallPlaces Places(const TShapeWindow& view) {
  TBallPlaces places;
  for (const TList& ball : view.balls) places.emplace_back(ball.kind, ball.x, ball.y, ball.z);
  std::sort(places.begin(), places.end());
  return places;
}

// Pixels of a widget's shown picture inside a rectangle that are not white.
int InkIn(const QImage& shown, const TRect& box) {
  int ink = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if ((shown.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) ++ink;
  return ink;
}

class EditingTest : public TProgramTest {
 protected:
  // A carbon in the middle and a hydrogen on each of its four sides.
  void BuildMethane() {
    ClickPalette(Carbon);
    Drag(TraySlot(0), Centre());
    const TAtom& carbon = Editor().molecule.atoms[0];
    const QPoint cell(carbon.x, carbon.y);
    for (const QPoint side : {QPoint(30, 10), QPoint(10, -10), QPoint(-10, 10), QPoint(10, 30)}) {
      ClickPalette(Hydrogen);
      Drag(TraySlot(0), cell + side);
    }
  }
};

TEST_F(EditingTest, CarbonDraggedToTheMiddleThenAHydrogenBondsOnItsRightSide) {
  THostWidget& host = EditorHost();
  TBondWindow& editor = Editor();
  ClickPalette(Carbon);
  ASSERT_EQ(editor.AtomCount(), 1);
  EXPECT_EQ(BarTexts(mainWindow), (QStringList{"&Molecule", "&Edit", "&View", "&Practice", "&Help"}));

  const QPoint centre = Centre();
  QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, TraySlot(0));
  EXPECT_TRUE(editor.dragging);
  EXPECT_TRUE(host.MouseCaptured());
  ExpectCarriedCursor(host, Carbon);
  QTest::mouseMove(&host, centre - QPoint(60, 40));
  QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, centre);

  EXPECT_FALSE(editor.dragging);
  EXPECT_FALSE(host.MouseCaptured());
  ExpectPlainCursor(host);
  const TAtom& carbon = editor.molecule.atoms[0];
  EXPECT_EQ(carbon.kind, Carbon);
  EXPECT_EQ((TPoint{carbon.x, carbon.y}), (TPoint{centre.x() - 15, centre.y() - 15}));
  // On the screen the carbon now stands in the middle and its tray slot is empty.
  const QImage shown = host.grab().toImage();
  EXPECT_GT(InkIn(shown, {carbon.x, carbon.y, carbon.x + 20, carbon.y + 20}), 0);
  const QPoint tray = TraySlot(0);
  EXPECT_EQ(InkIn(shown, {tray.x() - 10, tray.y() - 10, tray.x() + 10, tray.y() + 10}), 0);

  ClickPalette(Hydrogen);
  ASSERT_EQ(editor.AtomCount(), 2);
  QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, TraySlot(0));
  ExpectCarriedCursor(host, Hydrogen);
  QTest::mouseMove(&host, QPoint(carbon.x + 100, carbon.y));
  QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, QPoint(carbon.x + 30, carbon.y + 10));
  ExpectPlainCursor(host);
  EXPECT_FALSE(host.MouseCaptured());

  const TMolecule& molecule = editor.molecule;
  ASSERT_EQ(molecule.atoms.Count(), 2);
  const TAtom& hydrogen = molecule.atoms[1];
  EXPECT_EQ(hydrogen.kind, Hydrogen);
  EXPECT_EQ((TPoint{hydrogen.x, hydrogen.y}), (TPoint{carbon.x + 30, carbon.y}));
  EXPECT_EQ(molecule.bondCount, 1);
  ASSERT_EQ(molecule.bonds.Count(), 1);
  EXPECT_EQ(molecule.bonds[0], TBonds(carbon.x + 20, carbon.x + 30, carbon.y + 10, carbon.y + 10));
  EXPECT_EQ(std::tuple(carbon.freeElectrons, carbon.openBonds, hydrogen.freeElectrons, hydrogen.openBonds),
            std::tuple(3, 3, 0, 0));
  EXPECT_FALSE(molecule.completed);
  EXPECT_TRUE(desktop.script.messages.empty());
}

TEST_F(EditingTest, ReleaseOutsideTheEditorEndsTheDragAndTheAtomGoesBack) {
  THostWidget& host = EditorHost();
  TBondWindow& editor = Editor();
  ClickPalette(Carbon);
  const TRect client = host.ClientRect();
  const TAtom& carbon = editor.molecule.atoms[0];
  const TPoint inTray{carbon.x, carbon.y};
  ASSERT_EQ(inTray, (TPoint{client.right - 50, client.top + 10}));
  const int undoSteps = editor.molecule.undoHistory.Count();

  const QPoint outside[] = {
      QPoint(-10, 30),                               // over the palette
      QPoint(client.right / 2, client.bottom + 25),  // over the message bar
      QPoint(client.right + 20, 20),                 // past the window's right edge
  };
  for (const QPoint release : outside) {
    SCOPED_TRACE(testing::Message() << "released at " << release.x() << "," << release.y());
    QTest::mousePress(&host, Qt::LeftButton, Qt::NoModifier, TraySlot(0));
    ASSERT_TRUE(editor.dragging);
    QTest::mouseMove(&host, release);
    QTest::mouseRelease(&host, Qt::LeftButton, Qt::NoModifier, release);
    EXPECT_FALSE(editor.dragging);
    EXPECT_FALSE(host.MouseCaptured());
    ExpectPlainCursor(host);
    EXPECT_EQ((TPoint{carbon.x, carbon.y}), inTray);
  }
  EXPECT_EQ(editor.molecule.undoHistory.Count(), undoSteps);
  EXPECT_TRUE(desktop.script.messages.empty());

  // Nothing of the broken-off drags is left over: the next one places the atom.
  Drag(TraySlot(0), Centre());
  EXPECT_EQ((TPoint{carbon.x, carbon.y}), (TPoint{Centre().x() - 15, Centre().y() - 15}));
  ExpectPlainCursor(host);
}

TEST_F(EditingTest, KeysShowTurnAndMoveTheModelOfMethaneAndReturnToTheEditor) {
  BuildMethane();
  ASSERT_TRUE(Editor().molecule.completed);
  EXPECT_EQ(desktop.script.Texts(), std::vector<std::string>{CompletedText});
  QAction* abbreviate = nullptr;
  for (QAction* top : mainWindow.menuBar()->actions())
    if (top->menu() != nullptr)
      for (QAction* item : top->menu()->actions())
        if (item->text() == "Abbreviate &H's") abbreviate = item;
  ASSERT_NE(abbreviate, nullptr);
  EXPECT_FALSE(abbreviate->isEnabled());

  QTest::keyClick(&mainWindow, Qt::Key_End);
  TShapeWindow& view = *frame.shapeWindow;
  ASSERT_TRUE(frame.view3DActive);
  EXPECT_EQ(&frame.Client(), &view);
  EXPECT_EQ(mainWindow.CurrentHost(), mainWindow.HostOf(view));
  // The resource's items in place, the program's own True Shape after them.
  EXPECT_EQ(BarTexts(mainWindow),
            (QStringList{"&Return to Kovala", "&Copy to Clipboard", "&Size", "&Animate", "&True Shape"}));
  ASSERT_EQ(view.balls.Count(), 5);

  THostWidget& viewHost = *mainWindow.HostOf(view);
  const QImage shownBefore = viewHost.grab().toImage();
  const TBallPlaces before = Places(view);
  QTest::keyClick(&mainWindow, Qt::Key_Left);
  const TBallPlaces turned = Places(view);
  EXPECT_NE(turned, before);
  EXPECT_NE(viewHost.grab().toImage(), shownBefore);

  const int centreX = view.centreX;
  QTest::keyClick(&mainWindow, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(view.centreX, centreX + 5);
  TBallPlaces moved = turned;
  for (auto& place : moved) std::get<1>(place) += 5;
  EXPECT_EQ(Places(view), moved);

  QTest::keyClick(&mainWindow, Qt::Key_Home);
  EXPECT_FALSE(frame.view3DActive);
  EXPECT_EQ(&frame.Client(), frame.bondWindow.get());
  EXPECT_EQ(mainWindow.CurrentHost(), &EditorHost());
  EXPECT_EQ(BarTexts(mainWindow), (QStringList{"&Molecule", "&Edit", "&View", "&Practice", "&Help"}));
  EXPECT_EQ(view.balls.Count(), 0);
  EXPECT_EQ(Editor().AtomCount(), 5);
  EXPECT_EQ(desktop.script.messages.size(), 1u);
}

}  // namespace
}  // namespace kovala::test

namespace kovala::test {
namespace {

// The molecule's records as the file keeps them, for comparing two builds.
std::vector<std::tuple<int, int, int, int, int, int, int>> Records(const TMolecule& molecule) {
  std::vector<std::tuple<int, int, int, int, int, int, int>> records;
  for (const TAtom& atom : molecule.atoms)
    records.emplace_back(atom.kind, atom.x, atom.y, atom.freeElectrons, atom.openBonds, atom.parentIndex,
                         atom.bonded);
  for (const TBonds& bond : molecule.bonds) records.emplace_back(-1, bond.x1, bond.y1, bond.x2, bond.y2, 0, 0);
  records.emplace_back(-2, molecule.bondCount, molecule.completed, 0, 0, 0, 0);
  return records;
}

class ZoomedEditingTest : public EditingTest {
 protected:
  // The widget point inside the program pixel `p`, at the host's scale.
  QPoint On(TPoint p) const {
    const double scale = EditorHost().DrawingScale();
    return QPoint(static_cast<int>(p.x * scale + scale / 2), static_cast<int>(p.y * scale + scale / 2));
  }
  void DragProgram(TPoint from, TPoint to) {
    QTest::mousePress(&EditorHost(), Qt::LeftButton, Qt::NoModifier, On(from));
    QTest::mouseMove(&EditorHost(), On(TPoint{(from.x + to.x) / 2, (from.y + to.y) / 2}));
    QTest::mouseRelease(&EditorHost(), Qt::LeftButton, Qt::NoModifier, On(to));
  }
  TPoint TrayCell() const { return TPoint{EditorHost().ClientRect().right - 40, 20}; }
  // Water, then a hydrogen refused on an oxygen that has no bond left,
  // then methane's carbon hung from nothing: the same program points at
  // every zoom.
  void BuildWaterWithARefusal() {
    ClickPalette(Oxygen);
    DragProgram(TrayCell(), TPoint{120, 90});
    const TPoint cell{105, 75};
    ClickPalette(Hydrogen);
    DragProgram(TrayCell(), TPoint{cell.x + 30, cell.y + 10});
    ClickPalette(Hydrogen);
    DragProgram(TrayCell(), TPoint{cell.x + 10, cell.y + 30});
    ClickPalette(Hydrogen);  // refused: the water is complete
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(&mainWindow, key, modifiers);
  }
};

TEST_F(ZoomedEditingTest, TheSameDropsMakeTheSameRecordsAtEveryZoom) {
  std::vector<std::vector<std::tuple<int, int, int, int, int, int, int>>> built;
  std::vector<std::vector<std::string>> said;
  // Actual size, then 2.5 times by four presses of Ctrl+plus, then 3 times.
  for (const int presses : {0, 4, 1}) {
    for (int i = 0; i < presses; ++i) Press(Qt::Key_Plus);
    desktop.script.messages.clear();
    BuildWaterWithARefusal();
    built.push_back(Records(Editor().molecule));
    said.push_back(desktop.script.Texts());
    Editor().changed = false;
    Press(Qt::Key_N);  // New, without a question
    ASSERT_EQ(Editor().AtomCount(), 0);
  }
  EXPECT_EQ(EditorHost().DrawingScale(), 3.0);
  ASSERT_TRUE(Editor().molecule.atoms.IsEmpty());
  EXPECT_EQ(built[1], built[0]);
  EXPECT_EQ(built[2], built[0]);
  EXPECT_EQ(said[1], said[0]);
  EXPECT_EQ(said[2], said[0]);
  ASSERT_EQ(said[0].size(), 2u);  // the completion, then the refused palette press
}

TEST_F(ZoomedEditingTest, AZoomedAreaScrollsRatherThanCutTheMolecule) {
  const TRect actual = EditorHost().ClientRect();
  ClickPalette(Carbon);
  ClickPalette(Hydrogen);
  // The carbon far right and low, where a three times zoom cannot show it.
  DragProgram(TrayCell(), TPoint{actual.right - 120, actual.bottom - 40});
  const TAtom& carbon = Editor().molecule.atoms[0];
  ASSERT_FALSE(Editor().molecule.atoms[1].bonded);
  for (int i = 0; i < 5; ++i) Press(Qt::Key_Equal);  // Ctrl+= as Ctrl+plus
  ASSERT_EQ(EditorHost().DrawingScale(), 3.0);
  // The frame's area is the part seen, in program pixels ...
  const TRect seen = mainWindow.ClientRect();
  EXPECT_LT(seen.right, carbon.x);
  // ... while the editor's widget grows to take in the carbon and the tray
  // column beside it, and the hydrogen waits at the tray's new place.
  const TRect client = EditorHost().ClientRect();
  EXPECT_GE(client.right, carbon.x + 20 + 60);
  EXPECT_GE(client.bottom, carbon.y + 20);
  EXPECT_GE(EditorHost().width(), client.right * 3);
  EXPECT_EQ(Editor().molecule.atoms[1].x, client.right - 50);
  auto* area = mainWindow.findChild<QScrollArea*>();
  ASSERT_NE(area, nullptr);
  EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
  // What was in the middle of the area seen is in the middle still.
  const int middle = actual.right / 2 * 3 - area->viewport()->width() / 2;
  EXPECT_NEAR(area->horizontalScrollBar()->value(), middle, 3);
  // Back at actual size nothing needs scrolling.
  Press(Qt::Key_0);
  EXPECT_EQ(EditorHost().DrawingScale(), 1.0);
  EXPECT_EQ(EditorHost().ClientRect(), actual);
  EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(Editor().molecule.atoms[1].x, actual.right - 50);
}

TEST_F(ZoomedEditingTest, DesktopKeysActOnlyWhereTheirMenuItemIsOffered) {
  // The menu shows the key beside the item, and the item's text is the same.
  auto item = [this](const QString& text) -> QAction* {
    for (QAction* top : mainWindow.menuBar()->actions())
      if (top->menu() != nullptr)
        for (QAction* action : top->menu()->actions())
          if (action->text() == text) return action;
    return nullptr;
  };
  ASSERT_NE(item("&New"), nullptr);
  EXPECT_EQ(item("&New")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(item("E&xit...Alt-X")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  EXPECT_EQ(item("&Index")->shortcut(), QKeySequence(Qt::Key_F1));

  Press(Qt::Key_F1, Qt::NoModifier);
  EXPECT_EQ(desktop.script.helpOpened, std::vector<std::string>{"kovala.hlp"});

  ClickPalette(Carbon);
  DragProgram(TrayCell(), TPoint{120, 90});
  ASSERT_TRUE(Editor().molecule.atoms[0].bonded == 0 && Editor().molecule.atoms[0].x == 105);
  EXPECT_EQ(item("Save &as ...")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Press(Qt::Key_Z);  // Undo-Back: the carbon goes back to the tray
  EXPECT_EQ(Editor().molecule.atoms[0].x, EditorHost().ClientRect().right - 50);
  Press(Qt::Key_C);
  EXPECT_EQ(desktop.script.LastText().rfind("You can now start another Windows application", 0), 0u);

  // A course offers neither New nor Copy nor Help: their keys do nothing.
  Editor().changed = false;
  frame.Command(cmd::StartLab);
  ASSERT_TRUE(frame.practiceActive);
  const auto courseAtoms = Records(frame.practiceWindow->molecule);
  const std::size_t shown = desktop.script.messages.size();
  for (const Qt::Key key : {Qt::Key_N, Qt::Key_C, Qt::Key_P})
    Press(key);
  Press(Qt::Key_F1, Qt::NoModifier);
  EXPECT_TRUE(frame.practiceActive);
  EXPECT_EQ(Records(frame.practiceWindow->molecule), courseAtoms);
  EXPECT_EQ(desktop.script.messages.size(), shown);
  EXPECT_EQ(desktop.script.helpOpened.size(), 1u);
  EXPECT_EQ(&frame.Client(), frame.practiceWindow.get());
}

}  // namespace
}  // namespace kovala::test
