// The application object: the program's name and the last stop of command
// routing.
#pragma once

#include <string>

#include "base/commands.h"
#include "framework/framehost.h"

namespace kovala {

class TMyApp {
 public:
  explicit TMyApp(IFrameHost& frameHost) : host(frameHost) {}

  // Handles Exit: closes the main window, which runs the frame's close query.
  bool Command(int id);

  const std::string name = "Kovala";

 private:
  IFrameHost& host;
};

}  // namespace kovala
