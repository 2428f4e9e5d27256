#include "editor/filefailure.h"
#include "model/moleculefile.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "model/moleculelimits.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

std::string Written(const TMolecule& m) {
  std::ostringstream out;
  WriteMolecule(out, m);
  return out.str();
}

TReadResult ReadBytes(const std::string& bytes, TMolecule& m) {
  std::istringstream in(bytes);
  return ReadMolecule(in, m);
}

void PutInt(std::string& s, std::size_t at, std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

// A molecule that uses every field with distinct values, negatives included.
TMolecule RichMolecule() {
  TMolecule m;
  m.bondCount = 3;
  m.completed = true;
  TAtom c(Carbon, 300, 200);
  c.freeElectrons = 0;
  c.openBonds = 0;
  c.childIndex = {1, 2, -1, -1};
  c.neighbourKind = {Hydrogen, Oxygen, -1, -1};
  c.neighbourCount = 2;
  c.bonded = 1;
  c.electronSlotTaken = {1, 1, 0, 1, 1, 1, 0, 1};
  c.charge = -2;
  m.atoms.Add(c);
  TAtom h(Hydrogen, 330, 200);
  h.parentIndex = 0;
  h.x = -17;
  h.y = -123456;
  m.atoms.Add(h);
  TAtom odd(42, 5, 6);  // an unknown kind is kept as stored
  odd.parentIndex = 0;
  m.atoms.Add(odd);
  TBonds b1(320, 330, 210, 210);
  m.bonds.Add(b1);
  TBonds b2(-5, 7, 9, -11);
  b2.SetOrder("triple");
  m.bonds.Add(b2);
  TBonds b3(1, 2, 3, 4);
  b3.SetOrder("double");
  m.bonds.Add(b3);
  m.brackets.Add(TBrackett(295, 355, 195, 225, -2));
  return m;
}

TEST(MoleculeFile, EmptyMoleculeIsTwentyEightBytes) {
  const std::string bytes = Written(TMolecule{});
  ASSERT_EQ(bytes.size(), 28u);
  EXPECT_EQ(bytes.substr(0, 8), "Kovala31");
  EXPECT_EQ(bytes[8], '\0');
  EXPECT_EQ(bytes[9], '\0');
  EXPECT_EQ(bytes.substr(10), std::string(18, '\0'));
}

TEST(MoleculeFile, LoneCarbonIsOneHundredAndOneBytesWithMinusOneLinks) {
  TMolecule m;
  m.atoms.Add(TAtom(Carbon, 0x1234, 7));
  const std::string b = Written(m);
  ASSERT_EQ(b.size(), 101u);
  EXPECT_EQ(b.substr(16, 4), std::string("\x01\0\0\0", 4));
  EXPECT_EQ(b.substr(20, 4), std::string("\x34\x12\0\0", 4));  // little-endian x
  const std::string minusOne("\xFF\xFF\xFF\xFF", 4);
  EXPECT_EQ(b.substr(20 + 16, 4), minusOne);  // parentIndex
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(b.substr(20 + 33 + 4 * i, 4), minusOne);  // childIndex
    EXPECT_EQ(b.substr(20 + 57 + 4 * i, 4), minusOne);  // neighbourKind
  }
  EXPECT_EQ(b.substr(20 + 24, 4), std::string(4, '\0'));  // kind comes before charge
  EXPECT_EQ(b.substr(93), std::string(8, '\0'));
}

