// A window of the program on the recording fakes: the host, the desktop that
// answers from a script, and the window itself, with the student's gestures.
// A course window, made by a maker, is held the same way.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "editor/bondwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"
#include "tests/support/studentdriver.h"

namespace kovala::test {

// Centre of tray slot k in the 640 x 400 client area.
inline TPoint TraySlot(int k) { return {600, 20 + 30 * k}; }

template <typename Window = TBondWindow>
class TWindowFixture {
 public:
  TWindowFixture() : owned(std::make_unique<Window>(host, desktop)) {}
  // `make(host, desktop)` gives the window, e.g. one of the courses.
  template <typename Maker>
  explicit TWindowFixture(Maker make) : owned(make(host, desktop)) {}

  TFakeHost host;
  TScriptedDesktop desktop;

 private:
  std::unique_ptr<Window> owned;

 public:
  Window& window = *owned;
  TMolecule& m = window.molecule;

  // The mouse buttons: pressed at one point, released at another.
  void Drag(TPoint from, TPoint to) {
    window.LeftButtonDown(from, {});
    window.LeftButtonUp(to, {});
  }
  // The window's own pick-up and drop, without the buttons around them.
  void Carry(TPoint from, TPoint to) {
    window.PickUpAtom(from);
    window.DropAtom(to);
  }
  // A palette button, then its atom (the first tray slot once the others
  // are placed) dragged to a point.
  void DropNew(ElementKind kind, TPoint to) {
    window.NewAtom(kind);
    Drag(TraySlot(0), to);
  }
  // A course row as the student reaches it with Next, laid out afresh.
  void GoTo(int row) {
    window.SetupRow(row);
    window.StartAgain();
  }

  // The student at this window's mouse; one for the fixture's life, so the
  // atoms of one recipe stay numbered in the next.
  TStudentDriver& Student() {
    if (!student) student.emplace(window, &desktop);
    return *student;
  }
  // Empty when every step was followed, else what stopped it.
  std::string Run(std::string_view recipe) { return Student().Run(recipe); }

 private:
  std::optional<TStudentDriver> student;
};

}  // namespace kovala::test
