// Saving never loses the old file: full disks, write-protected files and
// folders, long names, planted links.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;

// A disk with `room` bytes left: writing over bytes a file already has is
// free, every byte past its end takes room, and a write finding none left
// fails as a full disk does.
class TFillingDisk : public TDiskWrites {
 public:
  TFillingDisk(long roomLeft, bool canReserve) : room(roomLeft), reserves(canReserve) {}

  long WriteAt(int fd, const char* data, std::size_t size, long offset) override {
    struct stat st {};
    ::fstat(fd, &st);
    const long inside = std::clamp<long>(static_cast<long>(st.st_size) - offset, 0, static_cast<long>(size));
    const long growth = std::min(static_cast<long>(size) - inside, room);
    if (inside + growth == 0) {
      errno = ENOSPC;
      return -1;
    }
    room -= growth;
    return TDiskWrites::WriteAt(fd, data, static_cast<std::size_t>(inside + growth), offset);
  }

  int Reserve(int fd, long size) override {
    if (!reserves) return EOPNOTSUPP;
    struct stat st {};
    ::fstat(fd, &st);
    return size > st.st_size + room ? ENOSPC : 0;
  }

 private:
  long room;
  bool reserves;
};

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class SaveFile : public testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kovala-save-test-" + std::to_string(::getpid()) + "-" +
                                       testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  long EntriesIn(const fs::path& folder) const { return std::distance(fs::directory_iterator(folder), {}); }
  fs::path dir;
};

enum class TWay { BesideAndRename, InPlace };

struct TDiskCase {
  const char* what;
  TWay way;
  std::size_t oldSize;
  std::size_t newSize;
  long room;
  bool reserves;
  TFileError expected;
};

TEST_F(SaveFile, AFullDiskNeverCostsTheOldFile) {
  const TDiskCase cases[] = {
      {"no room for the temporary", TWay::BesideAndRename, 100, 200, 0, false, TFileError::DiskFull},
      {"room runs out halfway", TWay::BesideAndRename, 100, 200, 150, false, TFileError::DiskFull},
      {"just enough room", TWay::BesideAndRename, 100, 200, 200, false, TFileError::None},
      {"in place, reservation refused", TWay::InPlace, 100, 300, 100, true, TFileError::DiskFull},
      {"in place, no reservation, runs out", TWay::InPlace, 100, 300, 100, false, TFileError::DiskFull},
      {"in place, empty old file", TWay::InPlace, 0, 50, 10, false, TFileError::DiskFull},
      {"in place, shorter file needs no room", TWay::InPlace, 300, 100, 0, false, TFileError::None},
      {"in place, reserved and written", TWay::InPlace, 100, 150, 50, true, TFileError::None},
  };
  for (const auto& c : cases) {
    const fs::path file = dir / "lab.kvl";
    const std::string old(c.oldSize, 'o');
    const std::string fresh(c.newSize, 'n');
    Put(file, old);
    TFillingDisk disk(c.room, c.reserves);
    const TFileResult result = c.way == TWay::InPlace ? SaveInPlace(file.string(), fresh, disk)
                                                      : SaveWholeFile(file.string(), fresh, disk);
    EXPECT_EQ(result.error, c.expected) << c.what;
    EXPECT_EQ(Contents(file), c.expected == TFileError::None ? fresh : old) << c.what;
    EXPECT_EQ(EntriesIn(dir), 1) << c.what << ": no temporary left";
  }
}

// Runs `save` as a user whom permissions stop: as root, in a child that gives
// its rights up. Gives back the save's error.
TFileError AsUnprivilegedUser(const fs::path& owned, const std::function<TFileError()>& save) {
  if (::geteuid() != 0) return save();
  constexpr uid_t kNobody = 65534;
  for (const auto& entry : fs::recursive_directory_iterator(owned))
    if (::lchown(entry.path().c_str(), kNobody, kNobody) != 0) return TFileError::Other;
  if (::chown(owned.c_str(), kNobody, kNobody) != 0) return TFileError::Other;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(100);
    ::_exit(static_cast<int>(save()));
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
    return TFileError::Other;
  return static_cast<TFileError>(WEXITSTATUS(status));
}

