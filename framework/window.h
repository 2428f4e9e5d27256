// Base of every window of the program: receives the desktop's events and
// reaches the desktop only through its host and the desktop services.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/desktop.h"
#include "base/geometry.h"
#include "framework/surface.h"
#include "framework/windowhost.h"

namespace kovala {

// One thing a window draws that a screen reader should hear of: an atom, a
// line of text. Its rectangle is in program pixels of the client area.
struct TAccessibleItem {
  enum class TKind { Object, Text };
  TKind kind = TKind::Object;
  std::string name;
  std::string description;
  TRect rect;
  bool movable = false;  // can still be picked up and dropped elsewhere
  bool focused = false;  // has the window's keyboard focus among its items

  friend bool operator==(const TAccessibleItem&, const TAccessibleItem&) = default;
};

struct TKeyState {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// A key pressed while a window has the keyboard focus, as the window sees it:
// the few keys it may answer by name, letters and digits by their character.
enum class TKeyCode { Other, Character, Tab, Enter, Space, Escape, Left, Right, Up, Down, Plus, Minus };

struct TKeyPress {
  TKeyCode code = TKeyCode::Other;
  char character = 0;  // 'A' to 'Z' (upper case whatever Shift says), '0' to '9'
  TKeyState keys;
};

class TWindow {
 public:
  TWindow(IWindowHost& windowHost, IDesktop& desktopServices)
      : host(&windowHost), desktop(&desktopServices) {}
  virtual ~TWindow() = default;
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // The Qt layer moves a window onto its widget once that exists.
  void AttachHost(IWindowHost& windowHost) { host = &windowHost; }
  IWindowHost& Host() const { return *host; }
  IDesktop& Desktop() const { return *desktop; }

  virtual void SetupWindow() {}
  virtual void Paint(ISurface& /*surface*/) {}
  virtual void LeftButtonDown(TPoint /*point*/, TKeyState /*keys*/) {}
  virtual void LeftButtonUp(TPoint /*point*/, TKeyState /*keys*/) {}
  virtual void RightButtonDown(TPoint /*point*/, TKeyState /*keys*/) {}
  // The pointer moved while the left button is held.
  virtual void MouseMove(TPoint /*point*/, TKeyState /*keys*/) {}
  // The wheel turned by whole notches, positive away from the student.
  virtual void MouseWheel(TPoint /*point*/, int /*notches*/) {}
  virtual void Timer(int /*id*/) {}
  // A key pressed while the window has the keyboard focus; true when the
  // window used it, false to leave it to the desktop (Tab then moves on).
  virtual bool KeyDown(const TKeyPress& /*key*/) { return false; }
  // The window gained or lost the keyboard focus; `byKeyboard` when the
  // student came by a key (Tab) rather than the mouse or the window opening.
  virtual void FocusChanged(bool /*focused*/, bool /*byKeyboard*/) {}
  virtual void Resized() {}
  // A command offered to the window first; true when it handled it.
  virtual bool Command(int /*id*/) { return false; }
  virtual bool CanClose() { return true; }
  // The tooltip for the pointer resting at a point; empty for none.
  virtual std::string ToolTipAt(TPoint /*point*/) const { return {}; }
  // The text of the panel shown beside the window; none for a window that
  // has no panel, and the panel is then hidden.
  virtual std::optional<std::string> PanelText() const { return std::nullopt; }
  // The least client size, in program pixels, at which nothing the window
  // draws is cut; the host scrolls where the screen shows less (a zoomed
  // drawing area). Nothing beyond the client rectangle by default.
  virtual TSize DrawingReach() const { return {}; }
  // What a screen reader calls the window, and the things drawn in it, in
  // the order a reader should meet them. The host asks again whenever the
  // window repaints or reports a panel change.
  virtual std::string AccessibleName() const { return {}; }
  virtual std::vector<TAccessibleItem> AccessibleItems() const { return {}; }

  bool IsVisible() const { return visible; }
  virtual void Show() { visible = true; }
  virtual void Hide() { visible = false; }

 private:
  IWindowHost* host;
  IDesktop* desktop;
  bool visible = false;
};

}  // namespace kovala
