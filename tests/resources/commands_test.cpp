#include "base/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/menus.h"
#include "resources/palette.h"

namespace kovala {
namespace {

// Every named identifier with the number the menus, the accelerator table,
// the hint strings and saved recordings of sessions know it by.
struct TNamedCommand {
  int id;
  int number;
  const char* name;
};

const std::vector<TNamedCommand>& NamedCommands() {
  static const std::vector<TNamedCommand> rows = {
      {cmd::NewMolecule, 101, "NewMolecule"},
      {cmd::OpenMolecule, 102, "OpenMolecule"},
      {cmd::SaveMolecule, 103, "SaveMolecule"},
      {cmd::SaveAs, 104, "SaveAs"},
      {cmd::Exit, 24340, "Exit"},
      {cmd::UndoBack, 201, "UndoBack"},
      {cmd::AddElectron, 202, "AddElectron"},
      {cmd::SubtractElectron, 203, "SubtractElectron"},
      {cmd::AbbreviateHs, 205, "AbbreviateHs"},
      {cmd::CopyMolecule, 206, "CopyMolecule"},
      {cmd::PaletteCarbon, 250, "PaletteCarbon"},
      {cmd::PaletteHydrogen, 251, "PaletteHydrogen"},
      {cmd::PaletteOxygen, 252, "PaletteOxygen"},
      {cmd::PaletteNitrogen, 253, "PaletteNitrogen"},
      {cmd::PaletteSulfur, 254, "PaletteSulfur"},
      {cmd::PaletteChlorine, 255, "PaletteChlorine"},
      {cmd::PalettePhosphorus, 256, "PalettePhosphorus"},
      {cmd::PaletteBromine, 257, "PaletteBromine"},
      {cmd::PaletteFluorine, 258, "PaletteFluorine"},
      {cmd::PaletteAromaticRing, 259, "PaletteAromaticRing"},
      {cmd::PaletteCyclohexane, 260, "PaletteCyclohexane"},
      {cmd::PaletteCyclobutane, 262, "PaletteCyclobutane"},
      {cmd::ShowModel3D, 301, "ShowModel3D"},
      {cmd::StartLab, 450, "StartLab"},
      {cmd::QuitPracticeOrganic, 451, "QuitPracticeOrganic"},
      {cmd::OrganicChemistry, 455, "OrganicChemistry"},
      {cmd::PreviousMolecule, 456, "PreviousMolecule"},
      {cmd::NextMolecule, 457, "NextMolecule"},
      {cmd::StartAgain, 458, "StartAgain"},
      {cmd::ReturnToKovala, 501, "ReturnToKovala"},
      {cmd::CopyModel, 625, "CopyModel"},
      {cmd::IncreaseSize, 651, "IncreaseSize"},
      {cmd::DecreaseSize, 652, "DecreaseSize"},
      {cmd::TurnLeft, 701, "TurnLeft"},
      {cmd::TurnRight, 702, "TurnRight"},
      {cmd::TurnUp, 703, "TurnUp"},
      {cmd::TurnDown, 704, "TurnDown"},
      {cmd::MoveLeft, 705, "MoveLeft"},
      {cmd::MoveRight, 706, "MoveRight"},
      {cmd::MoveUp, 707, "MoveUp"},
      {cmd::MoveDown, 708, "MoveDown"},
      {cmd::Animate, 709, "Animate"},
      {cmd::StopAnimate, 710, "StopAnimate"},
      {cmd::HelpIndex, 901, "HelpIndex"},
      {cmd::UsingHelp, 902, "UsingHelp"},
      {cmd::ExportMolecule, 1000, "ExportMolecule"},
      {cmd::PrintMolecule, 1001, "PrintMolecule"},
      {cmd::MoleculePanel, 1002, "MoleculePanel"},
      {cmd::ShowTrueShape, 1010, "ShowTrueShape"},
      {cmd::ReturnFromTrueShape, 1011, "ReturnFromTrueShape"},
      {cmd::CopyTrueShape, 1012, "CopyTrueShape"},
      {cmd::ExportTrueShape, 1013, "ExportTrueShape"},
      {cmd::TrueShapeLonePairs, 1014, "TrueShapeLonePairs"},
      {cmd::TrueShapeAngles, 1015, "TrueShapeAngles"},
      {cmd::TrueShapeName, 1016, "TrueShapeName"},
      {cmd::PrintTrueShape, 1017, "PrintTrueShape"},
      {cmd::AnimateTrueShape, 1018, "AnimateTrueShape"},
      {cmd::TrueShapeZoomIn, 1020, "TrueShapeZoomIn"},
      {cmd::TrueShapeZoomOut, 1021, "TrueShapeZoomOut"},
  };
  return rows;
}

void CollectCommands(const std::vector<TMenuItem>& items, std::set<int>& out) {
  for (const TMenuItem& item : items) {
    if (item.command != 0) out.insert(item.command);
    CollectCommands(item.popup, out);
  }
}

// Every command something reaches the windows with: menus as shown (their
// own items included), accelerators and palette buttons.
std::set<int> ReachableCommands() {
  std::set<int> reachable;
  for (const char* name :
       {menu::Editor, menu::EmptyEditor, menu::Course, menu::Model, menu::Animating, menu::TrueShape}) {
    const std::optional<TMenu> shown = ProgramMenu(name);
    if (shown) CollectCommands(shown->items, reachable);
  }
  for (const TAccelerator& accelerator : Accelerators()) reachable.insert(accelerator.command);
  for (const TPaletteButton& button : PaletteButtons()) reachable.insert(button.command);
  return reachable;
}

TEST(Commands, EachNameKeepsItsNumberAndNoTwoNamesShareOne) {
  std::map<int, std::string> byNumber;
  for (const TNamedCommand& row : NamedCommands()) {
    EXPECT_EQ(row.id, row.number) << row.name;
    const auto [at, fresh] = byNumber.emplace(row.id, row.name);
    EXPECT_TRUE(fresh) << row.name << " has the number of " << at->second;
  }
}

TEST(Commands, EveryCommandIsReachableAndEveryReachableCommandIsNamed) {
  const std::set<int> reachable = ReachableCommands();
  std::set<int> named;
  for (const TNamedCommand& row : NamedCommands()) {
    named.insert(row.id);
    EXPECT_TRUE(reachable.count(row.id)) << row.name << " (" << row.id << ") is on no menu, key or button";
  }
  for (int command : reachable) EXPECT_TRUE(named.count(command)) << command << " has no name";
}

TEST(Commands, EveryMenuTheFrameAssignsExists) {
  const std::vector<std::pair<const char*, const char*>> rows = {
      {menu::Editor, "100"},   {menu::EmptyEditor, "500"}, {menu::Course, "660"},
      {menu::Model, "MENU_2"}, {menu::Animating, "650"},   {menu::TrueShape, "TRUE_SHAPE"},
  };
  for (const auto& [name, number] : rows) {
    EXPECT_STREQ(name, number);
    EXPECT_TRUE(ProgramMenu(name).has_value()) << name;
  }
}

}  // namespace
}  // namespace kovala
