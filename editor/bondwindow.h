// The molecule window: one molecule built, drawn, saved and loaded. The
// practice lab and the organic course derive from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/commands.h"
#include "editor/moleculeeditor.h"
#include "framework/desktop.h"
#include "framework/window.h"
#include "model/molecule.h"

namespace kovala {

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
  // The keyboard's way to every gesture (editor/bondwindowkeys.cpp).
  bool KeyDown(const TKeyPress& key) override;
  void FocusChanged(bool focused, bool byKeyboard) override;
  bool CanClose() override;
  // The bookkeeping of the atom under the point, none while an atom is carried.
  std::string ToolTipAt(TPoint point) const override;
  // The molecule panel: the last refusal's reason, what is still open or,
  // once complete, the molecule's name and formula (editor/moleculepanel.h).
  std::optional<std::string> PanelText() const override;
  TSize DrawingReach() const override { return molecule.DrawingReach(editor.trayRight); }
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

  // Shared with the handlers and the courses.
  void Snapshot();  // also marks the molecule changed
  void AddToTray(ElementKind kind);
  void RestackTray();
  bool InTray(const TAtom& atom) const;
  // The reason of the last refusal, shown in the panel before its box; it
  // stays until the next drop or right click, or until the molecule is
  // replaced (New, Open, Undo-Back, a course's layout).
  void SetExplanation(const std::string& reason);
  const std::string& Explanation() const { return explanation; }
  void ClearExplanation() { explanation.clear(); }

  // The gestures: each hands the core one operation and shows its result.
  void PickUpAtom(TPoint point);
  void DropAtom(TPoint point);
  // Puts "Completed: " with the molecule's name from the names table and its
  // formula into the panel, or, in a course, what was built when it is
  // another isomer than the row's compound.
  void ExplainCompletion();
  // The name of the molecule the window asks the student to build; the
  // editor asks for none, the courses name their row's compound.
  virtual std::string ShownMoleculeName() const { return {}; }
  void ChangeElectrons(TPoint point);
  void ClickBond(TPoint point);

  // The keyboard focus: the atom it rests on, the tray atom the keys drop
  // next, and the placed atom they drop beside; -1 for none. Each follows
  // the atoms through drops and undo, and falls back to a sensible atom
  // when its own is gone.
  int KeyFocusAtom() const;
  int KeyDropAtom() const;
  int KeyAnchorAtom() const;
  // Puts the focus on an atom, as Tab would reach it.
  void MoveKeyFocus(int atom);
  // The focus is drawn, and the keys are listed in the panel, while the
  // drawing area has the keyboard focus and the student is using keys there:
  // from a key or a focus that came by Tab until the mouse is pressed in it.
  bool KeyFocusShown() const { return keyboardFocus && keyboardUsed; }

  // The rules and the molecule they keep; `molecule` is the core's.
  TMoleculeEditor editor;
  TMolecule& molecule{editor.molecule};
  bool changed = false;
  bool untitled = true;
  std::string fileName = Tr("Untitled");
  bool electronModeAdd = false;
  bool electronModePending = false;
  bool dragging = false;
  TAtom* draggedAtom = nullptr;  // not owned; kept after the drop
  TFileDialogSettings dialogSettings;
  TFileDialogSettings exportSettings;

 protected:
  // The core with the drawing area as the host has it now.
  TMoleculeEditor& Core();
  // A result's undo step, explanation and refusal box.
  void ShowRefusal(const TEditResult& result);
  // The completion's menu, panel line and announcement, or the judge's
  // refusal box. False when the judge refused: the gesture then calls
  // CompletionRefused once it is over.
  bool ShowCompletion(const TEditResult& result);
  // A course lays its row out again here, after the gesture has ended.
  virtual void CompletionRefused(const std::string& message) { (void)message; }
  bool abbreviateGrayed = false;  // a completion grayed Abbreviate H's

 private:
  void PlaceRing(TRingKind ring);
  // The box of the atoms outside the tray (of all atoms when none is placed).
  TRect PlacedBox() const;
  std::string SvgOf(const TRect& box) const;
  bool AskToSave();  // false when the student cancelled or the save failed
  void ResetMolecule();

 protected:
  void EndDrag();  // lets go of the mouse and the element cursor
  std::string explanation;     // the reason of the last refusal
  std::string completionLine;  // what the completed molecule is, made once at completion

 private:
  // The keyboard's gestures, each through the mouse's handler for the same
  // point, so that the rules and messages are the mouse's.
  void KeyTab(bool backwards, bool& leaves);
  void KeyDrop(SideCode side);
  void KeyRaiseBond(SideCode side);
  void KeyChangeElectrons(bool add);
  void KeyPalette(int command);
  void DrawKeyFocus(ISurface& surface) const;
  std::optional<std::string> WithKeyHint(std::optional<std::string> text) const;
  int IndexOf(const TAtom* atom) const;
  const TAtom* keyFocus = nullptr;   // compared by address only: it may be gone
  const TAtom* keyDrop = nullptr;
  const TAtom* keyAnchor = nullptr;
  bool keyboardFocus = false;  // the drawing area has the keyboard focus
  bool keyboardUsed = false;   // kept while a message box has the focus
  void ShowKeyFocus(bool focused, bool used);
};

}  // namespace kovala
