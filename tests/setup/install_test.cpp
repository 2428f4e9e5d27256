#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "setup/install/drives.h"
#include "setup/installset.h"
#include "setup/install/installwindow.h"
#include "setup/setuptext.h"
#include "setup/setupdialogs.h"
#include "tests/setup/setupfixture.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;
using test::SetupFixture;

const std::string kComplete = "Installation Complete";

class Install : public SetupFixture {
 protected:
  // The distribution folder a teacher gets.
  void Distribution(bool withUninstall = true) {
    Write(dist + "/kovala", 30000, true);
    Write(dist + "/kovala.png", 2500);
    Write(dist + "/water.kvl", 999);
    Write(dist + "/readme.doc", 1500);
    if (withUninstall) Write(dist + "/uninstall", 12000, true);
  }
  // Opens the options dialog and presses Install in the directory shown.
  TInstallWindow& Start() {
    window = std::make_unique<TInstallWindow>(desktop, groups, home, dist);
    window->SetupWindow();
    return *window;
  }
  test::TFakeDialog& Options() { return *desktop.Dialog("ChoiceDialog"); }
  void Enter(const std::string& entry) {
    auto& items = Options().items[choice::DirectoryList];
    const auto at = std::find(items.begin(), items.end(), entry);
    ASSERT_NE(at, items.end()) << entry;
    Options().Select(choice::DirectoryList, static_cast<int>(at - items.begin()));
    window->choiceDialog.Notify(choice::DirectoryList, TNotification::SelectionChanged);
  }
  void Press(int button) { window->choiceDialog.Notify(button, TNotification::Clicked); }

  std::unique_ptr<TInstallWindow> window;
};

TEST_F(Install, InstallSetInOrderCountsADoubleMatchTwiceAndSkipsHiddenAndFolders) {
  for (const char* name : {"water.kvl", "kovala.kvl", "kovala", "kovala.png", "readme.doc", "notes.txt",
                           ".hidden.kvl", "kovala.installed", "uninstall"})
    Write(dist + "/" + name, 10);
  fs::create_directory(dist + "/folder.kvl");
  EXPECT_EQ(FindInstallSet(dist), (std::vector<std::string>{"kovala", "kovala.kvl", "kovala.png",
                                                            "kovala.kvl", "water.kvl", "readme.doc"}));
}

struct SizeCase {
  std::size_t bytes;
  std::uint32_t kb;
};
class FileSizes : public SetupFixture, public ::testing::WithParamInterface<SizeCase> {};
TEST_P(FileSizes, CountInThousandsOfBytes) {
  Write(dist + "/f", GetParam().bytes);
  EXPECT_EQ(FileSizeKB(dist + "/f"), GetParam().kb);
}
INSTANTIATE_TEST_SUITE_P(Sizes, FileSizes,
                         ::testing::Values(SizeCase{0, 0}, SizeCase{999, 0}, SizeCase{1000, 1},
                                           SizeCase{1999, 1}, SizeCase{1024, 1}, SizeCase{25000, 25}));

TEST(InstallCommands, GroupTextsForADestination) {
  EXPECT_EQ(CreateGroupCommand("/home/ms/kovala"),
            "[CreateGroup(Kovala)][AddItem(/home/ms/kovala/kovala,Kovala,/home/ms/kovala/kovala)]"
            "[AddItem(/home/ms/kovala/readme.doc,ReadMe,/home/ms/kovala/readme.doc)]"
            "[AddItem(/home/ms/kovala/uninstall,Un-Install Kovala,/home/ms/kovala/uninstall)]");
  EXPECT_EQ(CreateGroupCommand("/").substr(0, 46), "[CreateGroup(Kovala)][AddItem(/kovala,Kovala,/");
  EXPECT_EQ(DeleteGroupCommand(), "[DeleteGroup(Kovala)]");
}

