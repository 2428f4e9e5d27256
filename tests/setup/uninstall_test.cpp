#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include "setup/filehash.h"
#include "setup/installset.h"
#include "setup/manifest.h"
#include "setup/setuptext.h"
#include "setup/xdgprogramgroups.h"
#include "tests/setup/setupfixture.h"
#include "setup/uninstall/uninstallwindow.h"

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
    WriteManifestFor(directory, names);
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
  // An old plain list, as the first installers wrote it.
  std::ofstream(dir + "/kovala.installed") << Concat({"kovala\n../kovala.doc\n", home, "/precious.kvl\n..\nnotes.txt\n"});
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
  std::string own;                // the un-installer's own folder under the root; "" for none
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
  for (const std::string& entry : GetParam().path) {
    if (!path.empty()) path += ':';
    if (entry != "-") path += root + "/" + entry;
  }
  const std::string own = GetParam().own.empty() ? "" : root + "/" + GetParam().own;
  const std::string found = TUnInstallWindow::LocateInstallation(own, path);
  EXPECT_EQ(found, GetParam().expected.empty() ? "" : root + "/" + GetParam().expected);
  if (GetParam().expected.empty()) {
    Run(path);
    EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kNotFound});
    EXPECT_EQ(desktop.boxes.messages[0].caption, "Information");
    EXPECT_TRUE(Exists(root + "/decoy/kovala"));
  }
}
INSTANTIATE_TEST_SUITE_P(Path, UnInstallSearch,
                         ::testing::Values(SearchCase{"OwnFolderFirst", "b", {"a"}, true, "b"},
                                           SearchCase{"OwnFolderNoInstallation", "decoy", {"a"}, true, "dist"},
                                           SearchCase{"CurrentFirst", "", {"a"}, true, "dist"},
                                           SearchCase{"PathInOrder", "", {"b", "a"}, false, "b"},
                                           SearchCase{"DecoySkipped", "", {"decoy", "-", "a"}, false, "a"},
                                           SearchCase{"NoneFound", "decoy", {"decoy", "nowhere"}, false, ""}),
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


TEST_F(UnInstall, NamesTheFolderOnScreenWhileItAsks) {
  const std::string dir = Installation(home + "/kovala");
  Run(dir, TAnswer::No);
  ASSERT_EQ(desktop.notes.size(), 1u);
  EXPECT_NE(desktop.notes[0].find(dir), std::string::npos) << desktop.notes[0];
  EXPECT_EQ(desktop.boxesBeforeNote[0], 0u);  // up before the question
  EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kQuestion});
}

// A file changed since it was installed is kept and named; the rest goes.
TEST_F(UnInstall, KeepsAndNamesWhatChanged) {
  const std::string dir = Installation(home + "/kovala", false);
  std::ofstream(dir + "/water.kvl") << "a student's work, same name";
  Write(dir + "/readme.doc", 10);  // rewritten with the same size and bytes: still the installed one
  Run(dir);
  ASSERT_EQ(desktop.boxes.messages.size(), 2u);
  EXPECT_EQ(desktop.boxes.messages[1].text, Concat({"Kovala was not removed completely from ", dir,
                                                    ". Left there:\nwater.kvl: changed since it was installed, so "
                                                    "it was kept."}));
  EXPECT_EQ(desktop.boxes.messages[1].icon, TIcon::Stop);
  EXPECT_EQ(Read(dir + "/water.kvl"), "a student's work, same name");
  for (const char* gone : {"kovala", "kovala.png", "readme.doc", "uninstall", "kovala.installed"})
    EXPECT_FALSE(Exists(dir + "/" + gone)) << gone;
}

