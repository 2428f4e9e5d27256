// Drives the frame and its windows with seeded random actions on the
// recording fakes, as a student clicking about for hours would, and checks the
// model's records and the frame's state after each action. Shared by the soak
// test and its benchmark.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "editor/filefailure.h"
#include "model/elementkind.h"
#include "model/invariants.h"
#include "model/moleculefile.h"
#include "resources/menus.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

class TSoak {
 public:
  // `directory` must exist; Save and Open work inside it.
  TSoak(std::uint32_t seed, std::filesystem::path directory) : random(seed), folder(std::move(directory)) {
    host.mainWindow = &frame;
    frame.SetupWindow();
    frame.shapeWindow->SeedRandom(seed);
  }

  // Runs one random action; returns the name of the first broken rule, or an
  // empty string when every rule holds. `action` receives what was done.
  std::string Step(std::string& action) {
    ScriptAnswers();
    const bool editorShown = host.Client() == frame.bondWindow.get();
    const bool inCourse = frame.practiceActive || frame.organicActive;
    const std::string editorBefore = inCourse ? EditorFingerprint() : std::string();
    std::map<std::string, std::string> before;
    for (int n = 0; n <= 4; ++n) before[Path(n)] = WriteStamp(Path(n));
    action = Act();
    if (!inCourse && (frame.practiceActive || frame.organicActive)) closeAllowed = false;
    // Only a file the editor itself has just written must hold its records: a
    // "No" to the save question keeps an older file, and a course saves its own
    // molecule under a name the editor may also use.
    editorWrote = editorShown && WriteStamp(frame.bondWindow->fileName) != before[frame.bondWindow->fileName];
    if (frame.bondWindow->molecule.completed) ++reached.completed;
    if (frame.view3DActive) ++reached.view3D;
    if (frame.shapeWindow->animating) ++reached.animating;
    if (frame.practiceActive || frame.organicActive) {
      ++reached.inCourse;
      const TCourseWindow& course = frame.practiceActive
                                        ? static_cast<const TCourseWindow&>(*frame.practiceWindow)
                                        : *frame.organicWindow;
      if (course.molecule.completed) {
        ++reached.courseCompleted;
        if (course.ShownRow() != nullptr && !course.ShownRow()->rules.empty()) ++reached.ruleRowCompleted;
      }
    }
    ForgetHistory();
    std::string broken = Check();
    // The editor's molecule waits, untouched, while a course is shown.
    if (broken.empty() && inCourse && (frame.practiceActive || frame.organicActive) &&
        EditorFingerprint() != editorBefore)
      broken = "the editor's molecule changed while a course was shown";
    return broken;
  }

  // How often the session stood in the states worth reaching, so that a run
  // that never gets there is noticed.
  struct TReached {
    int completed = 0;
    int view3D = 0;
    int animating = 0;
    int savesReadBack = 0;
    int inCourse = 0;
    int courseCompleted = 0;
    int ruleRowCompleted = 0;  // a completed molecule of a row with rules
  } reached;