TEST(InstallDrives, RealWritableFileSystemsOnly) {
  const std::string table =
      "/dev/sda1 / ext4 rw,relatime 0 0\n"
      "proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\ntmpfs /run tmpfs rw 0 0\n"
      "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n/dev/sr0 /media/cd iso9660 ro 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n";
  const std::vector<std::string> points = WritableMountPoints(table);
  EXPECT_EQ(points, (std::vector<std::string>{"/", "/home", "/media/usb stick"}));
  EXPECT_EQ(DriveEntry("/home"), "[-/home-]");
  EXPECT_EQ(DriveOfEntry("[-/-]"), "/");
  EXPECT_EQ(DriveOf(points, "/home/ms/kovala"), "/home");
  EXPECT_EQ(DriveOf(points, "/homework"), "/");
}

TEST_F(Install, OptionsDialogOpensInTheNewDefaultDirectory) {
  fs::create_directories(home + "/kovala/Beta");
  fs::create_directories(home + "/kovala/alpha");
  fs::create_directories(home + "/kovala/.cache");
  Start();
  EXPECT_EQ(Options().Text(choice::DestinationPath), home + "/kovala");
  EXPECT_EQ(Options().items[choice::DirectoryList], (std::vector<std::string>{"[..]", "[Beta]", "[alpha]"}));
  EXPECT_TRUE(Options().IsChecked(choice::CreateGroup));
  EXPECT_FALSE(Options().SelectedItem(choice::DriveBox).empty());
  EXPECT_TRUE(Options().visible);
  Enter("[..]");
  EXPECT_EQ(Options().Text(choice::DestinationPath), home);
}

TEST_F(Install, IntoTheDefaultDirectoryCopiesEverythingWithItsManifestAndGroup) {
  Distribution();
  Write(dist + "/notes.txt", 10);
  Start();
  Press(IdOk);
  const std::string target = home + "/kovala";
  for (const char* name : {"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"})
    EXPECT_TRUE(Exists(target + "/" + name)) << name;
  EXPECT_FALSE(Exists(target + "/notes.txt"));
  EXPECT_EQ(fs::file_size(target + "/kovala"), 30000u);
  EXPECT_NE(fs::status(target + "/kovala").permissions() & fs::perms::owner_exec, fs::perms::none);
  const TManifest manifest = ManifestOf(target);
  EXPECT_EQ(NamesIn(manifest), (std::vector<std::string>{"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}));
  EXPECT_TRUE(manifest.finished);
  EXPECT_TRUE(manifest.createdFolder);
  EXPECT_EQ(manifest.files[0].size, 30000u);
  EXPECT_EQ(manifest.files[0].hash, HashBytes(std::string(30000, 'x').data(), 30000));
  for (const auto& entry : fs::directory_iterator(target))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();

  const auto space = desktop.Dialog("DiskSpace");
  EXPECT_EQ(space->Text(diskspace::Needed), "45 kB");  // 30 + 2 + 0 + 1 + 12
  // Always the number, however large: never "N/A".
  const std::string available = space->Text(diskspace::Available);
  ASSERT_TRUE(available.ends_with(" kB")) << available;
  EXPECT_NEAR(std::stod(available), static_cast<double>(FreeKB(target)), 1000.0);
  // 30*100/45 = 66, +4, +0, +2, +26: the shares round down below 100.
  EXPECT_EQ(desktop.Dialog("CopyFile")->progress, (std::vector<int>{0, 66, 70, 70, 72, 98}));
  EXPECT_EQ(groups.commands, std::vector<std::string>{CreateGroupCommand(target)});
  EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kComplete});
  EXPECT_EQ(fs::current_path(), dist);
  EXPECT_EQ(desktop.closes, 1);
}

TEST_F(Install, AnotherDestinationRemovesTheEmptyDefaultDirectory) {
  Distribution();
  fs::create_directories(home + "/school");
  Start();
  Enter("[..]");
  Enter("[school]");
  Options().SetChecked(choice::CreateGroup, false);
  Press(IdOk);
  EXPECT_FALSE(Exists(home + "/kovala"));
  EXPECT_TRUE(Exists(home + "/school/kovala"));
  EXPECT_EQ(groups.connects, 0);
  EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kComplete});
}