TEST_F(SaveFile, PermissionsAreRespectedAndReported) {
  struct Case {
    const char* what;
    fs::perms folder;
    bool fileExists;
    fs::perms file;
    TFileError expected;
  };
  const Case cases[] = {
      {"write-protected file in a writable folder", fs::perms(0755), true, fs::perms(0444), TFileError::ReadOnly},
      {"new file in a protected folder", fs::perms(0555), false, fs::perms(0644), TFileError::NoPermission},
      {"writable file in a protected folder", fs::perms(0555), true, fs::perms(0644), TFileError::None},
      {"writable file in a writable folder", fs::perms(0755), true, fs::perms(0644), TFileError::None},
  };
  for (const auto& c : cases) {
    const fs::path folder = dir / "class";
    fs::remove_all(folder);
    fs::create_directory(folder);
    const fs::path file = folder / "water.kvl";
    const std::string old = "Kovala31 old bytes";
    if (c.fileExists) {
      Put(file, old);
      fs::permissions(file, c.file);
    }
    fs::permissions(folder, c.folder);
    const TFileError error = AsUnprivilegedUser(folder, [&] {
      test::TScriptedDesktop messages;
      const TFileResult result = SaveWholeFile(file.string(), "new bytes");
      // The message stays the one for a file not written.
      const bool boxed = WriteWholeFile(file.string(), "new bytes", messages);
      if (boxed != result.Ok() || (!boxed && messages.LastText() != "File cannot be found!"))
        return TFileError::Other;
      return result.error;
    });
    fs::permissions(folder, fs::perms(0755));
    EXPECT_EQ(error, c.expected) << c.what;
    if (c.expected == TFileError::None)
      EXPECT_EQ(Contents(file), "new bytes") << c.what;
    else if (c.fileExists)
      EXPECT_EQ(Contents(file), old) << c.what;
    else
      EXPECT_FALSE(fs::exists(file)) << c.what;
    EXPECT_EQ(EntriesIn(folder), c.fileExists || c.expected == TFileError::None ? 1 : 0) << c.what;
  }
}

TEST_F(SaveFile, AnyNameTheFileSystemTakesCanBeSaved) {
  std::string accented;
  while (accented.size() + 2 <= 251) accented += "\xC3\xA9";  // é, two bytes
  struct Case {
    std::string name;
    TFileError expected;
  };
  const Case cases[] = {
      {std::string(251, 'a') + ".kvl", TFileError::None},
      {accented + ".kvl", TFileError::None},
      {std::string(252, 'a') + ".kvl", TFileError::NameTooLong},
  };
  for (const auto& c : cases) {
    const fs::path file = dir / c.name;
    EXPECT_EQ(SaveMoleculeFile(file.string(), TMolecule{}).error, c.expected) << c.name.size();
    EXPECT_EQ(EntriesIn(dir), c.expected == TFileError::None ? 1 : 0) << c.name.size();
    if (c.expected == TFileError::None) {
      // Saving again replaces the file, through a temporary name that fits too.
      EXPECT_TRUE(SaveMoleculeFile(file.string(), TMolecule{}).Ok()) << c.name.size();
      TMolecule back;
      EXPECT_TRUE(LoadMoleculeFile(file.string(), back).Ok()) << c.name.size();
    }
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
}

TEST_F(SaveFile, APlantedLinkIsNeverWrittenThrough) {
  // Another user's link where the temporary file used to be made.
  const fs::path victim = dir / "victim.txt";
  Put(victim, "not yours");
  const fs::path file = dir / "lab.kvl";
  fs::create_symlink(victim, dir / (".lab.kvl.saving-" + std::to_string(::getpid())));
  ASSERT_TRUE(SaveMoleculeFile(file.string(), TMolecule{}).Ok());
  EXPECT_EQ(Contents(victim), "not yours");
  EXPECT_EQ(fs::file_size(file), 28u);
  EXPECT_EQ(EntriesIn(dir), 3);
}

TEST_F(SaveFile, FoldersAndMissingPlacesAreReportedAsSuch) {
  fs::create_directory(dir / "a folder.kvl");
  struct Case {
    fs::path path;
    TFileError expected;
  };
  const Case cases[] = {
      {dir / "a folder.kvl", TFileError::NotAFile},
      {dir / "missing" / "lab.kvl", TFileError::NoFolder},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveMoleculeFile(c.path.string(), TMolecule{}).error, c.expected) << c.path;

  TMolecule tooMany;
  for (int i = 0; i < 27; ++i) tooMany.atoms.Add(TAtom(Hydrogen, 0, 30 * i));
  EXPECT_EQ(SaveMoleculeFile((dir / "big.kvl").string(), tooMany).error, TFileError::TooLarge);
  EXPECT_FALSE(fs::exists(dir / "big.kvl"));
}

TEST_F(SaveFile, LoadingSaysWhatWentWrong) {
  TMolecule cut;
  cut.atoms.Add(TAtom(Carbon, 10, 10));
  std::ostringstream out;
  WriteMolecule(out, cut);
  Put(dir / "cut.kvl", out.str().substr(0, 60));
  std::string many = out.str();
  many[16] = 27;  // atoms announced
  Put(dir / "many.kvl", many);
  fs::create_directory(dir / "folder.kvl");
  struct Case {
    const char* name;
    TFileError error;
    TFormatProblem format;
  };
  const Case cases[] = {
      {"none.kvl", TFileError::NoFolder, TFormatProblem::None},
      {"folder.kvl", TFileError::NotAFile, TFormatProblem::None},
      {"cut.kvl", TFileError::BadFormat, TFormatProblem::CutShort},
      {"many.kvl", TFileError::BadFormat, TFormatProblem::TooManyAtoms},
  };
  for (const auto& c : cases) {
    TMolecule back;
    back.atoms.Add(TAtom(Oxygen, 0, 0));
    const TFileResult result = LoadMoleculeFile((dir / c.name).string(), back);
    EXPECT_EQ(result.error, c.error) << c.name;
    EXPECT_EQ(result.format, c.format) << c.name;
    EXPECT_TRUE(back.atoms.IsEmpty()) << c.name;
  }
}

}  // namespace
}  // namespace kovala
