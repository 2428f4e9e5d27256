#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "install/installset.h"
#include "install/xdgprogramgroups.h"
#include "tests/setup/setupfixture.h"
#include "uninstall/uninstallwindow.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;
using test::SetupFixture;

const std::string kQuestion = "You have started the un-install utililty for the program Kovala. Continue?";
const std::string kDone = "Un-Install of Kovala completed.";
const std::string kNotFound = "The kovala program cannot be found.";

class UnInstall : public SetupFixture {
 protected:
  // An installation as the installer leaves it, with a teacher's own files beside it.
  std::string Installation(const std::string& directory, bool foreign = true) {
    fs::create_directories(directory);
    const std::vector<std::string> names{"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"};
    for (const std::string& name : names) Write(directory + "/" + name, 10);
    WriteManifest(directory + "/kovala.installed", names);
    if (foreign)
      for (const char* name : {"lesson.doc", "student.kvl", "kovala.txt"}) Write(directory + "/" + name, 10);
    return directory;
  }
  void Run(const std::string& path, TAnswer answer = TAnswer::Yes) {
    desktop.boxes.answers.push_back(answer);
    TUnInstallWindow window(desktop, groups, path);
    window.SetupWindow();
  }
};

TEST_F(UnInstall, DeletesOnlyWhatTheManifestNamesAndKeepsTheDirectoryWithForeignFiles) {
  const std::string dir = Installation(home + "/kovala");
  Run(dir);
  EXPECT_EQ(desktop.boxes.Texts(), (std::vector<std::string>{kQuestion, kDone}));
  EXPECT_EQ(groups.commands, std::vector<std::string>{"[DeleteGroup(Kovala)]"});
  for (const char* gone :
       {"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall", "kovala.installed"})
    EXPECT_FALSE(Exists(dir + "/" + gone)) << gone;
  for (const char* kept : {"lesson.doc", "student.kvl", "kovala.txt"})
    EXPECT_TRUE(Exists(dir + "/" + kept)) << kept;
  EXPECT_EQ(desktop.closes, 1);
}

TEST_F(UnInstall, AnEmptiedDirectoryGoes) {
  const std::string dir = Installation(home + "/kovala", false);
  Run(dir);
  EXPECT_FALSE(Exists(dir));
}

TEST_F(UnInstall, NoLeavesEverythingInPlace) {
  const std::string dir = Installation(home + "/kovala");
  Run(dir, TAnswer::No);
  EXPECT_TRUE(groups.commands.empty());
  EXPECT_TRUE(Exists(dir + "/kovala"));
  EXPECT_TRUE(Exists(dir + "/kovala.installed"));
}

TEST_F(UnInstall, WithoutTheMenuServiceTheFilesGoAllTheSame) {
  const std::string dir = Installation(home + "/kovala", false);
  groups.reachable = false;
  Run(dir);
  EXPECT_EQ(desktop.boxes.Texts(),
            (std::vector<std::string>{kQuestion, "Can't start conversation.\nMake sure PROGMAN is running.",
                                      kDone}));
  EXPECT_EQ(desktop.boxes.messages[1].caption, "Un-Installation Utility");
  EXPECT_FALSE(Exists(dir));
}

TEST_F(UnInstall, AManifestNeverReachesOutsideItsDirectory) {
  const std::string dir = Installation(home + "/kovala", false);
  Write(home + "/kovala.doc", 10);
  Write(home + "/precious.kvl", 10);
  WriteManifest(dir + "/kovala.installed",
                {"kovala", "../kovala.doc", home + "/precious.kvl", "..", "notes.txt"});
  Write(dir + "/notes.txt", 10);
  Run(dir);
  EXPECT_TRUE(Exists(home + "/kovala.doc"));
  EXPECT_TRUE(Exists(home + "/precious.kvl"));
  EXPECT_TRUE(Exists(dir + "/notes.txt"));  // in the manifest but no file of the install set
  EXPECT_FALSE(Exists(dir + "/kovala"));
}

