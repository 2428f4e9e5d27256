// Export and Print reach the molecule shown, through the frame, and never the
// 3-D view.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/frame.h"
#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

struct TProgram {
  TProgram() {
    host.mainWindow = &frame;
    frame.SetupWindow();
  }
  test::TFakeFrameHost host;
  test::TScriptedDesktop desktop;
  TMyApp app{host};
  TFrame frame{host, desktop, app};
};

TEST(FrameExport, ExportAndPrintGoToTheEditorsMoleculeButNotFromThe3DView) {
  TProgram p;
  ASSERT_TRUE(ReadMoleculeFile(std::string(KOVALA_TEST_DATA) + "/methane.kvl", p.frame.bondWindow->molecule,
                               p.desktop));
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("kovala-frame-export-" + std::to_string(::getpid()) + ".smi");

  p.desktop.saveChoices = {file.string()};
  p.frame.Command(cmd::ExportMolecule);
  std::string line;
  std::getline(std::ifstream(file), line);
  EXPECT_EQ(line, "C methane");
  std::filesystem::remove(file);

  p.frame.Command(cmd::PrintMolecule);
  ASSERT_EQ(p.desktop.printed.size(), 1u);
  EXPECT_EQ(p.desktop.printed[0].title, "methane");

  p.frame.Command(cmd::ShowModel3D);
  ASSERT_TRUE(p.frame.view3DActive);
  p.frame.Command(cmd::ExportMolecule);
  p.frame.Command(cmd::PrintMolecule);
  EXPECT_EQ(p.desktop.saveDialogs, 1);
  EXPECT_EQ(p.desktop.printed.size(), 1u);
}

}  // namespace
}  // namespace kovala