TEST(MoleculeFile, EveryFieldSurvivesWriteAndRead) {
  const TMolecule m = RichMolecule();
  const std::string bytes = Written(m);
  EXPECT_EQ(bytes.size(), 28u + 73 * 3 + 26 * 3 + 20);
  TMolecule back;
  ASSERT_EQ(ReadBytes(bytes, back), TReadResult::Ok);
  EXPECT_EQ(back.bondCount, 3);
  EXPECT_TRUE(back.completed);
  ASSERT_EQ(back.atoms.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(back.atoms[i], m.atoms[i]) << i;
  ASSERT_EQ(back.bonds.Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(back.bonds[i], m.bonds[i]) << i;
  EXPECT_EQ(back.bonds[1].Order(), "triple");
  ASSERT_EQ(back.brackets.Count(), 1);
  EXPECT_EQ(back.brackets[0], m.brackets[0]);
  EXPECT_EQ(Written(back), bytes);
}

TEST(MoleculeFile, RingFlagIsNotKeptByReading) {
  TMolecule m;
  m.ringTemplatePlaced = true;
  const std::string bytes = Written(m);
  EXPECT_EQ(bytes[14], '\x01');
  TMolecule back;
  ASSERT_EQ(ReadBytes(bytes, back), TReadResult::Ok);
  EXPECT_FALSE(back.ringTemplatePlaced);
}

TEST(MoleculeFile, HeaderMustBeTheMagicTextAndAZeroByte) {
  std::string bytes = Written(TMolecule{});
  TMolecule back;
  bytes[9] = '\x55';  // not significant
  EXPECT_EQ(ReadBytes(bytes, back), TReadResult::Ok);
  bytes[8] = '1';
  EXPECT_EQ(ReadBytes(bytes, back), TReadResult::BadFormat);
  bytes[8] = '\0';
  bytes[0] = 'k';
  EXPECT_EQ(ReadBytes(bytes, back), TReadResult::BadFormat);
  EXPECT_EQ(ReadBytes("", back), TReadResult::BadFormat);
}

TEST(MoleculeFile, EveryTruncatedPrefixIsRefusedAndLeavesTheMoleculeEmpty) {
  const std::string bytes = Written(RichMolecule());
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    TMolecule back;
    back.atoms.Add(TAtom(Carbon, 1, 1));  // what was there before is gone either way
    back.completed = true;
    ASSERT_EQ(ReadBytes(bytes.substr(0, n), back), TReadResult::BadFormat) << n;
    EXPECT_TRUE(back.atoms.IsEmpty()) << n;
    EXPECT_TRUE(back.bonds.IsEmpty()) << n;
    EXPECT_TRUE(back.brackets.IsEmpty()) << n;
    EXPECT_EQ(back.bondCount, 0) << n;
    EXPECT_FALSE(back.completed) << n;
  }
}

TEST(MoleculeFile, NegativeCountsReadNoRecords) {
  std::string bytes = Written(TMolecule{});
  PutInt(bytes, 16, -5);
  PutInt(bytes, 20, -1);
  PutInt(bytes, 24, std::numeric_limits<std::int32_t>::min());
  TMolecule back;
  ASSERT_EQ(ReadBytes(bytes, back), TReadResult::Ok);
  EXPECT_TRUE(back.atoms.IsEmpty());
  EXPECT_TRUE(back.bonds.IsEmpty());
  EXPECT_TRUE(back.brackets.IsEmpty());
}

TEST(MoleculeFile, HugeCountInAShortFileIsRefusedCheaply) {
  std::string bytes = Written(TMolecule{});
  bytes.resize(40, '\0');
  for (std::size_t at : {16u, 20u, 24u}) {
    std::string b = Written(TMolecule{});
    PutInt(b, at, std::numeric_limits<std::int32_t>::max());
    b.resize(40, '\0');
    TMolecule back;
    EXPECT_EQ(ReadBytes(b, back), TReadResult::BadFormat) << at;
    EXPECT_TRUE(back.atoms.IsEmpty());
  }
}

TEST(MoleculeFile, LinksOutsideTheMoleculeAreRefused) {
  const std::string good = Written(RichMolecule());
  const std::size_t atom1 = 20 + 73;
  struct Case {
    std::size_t offset;
    std::int32_t value;
    bool ok;
  };
  const Case cases[] = {
      {atom1 + 16, 2, true},   {atom1 + 16, 3, false}, {atom1 + 16, -2, false},
      {atom1 + 33, 0, true},   {atom1 + 33, 3, false}, {atom1 + 45, 99, false},
      {atom1 + 45, -7, false}, {atom1 + 57, 77, true},  // neighbour kinds are taken as stored
  };
  for (const auto& c : cases) {
    std::string b = good;
    PutInt(b, c.offset, c.value);
    TMolecule back;
    EXPECT_EQ(ReadBytes(b, back) == TReadResult::Ok, c.ok) << c.offset << " " << c.value;
  }
}

TEST(MoleculeFile, NegativeBondCountAndUnterminatedOrderAreRefused) {
  std::string b = Written(RichMolecule());
  PutInt(b, 10, -1);
  TMolecule back;
  EXPECT_EQ(ReadBytes(b, back), TReadResult::BadFormat);

  std::string c = Written(RichMolecule());
  const std::size_t order0 = 28 - 8 + 73 * 3 + 4 + 16;  // first bond's order field
  ASSERT_EQ(c.substr(order0, 6), "single");
  for (int i = 0; i < 10; ++i) c[order0 + i] = 'x';
  EXPECT_EQ(ReadBytes(c, back), TReadResult::BadFormat);
  c[order0 + 9] = '\0';  // nine letters and the terminator are fine
  EXPECT_EQ(ReadBytes(c, back), TReadResult::Ok);
  EXPECT_EQ(back.bonds[0].Order(), "xxxxxxxxx");
}

TEST(MoleculeFile, BytesAfterTheTerminatorAreIgnoredAndWrittenAsZero) {
  std::string b = Written(RichMolecule());
  const std::size_t order0 = 20 + 73 * 3 + 4 + 16;
  b[order0 + 8] = 'q';
  TMolecule back;
  ASSERT_EQ(ReadBytes(b, back), TReadResult::Ok);
  EXPECT_EQ(back.bonds[0].Order(), "single");
  EXPECT_EQ(Written(back)[order0 + 8], '\0');
}

// Bytes that can only be read in order, as from a pipe: no seeking.
class TPipeBuffer : public std::streambuf {
 public:
  explicit TPipeBuffer(std::string bytes) : data(std::move(bytes)) { setg(data.data(), data.data(), data.data() + data.size()); }

 private:
  std::string data;
};

// A molecule of n loose carbons in a column and the bonds between them.
TMolecule Chain(int atoms, int bonds) {
  TMolecule m;
  for (int i = 0; i < atoms; ++i) m.atoms.Add(TAtom(Carbon, 300, 10 + 30 * i));
  for (int i = 0; i < bonds; ++i) m.bonds.Add(TBonds(310, 310, 30 + 30 * i, 40 + 30 * i));
  return m;
}

TEST(MoleculeFileLimits, CountsBeyondWhatTheEditorHoldsAreRefusedBeforeReading) {
  struct Case {
    int atoms;
    int bonds;
    TFormatProblem problem;
  };
  const Case cases[] = {
      {MaxAtoms, MaxBonds, TFormatProblem::None},
      {MaxAtoms + 1, 0, TFormatProblem::TooManyAtoms},
      {3, MaxBonds + 1, TFormatProblem::TooManyBonds},
  };
  for (const auto& c : cases) {
    const std::string bytes = Written(Chain(c.atoms, c.bonds));
    TMolecule back;
    TFormatProblem problem = TFormatProblem::Header;
    std::istringstream in(bytes);
    EXPECT_EQ(ReadMolecule(in, back, &problem) == TReadResult::Ok, c.problem == TFormatProblem::None) << c.atoms;
    EXPECT_EQ(problem, c.problem) << c.atoms << " " << c.bonds;
    if (c.problem != TFormatProblem::None) {
      EXPECT_TRUE(back.atoms.IsEmpty());
      EXPECT_TRUE(back.bonds.IsEmpty());
    }
  }
}

TEST(MoleculeFileLimits, HugeCountsAreRefusedWithoutReadingTheRest) {
  // A count of two thousand million atoms in front of a long file: refused at
  // the count, with the stream left where the count ended.
  std::string bytes = Written(TMolecule{});
  PutInt(bytes, 16, std::numeric_limits<std::int32_t>::max());
  bytes.append(73 * 1000, '\x01');
  std::istringstream in(bytes);
  TMolecule back;
  TFormatProblem problem = TFormatProblem::None;
  EXPECT_EQ(ReadMolecule(in, back, &problem), TReadResult::BadFormat);
  EXPECT_EQ(problem, TFormatProblem::TooManyAtoms);
  EXPECT_EQ(in.tellg(), std::streampos(20));
}

TEST(MoleculeFileLimits, ValuesTheEditorNeverMakesAreRefused) {
  // RichMolecule's atom 0 is a carbon with no electrons or open bonds left
  // and charge -2; atom 1 a hydrogen (1, 1).
  constexpr std::size_t atom0 = 20;
  constexpr std::size_t atom1 = 20 + 73;
  constexpr std::size_t bond0 = 24 + 73 * 3;
  constexpr std::size_t bracket0 = 28 + 73 * 3 + 26 * 3;
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  struct Change {
    std::size_t offset;
    std::int32_t value;
  };
  struct Case {
    const char* what;
    std::vector<Change> changes;
    TFormatProblem problem;
  };
  const Case cases[] = {
      {"bondCount at the limit", {{10, MaxBonds}}, TFormatProblem::None},
      {"bondCount past it", {{10, MaxBonds + 1}}, TFormatProblem::OutOfRange},
      {"x at the limit", {{atom0, MaxCoordinate}}, TFormatProblem::None},
      {"x past it", {{atom0, MaxCoordinate + 1}}, TFormatProblem::OutOfRange},
      {"y far negative", {{atom0 + 4, kMin}}, TFormatProblem::OutOfRange},
      {"negative free electrons", {{atom1 + 8, -1}}, TFormatProblem::OutOfRange},
      {"negative open bonds", {{atom1 + 12, -1}}, TFormatProblem::OutOfRange},
      {"eight between them", {{atom1 + 8, 6}, {atom1 + 12, 2}}, TFormatProblem::None},
      {"nine between them", {{atom1 + 8, 5}, {atom1 + 12, 4}}, TFormatProblem::OutOfRange},
      {"huge open bonds", {{atom1 + 12, kMax}}, TFormatProblem::OutOfRange},
      {"eight electrons added", {{atom0 + 8, 0}, {atom0 + 12, 0}, {atom0 + 28, -8}}, TFormatProblem::None},
      {"nine electrons added", {{atom0 + 28, -9}}, TFormatProblem::OutOfRange},
      {"charge beyond the electrons taken", {{atom0 + 8, 1}, {atom0 + 28, 8}}, TFormatProblem::OutOfRange},
      {"most negative charge", {{atom0 + 28, kMin}}, TFormatProblem::OutOfRange},
      {"four neighbours", {{atom0 + 20, 4}}, TFormatProblem::None},
      {"five neighbours", {{atom0 + 20, 5}}, TFormatProblem::OutOfRange},
      {"bond end far away", {{bond0 + 4, kMax}}, TFormatProblem::OutOfRange},
      {"bracket far away", {{bracket0, kMin}}, TFormatProblem::OutOfRange},
      {"bracket of every atom's charge", {{bracket0 + 16, -MaxBracketCharge}}, TFormatProblem::None},
      {"bracket charge past it", {{bracket0 + 16, kMax}}, TFormatProblem::OutOfRange},
  };
  const std::string good = Written(RichMolecule());
  for (const auto& c : cases) {
    std::string b = good;
    for (const auto& change : c.changes) PutInt(b, change.offset, change.value);
    TMolecule back;
    TFormatProblem problem = TFormatProblem::Header;
    std::istringstream in(b);
    EXPECT_EQ(ReadMolecule(in, back, &problem) == TReadResult::Ok, c.problem == TFormatProblem::None) << c.what;
    EXPECT_EQ(problem, c.problem) << c.what;
    // What the reader takes, the writer writes back unchanged.
    if (c.problem == TFormatProblem::None) {
      EXPECT_EQ(CheckLimits(back), TFormatProblem::None) << c.what;
      EXPECT_EQ(Written(back), b) << c.what;
    }
  }
}

TEST(MoleculeFileLimits, BracketsPastTheLimitArePassedOverButMustBeThere) {
  TMolecule piled;
  piled.atoms.Add(TAtom(Chlorine, 300, 200));
  for (int i = 0; i < MaxBrackets + 6; ++i) piled.brackets.Add(TBrackett(295, 325, 195, 225, -1 - i % 3));
  const std::string bytes = Written(piled);

  TMolecule back;
  ASSERT_EQ(ReadBytes(bytes, back), TReadResult::Ok);
  ASSERT_EQ(back.brackets.Count(), MaxBrackets);
  for (int i = 0; i < MaxBrackets; ++i) ASSERT_EQ(back.brackets[i], piled.brackets[i]) << i;
  TMolecule again;
  ASSERT_EQ(ReadBytes(Written(back), again), TReadResult::Ok);
  EXPECT_EQ(Written(again), Written(back));

  // The records the count announces past the limit must still be there,
  // whether they are passed over by seeking (a file) or by reading (a pipe).
  for (const bool seekable : {true, false}) {
    for (const std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{20 * 6}}) {
      TPipeBuffer pipe(bytes.substr(0, bytes.size() - cut));
      std::istringstream file(bytes.substr(0, bytes.size() - cut));
      std::istream pipeStream(&pipe);
      std::istream& in = seekable ? static_cast<std::istream&>(file) : pipeStream;
      TFormatProblem problem = TFormatProblem::Header;
      EXPECT_EQ(ReadMolecule(in, back, &problem) == TReadResult::Ok, cut == 0) << seekable << " " << cut;
      EXPECT_EQ(problem, cut == 0 ? TFormatProblem::None : TFormatProblem::CutShort) << seekable << " " << cut;
      EXPECT_EQ(back.brackets.Count(), cut == 0 ? MaxBrackets : 0) << seekable << " " << cut;
    }
  }
}

class MoleculeFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("kovala-file-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::filesystem::path dir;
  test::TScriptedDesktop desktop;
};

TEST_F(MoleculeFileOnDisk, WriteThenReadThroughFiles) {
  const std::string path = (dir / "water.kvl").string();
  ASSERT_TRUE(WriteMoleculeFile(path, RichMolecule(), desktop));
  TMolecule back;
  ASSERT_TRUE(ReadMoleculeFile(path, back, desktop));
  EXPECT_EQ(back.atoms.Count(), 3);
  EXPECT_TRUE(desktop.messages.empty());
  // Only the file itself is left behind, no temporary.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

TEST_F(MoleculeFileOnDisk, MissingFileIsReported) {
  TMolecule back;
  back.atoms.Add(TAtom(Carbon, 0, 0));
  EXPECT_FALSE(ReadMoleculeFile((dir / "none.kvl").string(), back, desktop));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "File cannot be found!");
  EXPECT_EQ(desktop.messages[0].caption, "Warning");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);
  EXPECT_TRUE(back.atoms.IsEmpty());
  EXPECT_FALSE(ReadMoleculeFile(dir.string(), back, desktop));  // a directory is no file
}

TEST_F(MoleculeFileOnDisk, WrongFormatIsReported) {
  const auto path = dir / "note.kvl";
  std::ofstream(path) << "Not a molecule at all";
  TMolecule back;
  EXPECT_FALSE(ReadMoleculeFile(path.string(), back, desktop));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "Incorrect File Format!");
  EXPECT_EQ(desktop.messages[0].caption, "Warning");
  EXPECT_EQ(desktop.messages[0].icon, TIcon::Exclamation);
}