// Cancel at either dialog: no file copied, no default directory left, the
// current directory back where the installer started.
class InstallCancel : public Install, public ::testing::WithParamInterface<bool> {};
TEST_P(InstallCancel, ChangesNothing) {
  Distribution();
  Start();
  if (GetParam()) {
    Press(IdCancel);
  } else {
    desktop.modalAnswers.push_back(IdCancel);
    Press(IdOk);
  }
  EXPECT_FALSE(Exists(home + "/kovala"));
  EXPECT_EQ(fs::current_path(), dist);
  EXPECT_TRUE(groups.commands.empty());
  EXPECT_TRUE(desktop.boxes.messages.empty());
  EXPECT_EQ(desktop.closes, 1);
}
INSTANTIATE_TEST_SUITE_P(AtEachDialog, InstallCancel, ::testing::Bool());

TEST_F(Install, CancelKeepsADefaultDirectoryThatHoldsFiles) {
  Write((fs::create_directories(home + "/kovala"), home + "/kovala/own.doc"), 10);
  Start();
  Press(IdCancel);
  EXPECT_TRUE(Exists(home + "/kovala/own.doc"));
}

TEST_F(Install, MissingUninstallAsksForTheDiskUntilNo) {
  Distribution(false);
  desktop.boxes.answers = {TAnswer::Yes, TAnswer::No};
  Start();
  Press(IdOk);
  const std::string question =
      "uninstall cannot be found on the current disk. Would you like to change disks?";
  EXPECT_EQ(desktop.boxes.Texts(), (std::vector<std::string>{question, question, kComplete}));
  EXPECT_EQ(desktop.boxes.messages[0].caption, "Warning");
  EXPECT_EQ(desktop.boxes.messages[0].buttons, TButtons::YesNo);
  EXPECT_TRUE(Exists(home + "/kovala/readme.doc"));
  EXPECT_FALSE(Exists(home + "/kovala/uninstall"));
}

TEST_F(Install, SmallFilesAdvanceTheBarByCount) {
  for (const char* name : {"kovala", "water.kvl", "readme.doc", "uninstall"}) Write(dist + "/" + name, 100);
  Start();
  Press(IdOk);
  EXPECT_EQ(desktop.Dialog("DiskSpace")->Text(diskspace::Needed), "0 kB");
  EXPECT_EQ(desktop.Dialog("CopyFile")->progress, (std::vector<int>{0, 25, 50, 75, 100}));
}

TEST_F(Install, ProgramGroupFailuresAreReportedAndTheInstallationStands) {
  struct Case {
    bool reachable, works;
    std::string message;
    TIcon icon;
  };
  for (const Case& c :
       {Case{false, true, "Can't start conversation.\nMake sure PROGMAN is running.", TIcon::Stop},
        Case{true, false, "A critical DDE error has occured.", TIcon::Information}}) {
    Distribution();
    groups.reachable = c.reachable;
    groups.works = c.works;
    desktop.boxes.messages.clear();
    Start();
    Press(IdOk);
    EXPECT_EQ(desktop.boxes.Texts(), (std::vector<std::string>{c.message, kComplete}));
    EXPECT_EQ(desktop.boxes.messages[0].caption, "Installation Utility");
    EXPECT_EQ(desktop.boxes.messages[0].icon, c.icon);
    EXPECT_TRUE(Exists(home + "/kovala/kovala"));
  }
}