// The folder goes only when the installer made it and nothing else is in it.
struct FolderCase {
  bool created, foreign;
  bool gone;
};
class UnInstallFolder : public UnInstall, public ::testing::WithParamInterface<FolderCase> {};
TEST_P(UnInstallFolder, RemovedOnlyWhenMadeAndEmpty) {
  const std::string dir = Installation(home + "/kovala", GetParam().foreign);
  WriteManifestFor(dir, {"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}, GetParam().created);
  Run(dir);
  EXPECT_EQ(desktop.boxes.Texts(), (std::vector<std::string>{kQuestion, kDone}));
  EXPECT_EQ(Exists(dir), !GetParam().gone);
}
INSTANTIATE_TEST_SUITE_P(Folders, UnInstallFolder,
                         ::testing::Values(FolderCase{true, false, true}, FolderCase{false, false, false},
                                           FolderCase{true, true, false}));

// An installation killed during its copy: the un-installer removes its
// files and hidden copies as well.
TEST_F(UnInstall, ClearsAnInterruptedInstallation) {
  const std::string dir = Installation(home + "/kovala", false);
  WriteManifestFor(dir, {"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}, true, false,
                   "00112233445566ff");
  fs::remove(dir + "/readme.doc");
  fs::remove(dir + "/uninstall");
  Write(dir + "/" + TemporaryName("readme.doc", "00112233445566ff"), 3);
  Run(dir);
  EXPECT_EQ(desktop.boxes.Texts(), (std::vector<std::string>{kQuestion, kDone}));
  EXPECT_FALSE(Exists(dir));
}

// Killed before any copy took its name: only the unfinished manifest and a
// hidden copy are there, and the un-installer started in that folder finds them.
TEST_F(UnInstall, ClearsAnInstallationKilledBeforeAnyFileWasInPlace) {
  const std::string dir = Installation(home + "/kovala", false);
  WriteManifestFor(dir, {"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}, true, false,
                   "00112233445566ff");
  for (const char* name : {"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"})
    fs::remove(dir + "/" + name);
  Write(dir + "/" + TemporaryName("kovala", "00112233445566ff"), 3);
  Write(dir + "/.kovala.somebody-elses", 3);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  Run("");
  EXPECT_EQ(desktop.boxes.Texts(), (std::vector<std::string>{kQuestion, kDone}));
  EXPECT_FALSE(Exists(dir + "/" + TemporaryName("kovala", "00112233445566ff")));
  EXPECT_FALSE(Exists(dir + "/kovala.installed"));
  EXPECT_TRUE(Exists(dir + "/.kovala.somebody-elses"));
  ASSERT_EQ(chdir(dist.c_str()), 0);
}

// A file listed only as about to be copied was never put in place by that
// run: whatever stands under its name, even of the same size, is not removed.
TEST_F(UnInstall, AFileOnlyAboutToBeCopiedIsNotTheInstallers) {
  const std::string dir = Installation(home + "/kovala", false);
  TManifest manifest = ManifestOf(dir);
  manifest.finished = false;
  manifest.token = "00112233445566ff";
  for (TManifestEntry& entry : manifest.files)
    if (entry.name == "water.kvl") entry.pending = true;
  std::ofstream(dir + "/kovala.installed") << FormatManifest(manifest);
  Run(dir);
  EXPECT_TRUE(Exists(dir + "/water.kvl"));
  EXPECT_FALSE(Exists(dir + "/kovala"));
  ASSERT_EQ(desktop.boxes.messages.size(), 2u);
  EXPECT_NE(desktop.boxes.messages[1].text.find("water.kvl: changed since it was installed"), std::string::npos);
}

TEST_F(UnInstall, RefusesAnImplausiblyLargeManifest) {
  const std::string dir = Installation(home + "/kovala", false);
  std::string text = FormatManifest(ManifestOf(dir));
  while (text.size() <= MaxManifestBytes) text += Concat({"file 10 0000000000000000 student", std::to_string(text.size()), ".kvl\n"});
  std::ofstream(dir + "/kovala.installed") << text;
  Run(dir);
  ASSERT_EQ(desktop.boxes.messages.size(), 1u);
  EXPECT_EQ(desktop.boxes.messages[0].text,
            dir + "/kovala.installed is far too large to be the list of a Kovala installation. Nothing was removed.");
  EXPECT_TRUE(Exists(dir + "/kovala"));
  EXPECT_TRUE(groups.commands.empty());
}

TEST(Manifest, ReadsBackWhatItWritesAndOldPlainLists) {
  TManifest manifest;
  manifest.finished = false;
  manifest.createdFolder = true;
  manifest.token = "0123456789abcdef";
  manifest.files = {{"kovala", 30000, 0x9b9a52953d115909ULL, true, false},
                    {"my molecule.kvl", 0, 0, true, false},
                    {"uninstall", 12000, 0, true, true}};
  TManifest back;
  ASSERT_TRUE(ParseManifest(FormatManifest(manifest), back));
  EXPECT_FALSE(back.finished);
  EXPECT_TRUE(back.createdFolder);
  EXPECT_FALSE(back.legacy);
  EXPECT_EQ(back.token, manifest.token);
  EXPECT_EQ(back.files, manifest.files);

  ASSERT_TRUE(ParseManifest("kovala\nwater.kvl\n../x\n.hidden\nkovala\n", back));
  EXPECT_TRUE(back.legacy);
  EXPECT_FALSE(back.createdFolder);
  EXPECT_EQ(back.files, (std::vector<TManifestEntry>{{"kovala", 0, 0, false}, {"water.kvl", 0, 0, false}}));

  // Damaged lines are left out, never guessed at.
  ASSERT_TRUE(ParseManifest("kovala.installed 2\nstate finished\nfile 12 zz kovala\nfile 12 00ff\nfile x 1 a.kvl\n"
                            "file 5 1f ../etc.doc\nfile 5 1f ok.doc\ntoken ../../x\n",
                            back));
  EXPECT_EQ(back.files, (std::vector<TManifestEntry>{{"ok.doc", 5, 0x1f, true}}));
  EXPECT_TRUE(back.token.empty());
  std::string many = "kovala.installed 2\n";
  for (std::size_t i = 0; i <= MaxManifestFiles; ++i) many += Concat({"file 1 1 f", std::to_string(i), ".kvl\n"});
  EXPECT_FALSE(ParseManifest(many, back));
}

TEST(FileHash, KnownValuesInPiecesAndWhole) {
  struct Case {
    std::string text;
    std::uint64_t hash;
  };
  for (const Case& c : {Case{"", 0xEF46DB3751D8E999ULL}, Case{"a", 0xD24EC4F1A98C6E5BULL},
                        Case{"abc", 0x44BC2CF5AD770999ULL},
                        Case{"The quick brown fox jumps over the lazy dog, again and again and again!!",
                             0x9B9A52953D115909ULL}}) {
    EXPECT_EQ(HashBytes(c.text.data(), c.text.size()), c.hash) << c.text;
    for (std::size_t piece : {1u, 5u, 31u, 33u}) {
      TFileHash hash;
      for (std::size_t at = 0; at < c.text.size(); at += piece)
        hash.Add(c.text.data() + at, std::min(piece, c.text.size() - at));
      EXPECT_EQ(hash.Value(), c.hash) << c.text << " in pieces of " << piece;
    }
  }
}

// As the unprivileged user, in a folder it cannot change: every file is
// named with the reason, no completion message, and the list stays.
TEST_F(UnInstall, FilesThatCannotBeRemovedAreNamedAndStayListed) {
  const std::string dir = Installation(home + "/kovala", false);
  chmod(dir.c_str(), 0755);
  const int status = RunAsNobody([&] {
    test::TFakeSetupDesktop d;
    test::TRecordingProgramGroups g;
    d.boxes.answers.push_back(TAnswer::Yes);
    TUnInstallWindow window(d, g, dir);
    window.SetupWindow();
    if (d.boxes.messages.size() != 2) return 1;
    const std::string& text = d.boxes.messages[1].text;
    if (text.find("kovala: Permission denied.") == std::string::npos) return 2;
    if (text.find("uninstall: Permission denied.") == std::string::npos) return 3;
    if (text.find(kDone) != std::string::npos) return 4;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(Exists(dir + "/kovala"));
  EXPECT_EQ(NamesIn(ManifestOf(dir)), (std::vector<std::string>{"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}));
}

// What a desktop reads from a string value: the escapes undone.
std::string DesktopString(const std::string& value) {
  std::string text;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      text += value[i];
      continue;
    }
    const char c = value[++i];
    text += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
  }
  return text;
}

// The first argument of an Exec value, as a launcher would start it.
std::string FirstExecArgument(const std::string& value) {
  const std::string exec = DesktopString(value);
  std::string argument;
  std::size_t i = 0;
  if (exec.starts_with("xdg-open ")) i = 9;
  if (i >= exec.size() || exec[i] != '"') return {};
  for (++i; i < exec.size() && exec[i] != '"'; ++i) {
    if (exec[i] == '\\' && i + 1 < exec.size()) ++i;
    else if (exec[i] == '%' && i + 1 < exec.size() && exec[i + 1] == '%') ++i;
    argument += exec[i];
  }
  return argument;
}

std::string ValueOf(const std::string& entry, const std::string& key) {
  const std::size_t at = entry.find(Concat({"\n", key, "="}));
  if (at == std::string::npos) return {};
  const std::size_t start = at + key.size() + 2;
  return entry.substr(start, entry.find('\n', start) - start);
}

// Folder names a teacher may well choose: every launcher passes the
// desktop's own validator and still points at the installed files.
class OddFolderNames : public UnInstall, public ::testing::WithParamInterface<std::string> {};
TEST_P(OddFolderNames, LaunchersAreValidAndExact) {
  const std::string dir = Installation(home + "/" + GetParam(), false);
  std::vector<TGroupCommand> commands;
  ASSERT_TRUE(ParseGroupCommands(CreateGroupCommand(dir), commands));
  ASSERT_EQ(commands.size(), 4u);
  EXPECT_EQ(commands[1], (TGroupCommand{"AddItem", {dir + "/kovala", "Kovala", dir + "/kovala"}}));

  TXdgProgramGroups service;
  ASSERT_TRUE(service.Connect()) << "xdg-desktop-menu is not installed";
  ASSERT_TRUE(service.Execute(CreateGroupCommand(dir)));
  const std::string apps = home + "/.local/share/applications";
  int launchers = 0;
  for (const auto& file : fs::directory_iterator(apps)) {
    if (file.path().extension() != ".desktop") continue;
    ++launchers;
    const std::string command = Concat({"desktop-file-validate '", file.path().string(), "' 2>&1"});
    FILE* validator = popen(command.c_str(), "r");
    ASSERT_NE(validator, nullptr);
    std::string report;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, validator) != nullptr) report += buffer;
    const int status = pclose(validator);
    EXPECT_EQ(status, 0) << file.path() << "\n" << report;
    EXPECT_EQ(report.find("error"), std::string::npos) << report;
    ASSERT_NE(report.find("not found"), 0u) << "desktop-file-validate is not installed";

    const std::string entry = Read(file.path().string());
    EXPECT_EQ(DesktopString(ValueOf(entry, "Path")), dir) << entry;
    EXPECT_EQ(DesktopString(ValueOf(entry, "Icon")), dir + "/kovala.png") << entry;
    const std::string exec = FirstExecArgument(ValueOf(entry, "Exec"));
    EXPECT_TRUE(exec == dir + "/kovala" || exec == dir + "/readme.doc" || exec == dir + "/uninstall") << entry;
  }
  EXPECT_EQ(launchers, 3);
  ASSERT_TRUE(service.Execute(DeleteGroupCommand()));
}
INSTANTIATE_TEST_SUITE_P(Names, OddFolderNames,
                         ::testing::Values("plain", "with space", "quote\"d", "it's", "dollar$HOME", "100%",
                                           "back\\slash", "a,b", "x)]y", "[bracket(", "semi;colon", "a`b`",
                                           "Ünïcødé Chemie"),
                         [](const auto& c) {
                           std::string name;
                           for (unsigned char ch : c.param) name += std::isalnum(ch) ? static_cast<char>(ch) : '_';
                           return name + std::to_string(c.index);
                         });
}  // namespace
}  // namespace kovala