TEST_F(MoleculeFileOnDisk, FailedWriteLeavesTheOldFileAsItWas) {
  const auto path = dir / "keep.kvl";
  ASSERT_TRUE(WriteMoleculeFile(path.string(), RichMolecule(), desktop));
  const auto oldSize = std::filesystem::file_size(path);
  // A disk with no room left makes the save fail, even for a user whom file
  // permissions do not stop.
  struct TNoRoom : TDiskWrites {
    long WriteAt(int, const char*, std::size_t, long) override {
      errno = ENOSPC;
      return -1;
    }
  } full;
  EXPECT_EQ(SaveMoleculeFile(path.string(), TMolecule{}, full).error, TFileError::DiskFull);
  EXPECT_EQ(std::filesystem::file_size(path), oldSize);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary left";
}

TEST_F(MoleculeFileOnDisk, SavingThroughALinkReplacesTheFileItNamesAndKeepsItsBits) {
  std::filesystem::create_directory(dir / "real");
  const auto file = dir / "real" / "water.kvl";
  ASSERT_TRUE(WriteMoleculeFile(file.string(), TMolecule{}, desktop));
  std::filesystem::permissions(file, std::filesystem::perms(0640));
  const auto link = dir / "link.kvl";
  std::filesystem::create_symlink("real/water.kvl", link);  // relative to the link's directory

  ASSERT_TRUE(WriteMoleculeFile(link.string(), RichMolecule(), desktop));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
  TMolecule back;
  ASSERT_TRUE(ReadMoleculeFile(file.string(), back, desktop));
  EXPECT_EQ(back.atoms.Count(), 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "real"), {}), 1) << "no temporary left";
  EXPECT_TRUE(desktop.messages.empty());
}

