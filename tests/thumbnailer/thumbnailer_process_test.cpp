// The thumbnailer as a file manager runs it: a whole process per file, judged
// by its exit status and the picture it leaves (or does not leave).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QColor>
#include <QImage>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/moleculefile.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class ThumbnailerTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = fs::temp_directory_path() /
             ("kovala-thumbnailer-" + std::to_string(::getpid()) + "-" +
              testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // The exit status; 124 when it ran past the bound (a hang), 128 + n for a signal.
  int Run(const std::string& arguments) {
    const std::string command =
        "timeout 30 " + Quoted(KOVALA_THUMBNAILER) + " " + arguments + " 2>" + Quoted((folder / "err").string());
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  int Thumbnail(const fs::path& input, int size = 128) {
    return Run("-s " + std::to_string(size) + " " + Quoted(input.string()) + " " + Quoted(Output().string()));
  }
  fs::path Output() const { return folder / "thumb.png"; }
  fs::path Write(const std::string& name, const std::string& bytes) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }

  fs::path folder;
};

TEST_F(ThumbnailerTest, EverySavedMoleculeGivesASquarePictureWithTheDrawingCentred) {
  for (const char* name : {"methane.kvl", "water.kvl", "hydroxide.kvl", "nitrogen.kvl", "octane.kvl"}) {
    SCOPED_TRACE(name);
    for (int size : {64, 256}) {
      fs::remove(Output());
      ASSERT_EQ(Thumbnail(fs::path(KOVALA_TEST_DATA) / name, size), 0);
      const QImage image(QString::fromStdString(Output().string()));
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.width(), size);
      EXPECT_EQ(image.height(), size);

      // The box of everything that is not white.
      int left = size, top = size, right = -1, bottom = -1;
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          if (image.pixelColor(x, y) != QColor(Qt::white)) {
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
          }
      ASSERT_GE(right, 0) << "nothing drawn";
      // Centred within a few pixels (pictures do not fill their cells to the
      // edge), inside the picture, and large: at least half of its side.
      EXPECT_NEAR((left + right) / 2.0, size / 2.0, size * 0.1);
      EXPECT_NEAR((top + bottom) / 2.0, size / 2.0, size * 0.1);
      EXPECT_GE(std::max(right - left, bottom - top), size / 2);
    }
  }
}

TEST_F(ThumbnailerTest, BadFilesGiveNoPictureAndAFailure) {
  const std::string methane = Bytes(fs::path(KOVALA_TEST_DATA) / "methane.kvl");
  std::string hugeCount = methane.substr(0, 16) + std::string("\xff\xff\xff\x7f", 4);
  std::string negativeCount = methane.substr(0, 16) + std::string("\x00\x00\x00\x80", 4);
  std::string ninthByte = methane;
  ninthByte[8] = 'x';
  const std::vector<std::pair<const char*, fs::path>> bad = {
      {"missing", folder / "missing.kvl"},
      {"folder", folder},
      {"empty", Write("empty.kvl", "")},
      {"other signature", Write("old.kvl", std::string("Kovala30\0\0", 10) + methane.substr(10))},
      {"ninth byte", Write("ninth.kvl", ninthByte)},
      {"huge count", Write("huge.kvl", hugeCount)},
      {"negative count", Write("negative.kvl", negativeCount)},
      {"no atoms", fs::path(KOVALA_TEST_DATA) / "empty.kvl"},
      {"far too large", Write("large.kvl", methane + std::string(1 << 20, '\0'))},
      {"text", Write("notes.kvl", "Kovala31 is the header of a molecule file.\n")},
  };
  for (const auto& [what, path] : bad) {
    SCOPED_TRACE(what);
    const int status = Thumbnail(path);
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(fs::exists(Output()));
  }
}

TEST_F(ThumbnailerTest, EveryCutShortCopyOfAMoleculeIsRefusedCleanly) {
  const std::string methane = Bytes(fs::path(KOVALA_TEST_DATA) / "methane.kvl");
  const fs::path cut = folder / "cut.kvl";
  // Every prefix would take a while as whole processes; every seventh one
  // still ends inside each field and record.
  for (std::size_t length = 0; length < methane.size(); length += 7) {
    SCOPED_TRACE(length);
    std::ofstream(cut, std::ios::binary | std::ios::trunc) << methane.substr(0, length);
    EXPECT_EQ(Thumbnail(cut), 1);
    EXPECT_FALSE(fs::exists(Output()));
  }
}

TEST_F(ThumbnailerTest, AtomsFarOutGiveAPictureUntilTheyLeaveAnyWindow) {
  TMolecule methane;
  std::ifstream in(fs::path(KOVALA_TEST_DATA) / "methane.kvl", std::ios::binary);
  ASSERT_EQ(ReadMolecule(in, methane), TReadResult::Ok);
  struct TCase {
    int x, y;
    int status;
  };
  for (const TCase& c : {TCase{1 << 20, -(1 << 20), 0}, TCase{INT_MAX, 0, 1}, TCase{0, INT_MIN, 1}}) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    TMolecule molecule = methane;
    molecule.atoms[0].x = c.x;
    molecule.atoms[0].y = c.y;
    {
      std::ofstream out(folder / "far.kvl", std::ios::binary | std::ios::trunc);
      WriteMolecule(out, molecule);
    }
    fs::remove(Output());
    EXPECT_EQ(Thumbnail(folder / "far.kvl"), c.status);
    EXPECT_EQ(fs::exists(Output()), c.status == 0);
  }
}

TEST_F(ThumbnailerTest, WrongArgumentsAreAUsageErrorAndWriteNothing) {
  const std::string methane = Quoted(std::string(KOVALA_TEST_DATA) + "/methane.kvl");
  const std::string output = Quoted(Output().string());
  for (const std::string& arguments :
       {std::string(), "-s 128 " + methane, "-s 0 " + methane + " " + output, "-s 99999 " + methane + " " + output,
        "-s 12x " + methane + " " + output, "-x 128 " + methane + " " + output,
        "-s 128 " + methane + " " + output + " extra"}) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(Run(arguments), 2);
    EXPECT_FALSE(fs::exists(Output()));
  }
}

TEST_F(ThumbnailerTest, AnOutputThatCannotBeWrittenIsAFailure) {
  const std::string methane = Quoted(std::string(KOVALA_TEST_DATA) + "/methane.kvl");
  EXPECT_EQ(Run("-s 64 " + methane + " " + Quoted((folder / "no" / "such" / "thumb.png").string())), 3);
  EXPECT_FALSE(fs::exists(folder / "no"));
}

}  // namespace
}  // namespace kovala
