#include "resources/menus.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "base/commands.h"
#include "i18n/translate.h"

namespace kovala {

namespace {

TMenuItem Item(std::string text, int command) { return TMenuItem{std::move(text), command, {}}; }
TMenuItem Separator() { return TMenuItem{}; }
TMenuItem Popup(std::string text, std::vector<TMenuItem> items) {
  return TMenuItem{std::move(text), 0, std::move(items)};
}

// The popups shared by the two editor menus.
TMenuItem PracticePopup() {
  return Popup(TrNoop("&Practice"), {Item(TrNoop(" &Start Lab"), cmd::StartLab),
                                     Item(TrNoop("&Organic Chemistry"), cmd::OrganicChemistry)});
}
TMenuItem HelpPopup() {
  return Popup(TrNoop("&Help"), {Item(TrNoop("&Index"), cmd::HelpIndex), Separator(),
                                 Item(TrNoop("&Using Help"), cmd::UsingHelp)});
}

std::vector<TMenu> MakeMenus() {
  return {
      // The editor once the molecule has atoms.
      TMenu{
          menu::Editor,
          {Popup(TrNoop("&Molecule"),
                 {Item(TrNoop("&New"), cmd::NewMolecule), Item(TrNoop("&Open ...  F3"), cmd::OpenMolecule),
                  Item(TrNoop("&Save ... F2"), cmd::SaveMolecule), Item(TrNoop("Save &as ..."), cmd::SaveAs),
                  Separator(), Item(TrNoop("E&xit...Alt-X"), cmd::Exit)}),
           Popup(TrNoop("&Edit"),
                 {Item(TrNoop("&Undo-Back"), cmd::UndoBack), Item(TrNoop("&Add Electron"), cmd::AddElectron),
                  Item(TrNoop("&Subtract Electron"), cmd::SubtractElectron),
                  Item(TrNoop("Abbreviate &H's"), cmd::AbbreviateHs),
                  Item(TrNoop("&Copy to Clipboard"), cmd::CopyMolecule)}),
           Popup(TrNoop("&View"), {Item(TrNoop("&3-D Model...End"), cmd::ShowModel3D)}), PracticePopup(),
           HelpPopup()}},
      // The editor while the molecule is empty.
      TMenu{menu::EmptyEditor,
            {Popup(TrNoop("&Molecule"),
                   {Item(TrNoop("&New"), cmd::NewMolecule), Item(TrNoop("&Open ...  F3"), cmd::OpenMolecule),
                    Separator(), Item(TrNoop("E&xit...Alt-X"), cmd::Exit)}),
             PracticePopup(), HelpPopup()}},
      // The practice lab and the organic course.
      TMenu{menu::Course,
            {Item(TrNoop("&Quit Practice/Organic"), cmd::QuitPracticeOrganic),
             Popup(TrNoop("&View"), {Item(TrNoop("&3-D Model...End"), cmd::ShowModel3D)}),
             Popup(TrNoop("&Edit"), {Item(TrNoop("&Abbreviate H's"), cmd::AbbreviateHs)}),
             Item(TrNoop("&Next"), cmd::NextMolecule), Item(TrNoop("&Start Again"), cmd::StartAgain),
             Item(TrNoop("&Previous"), cmd::PreviousMolecule)}},
      // The 3-D view standing still.
      TMenu{menu::Model,
            {Item(TrNoop("&Return to Kovala"), cmd::ReturnToKovala),
             Item(TrNoop("&Copy to Clipboard"), cmd::CopyModel),
             Popup(TrNoop("&Size"), {Item(TrNoop("&Increase"), cmd::IncreaseSize),
                                     Item(TrNoop("&Decrease"), cmd::DecreaseSize)}),
             Item(TrNoop("&Animate"), cmd::Animate)}},
      // The 3-D view while it turns by itself.
      TMenu{menu::Animating,
            {Item(TrNoop("&Return to Kovala"), cmd::ReturnToKovala),
             Item(TrNoop("S&top Animate"), cmd::StopAnimate)}},
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
    {menu::Editor, "&Molecule", cmd::ExportMolecule, TrNoop("&Export ...")},
    {menu::Editor, "&Molecule", cmd::PrintMolecule, TrNoop("&Print ...")},
    {menu::Editor, "&View", cmd::MoleculePanel, TrNoop("Molecule &Panel"), true},
    {menu::Course, "&View", cmd::MoleculePanel, TrNoop("Molecule &Panel"), true},
    {menu::Editor, "&View", cmd::ShowTrueShape, TrNoop("&True Shape...")},
    {menu::Course, "&View", cmd::ShowTrueShape, TrNoop("&True Shape...")},
    {menu::Model, "", cmd::ShowTrueShape, TrNoop("&True Shape")},
};

// Menus of the program's own views, which no menu resource describes.
std::vector<TMenu> MakeProgramOwnMenus() {
  return {
      // The true shape of a molecule.
      TMenu{menu::TrueShape,
            {Item(TrNoop("&Return"), cmd::ReturnFromTrueShape),
             Popup(TrNoop("&Molecule"), {Item(TrNoop("&Copy to Clipboard"), cmd::CopyTrueShape),
                                         Item(TrNoop("&Export ..."), cmd::ExportTrueShape),
                                         Item(TrNoop("&Print ..."), cmd::PrintTrueShape)}),
             Popup(TrNoop("&Show"), {Item(TrNoop("&Lone Pairs"), cmd::TrueShapeLonePairs),
                                     Item(TrNoop("&Angles"), cmd::TrueShapeAngles),
                                     Item(TrNoop("&Name and Formula"), cmd::TrueShapeName), Separator(),
                                     Item(TrNoop("Zoom &In"), cmd::TrueShapeZoomIn),
                                     Item(TrNoop("Zoom &Out"), cmd::TrueShapeZoomOut)}),
             Item(TrNoop("&Animate"), cmd::AnimateTrueShape)}},
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
    {cmd::NewMolecule, TrNoop("Starts a new molecule")},
    {cmd::OpenMolecule, TrNoop("Retrieves an existing molecule")},
    {cmd::SaveMolecule, TrNoop("Saves a molecule to disk")},
    {cmd::SaveAs, TrNoop("Saves a molecule under a different name")},
    {cmd::Exit, TrNoop("Exits the program")},
    {cmd::UndoBack, TrNoop("Goes back one step")},
    {cmd::AddElectron, TrNoop("Adds an electron to the atom chosen with the right mouse button.")},
    {cmd::SubtractElectron, TrNoop("Takes an electron from the atom chosen with the right mouse button")},
    {cmd::AbbreviateHs, TrNoop("Makes an abbreviated structural formula")},
    {cmd::CopyMolecule, TrNoop("Copies the molecule to the clipboard for pasting in another application")},
    {cmd::ShowModel3D, TrNoop("Shows a 3-dimensional view of a completed molecule")},
    {cmd::StartLab, TrNoop("Provides practice with a predetermined list of compounds")},
    {cmd::OrganicChemistry, TrNoop("Provides practice with organic compounds")},
    {cmd::HelpIndex, TrNoop("Gives the Help Index for Kovala")},
    {cmd::UsingHelp, TrNoop("Explains how to use Windows Help")},
    {cmd::QuitPracticeOrganic, TrNoop("Returns to Kovala")},
    {cmd::NextMolecule, TrNoop("Goes to the next molecule")},
    {cmd::StartAgain, TrNoop("Starts the present molecule again")},
    {cmd::PreviousMolecule, TrNoop("Goes back to the previous molecule")},
    {cmd::ReturnToKovala, TrNoop("Goes back to Kovala")},
    {cmd::CopyModel,
     TrNoop("Copies the molecule to the Clipboard for pasting in another Windows application")},
    {cmd::IncreaseSize, TrNoop("Increases the size of the atoms")},
    {cmd::DecreaseSize, TrNoop("Decreases the size of the atoms")},
    {cmd::Animate, TrNoop("Rotates the molecule in 3-dimensions automatically")},
    {cmd::StopAnimate, TrNoop("Stops the automatic molecule rotation")},
    {cmd::ExportMolecule,
     TrNoop("Writes the molecule as a file other chemistry programs read, or as a drawing")},
    {cmd::PrintMolecule, TrNoop("Prints the molecule with its name and formula")},
    {cmd::MoleculePanel, TrNoop("Shows or hides the panel that explains the molecule")},
    {cmd::ShowTrueShape, TrNoop("Shows the molecule's true shape in space, with its real angles")},
    {cmd::ReturnFromTrueShape, TrNoop("Goes back to where you came from")},
    {cmd::CopyTrueShape, TrNoop("Copies the true shape to the clipboard")},
    {cmd::ExportTrueShape, TrNoop("Writes the true shape as a 3-D file for other chemistry programs")},
    {cmd::TrueShapeLonePairs, TrNoop("Shows or hides the lone pairs")},
    {cmd::TrueShapeAngles, TrNoop("Shows or hides the angles between the bonds")},
    {cmd::TrueShapeName, TrNoop("Shows or hides the name and formula")},
    {cmd::PrintTrueShape, TrNoop("Prints the true shape")},
    {cmd::AnimateTrueShape, TrNoop("Turns the molecule slowly, or stops it")},
    {cmd::TrueShapeZoomIn, TrNoop("Makes the molecule larger")},
    {cmd::TrueShapeZoomOut, TrNoop("Makes the molecule smaller")},
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

// The tables name popups by their source text; what the main window shows is
// the user's language.
static void Translate(std::vector<TMenuItem>& items) {
  for (TMenuItem& item : items) {
    item.text = Tr(item.text);
    Translate(item.popup);
  }
}

std::optional<TMenu> ProgramMenu(std::string_view name) {
  for (const TMenu& own : ProgramOwnMenus()) {
    if (own.name != name) continue;
    TMenu menu = own;
    Translate(menu.items);
    return menu;
  }
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
  Translate(menu.items);
  return menu;
}

std::string_view MenuHint(int command) {
  for (const THint& hint : Hints) {
    if (hint.command == command) return Tr(hint.text.data());
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
