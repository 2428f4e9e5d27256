// What the main frame asks of the main window beyond an ordinary window host.
#pragma once

#include "framework/window.h"
#include "framework/windowhost.h"

namespace kovala {

class IFrameHost : public IWindowHost {
 public:
  // Makes `client` the window shown in the frame's client area.
  virtual void SetClient(TWindow& client) = 0;
  // Closes the main window; the frame's close query is asked first.
  virtual void CloseMainWindow() = 0;
  // Shows or hides the molecule panel as the student chose; it stays hidden
  // while the client has no panel text (the 3-D view).
  virtual void ShowPanel(bool shown) = 0;
  // Puts a check mark beside a checkable menu item, or takes it away; the
  // mark stays when a menu is assigned afresh.
  virtual void CheckMenuItem(int command, bool checked) = 0;
  // Shows every client window `scale` times larger (a zoom for a projector).
  // The windows' rules stay in program pixels: ClientRect is then the area
  // seen, in program pixels, and pointer positions are mapped back.
  virtual void SetDrawingScale(double scale) = 0;
};

}  // namespace kovala