  TFakeFrameHost host;
  TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};

 private:
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  bool Chance(int percent) { return Uniform(1, 100) <= percent; }
  std::string Path(int n) const { return (folder / ("m" + std::to_string(n) + ".kvl")).string(); }

  // Every question and dialog the next action may raise gets a random answer.
  void ScriptAnswers() {
    desktop.answers.clear();
    for (int i = 0; i < 3; ++i) desktop.answers.push_back(static_cast<TAnswer>(Uniform(0, 3)));
    desktop.openChoices.clear();
    desktop.saveChoices.clear();
    for (int i = 0; i < 3; ++i) {
      desktop.openChoices.push_back(Chance(15) ? std::nullopt
                                               : std::optional<std::string>(Path(Uniform(0, 4))));
      desktop.saveChoices.push_back(Chance(15) ? std::nullopt
                                               : std::optional<std::string>(Path(Uniform(0, 3))));
    }
  }

  TBondWindow& Molecule() { return frame.CurrentMoleculeWindow(); }

  TPoint InsideCell(const TAtom& atom) { return {atom.x + Uniform(1, 19), atom.y + Uniform(1, 19)}; }

  TPoint RandomPoint() {
    const TRect r = host.ClientRect();
    return {Uniform(r.left - 10, r.right + 10), Uniform(r.top - 10, r.bottom + 10)};
  }

  // A point in a free-looking cell beside a random atom, or anywhere.
  TPoint DropPoint() {
    auto& atoms = Molecule().molecule.atoms;
    if (atoms.IsEmpty() || Chance(25)) return RandomPoint();
    if (Chance(15)) {
      const TRect r = host.ClientRect();
      return {(r.left + r.right) / 2 + Uniform(-15, 15), (r.top + r.bottom) / 2 + Uniform(-15, 15)};
    }
    const TAtom& target = atoms[Uniform(0, atoms.Count() - 1)];
    static constexpr int steps[4][2] = {{30, 0}, {-30, 0}, {0, 30}, {0, -30}};
    const auto& step = steps[Uniform(0, 3)];
    return {target.x + step[0] + Uniform(1, 19), target.y + step[1] + Uniform(1, 19)};
  }

  // A student's purposeful drag, mostly so in a course: a tray atom to the
  // middle of a side cell of an atom that still takes a bond, so that larger
  // molecules, and the courses' structure rules, get completed too.
  bool PurposefulDrag(TPoint& from, TPoint& to) {
    const TBondWindow& w = Molecule();
    const auto& atoms = w.molecule.atoms;
    std::vector<const TAtom*> tray, open;
    for (const TAtom& atom : atoms) {
      if (w.InTray(atom))
        tray.push_back(&atom);
      else if (atom.openBonds > 0 || atom.freeElectrons >= 2)
        open.push_back(&atom);
    }
    if (tray.empty()) return false;
    from = InsideCell(*tray[static_cast<std::size_t>(Uniform(0, static_cast<int>(tray.size()) - 1))]);
    if (open.empty()) {
      const TRect r = host.ClientRect();
      to = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      return true;
    }
    static constexpr int middles[4][2] = {{30, 10}, {10, -10}, {-10, 10}, {10, 30}};
    const TAtom& target = *open[static_cast<std::size_t>(Uniform(0, static_cast<int>(open.size()) - 1))];
    const auto& middle = middles[Uniform(0, 3)];
    to = {target.x + middle[0], target.y + middle[1]};
    return true;
  }

  std::string Drag() {
    auto& atoms = Molecule().molecule.atoms;
    TPoint from = RandomPoint();
    if (!atoms.IsEmpty() && Chance(90)) from = InsideCell(atoms[Uniform(0, atoms.Count() - 1)]);
    TPoint to = DropPoint();
    const bool inCourse = frame.practiceActive || frame.organicActive;
    if (!frame.view3DActive && Chance(inCourse ? 70 : 30)) PurposefulDrag(from, to);
    TWindow& client = frame.Client();
    client.LeftButtonDown(from, {});
    // Now and then something else happens while the button is held.
    if (Chance(3)) {
      const std::vector<int> commands = Reachable();
      frame.Command(commands[Uniform(0, static_cast<int>(commands.size()) - 1)]);
    }
    frame.Client().LeftButtonUp(to, {});
    return "drag " + std::to_string(from.x) + "," + std::to_string(from.y) + " -> " + std::to_string(to.x) +
           "," + std::to_string(to.y);
  }

  std::string RightClick() {
    auto& m = Molecule().molecule;
    TPoint at = RandomPoint();
    if (!m.bonds.IsEmpty() && Chance(50)) {
      const TBonds& b = m.bonds[Uniform(0, m.bonds.Count() - 1)];
      at = {(b.x1 + b.x2) / 2, (b.y1 + b.y2) / 2};
    } else if (!m.atoms.IsEmpty() && Chance(85)) {
      at = InsideCell(m.atoms[Uniform(0, m.atoms.Count() - 1)]);
    }
    frame.Client().RightButtonDown(at, {});
    return "right click " + std::to_string(at.x) + "," + std::to_string(at.y);
  }

  // What the student can send now: the enabled items of the menu shown and
  // the accelerators, which work in every state. Exit is left to the close
  // query action so the session goes on.
  std::vector<int> Reachable() const {
    std::vector<int> ids;
    auto add = [&](int id) {
      const auto& grayed = host.window.grayed;
      if (id != 0 && id != ExitCommand && std::find(grayed.begin(), grayed.end(), id) == grayed.end())
        ids.push_back(id);
    };
    if (const TMenu* menu = FindMenu(host.window.menu))
      for (const auto& item : menu->items) {
        add(item.command);
        for (const auto& sub : item.popup) add(sub.command);
      }
    for (const auto& key : Accelerators()) add(key.command);
    return ids;
  }

  static constexpr int ExitCommand = 24340;

  std::string Act() {
    // A finished molecule and a still model are rare by chance alone; lean
    // towards what a student then does.
    if (!frame.view3DActive && Molecule().molecule.completed && Chance(20)) {
      frame.Command(cmd::ShowModel3D);
      return "command 301";
    }
    // A finished lesson is mostly followed by the next one; now and then a
    // student skips one.
    if ((frame.practiceActive || frame.organicActive) && !frame.view3DActive &&
        Chance(Molecule().molecule.completed ? 30 : 2)) {
      frame.Command(cmd::NextMolecule);
      return "command 457";
    }
    if (frame.view3DActive && !frame.shapeWindow->animating && Chance(10)) {
      frame.Command(cmd::Animate);
      return "command 709";
    }
    const int roll = Uniform(1, 100);
    if (roll <= 22) {
      const int id = Chance(8) ? Uniform(259, 262) : Uniform(250, 258);
      frame.Command(id);
      return "palette " + std::to_string(id);
    }
    if (roll <= 55) return Drag();
    if (roll <= 70) return RightClick();
    if (roll <= 75 && frame.shapeWindow->animating) {
      frame.shapeWindow->Timer(TShapeWindow::AnimationTimer);
      return "animation tick";
    }
    if (roll <= 77) {
      // An allowed close ends the program at once; the walk goes on, but the
      // caption a save on the way out set is then nothing a student sees.
      if (frame.CanClose()) closeAllowed = true;
      return "close query";
    }
    const std::vector<int> commands = Reachable();
    const int id = commands[Uniform(0, static_cast<int>(commands.size()) - 1)];
    frame.Command(id);
    return "command " + std::to_string(id);
  }

  // Keeps the fakes' records from growing without end over a long run.
  void ForgetHistory() {
    if (desktop.messages.size() > 64) desktop.messages.clear();
    desktop.clipboard.clear();
    desktop.helpOpened.clear();
    desktop.helpClosed.clear();
    if (host.clients.size() > 64) host.clients.erase(host.clients.begin(), host.clients.end() - 1);
    auto& menus = host.window.menusAssigned;
    if (menus.size() > 64) menus.erase(menus.begin(), menus.end() - 1);
    host.window.cursors.clear();
  }

  std::string CheckMolecule(const TBondWindow& window) {
    return BrokenInvariant(window.molecule, TInvariants::Built, host.ClientRect().right - 50).what;
  }

  // A course holds the atoms its shown row laid out, no more and no fewer,
  // with the row's lines and charge; a completed molecule keeps the row's
  // rules. An empty molecule is a course not yet started, or one past its
  // last row.
  static std::string CheckCourse(const TCourseWindow& course, const char* name) {
    const std::string at = std::string(name) + ": ";
    if (course.rowNumber < 0 || course.rowNumber > course.RowCount()) return at + "row number out of range";
    const TCourseRow* row = course.ShownRow();
    const TMolecule& m = course.molecule;
    const bool neverStarted = std::all_of(course.textLines.begin(), course.textLines.end(),
                                          [](const std::string& line) { return line.empty(); });
    if (row == nullptr || neverStarted) {
      if (!m.atoms.IsEmpty() || !neverStarted) return at + "atoms or lines before the course started";
      return {};
    }
    if (course.textLines != row->lines) return at + "lines of another row";
    if (m.atoms.IsEmpty()) {
      if (course.rowNumber != course.RowCount()) return at + "no atoms before the last row";
      return {};
    }
    std::multiset<int> wanted;
    for (const TAtomGroup& group : row->atoms)
      for (int i = 0; i < group.count; ++i) wanted.insert(group.kind);
    std::multiset<int> present;
    int charge = 0;
    for (const TAtom& atom : m.atoms) {
      present.insert(atom.kind);
      charge += atom.charge;
    }
    if (present != wanted) return at + "atoms other than the row's";
    if (charge != (row->adjustment ? row->adjustment->charge : 0)) return at + "charge other than the row's";
    if (m.completed && !RowAccepts(*row, m)) return at + "completed against a rule of its row";
    return {};
  }

  std::string CheckCourses() {
    if (frame.practiceActive && frame.organicActive) return "both courses active";
    const std::string& caption = host.window.caption;
    if (!closeAllowed && frame.practiceActive && caption != "Practice") return "caption " + caption;
    if (!closeAllowed && frame.organicActive && caption != "Organic Chemistry") return "caption " + caption;
    std::string broken = CheckCourse(*frame.practiceWindow, "practice lab");
    if (broken.empty()) broken = CheckCourse(*frame.organicWindow, "organic course");
    return broken;
  }

  std::string EditorFingerprint() const {
    std::ostringstream out;
    WriteMolecule(out, frame.bondWindow->molecule);
    return out.str();
  }

  std::string CheckMenu() {
    const std::string& menu = host.window.menu;
    if (frame.view3DActive) {
      if (host.Client() != frame.shapeWindow.get()) return "3-D view active but not the client";
      return menu == (frame.shapeWindow->animating ? "650" : "MENU_2") ? ""
                                                                       : "menu " + menu + " in the 3-D view";
    }
    if (frame.shapeWindow->animating) return "animating outside the 3-D view";
    if (frame.practiceActive || frame.organicActive)
      return menu == "660" ? "" : "menu " + menu + " in a course";
    if (host.Client() != frame.bondWindow.get()) return "editor not the client";
    // Return to Kovala and a palette press both assign the full menu even to
    // an empty molecule; the empty menu never stands over atoms.
    const bool fits = menu == "100" || (menu == "500" && frame.bondWindow->AtomCount() == 0);
    return fits ? "" : "menu " + menu + " for " + std::to_string(frame.bondWindow->AtomCount()) + " atoms";
  }

  // A file the editor has just saved must read back to the same records.
  std::string CheckSaved() {
    const TBondWindow& w = *frame.bondWindow;
    if (!editorWrote || w.untitled || w.changed) return {};
    TMolecule back;
    TScriptedDesktop quiet;
    if (!ReadMoleculeFile(w.fileName, back, quiet)) return "saved file does not read back";
    if (!SameRecords(back.atoms, w.molecule.atoms) || !SameRecords(back.bonds, w.molecule.bonds) ||
        !SameRecords(back.brackets, w.molecule.brackets))
      return "saved file reads back to other records";
    ++reached.savesReadBack;
    return {};
  }

  static std::string WriteStamp(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error) return {};
    return std::to_string(time.time_since_epoch().count()) + "/" +
           std::to_string(std::filesystem::file_size(path, error));
  }

  template <class T>
  static bool SameRecords(const TOwningArray<T>& a, const TOwningArray<T>& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i)
      if (!(a[i] == b[i])) return false;
    return true;
  }

  std::string Check() {
    for (const TBondWindow* w : {static_cast<const TBondWindow*>(frame.bondWindow.get()),
                                 static_cast<const TBondWindow*>(frame.practiceWindow.get()),
                                 static_cast<const TBondWindow*>(frame.organicWindow.get())}) {
      std::string broken = CheckMolecule(*w);
      if (!broken.empty()) return broken;
    }
    std::string broken = CheckMenu();
    if (broken.empty()) broken = CheckCourses();
    if (broken.empty()) broken = CheckSaved();
    return broken;
  }

  std::mt19937 random;
  std::filesystem::path folder;
  bool editorWrote = false;
  bool closeAllowed = false;  // since the course was entered
};

}  // namespace kovala::test
