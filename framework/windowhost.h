// What a window asks of the widget that hosts it and of the frame around it.
#pragma once

#include <string>

#include "base/geometry.h"

namespace kovala {

class IWindowHost {
 public:
  virtual ~IWindowHost() = default;

  virtual TRect ClientRect() const = 0;
  // Asks for a repaint of the whole client area, erasing it to white first
  // or drawing over what is there.
  virtual void Invalidate(bool erase) = 0;
  // Repaints now instead of when the event loop next gets to it.
  virtual void UpdateNow() = 0;
  // Screen pixels per program pixel where the window is shown: 2 on a 2x
  // screen. The window's rules never see it; only pictures drawn for the
  // screen are made this much finer, so they stay sharp.
  virtual double PixelRatio() const { return 1.0; }

  // Shows a cursor resource ("carboncursor", ...) until RestoreCursor.
  virtual void SetCursor(const std::string& cursorName) = 0;
  virtual void RestoreCursor() = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;

  virtual void SetTimer(int id, int milliseconds) = 0;
  virtual void KillTimer(int id) = 0;

  // Frame services.
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetMessageBar(const std::string& text) = 0;
  // The window's panel text (TWindow::PanelText) may have changed; a host
  // that shows the panel reads it again.
  virtual void PanelChanged() = 0;
  virtual void AssignMenu(const std::string& menuName) = 0;
  virtual void GrayMenuItem(int command) = 0;
  // Shows a check mark beside an item of the menu now assigned, or takes it
  // away; a new menu shows none.
  virtual void CheckMenuItem(int /*command*/, bool /*checked*/) {}
  // Hands a command to the frame's routing, as its menu item or palette
  // button would: a window's key that stands for a button goes through here.
  virtual void SendCommand(int /*command*/) {}
};

}  // namespace kovala
