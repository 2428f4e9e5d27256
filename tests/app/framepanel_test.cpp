// The molecule panel through the frame: the student hides and shows it with
// View | Molecule Panel, and whatever it shows belongs to the molecule window
// on screen after Open, entering and quitting a course and the 3-D view.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "app/frame.h"
#include "tests/support/programfixture.h"
#include "tests/support/fakeframehost.h"
#include "tests/support/scripteddesktop.h"

namespace kovala {
namespace {

struct TProgram : test::TProgramFixture {
  std::optional<std::string> Shown() const { return frame.Client().PanelText(); }
};

std::string DataFile(const char* name) { return std::string(KOVALA_TEST_DATA) + "/" + name; }

TEST(PanelMenuItem, ShownAtStartAndSwitchedByTheViewPopup) {
  TProgram p;
  EXPECT_TRUE(p.host.panelShown);
  EXPECT_TRUE(p.host.checkMarks[cmd::MoleculePanel]);
  EXPECT_TRUE(p.frame.Command(cmd::MoleculePanel));
  EXPECT_FALSE(p.host.panelShown);
  EXPECT_FALSE(p.host.checkMarks[cmd::MoleculePanel]);
  // The choice holds in a course too.
  p.frame.Command(cmd::StartLab);
  EXPECT_FALSE(p.host.panelShown);
  p.frame.Command(cmd::MoleculePanel);
  EXPECT_TRUE(p.host.panelShown);
  EXPECT_TRUE(p.host.checkMarks[cmd::MoleculePanel]);
}

TEST(PanelMenuItem, TheThreeDViewHidesThePanelAndReturningKeepsTheStudentsChoice) {
  for (const bool hidden : {false, true}) {
    TProgram p;
    if (hidden) p.frame.Command(cmd::MoleculePanel);
    p.desktop.openChoices = {DataFile("methane.kvl")};
    p.frame.Command(cmd::OpenMolecule);
    p.frame.Command(cmd::ShowModel3D);
    ASSERT_TRUE(p.frame.view3DActive);
    EXPECT_FALSE(p.host.panelShown);
    p.frame.Command(cmd::ReturnToKovala);
    EXPECT_EQ(p.host.panelShown, !hidden);
    EXPECT_EQ(p.host.checkMarks[cmd::MoleculePanel], !hidden);
  }
}

struct TFrameRenewal {
  const char* name;
  std::function<void(TProgram&)> steps;
  std::optional<std::string> text;
};

void PrintTo(const TFrameRenewal& c, std::ostream* os) { *os << c.name; }

class PanelThroughTheFrame : public testing::TestWithParam<TFrameRenewal> {};

TEST_P(PanelThroughTheFrame, BelongsToTheWindowOnScreen) {
  TProgram p;
  GetParam().steps(p);
  EXPECT_EQ(p.Shown(), GetParam().text);
}

void OpenMethane(TProgram& p) {
  p.desktop.openChoices = {DataFile("methane.kvl")};
  p.frame.Command(cmd::OpenMolecule);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, PanelThroughTheFrame,
    testing::Values(TFrameRenewal{"open of a completed molecule", OpenMethane, "Completed: methane, CH₄"},
                    TFrameRenewal{"3-D view has none",
                                  [](TProgram& p) {
                                    OpenMethane(p);
                                    p.frame.Command(cmd::ShowModel3D);
                                  },
                                  std::nullopt},
                    TFrameRenewal{"return from the 3-D view",
                                  [](TProgram& p) {
                                    OpenMethane(p);
                                    p.frame.Command(cmd::ShowModel3D);
                                    p.frame.Command(cmd::ReturnToKovala);
                                  },
                                  "Completed: methane, CH₄"},
                    TFrameRenewal{
                        "entering the lab after methane",
                        [](TProgram& p) {
                          OpenMethane(p);
                          p.frame.Command(cmd::StartLab);
                        },
                        "Still open: the C in the tray needs 4 bonds and 4 H in the tray need 1 bond each."},
                    TFrameRenewal{"quitting the lab",
                                  [](TProgram& p) {
                                    p.frame.Command(cmd::StartLab);
                                    p.frame.Command(cmd::QuitPracticeOrganic);
                                  },
                                  "No atoms yet."}));

}  // namespace
}  // namespace kovala
