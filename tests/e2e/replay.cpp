// Replays pointer drags and commands on the frame through the recording
// fakes, with the client size the real program had, then saves the editor's
// molecule: the bytes the program's own writer gives for what the end-to-end
// test did on the X server.
//
// Usage: kovala_replay WIDTH HEIGHT OUTFILE STEP...
//   command:ID            a menu, accelerator or palette command
//   drag:X1,Y1,X2,Y2      left button down at X1,Y1 and up at X2,Y2 (client points)
#include <cstdio>
#include <sstream>
#include <string>

#include "app/frame.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"

namespace {

bool ParseInts(const std::string& text, int* values, int count) {
  std::istringstream in(text);
  for (int i = 0; i < count; ++i) {
    if (i > 0 && in.get() != ',') return false;
    if (!(in >> values[i])) return false;
  }
  return in.peek() == std::char_traits<char>::eof();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kovala;
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s WIDTH HEIGHT OUTFILE STEP...\n", argv[0]);
    return 2;
  }
  test::TFakeFrameHost host;
  host.window.client = {0, 0, std::atoi(argv[1]), std::atoi(argv[2])};
  test::TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};
  host.mainWindow = &frame;
  frame.SetupWindow();

  for (int i = 4; i < argc; ++i) {
    const std::string step = argv[i];
    int v[4];
    if (step.rfind("command:", 0) == 0 && ParseInts(step.substr(8), v, 1)) {
      frame.Command(v[0]);
    } else if (step.rfind("drag:", 0) == 0 && ParseInts(step.substr(5), v, 4)) {
      frame.Client().LeftButtonDown({v[0], v[1]}, {});
      frame.Client().LeftButtonUp({v[2], v[3]}, {});
    } else {
      std::fprintf(stderr, "unknown step %s\n", step.c_str());
      return 2;
    }
  }
  for (const auto& m : desktop.messages) std::fprintf(stderr, "%s: %s\n", m.caption.c_str(), m.text.c_str());

  desktop.saveChoices.push_back(std::string(argv[3]));
  frame.Command(cmd::SaveMolecule);
  return desktop.saveDialogs == 1 && frame.bondWindow->fileName == argv[3] && !frame.bondWindow->changed ? 0
                                                                                                         : 1;
}
