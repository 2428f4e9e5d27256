// Building by keyboard alone, in the editor and in a course row, through the
// frame's routing as the program has it: the same molecules, refusals and
// boxes as the mouse gives.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "base/commands.h"
#include "resources/menus.h"
#include "tests/support/programfixture.h"

namespace kovala {
namespace {

const std::string kDropCompleted = "This molecule is completed!!!  Go to View for 3-D structure.";
const std::string kBondCompleted = "This molecule is completed!!!  Go to View for a 3-D structure.";

// "Alt+Shift+Left", "C", "Enter", "+", ... as the window receives it.
TKeyPress KeyNamed(const std::string& name) {
  TKeyPress press;
  std::string rest = name;
  for (;;) {
    if (rest.rfind("Ctrl+", 0) == 0 && rest.size() > 5) {
      press.keys.control = true;
      rest.erase(0, 5);
    } else if (rest.rfind("Alt+", 0) == 0 && rest.size() > 4) {
      press.keys.alt = true;
      rest.erase(0, 4);
    } else if (rest.rfind("Shift+", 0) == 0 && rest.size() > 6) {
      press.keys.shift = true;
      rest.erase(0, 6);
    } else {
      break;
    }
  }
  const std::vector<std::pair<std::string, TKeyCode>> named = {
      {"Tab", TKeyCode::Tab},    {"Enter", TKeyCode::Enter}, {"Space", TKeyCode::Space},
      {"Esc", TKeyCode::Escape}, {"Left", TKeyCode::Left},   {"Right", TKeyCode::Right},
      {"Up", TKeyCode::Up},      {"Down", TKeyCode::Down},   {"+", TKeyCode::Plus},
      {"-", TKeyCode::Minus}};
  for (const auto& [text, code] : named)
    if (rest == text) {
      press.code = code;
      return press;
    }
  if (rest.size() == 1) {
    press.code = TKeyCode::Character;
    press.character = rest[0];
    return press;
  }
  ADD_FAILURE() << "no key named " << name;
  return press;
}

// Presses the keys of a script, separated by spaces, on a window with the
// keyboard focus; false when one of them was not used.
bool Press(TWindow& window, const std::string& script) {
  std::istringstream keys(script);
  bool allUsed = true;
  for (std::string key; keys >> key;) allUsed = window.KeyDown(KeyNamed(key)) && allUsed;
  return allUsed;
}

std::vector<std::string> Texts(const test::TScriptedDesktop& desktop) {
  std::vector<std::string> texts;
  for (const auto& message : desktop.messages) texts.push_back(message.text);
  return texts;
}

int Formula(const TMolecule& molecule, ElementKind kind) {
  int count = 0;
  for (const auto& atom : molecule.atoms) count += atom.kind == kind ? 1 : 0;
  return count;
}

struct TKeyBuild {
  const char* name;
  int practiceRow;  // 0 for the editor
  int organicRow;   // 0 for none
  const char* keys;
  int carbons, hydrogens, others;
  const char* lastMessage;
  int charge;             // of the whole molecule
  const char* bondOrder;  // of the first bond, "" for no check
};

class KeyboardBuild : public ::testing::TestWithParam<TKeyBuild> {};

TEST_P(KeyboardBuild, CompletesByKeysAlone) {
  const TKeyBuild& build = GetParam();
  test::TProgramFixture program;
  TBondWindow* window = program.frame.bondWindow.get();
  if (build.practiceRow > 0) {
    program.frame.Command(cmd::StartLab);
    window = program.frame.practiceWindow.get();
    program.frame.practiceWindow->SetupRow(build.practiceRow);
    program.frame.practiceWindow->StartAgain();
  }
  if (build.organicRow > 0) {
    program.frame.Command(cmd::OrganicChemistry);
    window = program.frame.organicWindow.get();
    program.frame.organicWindow->SetupRow(build.organicRow);
    program.frame.organicWindow->StartAgain();
  }
  window->FocusChanged(true, true);
  EXPECT_TRUE(Press(*window, build.keys));

  const TMolecule& molecule = window->molecule;
  EXPECT_TRUE(molecule.completed);
  EXPECT_EQ(Formula(molecule, Carbon), build.carbons);
  EXPECT_EQ(Formula(molecule, Hydrogen), build.hydrogens);
  EXPECT_EQ(molecule.atoms.Count(), build.carbons + build.hydrogens + build.others);
  for (const auto& atom : molecule.atoms)
    EXPECT_FALSE(window->InTray(atom)) << "an atom was left in the tray";
  ASSERT_FALSE(program.desktop.messages.empty());
  EXPECT_EQ(program.desktop.messages.back().text, build.lastMessage);
  EXPECT_EQ(program.desktop.messages.size(), 1u) << "only the completion was announced";
  int charge = 0;
  for (const auto& atom : molecule.atoms) charge += atom.charge;
  EXPECT_EQ(charge, build.charge);
  EXPECT_EQ(molecule.brackets.Count(), build.charge != 0 ? 1 : 0);
  if (std::string(build.bondOrder).size() > 0) {
    ASSERT_FALSE(molecule.bonds.IsEmpty());
    EXPECT_EQ(molecule.bonds[0].Order(), build.bondOrder);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Molecules, KeyboardBuild,
    ::testing::Values(
        TKeyBuild{"Methane", 0, 0, "C Enter H Alt+Right H Alt+Up H Alt+Left H Alt+Down", 1, 4, 0,
                  kDropCompleted.c_str(), 0, ""},
        TKeyBuild{"WaterWithSpaceForTheFirst", 0, 0, "O Space H Alt+Right H Alt+Left", 0, 2, 1,
                  kDropCompleted.c_str(), 0, ""},
        // The focus stays on the first C for its hydrogens, Ctrl+Right takes it
        // to the second, and the bond is raised from there looking left.
        TKeyBuild{"Ethene", 0, 0,
                  "C Enter C Alt+Right H Alt+Up H Alt+Down Ctrl+Right H Alt+Up H Alt+Down Alt+Shift+Left", 2,
                  4, 0, kBondCompleted.c_str(), 0, "double"},
        // Hydroxide: the O's last open bond takes an electron instead.
        TKeyBuild{"HydroxideIon", 0, 0, "O Enter H Alt+Right +", 0, 1, 1, kDropCompleted.c_str(), -1, ""},
        // Hydronium by taking an electron from the O before its third H.
        TKeyBuild{"HydroniumIon", 0, 0, "O Enter H Alt+Right - H Alt+Left H Alt+Up", 0, 3, 1,
                  kDropCompleted.c_str(), 1, ""},
        // Tab picks a tray atom (an H, below the C) to place first; the C
        // follows beside it and Ctrl+Right takes the focus to the C.
        TKeyBuild{"MethaneInTheLab", 1, 0, "Tab Tab Enter Alt+Right Ctrl+Right Alt+Up Alt+Right Alt+Down", 1,
                  4, 0, kDropCompleted.c_str(), 0, ""},
        TKeyBuild{"WaterInTheLab", 4, 0, "Enter Alt+Right Alt+Left", 0, 2, 1, kDropCompleted.c_str(), 0, ""},
        TKeyBuild{"EthaneInTheOrganicCourse", 0, 2,
                  "Enter Alt+Right Alt+Up Alt+Left Alt+Down Ctrl+Right Alt+Up Alt+Right Alt+Down", 2, 6, 0,
                  kDropCompleted.c_str(), 0, "single"}),
    [](const ::testing::TestParamInfo<TKeyBuild>& row) { return std::string(row.param.name); });

// A refused key drop shows the box and the panel reason of the same drop
// made with the mouse.
struct TMouseStep {
  ElementKind kind;
  int besideStep;  // the earlier step whose atom it is dropped beside; -1 for the middle
  SideCode side;
};

struct TRefusedDrop {
  const char* name;
  const char* keys;               // the last key is the refused one
  std::vector<TMouseStep> mouse;  // the mouse's twin: palette button, then a drag
};

class KeyboardRefusal : public ::testing::TestWithParam<TRefusedDrop> {};

TEST_P(KeyboardRefusal, SameBoxAndReasonAsTheMouse) {
  const TRefusedDrop& drop = GetParam();
  test::TProgramFixture byKeys;
  byKeys.frame.bondWindow->FocusChanged(true, true);
  Press(*byKeys.frame.bondWindow, drop.keys);

  test::TProgramFixture byMouse;
  TBondWindow& mouse = *byMouse.frame.bondWindow;
  std::vector<const TAtom*> stepAtoms;
  for (const TMouseStep& step : drop.mouse) {
    const int before = mouse.molecule.atoms.Count();
    byMouse.frame.Command(cmd::PaletteCarbon + step.kind);
    if (mouse.molecule.atoms.Count() == before) continue;  // the palette refused it
    const TAtom& added = mouse.molecule.atoms[mouse.molecule.atoms.Count() - 1];
    const TRect client = byMouse.host.ClientRect();
    const TPoint to = step.besideStep < 0
                          ? TPoint{(client.left + client.right) / 2, (client.top + client.bottom) / 2}
                          : SideOf(*stepAtoms[static_cast<std::size_t>(step.besideStep)], step.side);
    stepAtoms.push_back(&added);
    mouse.LeftButtonDown({added.x + 10, added.y + 10}, {});
    mouse.LeftButtonUp(to, {});
  }

  ASSERT_FALSE(byMouse.desktop.messages.empty());
  EXPECT_EQ(Texts(byKeys.desktop), Texts(byMouse.desktop));
  EXPECT_EQ(byKeys.desktop.messages.back().caption, byMouse.desktop.messages.back().caption);
  EXPECT_EQ(byKeys.frame.bondWindow->Explanation(), mouse.Explanation());
  EXPECT_EQ(byKeys.frame.bondWindow->molecule.atoms.Count(), mouse.molecule.atoms.Count());
  EXPECT_EQ(byKeys.frame.bondWindow->molecule.bonds.Count(), mouse.molecule.bonds.Count());
}

INSTANTIATE_TEST_SUITE_P(
    Drops, KeyboardRefusal,
    ::testing::Values(
        TRefusedDrop{"SideAlreadyUsed",
                     "C Enter H Alt+Right H Alt+Right",
                     {{Carbon, -1, NoSide}, {Hydrogen, 0, RightSide}, {Hydrogen, 0, RightSide}}},
        // Ctrl+Right takes the focus to the F, which has no bond left.
        TRefusedDrop{"NoBondLeft",
                     "C Enter F Alt+Right Ctrl+Right H Alt+Right",
                     {{Carbon, -1, NoSide}, {Fluorine, 0, RightSide}, {Hydrogen, 1, RightSide}}},
        // A completed molecule: the palette refuses the next atom.
        TRefusedDrop{"AfterCompletion",
                     "H Enter H Alt+Right H",
                     {{Hydrogen, -1, NoSide}, {Hydrogen, 0, RightSide}, {Hydrogen, -1, NoSide}}}),
    [](const ::testing::TestParamInfo<TRefusedDrop>& row) { return std::string(row.param.name); });

TEST(Keyboard, LettersInACourseAreRefusedAsThePaletteIs) {
  test::TProgramFixture program;
  program.frame.Command(cmd::StartLab);
  TBondWindow& lab = *program.frame.practiceWindow;
  const int atoms = lab.molecule.atoms.Count();
  EXPECT_TRUE(Press(lab, "C"));
  EXPECT_EQ(lab.molecule.atoms.Count(), atoms);
  ASSERT_EQ(program.desktop.messages.size(), 1u);
  EXPECT_EQ(program.desktop.messages[0].text, "You cannot use this button at this time.");
  EXPECT_EQ(program.desktop.messages[0].caption, "Information");
}

TEST(Keyboard, RingKeysPlaceTheTemplatesAsTheirButtons) {
  for (const auto& [key, atoms] : std::vector<std::pair<std::string, int>>{{"A", 6}, {"6", 6}, {"4", 4}}) {
    test::TProgramFixture program;
    TBondWindow& editor = *program.frame.bondWindow;
    EXPECT_TRUE(Press(editor, key));
    EXPECT_EQ(editor.molecule.atoms.Count(), atoms) << key;
    EXPECT_TRUE(editor.molecule.ringTemplatePlaced) << key;
    EXPECT_EQ(editor.KeyFocusAtom(), 0) << key;
    // A second ring is refused with the button's own words.
    Press(editor, key);
    EXPECT_EQ(editor.molecule.atoms.Count(), atoms) << key;
    EXPECT_EQ(program.desktop.messages.size(), 1u) << key;
  }
}

// Keys the accelerator table and the desktop keys bind, which the window
// leaves to them in every state, and which change nothing there.
TEST(Keyboard, KeysBoundElsewhereAreLeftAlone) {
  std::vector<TKeyPress> bound;
  for (const TAccelerator& accelerator : Accelerators()) {
    TKeyPress press;
    press.keys.shift = accelerator.shift;
    press.keys.alt = accelerator.alt;
    switch (accelerator.key) {
      case TKey::Left:
        press.code = TKeyCode::Left;
        break;
      case TKey::Right:
        press.code = TKeyCode::Right;
        break;
      case TKey::Up:
        press.code = TKeyCode::Up;
        break;
      case TKey::Down:
        press.code = TKeyCode::Down;
        break;
      case TKey::X:
        press.code = TKeyCode::Character;
        press.character = 'X';
        break;
      default:
        press.code = TKeyCode::Other;
        break;
    }
    bound.push_back(press);
  }
  for (const char* name : {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+Z", "Ctrl+C", "Ctrl+P",
                           "Ctrl+Q", "Ctrl+0", "Ctrl++", "Ctrl+-", "Alt+M", "Alt+E"})
    bound.push_back(KeyNamed(name));

  test::TProgramFixture program;
  TBondWindow& editor = *program.frame.bondWindow;
  editor.FocusChanged(true, true);
  Press(editor, "C Enter H Alt+Right");
  const int atoms = editor.molecule.atoms.Count();
  const int bonds = editor.molecule.bonds.Count();
  const std::size_t boxes = program.desktop.messages.size();
  for (const TKeyPress& press : bound) {
    EXPECT_FALSE(editor.KeyDown(press)) << static_cast<int>(press.code) << " " << press.character;
    EXPECT_EQ(editor.molecule.atoms.Count(), atoms);
    EXPECT_EQ(editor.molecule.bonds.Count(), bonds);
    EXPECT_EQ(program.desktop.messages.size(), boxes);
  }
  EXPECT_GE(bound.size(), Accelerators().size());
}

TEST(Keyboard, FocusFollowsTabAndSidesAndLeavesPastTheEnds) {
  test::TProgramFixture program;
  TBondWindow& editor = *program.frame.bondWindow;
  editor.FocusChanged(true, true);
  Press(editor, "C Enter H Alt+Right H Alt+Down O");  // the O waits in the tray
  const TMolecule& m = editor.molecule;
  const int carbon = editor.KeyFocusAtom();
  ASSERT_GE(carbon, 0);
  EXPECT_EQ(m.atoms[carbon].kind, Carbon);
  EXPECT_EQ(m.atoms[editor.KeyDropAtom()].kind, Oxygen);

  struct TStep {
    const char* key;
    ElementKind focused;
    int dx, dy;  // from the carbon
  };
  const TAtom& c = m.atoms[carbon];
  for (const TStep& step : {TStep{"Ctrl+Right", Hydrogen, 30, 0}, TStep{"Ctrl+Left", Carbon, 0, 0},
                            TStep{"Ctrl+Down", Hydrogen, 0, 30}, TStep{"Ctrl+Up", Carbon, 0, 0},
                            TStep{"Ctrl+Up", Carbon, 0, 0}}) {  // nothing above: the focus stays
    EXPECT_TRUE(Press(editor, step.key));
    const TAtom& focused = m.atoms[editor.KeyFocusAtom()];
    EXPECT_EQ(focused.kind, step.focused) << step.key;
    EXPECT_EQ(focused.x - c.x, step.dx) << step.key;
    EXPECT_EQ(focused.y - c.y, step.dy) << step.key;
  }

  // Tab runs through the atoms in their order, then lets the key go.
  std::vector<int> seen;
  for (int i = 0; i < m.atoms.Count() + 1; ++i) {
    const bool kept = editor.KeyDown(KeyNamed("Tab"));
    if (!kept) break;
    seen.push_back(editor.KeyFocusAtom());
  }
  // From the C (the first placed, atom 0) to the last atom, the tray's O.
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  // Shift+Tab from the start goes to the last atom and back out past the first.
  EXPECT_TRUE(Press(editor, "Shift+Tab"));
  EXPECT_EQ(editor.KeyFocusAtom(), m.atoms.Count() - 1);
}

TEST(Keyboard, FocusIsDrawnAndReportedOnlyWithTheKeyboardFocus) {
  test::TProgramFixture program;
  TBondWindow& editor = *program.frame.bondWindow;
  Press(editor, "C Enter H");
  const std::string quiet = *editor.PanelText();
  auto focusedItems = [&editor] {
    int focused = 0;
    for (const TAccessibleItem& item : editor.AccessibleItems()) focused += item.focused ? 1 : 0;
    return focused;
  };
  // Keys without the drawing area's focus (the tests' own presses) show nothing.
  EXPECT_EQ(focusedItems(), 0);
  EXPECT_FALSE(editor.KeyFocusShown());

  // Focus by the mouse or at start: reported, but neither drawn nor hinted
  // until a key is pressed.
  editor.FocusChanged(true, false);
  EXPECT_EQ(focusedItems(), 1);
  EXPECT_FALSE(editor.KeyFocusShown());
  EXPECT_EQ(*editor.PanelText(), quiet);
  editor.KeyDown(KeyNamed("Ctrl+Left"));
  EXPECT_TRUE(editor.KeyFocusShown());
  const std::string hinted = *editor.PanelText();
  EXPECT_EQ(hinted.substr(0, quiet.size()), quiet) << "the panel's own text stays first";
  EXPECT_NE(hinted.find("Alt+arrow"), std::string::npos);

  test::TRecordingSurface surface;
  editor.Paint(surface);
  int dots = 0;
  for (const auto& call : surface.calls) dots += call.kind == test::TDrawCall::Kind::Fill ? 1 : 0;
  EXPECT_GT(dots, 20) << "a dotted ring";

  editor.FocusChanged(false, false);
  EXPECT_EQ(focusedItems(), 0);
  EXPECT_EQ(*editor.PanelText(), quiet);
  test::TRecordingSurface plain;
  editor.Paint(plain);
  for (const auto& call : plain.calls) EXPECT_NE(call.kind, test::TDrawCall::Kind::Fill);

  // Back from a message box: still at the keys. A mouse press in the area
  // ends that until the next key.
  editor.FocusChanged(true, false);
  EXPECT_TRUE(editor.KeyFocusShown());
  editor.LeftButtonDown({5, 5}, {});
  editor.LeftButtonUp({5, 5}, {});
  EXPECT_FALSE(editor.KeyFocusShown());
  EXPECT_EQ(*editor.PanelText(), quiet);
  EXPECT_EQ(focusedItems(), 1) << "a reader still hears where the keys would act";
}

TEST(Keyboard, EnterActsAsTheRightButtonInElectronMode) {
  test::TProgramFixture program;
  TBondWindow& editor = *program.frame.bondWindow;
  Press(editor, "L Enter");
  program.frame.Command(cmd::AddElectron);
  EXPECT_TRUE(editor.electronModePending);
  Press(editor, "Enter");
  EXPECT_FALSE(editor.electronModePending);
  EXPECT_TRUE(editor.molecule.completed);
  EXPECT_EQ(editor.molecule.atoms[0].charge, -1);
  // Refusals are the right button's: hydrogen keeps its electron.
  program.desktop.answers.push_back(TAnswer::No);  // not saved
  program.frame.Command(cmd::NewMolecule);
  ASSERT_TRUE(editor.molecule.atoms.IsEmpty());
  program.desktop.messages.clear();
  Press(editor, "H Enter -");
  ASSERT_EQ(program.desktop.messages.size(), 1u);
  EXPECT_EQ(program.desktop.messages[0].text, "You cannot change the number of electrons on hydrogen!!");
}

}  // namespace
}  // namespace kovala