TEST_F(Install, ADestinationPathBeyondTheLimitIsRefusedAndTheDialogStays) {
  Distribution();
  std::string deep = home;
  while (deep.size() <= MaxDestinationPath) deep += "/abcdefghij";
  fs::create_directories(deep);
  ASSERT_EQ(chdir(dist.c_str()), 0);
  Start();
  Options().SetText(choice::DestinationPath, deep);
  Press(IdOk);
  EXPECT_EQ(
      desktop.boxes.Texts(),
      std::vector<std::string>{"The destination path is longer than 99 characters. Choose a shorter one."});
  EXPECT_EQ(desktop.Dialog("DiskSpace"), nullptr);
  EXPECT_TRUE(Options().visible);
  EXPECT_EQ(desktop.closes, 0);
}

TEST_F(Install, AnUpdateReplacesUnchangedFilesAndKeepsTheEarlierOnesListed) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  Write(target + "/kovala", 5, true);
  Write(target + "/ethanol.kvl", 7);
  WriteManifestFor(target, {"kovala", "ethanol.kvl"}, false);
  Start();
  Press(IdOk);
  EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kComplete});
  EXPECT_EQ(fs::file_size(target + "/kovala"), 30000u);
  const TManifest manifest = ManifestOf(target);
  EXPECT_EQ(NamesIn(manifest),
            (std::vector<std::string>{"ethanol.kvl", "kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}));
  EXPECT_FALSE(manifest.createdFolder);  // the earlier installation found the folder there
}

TEST_F(Install, AnOldPlainListIsReadAndOnlyItsProgramFilesAreReplaced) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  Write(target + "/kovala", 5, true);
  Write(target + "/water.kvl", 7);  // adopted by the old installer: perhaps a student's
  std::ofstream(target + "/kovala.installed") << "kovala\nwater.kvl\n";
  Start();
  Press(IdOk);
  EXPECT_EQ(fs::file_size(target + "/kovala"), 30000u);
  EXPECT_EQ(fs::file_size(target + "/water.kvl"), 7u);
  const TManifest manifest = ManifestOf(target);
  EXPECT_FALSE(manifest.legacy);
  EXPECT_EQ(NamesIn(manifest), (std::vector<std::string>{"kovala", "kovala.png", "readme.doc", "uninstall"}));
}

TEST_F(Install, AFileThatCannotBeCopiedLeavesNothingBehind) {
  Distribution();
  window = std::make_unique<TInstallWindow>(desktop, groups, home, dist);
  std::uint64_t size = 0, hash = 0;
  EXPECT_EQ(window->CopyOneFile(dist + "/kovala", root + "/missing-folder/.kovala.x.copying", size, hash), ENOENT);
  EXPECT_FALSE(Exists(root + "/missing-folder"));
  // A directory standing under the source's name is not a file to copy.
  fs::create_directory(dist + "/readme2.doc");
  fs::create_directories(home + "/t");
  EXPECT_NE(window->CopyOneFile(dist + "/readme2.doc", home + "/t/.readme2.doc.x.copying", size, hash), 0);
  EXPECT_TRUE(fs::is_empty(home + "/t"));
}


// The source is the installer's own folder, whatever folder it was started in.
TEST_F(Install, StartedFromAnotherFolderCopiesItsOwnFilesOnly) {
  Distribution();
  const std::string documents = home + "/Documents";
  fs::create_directories(documents);
  Write(documents + "/essay.doc", 10);
  Write(documents + "/homework.kvl", 10);
  ASSERT_EQ(chdir(documents.c_str()), 0);
  Start();
  Press(IdOk);
  EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kComplete});
  EXPECT_TRUE(Exists(home + "/kovala/water.kvl"));
  EXPECT_FALSE(Exists(home + "/kovala/essay.doc"));
  EXPECT_FALSE(Exists(home + "/kovala/homework.kvl"));
  EXPECT_EQ(fs::current_path(), documents);
}

