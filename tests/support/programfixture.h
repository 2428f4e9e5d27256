// The program as the tests have it: the main frame with its application
// object on the recording fakes, set up and ready for commands.
#pragma once

#include "app/frame.h"
#include "app/myapp.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

struct TProgramFixture {
  TProgramFixture() {
    host.mainWindow = &frame;
    frame.SetupWindow();
  }
  TFakeFrameHost host;
  TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};
};

}  // namespace kovala::test