// Saves as a user who may write the file but may not add files to its
// directory; run as root, the save is made by a child that gives the rights up.
bool SaveWithoutNewFilesInDirectory(const std::filesystem::path& dir, const std::filesystem::path& file) {
  namespace fs = std::filesystem;
  if (::geteuid() != 0) {
    fs::permissions(dir, fs::perms(0555));
    test::TScriptedDesktop messages;
    const bool saved = WriteMoleculeFile(file.string(), RichMolecule(), messages);
    fs::permissions(dir, fs::perms(0755));
    return saved;
  }
  constexpr uid_t kNobody = 65534;
  fs::permissions(dir, fs::perms(0755));
  if (::chown(file.c_str(), kNobody, kNobody) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    test::TScriptedDesktop messages;
    ::_exit(WriteMoleculeFile(file.string(), RichMolecule(), messages) ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(MoleculeFileOnDisk, DirectoryThatTakesNoNewFilesIsSavedInPlace) {
  const auto sub = dir / "locked";
  std::filesystem::create_directory(sub);
  const auto file = sub / "water.kvl";
  ASSERT_TRUE(WriteMoleculeFile(file.string(), TMolecule{}, desktop));
  std::filesystem::permissions(file, std::filesystem::perms(0666));

  EXPECT_TRUE(SaveWithoutNewFilesInDirectory(sub, file));
  TMolecule back;
  ASSERT_TRUE(ReadMoleculeFile(file.string(), back, desktop));
  EXPECT_EQ(back.atoms.Count(), 3);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sub), {}), 1);
}

