// The molecule window: one molecule built, drawn, saved and loaded. The
// practice lab and the organic course derive from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/commands.h"
#include "framework/desktop.h"
#include "framework/window.h"
#include "model/molecule.h"

namespace kovala {

// The four sides of an atom's cell; side s owns electron slots s - 1 and s + 3.
enum SideCode : std::int32_t { NoSide = 0, RightSide = 1, TopSide = 2, LeftSide = 3, BottomSide = 4 };

enum class TRingKind { Aromatic, Cyclohexane, Cyclobutane };

// The refusal of a drop whose place beside the target is taken; the courses
// refuse such drops with the same words.
inline constexpr const char* NoSpaceText =
    "There is no space for the atom to be bonded.  Use Edit|Abbreviate H's to make more space available.";

class TBondWindow : public TWindow {
 public:
  TBondWindow(IWindowHost& host, IDesktop& desktop);
  ~TBondWindow() override;

  // Window events.
  void SetupWindow() override;
  void Paint(ISurface& surface) override;
  void LeftButtonDown(TPoint point, TKeyState keys) override;
  void LeftButtonUp(TPoint point, TKeyState keys) override;
  void RightButtonDown(TPoint point, TKeyState keys) override;
  void Resized() override;
  bool Command(int id) override;
  bool CanClose() override;
  // The bookkeeping of the atom under the point, none while an atom is carried.
  std::string ToolTipAt(TPoint point) const override;
  // The molecule panel: the last refusal's reason, what is still open or,
  // once complete, the molecule's name and formula (editor/moleculepanel.h).
  std::optional<std::string> PanelText() const override;
  // "Molecule drawing area", and each atom, tray and placed, named by its
  // bookkeeping (editor/bookkeeping.h); a carried atom is left out.
  std::string AccessibleName() const override;
  std::vector<TAccessibleItem> AccessibleItems() const override;
  // Tells the host that the panel's text may have changed; every operation
  // that changes the molecule or the explanation ends with it.
  void RenewPanel();

  // Commands the frame calls.
  bool New();   // false when the student cancelled
  bool Open();  // true when a file was read
  bool Save();  // true when the molecule was written
  bool SaveAs();
  void UndoBack();
  // The picture, and the same drawing as SVG beside it.
  void CopyToClipboard();
  // Writes the placed atoms as a Molfile, SDF, SMILES or SVG file, by the
  // chosen name's extension; open bonds go out as unpaired electrons. The
  // molecule is left as it is. False when nothing was written.
  bool Export();
  // The drawing with its name and formula, through the print preview.
  bool Print();
  void NewAtom(ElementKind kind);  // palette buttons 250 to 258
  void PlaceAromaticRing();        // palette button 259
  void PlaceCyclohexane();         // palette button 260
  void PlaceCyclobutane();         // palette button 262
  int AtomCount() const { return molecule.atoms.Count(); }

  void AbbreviateHs();
  void ArmElectronChange(bool add);

  // Shared with placement, the right button, the rings and the courses.
  void Snapshot();  // also marks the molecule changed
  bool PaletteGuard();
  void AddToTray(ElementKind kind);
  void RestackTray();
  bool InTray(const TAtom& atom) const;
  // Refusals show their message box and, in the panel, why in numbers; the
  // explanation stays until the next drop or right click, or until the
  // molecule is replaced (New, Open, Undo-Back, a course's layout).
  void Refuse(const std::string& message, const std::string& reason);
  // The reason of the last refusal, shown in the panel before the box.
  void SetExplanation(const std::string& reason);
  const std::string& Explanation() const { return explanation; }
  void ClearExplanation() { explanation.clear(); }
  // Why a release that found no free side of a placed atom missed.
  std::string WhyNotOnASide(TPoint point) const;

  // Placement and bonding with the left button.
  void PickUpAtom(TPoint point);
  void DropAtom(TPoint point);
  SideCode FindFreeSide(const TAtom& atom, const TAtom* dragged, TPoint point) const;
  bool PlaceBeside(TAtom& target, SideCode side);  // true when refused
  void TestCompletion();
  void CompleteMolecule();
  static void ArrangeLonePairs(TAtom& atom);
  // Puts "Completed: " with the molecule's name from the names table and its
  // formula into the panel, or, in a course, what was built when it is
  // another isomer than the row's compound.
  void ExplainCompletion();
  // The name of the molecule the window asks the student to build; the
  // editor asks for none, the courses name their row's compound.
  virtual std::string ShownMoleculeName() const { return {}; }
  // Brackets a completed ion with the sum of the charges; false for a neutral molecule.
  bool AddChargeBracket();

  // Multiple bonds and electron changes with the right button.
  void ChangeElectrons(TPoint point);
  void ClickBond(TPoint point);
  // The completion actions of the right button, announced with `message`.
  void RightButtonCompletion(const std::string& message);

  // The molecule and the window's own state.
  TMolecule molecule;
  bool changed = false;
  bool untitled = true;
  std::string fileName = "Untitled";
  bool electronModeAdd = false;
  bool electronModePending = false;
  bool dragging = false;
  TAtom* draggedAtom = nullptr;  // not owned; kept after the drop
  SideCode lastSide = NoSide;
  TFileDialogSettings dialogSettings;
  TFileDialogSettings exportSettings;

 protected:
  // What follows a completion test that found the molecule complete; the
  // courses test their structure rules here before the completion actions.
  virtual void DropCompletionStep();
  virtual void BondClickCompletionStep();

 private:
  void PlaceRing(TRingKind ring);
  // The box of the atoms outside the tray (of all atoms when none is placed).
  TRect PlacedBox() const;
  std::string SvgOf(const TRect& box) const;
  bool AskToSave();  // false when the student cancelled or the save failed
  void ResetMolecule();
  int trayRight = 0;           // the client right edge the tray atoms stand at
  std::string explanation;     // the reason of the last refusal
  std::string completionLine;  // what the completed molecule is, made once at completion
};

}  // namespace kovala
