// A window that records the events its host hands it, and draws one line
// so a paint can be seen on the screen picture.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/window.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

struct TWindowEvent {
  std::string what;  // "left down", "left up", "right down", "paint", "timer", "resized", "command"
  int x = 0;         // point, timer id or command id
  int y = 0;
  bool shift = false;
  bool control = false;
  friend bool operator==(const TWindowEvent&, const TWindowEvent&) = default;
};

// Built before the window, which keeps references to them.
struct TRecordingWindowParts {
  TFakeHost startHost;
  TScriptedDesktop scriptedDesktop;
};

class TRecordingWindow : private TRecordingWindowParts, public TWindow {
 public:
  TRecordingWindow() : TWindow(startHost, scriptedDesktop) {}

  std::vector<TWindowEvent> events;
  std::optional<std::string> panel;  // the panel text it gives, none by default
  std::vector<TKeyPress> keysPressed;
  bool keysUsed = true;  // what KeyDown answers
  std::vector<std::pair<bool, bool>> focusChanges;  // focused, by keyboard
  bool allowClose = true;
  int closeQueries = 0;

  int Count(const std::string& what) const {
    int n = 0;
    for (const auto& e : events)
      if (e.what == what) ++n;
    return n;
  }

  void Paint(ISurface& surface) override {
    events.push_back({"paint"});
    surface.Line(5, 7, 25, 7);
  }
  void LeftButtonDown(TPoint p, TKeyState keys) override {
    events.push_back({"left down", p.x, p.y, keys.shift, keys.control});
  }
  void LeftButtonUp(TPoint p, TKeyState keys) override {
    events.push_back({"left up", p.x, p.y, keys.shift, keys.control});
  }
  void RightButtonDown(TPoint p, TKeyState keys) override {
    events.push_back({"right down", p.x, p.y, keys.shift, keys.control});
  }
  void Timer(int id) override { events.push_back({"timer", id}); }
  bool KeyDown(const TKeyPress& key) override {
    keysPressed.push_back(key);
    return keysUsed;
  }
  void FocusChanged(bool focused, bool byKeyboard) override { focusChanges.emplace_back(focused, byKeyboard); }
  void Resized() override { events.push_back({"resized"}); }
  bool Command(int id) override {
    events.push_back({"command", id});
    return true;
  }
  std::optional<std::string> PanelText() const override { return panel; }
  bool CanClose() override {
    ++closeQueries;
    return allowClose;
  }
};

}  // namespace kovala::test
