// The sample molecules: each built to completion without a refusal, with the
// formula planned for it, and each read back from its file unchanged, both
// as written here and as the build put it into dist/.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "distribution/samplemolecules.h"
#include "chem/hillformula.h"
#include "editor/filefailure.h"
#include "model/moleculefile.h"
#include "tests/setup/setupfixture.h"

namespace kovala {
namespace {

namespace fs = std::filesystem;

// The records of a molecule as values, so that whole molecules compare.
struct TRecords {
  std::vector<TAtom> atoms;
  std::vector<TBonds> bonds;
  std::vector<TBrackett> brackets;
  int bondCount = 0;
  bool completed = false;
  friend bool operator==(const TRecords&, const TRecords&) = default;
};

TRecords RecordsOf(const TMolecule& m) {
  TRecords r;
  for (const auto& a : m.atoms) r.atoms.push_back(a);
  for (const auto& b : m.bonds) r.bonds.push_back(b);
  for (const auto& b : m.brackets) r.brackets.push_back(b);
  r.bondCount = m.bondCount;
  r.completed = m.completed;
  return r;
}

void ExpectSameRecords(const TMolecule& read, const TMolecule& built) {
  EXPECT_TRUE(RecordsOf(read) == RecordsOf(built));
}

const std::vector<TSampleMolecule>& Samples() {
  static const std::vector<TSampleMolecule> samples = BuildSampleMolecules();
  return samples;
}

class SampleMolecules : public test::SetupFixture, public ::testing::WithParamInterface<std::string> {
 protected:
  static const TSampleMolecule& Sample() {
    for (const TSampleMolecule& sample : Samples())
      if (sample.fileName == GetParam()) return sample;
    throw std::runtime_error("no sample " + GetParam());
  }
};

TEST_P(SampleMolecules, IsBuiltToCompletionWithItsFormulaAndReadsBackUnchanged) {
  const TSampleMolecule& sample = Sample();
  SCOPED_TRACE(sample.fileName);
  for (const std::string& surprise : sample.surprises) ADD_FAILURE() << surprise;
  EXPECT_TRUE(sample.molecule.completed);
  EXPECT_EQ(THillFormula(GraphOf(sample.molecule)).Display(), sample.formula);
  for (const TAtom& atom : sample.molecule.atoms) EXPECT_EQ(atom.openBonds, 0);

  const std::string path = dist + "/" + sample.fileName;
  ASSERT_TRUE(WriteMoleculeFile(path, sample.molecule, desktop));
  TMolecule read;
  ASSERT_TRUE(ReadMoleculeFile(path, read, desktop));
  ExpectSameRecords(read, sample.molecule);
  EXPECT_TRUE(desktop.boxes.messages.empty());
}

#ifdef KOVALA_DIST_DIR
TEST_P(SampleMolecules, BuildPutItIntoTheDistributionFolder) {
  const TSampleMolecule& sample = Sample();
  TMolecule read;
  ASSERT_TRUE(ReadMoleculeFile(std::string(KOVALA_DIST_DIR) + "/" + sample.fileName, read, desktop));
  ExpectSameRecords(read, sample.molecule);
}

TEST(DistributionFolder, HoldsTheProgramsTheIconAndTheReadMe) {
  for (const char* name : {"kovala", "install", "uninstall", "kovala.png", "readme.doc"}) {
    SCOPED_TRACE(name);
    const fs::path path = fs::path(KOVALA_DIST_DIR) / name;
    ASSERT_TRUE(fs::is_regular_file(path));
    EXPECT_GT(fs::file_size(path), 0u);
    const bool program = std::string(name).find('.') == std::string::npos;
    EXPECT_EQ(access(path.c_str(), X_OK) == 0, program);
  }
}
#endif

INSTANTIATE_TEST_SUITE_P(All, SampleMolecules,
                         ::testing::Values("water.kvl", "methane.kvl", "ammonium.kvl", "ethanol.kvl",
                                           "benzene.kvl"),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                           return param.param.substr(0, param.param.find('.'));
                         });

TEST(SampleMoleculesSet, HoldsFiveDistinctFiles) {
  std::vector<std::string> names;
  for (const TSampleMolecule& sample : Samples()) names.push_back(sample.fileName);
  EXPECT_EQ(names.size(), 5u);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

}  // namespace
}  // namespace kovala
