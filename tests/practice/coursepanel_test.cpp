// The molecule panel in the courses: every layout (Start, Next, Previous,
// Start Again, a rule's refusal, past the last row) renews it, and a
// completed row names what was built with the lesson it answers.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "tests/support/windowfixture.h"

namespace kovala {
namespace {

constexpr const char* kMethaneInTray =
    "Still open: the C in the tray needs 4 bonds and 4 H in the tray need 1 bond each.";
constexpr const char* kDichloromethaneInTray =
    "Still open: the C in the tray needs 4 bonds, 2 H in the tray need 1 bond each and 2 Cl in the tray need "
    "1 "
    "bond each.";

// A course on the fakes, started at row 1.
struct TSession : test::TWindowFixture<TCourseWindow> {
  explicit TSession(bool organic)
      : TWindowFixture([organic](IWindowHost& windowHost, IDesktop& windowDesktop) -> std::unique_ptr<TCourseWindow> {
          if (organic) return std::make_unique<TOrganicWindow>(windowHost, windowDesktop);
          return std::make_unique<TPracticeWindow>(windowHost, windowDesktop);
        }) {
    window.Start();
  }
};

struct TCoursePanelCase {
  const char* name;
  bool organic;
  std::function<void(TSession&)> steps;
  std::string text;
};

void PrintTo(const TCoursePanelCase& c, std::ostream* os) { *os << c.name; }

class PanelInACourse : public testing::TestWithParam<TCoursePanelCase> {};

TEST_P(PanelInACourse, BelongsToTheRowShown) {
  TSession s(GetParam().organic);
  GetParam().steps(s);
  EXPECT_EQ(s.window.PanelText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Courses, PanelInACourse,
    testing::Values(
        TCoursePanelCase{"start", false, [](TSession&) {}, kMethaneInTray},
        TCoursePanelCase{"completed", false, [](TSession& s) { ASSERT_EQ(s.Run("chain C"), ""); },
                         "Completed: methane, CH₄"},
        TCoursePanelCase{"next after a completion", false,
                         [](TSession& s) {
                           ASSERT_EQ(s.Run("chain C"), "");
                           s.window.NextRow();
                         },
                         kDichloromethaneInTray},
        TCoursePanelCase{"previous", false,
                         [](TSession& s) {
                           s.window.NextRow();
                           s.window.PreviousRow();
                         },
                         kMethaneInTray},
        TCoursePanelCase{"start again after a refused drop", false,
                         [](TSession& s) {
                           // The C dropped in the middle, then an H far from it.
                           s.window.PickUpAtom({600, 20});
                           s.window.DropAtom({300, 200});
                           s.window.PickUpAtom({600, 20});
                           s.window.DropAtom({100, 100});
                           ASSERT_FALSE(s.window.Explanation().empty());
                           s.window.StartAgain();
                         },
                         kMethaneInTray},
        TCoursePanelCase{
            "rule refused", false,
            [](TSession& s) {
              s.GoTo(8);
              ASSERT_EQ(s.Run("chain O(H)(H)O"), "");
            },
            "In hydrogen peroxide the hydrogen atoms must be attached to separate oxygen atoms.\n"
            "Still open: 2 H in the tray need 1 bond each and 2 O in the tray need 2 bonds each."},
        TCoursePanelCase{"past the last row", false,
                         [](TSession& s) {
                           s.GoTo(19);
                           s.window.NextRow();
                         },
                         "No atoms yet."},
        TCoursePanelCase{"an isomer the row accepts", true,
                         [](TSession& s) {
                           s.GoTo(12);
                           ASSERT_EQ(s.Run("chain CC(O)C"), "");
                         },
                         "Completed: 2-propanol, C₃H₈O (lesson: propanol)"},
        TCoursePanelCase{"an ion as taught", false,
                         [](TSession& s) {
                           s.GoTo(5);
                           ASSERT_EQ(s.Run("chain O"), "");
                         },
                         "Completed: hydronium ion, H₃O⁺"}));

}  // namespace
}  // namespace kovala