// Each destination is refused with its folder and reason, and the options
// dialog stays for another choice; nothing is written anywhere.
struct RefusalCase {
  std::string name;
  std::function<std::string(const std::string& home, const std::string& dist)> prepare;  // gives the destination
  std::string reason;
};
class InstallRefusal : public Install, public ::testing::WithParamInterface<RefusalCase> {};
TEST_P(InstallRefusal, NamesTheFolderAndKeepsTheDialog) {
  Distribution();
  const std::string destination = GetParam().prepare(home, dist);
  Start();
  if (Options().Text(choice::DestinationPath) != destination) Options().SetText(choice::DestinationPath, destination);
  Press(IdOk);
  ASSERT_EQ(desktop.boxes.messages.size(), 1u);
  EXPECT_EQ(desktop.boxes.messages[0].text,
            Concat({"Kovala cannot be installed in ", Printable(destination), ":\n", GetParam().reason}));
  EXPECT_EQ(desktop.boxes.messages[0].caption, "Installation Utility");
  EXPECT_EQ(desktop.boxes.messages[0].icon, TIcon::Stop);
  EXPECT_EQ(desktop.Dialog("DiskSpace"), nullptr);
  EXPECT_TRUE(Options().visible);
  EXPECT_EQ(desktop.closes, 0);
  EXPECT_FALSE(Exists(dist + "/kovala.installed"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dist), fs::directory_iterator()), 5);
}
INSTANTIATE_TEST_SUITE_P(
    Destinations, InstallRefusal,
    ::testing::Values(
        // The default is a plain file: the dialog names it instead of falling back to the source.
        RefusalCase{"FileAsDefault",
                    [](const std::string& h, const std::string&) {
                      std::ofstream(h + "/kovala") << "abc";
                      return h + "/kovala";
                    },
                    "it is a file, not a folder."},
        RefusalCase{"SourceFolder", [](const std::string&, const std::string& d) { return d; },
                    "it is the folder the installer runs from."},
        RefusalCase{"LineBreak",
                    [](const std::string& h, const std::string&) {
                      fs::create_directories(h + "/a\nb");
                      return h + "/a\nb";
                    },
                    "its name holds a control character, such as a line break."},
        RefusalCase{"Escape",
                    [](const std::string& h, const std::string&) {
                      fs::create_directories(h + "/a\x1b[2Jb");
                      return h + "/a\x1b[2Jb";
                    },
                    "its name holds a control character, such as a line break."},
        RefusalCase{"NoParent", [](const std::string& h, const std::string&) { return h + "/gone/kovala"; },
                    "No such file or directory."}),
    [](const auto& c) { return c.param.name; });

TEST_F(Install, AFileAsDefaultStaysByteForByte) {
  Distribution();
  std::ofstream(home + "/kovala") << "notes of a teacher";
  Start();
  Press(IdOk);
  EXPECT_EQ(Read(home + "/kovala"), "notes of a teacher");
  Enter("[..]");  // the teacher chooses again, from beside the file
  EXPECT_EQ(Options().Text(choice::DestinationPath), fs::path(home).parent_path().string());
}

// A student's molecule and a teacher's edited read-me in the destination are
// kept byte for byte, named before "Installation Complete", and not listed.
TEST_F(Install, KeepsFilesItDidNotPutThereAndSaysWhich) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  Write(target + "/readme.doc", 1500);
  WriteManifestFor(target, {"readme.doc"});
  std::ofstream(target + "/readme.doc") << "the teacher's own notes";  // changed since installed
  std::ofstream(target + "/water.kvl") << "Kovala31 a student's water";
  Start();
  Press(IdOk);
  EXPECT_EQ(Read(target + "/readme.doc"), "the teacher's own notes");
  EXPECT_EQ(Read(target + "/water.kvl"), "Kovala31 a student's water");
  ASSERT_EQ(desktop.boxes.Texts().size(), 2u);
  EXPECT_EQ(desktop.boxes.messages[0].text, Concat({"These files were already in ", target,
                                                    " and were not put there by the installer. They have been kept "
                                                    "as they are:\nwater.kvl\nreadme.doc"}));
  EXPECT_EQ(desktop.boxes.messages[1].text, kComplete);
  EXPECT_EQ(NamesIn(ManifestOf(target)), (std::vector<std::string>{"kovala", "kovala.png", "uninstall"}));
}

