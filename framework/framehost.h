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
};

}  // namespace kovala
