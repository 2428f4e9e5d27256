// The one writer of whole files, as the set-up programs use it: new files
// made only under fresh names, removed when unfinished, and the program's own
// files replaced whatever stood under their name.
#include "base/wholefile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kovala {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

// Refuses every write once `room` bytes are used.
class TTightDisk : public TDiskWrites {
 public:
  explicit TTightDisk(long roomLeft) : room(roomLeft) {}
  long WriteAt(int fd, const char* data, std::size_t size, long offset) override {
    if (room <= 0) {
      errno = ENOSPC;
      return -1;
    }
    const long part = std::min(static_cast<long>(size), room);
    room -= part;
    return TDiskWrites::WriteAt(fd, data, static_cast<std::size_t>(part), offset);
  }
  long room;
};

class WholeFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "kovala-wholefile-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override { fs::remove_all(dir); }
  long EntriesIn(const fs::path& folder) const { return std::distance(fs::directory_iterator(folder), {}); }
  fs::path dir;
};

TEST_F(WholeFile, ANewFileIsKeptOnlyWhenWrittenWhole) {
  struct Case {
    const char* what;
    long room;
    bool finish;
    bool kept;
    int error;
  };
  const Case cases[] = {
      {"written and finished", 1000, true, true, 0},
      {"written but never finished", 1000, false, false, 0},
      {"the disk fills up halfway", 5, true, false, ENOSPC},
      {"the disk is full from the start", 0, true, false, ENOSPC},
  };
  for (const Case& c : cases) {
    const fs::path path = dir / ".lab.copying";
    TTightDisk disk(c.room);
    {
      TNewFile file(path.string(), 0600, disk);
      ASSERT_EQ(file.Error(), 0) << c.what;
      file.Write("0123456789", 10);
      if (c.finish) {
        EXPECT_EQ(file.Finish(), c.error) << c.what;
      }
    }
    EXPECT_EQ(fs::exists(path), c.kept) << c.what;
    if (c.kept) {
      EXPECT_EQ(Contents(path), "0123456789") << c.what;
      EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, fs::perms(0600)) << c.what;
    }
    fs::remove(path);
  }
}

TEST_F(WholeFile, WhateverStandsUnderTheNewNameIsLeftAlone) {
  const fs::path victim = dir / "victim";
  Put(victim, "precious");
  struct Case {
    const char* what;
    bool link;
  };
  for (const Case& c : {Case{"another file", false}, Case{"a link to another file", true}}) {
    const fs::path path = dir / ".kovala.x.copying";
    if (c.link)
      fs::create_symlink(victim, path);
    else
      Put(path, "someone's");
    {
      TNewFile file(path.string(), 0600);
      EXPECT_EQ(file.Error(), EEXIST) << c.what;
      file.Write("mine", 4);
      EXPECT_EQ(file.Finish(), EEXIST) << c.what;
    }
    // Neither written through nor removed: it was never ours.
    EXPECT_TRUE(fs::exists(fs::symlink_status(path))) << c.what;
    EXPECT_EQ(fs::is_symlink(path), c.link) << c.what;
    if (!c.link) {
      EXPECT_EQ(Contents(path), "someone's") << c.what;
    }
    EXPECT_EQ(Contents(victim), "precious") << c.what;
    fs::remove(path);
  }
}

TEST_F(WholeFile, APrivateFileReplacesTheNameADocumentFollowsIt) {
  struct Case {
    const char* what;
    TWholeFile how;
    bool linkKept;  // the name is still a link afterwards
    std::string victimAfter;
    fs::perms mode;  // of the file now under the name
  };
  const Case cases[] = {
      {"document", TWholeFile::Document(), true, "new", fs::perms(0640)},
      {"private", TWholeFile::Private(0600), false, "old", fs::perms(0600)},
  };
  for (const Case& c : cases) {
    const fs::path victim = dir / "elsewhere.txt";
    Put(victim, "old");
    fs::permissions(victim, fs::perms(0640));
    const fs::path name = dir / "kovala.installed";
    fs::create_symlink(victim, name);
    const TWriteResult result = ReplaceWholeFile(name.string(), "new", c.how);
    EXPECT_TRUE(result.Ok()) << c.what << ": " << result.systemError;
    EXPECT_EQ(fs::is_symlink(name), c.linkKept) << c.what;
    EXPECT_EQ(Contents(victim), c.victimAfter) << c.what;
    EXPECT_EQ(Contents(name), "new") << c.what;
    EXPECT_EQ(fs::status(name).permissions() & fs::perms::all, c.mode) << c.what;
    EXPECT_EQ(EntriesIn(dir), 2) << c.what << ": no temporary left";
    fs::remove(name);
    fs::remove(victim);
  }
}

TEST_F(WholeFile, WhatCannotBeReplacedIsSaid) {
  fs::create_directory(dir / "folder");
  struct Case {
    const char* what;
    fs::path path;
    TWholeFile how;
    TWriteFailure failure;
    int systemError;
  };
  const Case cases[] = {
      {"a folder, as a document", dir / "folder", TWholeFile::Document(), TWriteFailure::NotAFile, 0},
      {"a folder, as a private file", dir / "folder", TWholeFile::Private(0644), TWriteFailure::NotAFile, 0},
      {"a missing folder", dir / "missing" / "x", TWholeFile::Private(0644), TWriteFailure::System, ENOENT},
      {"a name too long", dir / std::string(256, 'a'), TWholeFile::Private(0644), TWriteFailure::System,
       ENAMETOOLONG},
      {"an empty name", fs::path(), TWholeFile::Document(), TWriteFailure::NotAFile, 0},
  };
  for (const Case& c : cases) {
    const TWriteResult result = ReplaceWholeFile(c.path.string(), "x", c.how);
    EXPECT_EQ(result.failure, c.failure) << c.what;
    EXPECT_EQ(result.systemError, c.systemError) << c.what;
  }
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
  EXPECT_EQ(EntriesIn(dir / "folder"), 0);
}

TEST(TemporaryFileName, IsHiddenFitsANameAndKeepsCharactersWhole) {
  std::string accented;
  while (accented.size() < 300) accented += "\xC3\xA9";  // é, two bytes
  struct Case {
    std::string target;
    std::string mark;
    std::string expectedPrefix;  // the name up to the mark
  };
  const Case cases[] = {
      {"lab.kvl", ".saving-", ".lab.kvl"},
      {std::string(300, 'a'), ".saving-", std::string(".").append(255 - 1 - 8 - 6, 'a')},
      // 240 bytes of room is an even number: 120 whole characters.
      {accented, ".saving-", std::string(".").append(accented, 0, 240)},
      // 239 bytes of room would cut a character: one byte less is kept.
      {accented, ".saving--", std::string(".").append(accented, 0, 238)},
  };
  for (const Case& c : cases) {
    const std::string name = TemporaryFileName(c.target, c.mark, "abc123");
    EXPECT_LE(name.size(), 255u) << c.target.size();
    EXPECT_EQ(name, c.expectedPrefix + c.mark + "abc123") << c.target.size();
  }
}

TEST(RandomToken, IsSixteenHexDigitsAndDiffers) {
  const std::string first = RandomToken();
  const std::string second = RandomToken();
  EXPECT_EQ(first.size(), 16u);
  EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace kovala
