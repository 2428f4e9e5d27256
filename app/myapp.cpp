#include "app/myapp.h"

namespace kovala {

bool TMyApp::Command(int id) {
  if (id != cmd::Exit) return false;
  // Closing the main window asks the frame's close query first, so the
  // student still gets the chance to save.
  host.CloseMainWindow();
  return true;
}

}  // namespace kovala
