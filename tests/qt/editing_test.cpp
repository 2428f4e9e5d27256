// The program's own frame, editor and 3-D view inside the real main window,
// driven the way a student drives them: palette buttons clicked, atoms
// dragged with the mouse on the editor's widget, keys typed into the window.
// Message boxes are answered by a script, so no test waits on a modal box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenuBar>
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
#include "tests/qt/qttest.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {
namespace {

const std::string CompletedText = "This molecule is completed!!!  Go to View for 3-D structure.";

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
};

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

// The program as its entry wires it, without the splash, shown and active.
class EditingTest : public TQtTest {
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
  QPoint TraySlot(int k) const {
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

  TAnsweringDesktop desktop;
  TMainWindow mainWindow;
  TMyApp app{mainWindow};
  TFrame frame{mainWindow, desktop, app};
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