// What stands where the program's own files must go, and was not put there
// by an installation, stops everything before a byte is written.
struct InTheWayCase {
  std::string name;
  std::string planted;  // a file name in the destination
  bool link;            // planted as a link to a file outside
};
class InstallInTheWay : public Install, public ::testing::WithParamInterface<InTheWayCase> {};
TEST_P(InstallInTheWay, NothingIsCopied) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  const std::string victim = home + "/victim";
  std::ofstream(victim) << "precious";
  const std::string planted = target + "/" + GetParam().planted;
  if (GetParam().link)
    fs::create_symlink(victim, planted);
  else
    std::ofstream(planted) << "someone else's";
  Start();
  Press(IdOk);
  ASSERT_EQ(desktop.boxes.messages.size(), 1u);
  EXPECT_NE(desktop.boxes.messages[0].text.find(planted + " is in the way."), std::string::npos)
      << desktop.boxes.messages[0].text;
  EXPECT_EQ(desktop.boxes.messages[0].icon, TIcon::Stop);
  EXPECT_TRUE(Options().visible);
  EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 1);
  EXPECT_EQ(Read(victim), "precious");
}
INSTANTIATE_TEST_SUITE_P(Planted, InstallInTheWay,
                         ::testing::Values(InTheWayCase{"Program", "kovala", false},
                                           InTheWayCase{"UnInstaller", "uninstall", false},
                                           InTheWayCase{"Icon", "kovala.png", false},
                                           InTheWayCase{"LinkAsProgram", "kovala", true},
                                           InTheWayCase{"LinkAsManifest", "kovala.installed", true}),
                         [](const auto& c) { return c.param.name; });

// Links planted under names the installer might use are never written through.
TEST_F(Install, PlantedLinksAreNeverFollowed) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  const std::string victim = home + "/victim";
  std::ofstream(victim) << "precious";
  for (const char* name : {".readme.doc.copying", ".kovala.copying", ".kovala.installed.new", "readme.doc"})
    fs::create_symlink(victim, target + "/" + name);
  Start();
  Press(IdOk);
  EXPECT_EQ(desktop.boxes.Texts().back(), kComplete);
  EXPECT_EQ(Read(victim), "precious");
  EXPECT_TRUE(fs::is_symlink(target + "/readme.doc"));  // kept: not the installer's
  EXPECT_EQ(fs::file_size(target + "/kovala"), 30000u);
}

// A disk that fills up at any point: the message names the file and the
// reason, nothing of the run is left, no group and no "Installation Complete".
class InstallFullDisk : public Install, public ::testing::WithParamInterface<int> {};
TEST_P(InstallFullDisk, LeavesNothingAndSaysWhy) {
  Distribution();
  // How many bytes a whole installation writes, counted on a first run elsewhere.
  std::size_t total = 0;
  {
    test::TFakeSetupDesktop quiet;
    TInstallWindow counting(quiet, groups, home, dist);
    counting.destinationPath = root + "/counted";
    test::TLimitedDisk counter;
    counting.disk = &counter;
    ASSERT_TRUE(counting.PlanInstallation());
    ASSERT_TRUE(counting.CopyFiles());
    total = counter.written;
  }
  // 0: the first manifest; 100: inside it; 31000: inside the program; total - 50: the last manifest.
  const std::size_t limit = GetParam() >= 0 ? static_cast<std::size_t>(GetParam()) : total - 50;
  test::TLimitedDisk full(limit);
  Start();
  window->disk = &full;
  Press(IdOk);
  ASSERT_EQ(desktop.boxes.messages.size(), 1u);
  const std::string& text = desktop.boxes.messages[0].text;
  EXPECT_TRUE(text.starts_with(Concat({"Kovala was not installed: ", home, "/kovala/"}))) << text;
  EXPECT_NE(text.find("No space left on device."), std::string::npos) << text;
  EXPECT_EQ(desktop.boxes.messages[0].icon, TIcon::Stop);
  EXPECT_FALSE(Exists(home + "/kovala"));
  EXPECT_TRUE(groups.commands.empty());
  EXPECT_EQ(desktop.closes, 1);
}
INSTANTIATE_TEST_SUITE_P(Bytes, InstallFullDisk, ::testing::Values(0, 100, 31000, -1));

