#include "resources/menus.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/commands.h"

namespace kovala {

namespace {

TMenuItem Item(std::string text, int command) { return TMenuItem{std::move(text), command, {}}; }
TMenuItem Separator() { return TMenuItem{}; }
TMenuItem Popup(std::string text, std::vector<TMenuItem> items) {
  return TMenuItem{std::move(text), 0, std::move(items)};
}

// The popups shared by the two editor menus.
TMenuItem PracticePopup() {
  return Popup("&Practice",
               {Item(" &Start Lab", cmd::StartLab), Item("&Organic Chemistry", cmd::OrganicChemistry)});
}
TMenuItem HelpPopup() {
  return Popup("&Help", {Item("&Index", cmd::HelpIndex), Separator(), Item("&Using Help", cmd::UsingHelp)});
}

std::vector<TMenu> MakeMenus() {
  return {
      // The editor once the molecule has atoms.
      TMenu{menu::Editor,
            {Popup("&Molecule", {Item("&New", cmd::NewMolecule), Item("&Open ...  F3", cmd::OpenMolecule),
                                 Item("&Save ... F2", cmd::SaveMolecule), Item("Save &as ...", cmd::SaveAs),
                                 Separator(), Item("E&xit...Alt-X", cmd::Exit)}),
             Popup("&Edit", {Item("&Undo-Back", cmd::UndoBack), Item("&Add Electron", cmd::AddElectron),
                             Item("&Subtract Electron", cmd::SubtractElectron),
                             Item("Abbreviate &H's", cmd::AbbreviateHs),
                             Item("&Copy to Clipboard", cmd::CopyMolecule)}),
             Popup("&View", {Item("&3-D Model...End", cmd::ShowModel3D)}), PracticePopup(), HelpPopup()}},
      // The editor while the molecule is empty.
      TMenu{menu::EmptyEditor,
            {Popup("&Molecule", {Item("&New", cmd::NewMolecule), Item("&Open ...  F3", cmd::OpenMolecule),
                                 Separator(), Item("E&xit...Alt-X", cmd::Exit)}),
             PracticePopup(), HelpPopup()}},
      // The practice lab and the organic course.
      TMenu{menu::Course,
            {Item("&Quit Practice/Organic", cmd::QuitPracticeOrganic),
             Popup("&View", {Item("&3-D Model...End", cmd::ShowModel3D)}),
             Popup("&Edit", {Item("&Abbreviate H's", cmd::AbbreviateHs)}), Item("&Next", cmd::NextMolecule),
             Item("&Start Again", cmd::StartAgain), Item("&Previous", cmd::PreviousMolecule)}},
      // The 3-D view standing still.
      TMenu{menu::Model,
            {Item("&Return to Kovala", cmd::ReturnToKovala), Item("&Copy to Clipboard", cmd::CopyModel),
             Popup("&Size", {Item("&Increase", cmd::IncreaseSize), Item("&Decrease", cmd::DecreaseSize)}),
             Item("&Animate", cmd::Animate)}},
      // The 3-D view while it turns by itself.
      TMenu{menu::Animating,
            {Item("&Return to Kovala", cmd::ReturnToKovala), Item("S&top Animate", cmd::StopAnimate)}},
  };
}

// Items beyond the menu resources, each after the items of its popup.
struct TAddedItem {
  std::string_view menu;
  std::string_view popup;
  int command;
  std::string_view text;
  bool checkable = false;
};

// An empty popup puts the item on the menu bar, after the bar's items.
constexpr TAddedItem AddedItems[] = {
    {menu::Editor, "&Molecule", cmd::ExportMolecule, "&Export ..."},
    {menu::Editor, "&Molecule", cmd::PrintMolecule, "&Print ..."},
    {menu::Editor, "&View", cmd::MoleculePanel, "Molecule &Panel", true},
    {menu::Course, "&View", cmd::MoleculePanel, "Molecule &Panel", true},
    {menu::Editor, "&View", cmd::ShowTrueShape, "&True Shape..."},
    {menu::Course, "&View", cmd::ShowTrueShape, "&True Shape..."},
    {menu::Model, "", cmd::ShowTrueShape, "&True Shape"},
};

// Menus of the program's own views, which no menu resource describes.
std::vector<TMenu> MakeProgramOwnMenus() {
  return {
      // The true shape of a molecule.
      TMenu{menu::TrueShape,
            {Item("&Return", cmd::ReturnFromTrueShape),
             Popup("&Molecule",
                   {Item("&Copy to Clipboard", cmd::CopyTrueShape), Item("&Export ...", cmd::ExportTrueShape),
                    Item("&Print ...", cmd::PrintTrueShape)}),
             Popup("&Show",
                   {Item("&Lone Pairs", cmd::TrueShapeLonePairs), Item("&Angles", cmd::TrueShapeAngles),
                    Item("&Name and Formula", cmd::TrueShapeName), Separator(),
                    Item("Zoom &In", cmd::TrueShapeZoomIn), Item("Zoom &Out", cmd::TrueShapeZoomOut)}),
             Item("&Animate", cmd::AnimateTrueShape)}},
  };
}

const std::vector<TMenu>& ProgramOwnMenus() {
  static const std::vector<TMenu> menus = MakeProgramOwnMenus();
  return menus;
}

struct THint {
  int command;
  std::string_view text;
};

// The menu-hint string table: one string per command, whichever menu shows it.
constexpr THint Hints[] = {
    {cmd::NewMolecule, "Starts a new molecule"},
    {cmd::OpenMolecule, "Retrieves an existing molecule"},
    {cmd::SaveMolecule, "Saves a molecule to disk"},
    {cmd::SaveAs, "Saves a molecule under a different name"},
    {cmd::Exit, "Exits the program"},
    {cmd::UndoBack, "Goes back one step"},
    {cmd::AddElectron, "Adds an electron to the atom chosen with the right mouse button."},
    {cmd::SubtractElectron, "Takes an electron from the atom chosen with the right mouse button"},
    {cmd::AbbreviateHs, "Makes an abbreviated structural formula"},
    {cmd::CopyMolecule, "Copies the molecule to the clipboard for pasting in another application"},
    {cmd::ShowModel3D, "Shows a 3-dimensional view of a completed molecule"},
    {cmd::StartLab, "Provides practice with a predetermined list of compounds"},
    {cmd::OrganicChemistry, "Provides practice with organic compounds"},
    {cmd::HelpIndex, "Gives the Help Index for Kovala"},
    {cmd::UsingHelp, "Explains how to use Windows Help"},
    {cmd::QuitPracticeOrganic, "Returns to Kovala"},
    {cmd::NextMolecule, "Goes to the next molecule"},
    {cmd::StartAgain, "Starts the present molecule again"},
    {cmd::PreviousMolecule, "Goes back to the previous molecule"},
    {cmd::ReturnToKovala, "Goes back to Kovala"},
    {cmd::CopyModel, "Copies the molecule to the Clipboard for pasting in another Windows application"},
    {cmd::IncreaseSize, "Increases the size of the atoms"},
    {cmd::DecreaseSize, "Decreases the size of the atoms"},
    {cmd::Animate, "Rotates the molecule in 3-dimensions automatically"},
    {cmd::StopAnimate, "Stops the automatic molecule rotation"},
    {cmd::ExportMolecule, "Writes the molecule as a file other chemistry programs read, or as a drawing"},
    {cmd::PrintMolecule, "Prints the molecule with its name and formula"},
    {cmd::MoleculePanel, "Shows or hides the panel that explains the molecule"},
    {cmd::ShowTrueShape, "Shows the molecule's true shape in space, with its real angles"},
    {cmd::ReturnFromTrueShape, "Goes back to where you came from"},
    {cmd::CopyTrueShape, "Copies the true shape to the clipboard"},
    {cmd::ExportTrueShape, "Writes the true shape as a 3-D file for other chemistry programs"},
    {cmd::TrueShapeLonePairs, "Shows or hides the lone pairs"},
    {cmd::TrueShapeAngles, "Shows or hides the angles between the bonds"},
    {cmd::TrueShapeName, "Shows or hides the name and formula"},
    {cmd::PrintTrueShape, "Prints the true shape"},
    {cmd::AnimateTrueShape, "Turns the molecule slowly, or stops it"},
    {cmd::TrueShapeZoomIn, "Makes the molecule larger"},
    {cmd::TrueShapeZoomOut, "Makes the molecule smaller"},
};

}  // namespace

const std::vector<TMenu>& AllMenus() {
  static const std::vector<TMenu> menus = MakeMenus();
  return menus;
}

const TMenu* FindMenu(std::string_view name) {
  const auto& menus = AllMenus();
  auto found =
      std::find_if(menus.begin(), menus.end(), [name](const TMenu& menu) { return menu.name == name; });
  return found == menus.end() ? nullptr : &*found;
}

std::optional<TMenu> ProgramMenu(std::string_view name) {
  for (const TMenu& own : ProgramOwnMenus())
    if (own.name == name) return own;
  const TMenu* resource = FindMenu(name);
  if (resource == nullptr) return std::nullopt;
  TMenu menu = *resource;
  for (TMenuItem& popup : menu.items) {
    if (popup.popup.empty()) continue;
    std::vector<TMenuItem> own;
    for (const TAddedItem& added : AddedItems)
      if (added.menu == name && popup.text == added.popup) own.push_back(TMenuItem{std::string(added.text), added.command, {}, added.checkable});
    if (own.empty()) continue;
    // A popup that closes with Exit keeps Exit (and the separator before it)
    // last, as every desktop program does; our items go behind a separator
    // of their own, just before it.
    auto closing = popup.popup.end();
    if (popup.popup.back().command == cmd::Exit) {
      closing = std::prev(popup.popup.end());
      if (closing != popup.popup.begin() && std::prev(closing)->text.empty()) --closing;
      own.insert(own.begin(), Separator());
    }
    popup.popup.insert(closing, own.begin(), own.end());
  }
  // Items of the menu bar itself come after the resource's own.
  for (const TAddedItem& added : AddedItems)
    if (added.menu == name && added.popup.empty())
      menu.items.push_back(TMenuItem{std::string(added.text), added.command, {}, added.checkable});
  return menu;
}

std::string_view MenuHint(int command) {
  for (const THint& hint : Hints) {
    if (hint.command == command) return hint.text;
  }
  return {};
}

const std::vector<TAccelerator>& Accelerators() {
  static const std::vector<TAccelerator> table = {
      {TKey::Home, false, false, cmd::ReturnToKovala},
      {TKey::X, false, true, cmd::Exit},
      {TKey::End, false, false, cmd::ShowModel3D},
      {TKey::Backspace, false, false, cmd::UndoBack},
      {TKey::F2, false, false, cmd::SaveMolecule},
      {TKey::F3, false, false, cmd::OpenMolecule},
      {TKey::Left, false, false, cmd::TurnLeft},
      {TKey::Right, false, false, cmd::TurnRight},
      {TKey::Up, false, false, cmd::TurnUp},
      {TKey::Down, false, false, cmd::TurnDown},
      {TKey::Left, true, false, cmd::MoveLeft},
      {TKey::Right, true, false, cmd::MoveRight},
      {TKey::Up, true, false, cmd::MoveUp},
      {TKey::Down, true, false, cmd::MoveDown},
  };
  return table;
}

}  // namespace kovala
