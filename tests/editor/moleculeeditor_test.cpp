// The molecule editing core alone: molecules built by atoms and sides, with
// no window, no desktop and no pixel coordinates; and the same recipes
// driven with the mouse through a window, which must end in the same records
// and the same boxes.
#include <gtest/gtest.h>

#include <cctype>
#include <optional>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/invariants.h"
#include "model/moleculefile.h"
#include "practice/organicwindow.h"
#include "tests/support/fakehost.h"
#include "tests/support/scripteddesktop.h"
#include "tests/support/studentdriver.h"

namespace kovala {
namespace {

const std::string kCompleted = "This molecule is completed!!!  Go to View for 3-D structure.";
const std::string kCompletedByClick = "This molecule is completed!!!  Go to View for a 3-D structure.";
const std::string kEthanolRule = "In ethanol you must have the OH group characteristic of an alcohol.";

struct TBuildCase {
  std::string name;
  std::string recipe;
  bool ethanolRow;  // judged by the organic course's ethanol row
  std::vector<std::string> messages;
  bool completed;
  int atoms;
  std::string orders;  // the bonds' orders in record order, one letter each
  int bracketCharge;   // of the one bracket; 0 for none
};

void PrintTo(const TBuildCase& c, std::ostream* os) { *os << c.name; }

const TCourseRow& EthanolRow() {
  for (const TCourseRow& row : OrganicTable())
    if (row.name == "ethanol") return row;
  throw std::logic_error("no ethanol row");
}

TCompletionJudge JudgeOf(const TCourseRow& row) {
  return [&row](const TMolecule& m) -> std::optional<std::string> {
    if (RowAccepts(row, m)) return std::nullopt;
    return row.ruleMessage;
  };
}

std::string Orders(const TMolecule& m) {
  std::string orders;
  for (const TBonds& bond : m.bonds) orders += bond.Order().empty() ? '?' : bond.Order()[0];
  return orders;
}

std::string Bytes(const TMolecule& m) {
  std::ostringstream out;
  WriteMolecule(out, m);
  return out.str();
}

class BuildBySides : public testing::TestWithParam<TBuildCase> {};

TEST_P(BuildBySides, TheCoreBuildsTheMoleculeAndSaysWhatHappened) {
  const TBuildCase& c = GetParam();
  TMoleculeEditor editor;
  if (c.ethanolRow) editor.judge = JudgeOf(EthanolRow());
  test::TStudentDriver student(editor);
  ASSERT_EQ(student.Run(c.recipe), "");
  const TMolecule& m = editor.molecule;
  EXPECT_EQ(student.messages, c.messages);
  EXPECT_EQ(m.completed, c.completed);
  EXPECT_EQ(m.atoms.Count(), c.atoms);
  EXPECT_EQ(Orders(m), c.orders);
  if (c.bracketCharge == 0) {
    EXPECT_TRUE(m.brackets.IsEmpty());
  } else {
    ASSERT_EQ(m.brackets.Count(), 1);
    EXPECT_EQ(m.brackets[0].charge, c.bracketCharge);
  }
  const TBrokenInvariant broken = BrokenInvariant(m, TInvariants::Built, editor.area.right - 50);
  EXPECT_TRUE(broken.Holds()) << broken.what;
}

// The window's gestures are the core's operations: the same recipe by mouse
// points leaves the same bytes and shows the same boxes.
TEST_P(BuildBySides, TheMouseThroughTheWindowEndsTheSame) {
  const TBuildCase& c = GetParam();
  TMoleculeEditor editor;
  if (c.ethanolRow) editor.judge = JudgeOf(EthanolRow());
  test::TStudentDriver bySides(editor);
  ASSERT_EQ(bySides.Run(c.recipe), "");

  test::TFakeHost host;
  test::TScriptedDesktop desktop;
  TBondWindow window(host, desktop);
  window.SetupWindow();
  if (c.ethanolRow) window.editor.judge = JudgeOf(EthanolRow());
  test::TStudentDriver byMouse(window);
  ASSERT_EQ(byMouse.Run(c.recipe), "");
  EXPECT_EQ(Bytes(window.molecule), Bytes(editor.molecule));
  EXPECT_EQ(desktop.Texts(), c.messages);
  EXPECT_EQ(window.changed, !window.molecule.undoHistory.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Molecules, BuildBySides,
    testing::Values(
        TBuildCase{"methane", "C; H right of 1; H top of 1; H left of 1; H bottom of 1", false, {kCompleted}, true,
                   5, "ssss", 0},
        // Nitrogen gives up an electron and takes a fourth hydrogen.
        TBuildCase{"ammonium", "N; take 1; H right of 1; H top of 1; H left of 1; H bottom of 1", false,
                   {kCompleted}, true, 5, "ssss", 1},
        TBuildCase{"ethene", "C; C right of 1; H top of 1; H left of 1; H top of 2; H right of 2; raise 1-2", false,
                   {kCompletedByClick}, true, 6, "dssss", 0},
        TBuildCase{"benzene",
                   "ring aromatic; H top of 1; H right of 2; H right of 3; H bottom of 4; H left of 5; H left of 6",
                   false, {kCompleted}, true, 12, "sdsdsdssssss", 0},
        TBuildCase{"hydrogen full", "C; H right of 1; H right of 2", false,
                   {"You cannot bond these atoms together!!!"}, false, 3, "s", 0},
        TBuildCase{"taken place", "C; C right of 1; C bottom of 1; C bottom of 2; C right of 3", false,
                   {"There is no space for the atom to be bonded.  Use Edit|Abbreviate H's to make more space "
                    "available."},
                   false, 5, "sss", 0},
        TBuildCase{"ethanol row, ethanol",
                   "C; C right of 1; O right of 2; H top of 1; H left of 1; H bottom of 1; H top of 2; "
                   "H bottom of 2; H right of 3",
                   true, {kCompleted}, true, 9, "ssssssss", 0},
        TBuildCase{"ethanol row, dimethyl ether",
                   "C; O right of 1; C right of 2; H top of 1; H left of 1; H bottom of 1; H top of 3; "
                   "H right of 3; H bottom of 3",
                   true, {kEthanolRule}, true, 9, "ssssssss", 0}),
    [](const testing::TestParamInfo<TBuildCase>& param) {
      std::string name;
      for (char ch : param.param.name) name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

}  // namespace
}  // namespace kovala
