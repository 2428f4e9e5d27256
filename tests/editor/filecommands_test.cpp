// Save, Save as, Open and Export when the file system says no: the box keeps
// its text, the explanation field says why, and nothing is lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/bondwindow.h"
#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;
using test::TFakeHost;
using test::TScriptedDesktop;

// The explanation field holds `words`.
testing::AssertionResult Says(const std::string& explanation, const std::string& words) {
  if (explanation.find(words) != std::string::npos) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "\"" << explanation << "\" does not say \"" << words << "\"";
}

class FileCommands : public testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kovala-filecommands-" + std::to_string(::getpid()) + "-" +
                                       testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    window.SetupWindow();
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string File(const std::string& name) const { return (dir / name).string(); }

  // A carbon placed in the drawing area, one hydrogen waiting in the tray.
  void PlacedCarbon() {
    window.NewAtom(Carbon);
    window.molecule.atoms[0].x = 100;
    window.molecule.atoms[0].y = 100;
    window.NewAtom(Hydrogen);
  }

  TFakeHost host;
  TScriptedDesktop desktop;
  TBondWindow window{host, desktop};
  fs::path dir;
};

TEST_F(FileCommands, AFailedSaveAsKeepsTheOldNameAndSaysWhy) {
  PlacedCarbon();
  const std::string good = File("lab.kvl");
  desktop.saveChoices = {good};
  ASSERT_TRUE(window.SaveAs());
  std::ifstream in(good, std::ios::binary);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  fs::create_directory(dir / "folder.kvl");

  struct Case {
    std::string path;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {File("missing/lab.kvl"), "does not exist"},
      {File(std::string(300, 'n') + ".kvl"), "too long"},
      {File("folder.kvl"), "is a folder"},
  };
  for (const auto& c : cases) {
    window.Snapshot();  // changed again
    desktop.messages.clear();
    desktop.saveChoices = {c.path};
    EXPECT_FALSE(window.SaveAs()) << c.reason;
    EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"File cannot be found!"}) << c.reason;
    EXPECT_TRUE(Says(window.Explanation(), c.reason));
    EXPECT_TRUE(Says(window.Explanation(), "Not saved"));
    EXPECT_EQ(window.fileName, good) << c.reason;
    EXPECT_EQ(host.caption, good) << c.reason;
    EXPECT_FALSE(window.untitled) << c.reason;
    EXPECT_TRUE(window.changed) << c.reason;
  }

  // The next Save goes to the file that was written, without a dialog, and
  // clears the reason.
  const int dialogs = desktop.saveDialogs;
  window.NewAtom(Oxygen);
  EXPECT_TRUE(window.Save());
  EXPECT_EQ(desktop.saveDialogs, dialogs);
  EXPECT_NE(fs::file_size(good), saved.size());
  EXPECT_EQ(window.Explanation(), "");
}

TEST_F(FileCommands, AFailedSaveAsOfANewMoleculeLeavesItUntitled) {
  PlacedCarbon();
  desktop.saveChoices = {File("missing/lab.kvl")};
  EXPECT_FALSE(window.Save());
  EXPECT_TRUE(window.untitled);
  EXPECT_EQ(window.fileName, "Untitled");
  EXPECT_EQ(host.caption, "Untitled");
}

TEST_F(FileCommands, OpenSaysWhyAFileWasNotRead) {
  TMolecule many;
  for (int i = 0; i < 30; ++i) many.atoms.Add(TAtom(Hydrogen, 10, 10 + 30 * i));
  std::ostringstream out;
  WriteMolecule(out, many);
  std::ofstream(File("many.kvl"), std::ios::binary) << out.str();
  std::ofstream(File("note.kvl")) << "A note, not a molecule";

  struct Case {
    const char* name;
    const char* box;
    const char* reason;
  };
  const Case cases[] = {
      {"none.kvl", "File cannot be found!", "does not exist"},
      {"many.kvl", "Incorrect File Format!", "more than 26 atoms"},
      {"note.kvl", "Incorrect File Format!", "not a molecule file"},
  };
  for (const auto& c : cases) {
    desktop.messages.clear();
    desktop.openChoices = {File(c.name)};
    EXPECT_FALSE(window.Open()) << c.name;
    EXPECT_EQ(desktop.Texts(), std::vector<std::string>{c.box}) << c.name;
    EXPECT_TRUE(Says(window.Explanation(), c.reason));
    EXPECT_TRUE(window.molecule.atoms.IsEmpty()) << c.name;
  }
}

TEST_F(FileCommands, ExportSaysWhenNothingIsPlacedOrTheWriteFailed) {
  window.NewAtom(Carbon);  // only in the tray
  EXPECT_FALSE(window.Export());
  EXPECT_EQ(desktop.saveDialogs, 0);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(window.Explanation(), NothingToExportReason);

  window.molecule.atoms[0].x = 100;
  window.molecule.atoms[0].y = 100;
  desktop.saveChoices = {File("missing/m.smi")};
  EXPECT_FALSE(window.Export());
  EXPECT_EQ(desktop.Texts(), std::vector<std::string>{"File cannot be found!"});
  EXPECT_TRUE(Says(window.Explanation(), "Not exported"));
  EXPECT_TRUE(Says(window.Explanation(), "does not exist"));

  desktop.saveChoices = {File("m.smi")};
  EXPECT_TRUE(window.Export());
  EXPECT_TRUE(fs::exists(File("m.smi")));
  EXPECT_EQ(window.Explanation(), "");
}

}  // namespace
}  // namespace kovala