// Where the un-installer looks: the current directory, then PATH in order;
// a directory with a program of that name but no manifest is not an installation.
struct SearchCase {
  std::string name;
  std::vector<std::string> path;  // under the temporary root; "-" is an empty entry
  bool installedInCurrent;
  std::string expected;  // "" when nothing is found
};
class UnInstallSearch : public UnInstall, public ::testing::WithParamInterface<SearchCase> {};
TEST_P(UnInstallSearch, FindsTheFirstInstallation) {
  Installation(root + "/a", false);
  Installation(root + "/b", false);
  fs::create_directories(root + "/decoy");
  Write(root + "/decoy/kovala", 10, true);
  if (GetParam().installedInCurrent) Installation(dist, false);
  std::string path;
  for (const std::string& entry : GetParam().path)
    path += (path.empty() ? "" : ":") + (entry == "-" ? "" : root + "/" + entry);
  const std::string found = TUnInstallWindow::LocateInstallation(path);
  EXPECT_EQ(found, GetParam().expected.empty() ? "" : root + "/" + GetParam().expected);
  if (GetParam().expected.empty()) {
    Run(path);
    EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kNotFound});
    EXPECT_EQ(desktop.boxes.messages[0].caption, "Information");
    EXPECT_TRUE(Exists(root + "/decoy/kovala"));
  }
}
INSTANTIATE_TEST_SUITE_P(Path, UnInstallSearch,
                         ::testing::Values(SearchCase{"CurrentFirst", {"a"}, true, "dist"},
                                           SearchCase{"PathInOrder", {"b", "a"}, false, "b"},
                                           SearchCase{"DecoySkipped", {"decoy", "-", "a"}, false, "a"},
                                           SearchCase{"NoneFound", {"decoy", "nowhere"}, false, ""}),
                         [](const auto& c) { return c.param.name; });

TEST(GroupCommands, ParsedAsTheShellReadsThem) {
  std::vector<TGroupCommand> commands;
  ASSERT_TRUE(ParseGroupCommands(CreateGroupCommand("/home/ms/kovala"), commands));
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[0], (TGroupCommand{"CreateGroup", {"Kovala"}}));
  EXPECT_EQ(commands[3],
            (TGroupCommand{"AddItem",
                           {"/home/ms/kovala/uninstall", "Un-Install Kovala", "/home/ms/kovala/uninstall"}}));
  for (const char* bad : {"", "CreateGroup(Kovala)", "[CreateGroup(Kovala)", "[DeleteGroup)]"})
    EXPECT_FALSE(ParseGroupCommands(bad, commands)) << bad;
}

// The real desktop menu tool, in the temporary home only.
TEST_F(UnInstall, TheDesktopMenuGainsTheLaunchersAndLosesThemAgain) {
  const std::string dir = Installation(home + "/kovala", false);
  const std::string apps = home + "/.local/share/applications";
  const std::string menus = home + "/.config/menus/applications-merged";
  TXdgProgramGroups service;
  ASSERT_TRUE(service.Connect()) << "xdg-desktop-menu is not installed";
  ASSERT_TRUE(service.Execute(CreateGroupCommand(dir)));
  std::vector<std::string> launchers;
  for (const auto& entry : fs::directory_iterator(apps))
    launchers.push_back(entry.path().filename().string());
  std::sort(launchers.begin(), launchers.end());
  EXPECT_EQ(launchers,
            (std::vector<std::string>{"kovala-kovala-kovala.desktop", "kovala-kovala-readme.desktop",
                                      "kovala-kovala-un_install_kovala.desktop"}));
  std::ifstream readme(apps + "/kovala-kovala-readme.desktop");
  const std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("Exec=xdg-open \"" + dir + "/readme.doc\""), std::string::npos) << text;
  EXPECT_NE(text.find("Icon=" + dir + "/kovala.png"), std::string::npos) << text;
  EXPECT_TRUE(Exists(menus + "/user-kovala-kovala.menu"));
  // Started from the menu, the un-installer finds the installation in its
  // working directory.
  std::ifstream remover(apps + "/kovala-kovala-un_install_kovala.desktop");
  const std::string removerText((std::istreambuf_iterator<char>(remover)), std::istreambuf_iterator<char>());
  EXPECT_NE(removerText.find("\nPath=" + dir + "\n"), std::string::npos) << removerText;

  ASSERT_TRUE(service.Execute(DeleteGroupCommand()));
  EXPECT_TRUE(fs::is_empty(apps));
  EXPECT_FALSE(Exists(menus + "/user-kovala-kovala.menu"));
}

}  // namespace
}  // namespace kovala