TEST_F(MoleculeFileOnDisk, WriteIntoAMissingDirectoryIsReported) {
  EXPECT_FALSE(WriteMoleculeFile((dir / "no" / "such.kvl").string(), TMolecule{}, desktop));
  EXPECT_EQ(desktop.LastText(), "File cannot be found!");
}

TEST_F(MoleculeFileOnDisk, TheProgramsOwnFilesReadAndWriteBackByteForByte) {
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KOVALA_TEST_DATA)) {
    if (entry.path().extension() != ".kvl") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TMolecule back;
    ASSERT_TRUE(ReadMoleculeFile(entry.path().string(), back, desktop)) << entry.path();
    EXPECT_EQ(CheckLimits(back), TFormatProblem::None) << entry.path();
    EXPECT_EQ(Written(back), bytes) << entry.path();
    ++seen;
  }
  EXPECT_GE(seen, 3);
}

TEST_F(MoleculeFileOnDisk, SeedCorpusFilesAreValid) {
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KOVALA_TEST_DATA)) {
    if (entry.path().extension() != ".kvl") continue;
    TMolecule back;
    EXPECT_TRUE(ReadMoleculeFile(entry.path().string(), back, desktop)) << entry.path();
    ++seen;
  }
  EXPECT_GE(seen, 3);
}

}  // namespace
}  // namespace kovala