// An update that fails leaves the earlier installation as it was.
TEST_F(Install, AFailedUpdateLeavesTheEarlierInstallation) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  Write(target + "/kovala", 5, true);
  WriteManifestFor(target, {"kovala"});
  const std::string manifest = Read(target + "/kovala.installed");
  Start();
  test::TLimitedDisk full(20000);
  window->disk = &full;
  Press(IdOk);
  EXPECT_EQ(fs::file_size(target + "/kovala"), 5u);
  EXPECT_EQ(Read(target + "/kovala.installed"), manifest);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(target)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"kovala", "kovala.installed"}));
}

// A run killed during the copy leaves an unfinished manifest and a hidden
// copy; the next installation clears them and finishes.
TEST_F(Install, ALaterRunClearsAnInterruptedOne) {
  Distribution();
  const std::string target = home + "/kovala";
  fs::create_directories(target);
  fs::copy_file(dist + "/kovala", target + "/kovala");
  fs::copy_file(dist + "/uninstall", target + "/uninstall");
  WriteManifestFor(target, {"kovala", "uninstall"}, true, false, "0123456789abcdef");
  fs::remove(target + "/uninstall");  // not yet renamed into place when killed
  Write(target + "/" + TemporaryName("uninstall", "0123456789abcdef"), 4000);
  Start();
  Press(IdOk);
  EXPECT_EQ(desktop.boxes.Texts(), std::vector<std::string>{kComplete});
  for (const auto& entry : fs::directory_iterator(target))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
  const TManifest manifest = ManifestOf(target);
  EXPECT_TRUE(manifest.finished);
  EXPECT_TRUE(manifest.createdFolder);
  EXPECT_EQ(NamesIn(manifest), (std::vector<std::string>{"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}));
}

// As the unprivileged user: a folder it cannot write is refused before
// anything happens, and a source it cannot read stops the copy with nothing left.
TEST_F(Install, WithoutPermissionNothingIsLeftAndTheReasonIsGiven) {
  Distribution();
  const std::string locked = home + "/locked";
  fs::create_directories(locked);  // root's, 0755
  const std::string open = home + "/open";
  fs::create_directories(open);
  ASSERT_EQ(chown(open.c_str(), 65534, 65534), 0);
  chmod((dist + "/readme.doc").c_str(), 0600);  // root's, unreadable to others
  const int status = RunAsNobody([&] {
    test::TFakeSetupDesktop d;
    TInstallWindow w(d, groups, home, dist);
    if (w.CheckDestination(locked) != Concat({"Kovala cannot be installed in ", locked, ":\nPermission denied."})) return 1;
    w.destinationPath = open;
    if (!w.CheckDestination(open).empty() || !w.PlanInstallation()) return 2;
    if (w.CopyFiles()) return 3;
    const std::string text = d.boxes.messages.empty() ? "" : d.boxes.messages.back().text;
    if (text.find(dist + "/readme.doc could not be read.\nPermission denied.") == std::string::npos) return 4;
    if (!fs::is_empty(open)) return 5;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(fs::exists(open));  // the teacher's folder, not the installer's to remove
}

// The longest destination the installer takes is one the un-installer takes too.
TEST_F(Install, PathLimitIsSharedWithTheUnInstaller) {
  for (std::size_t length : {98, 99, 100}) {
    std::string folder = root + "/";
    folder += std::string(length - folder.size(), 'k');
    EXPECT_EQ(WithinPathLimit(folder), length <= 99) << length;
    EXPECT_EQ(WithinPathLimit(folder + "/"), length <= 99) << length;
  }
}
}  // namespace
}  // namespace kovala
