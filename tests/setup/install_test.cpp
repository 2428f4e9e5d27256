#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "install/drives.h"
#include "install/installset.h"
#include "install/installwindow.h"
#include "resources/setupdialogs.h"
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
    window = std::make_unique<TInstallWindow>(desktop, groups, home);
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
  EXPECT_EQ(ReadManifest(target + "/kovala.installed"),
            (std::vector<std::string>{"kovala", "kovala.png", "water.kvl", "readme.doc", "uninstall"}));
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

TEST_F(Install, ACopyReplacesAnOlderFileAndKeepsTheOlderManifestNames) {
  Distribution();
  fs::create_directories(home + "/kovala");
  Write(home + "/kovala/kovala", 5);
  WriteManifest(home + "/kovala/kovala.installed", {"ethanol.kvl"});
  Start();
  Press(IdOk);
  EXPECT_EQ(fs::file_size(home + "/kovala/kovala"), 30000u);
  EXPECT_EQ(ReadManifest(home + "/kovala/kovala.installed").front(), "ethanol.kvl");
}

TEST_F(Install, AFileThatCannotBeWrittenLeavesNothingBehind) {
  Distribution();
  window = std::make_unique<TInstallWindow>(desktop, groups, home);
  window->sourceDirectory = dist;
  window->neededKB = 45;
  EXPECT_FALSE(window->CopyOneFile("kovala", root + "/missing-folder/kovala"));
  EXPECT_FALSE(Exists(root + "/missing-folder"));
  // A directory standing under the source's name is not a file to copy.
  fs::create_directory(dist + "/readme2.doc");
  fs::create_directories(home + "/t");
  EXPECT_FALSE(window->CopyOneFile("readme2.doc", home + "/t/readme2.doc"));
  EXPECT_TRUE(fs::is_empty(home + "/t"));
}

}  // namespace
}  // namespace kovala
