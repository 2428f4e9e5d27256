#include "base/commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/desktopkeys.h"
#include "resources/menus.h"
#include "resources/palette.h"

namespace kovala {
namespace {

// Every named identifier with the number the menus, the accelerator table,
// the hint strings and the palette know it by.
struct TNamedCommand {
  int id;
  int number;
};

// clang-format off
constexpr TNamedCommand NamedCommands[] = {
    {cmd::NewMolecule, 101},          {cmd::OpenMolecule, 102},         {cmd::SaveMolecule, 103},
    {cmd::SaveAs, 104},               {cmd::Exit, 24340},               {cmd::UndoBack, 201},
    {cmd::AddElectron, 202},          {cmd::SubtractElectron, 203},     {cmd::AbbreviateHs, 205},
    {cmd::CopyMolecule, 206},         {cmd::PaletteCarbon, 250},        {cmd::PaletteHydrogen, 251},
    {cmd::PaletteOxygen, 252},        {cmd::PaletteNitrogen, 253},      {cmd::PaletteSulfur, 254},
    {cmd::PaletteChlorine, 255},      {cmd::PalettePhosphorus, 256},    {cmd::PaletteBromine, 257},
    {cmd::PaletteFluorine, 258},      {cmd::PaletteAromaticRing, 259},  {cmd::PaletteCyclohexane, 260},
    {cmd::PaletteCyclobutane, 262},   {cmd::ShowModel3D, 301},          {cmd::StartLab, 450},
    {cmd::QuitPracticeOrganic, 451},  {cmd::OrganicChemistry, 455},     {cmd::PreviousMolecule, 456},
    {cmd::NextMolecule, 457},         {cmd::StartAgain, 458},           {cmd::ReturnToKovala, 501},
    {cmd::CopyModel, 625},            {cmd::IncreaseSize, 651},         {cmd::DecreaseSize, 652},
    {cmd::TurnLeft, 701},             {cmd::TurnRight, 702},            {cmd::TurnUp, 703},
    {cmd::TurnDown, 704},             {cmd::MoveLeft, 705},             {cmd::MoveRight, 706},
    {cmd::MoveUp, 707},               {cmd::MoveDown, 708},             {cmd::Animate, 709},
    {cmd::StopAnimate, 710},          {cmd::HelpIndex, 901},            {cmd::UsingHelp, 902},
    {cmd::ExportMolecule, 1000},      {cmd::PrintMolecule, 1001},       {cmd::MoleculePanel, 1002},
    {cmd::ShowTrueShape, 1010},       {cmd::ReturnFromTrueShape, 1011}, {cmd::CopyTrueShape, 1012},
    {cmd::ExportTrueShape, 1013},     {cmd::TrueShapeLonePairs, 1014},  {cmd::TrueShapeAngles, 1015},
    {cmd::TrueShapeName, 1016},       {cmd::PrintTrueShape, 1017},      {cmd::AnimateTrueShape, 1018},
    {cmd::TrueShapeZoomIn, 1020},     {cmd::TrueShapeZoomOut, 1021},    {cmd::ZoomDrawingIn, 1030},
    {cmd::ZoomDrawingOut, 1031},      {cmd::ZoomDrawingActual, 1032}};
// clang-format on

void CollectCommands(const std::vector<TMenuItem>& items, std::set<int>& out) {
  for (const TMenuItem& item : items) {
    if (item.command != 0) out.insert(item.command);
    CollectCommands(item.popup, out);
  }
}

// Every command something reaches the windows with: menus as shown (their
// own items included), accelerators, desktop keys and palette buttons.
std::set<int> ReachableCommands() {
  std::set<int> reachable;
  for (const char* name :
       {menu::Editor, menu::EmptyEditor, menu::Course, menu::Model, menu::Animating, menu::TrueShape}) {
    const std::optional<TMenu> shown = ProgramMenu(name);
    if (shown) CollectCommands(shown->items, reachable);
  }
  for (const TAccelerator& accelerator : Accelerators()) reachable.insert(accelerator.command);
  for (const TPaletteButton& button : PaletteButtons()) reachable.insert(button.command);
  for (const TDesktopKey& key : DesktopKeys())
    for (int command : key.commands)
      if (command != 0) reachable.insert(command);
  return reachable;
}

TEST(Commands, EachNameKeepsItsNumberAndNoTwoNamesShareOne) {
  std::set<int> seen;
  for (const TNamedCommand& row : NamedCommands) {
    EXPECT_EQ(row.id, row.number);
    EXPECT_TRUE(seen.insert(row.id).second) << row.id << " has two names";
  }
}

TEST(Commands, EveryCommandIsReachableAndEveryReachableCommandIsNamed) {
  const std::set<int> reachable = ReachableCommands();
  std::set<int> named;
  for (const TNamedCommand& row : NamedCommands) {
    named.insert(row.id);
    EXPECT_TRUE(reachable.count(row.id)) << row.id << " is on no menu, key or button";
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
