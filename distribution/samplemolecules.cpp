#include "distribution/samplemolecules.h"

#include <functional>
#include <memory>

#include "editor/bondwindow.h"
#include "editor/moleculeeditor.h"
#include "framework/desktop.h"
#include "framework/windowhost.h"

namespace kovala {

namespace {

// The molecule window's client area at its usual size; nothing is shown.
class TUnseenHost : public IWindowHost {
 public:
  TRect ClientRect() const override { return {0, 0, 640, 400}; }
  void Invalidate(bool) override {}
  void UpdateNow() override {}
  void SetCursor(const std::string&) override {}
  void RestoreCursor() override {}
  void CaptureMouse() override {}
  void ReleaseMouse() override {}
  void SetTimer(int, int) override {}
  void KillTimer(int) override {}
  void SetCaption(const std::string&) override {}
  void SetMessageBar(const std::string&) override {}
  void PanelChanged() override {}
  void AssignMenu(const std::string&) override {}
  void GrayMenuItem(int) override {}
};

// Keeps the texts of the message boxes; the builder never asks a question.
class TNotingDesktop : public IDesktop {
 public:
  TAnswer MessageBox(const std::string& text, const std::string&, TIcon, TButtons) override {
    texts.push_back(text);
    return TAnswer::Ok;
  }
  std::optional<std::string> OpenFileDialog(TFileDialogSettings&) override { return std::nullopt; }
  std::optional<std::string> SaveFileDialog(TFileDialogSettings&) override { return std::nullopt; }
  std::unique_ptr<IPicture> CreatePicture(int, int) override { return nullptr; }
  bool CopyToClipboard(const IPicture&, const TRect&) override { return false; }
  void OpenHelp(const std::string&) override {}
  void CloseHelp(const std::string&) override {}

  std::vector<std::string> texts;
};

// The boxes a student sees on the way to a finished molecule.
bool Expected(const std::string& text) {
  return text == "This molecule is completed!!!  Go to View for 3-D structure." ||
         text == "Click the right mouse button on the atom which is to lose the electron." ||
         text == "Click the right mouse button on the atom which is to gain the electron.";
}

// A student at the molecule window: atoms come from the palette into the top
// tray slot and are dragged to the middle or beside a placed atom.
class TStudent {
 public:
  TStudent() { window.SetupWindow(); }

  void Start(ElementKind kind) {
    window.NewAtom(kind);
    Drag({300, 200});
  }
  void Bond(ElementKind kind, int atom, SideCode side) {
    window.NewAtom(kind);
    Drag(SideOf(window.molecule.atoms[atom], side));
  }
  void StartWithAromaticRing() { window.PlaceAromaticRing(); }
  // Every open side of the atoms placed so far gets a hydrogen.
  void FillWithHydrogens(int atoms) {
    for (int i = 0; i < atoms; ++i)
      for (SideCode side : {RightSide, TopSide, LeftSide, BottomSide}) {
        const TAtom& atom = window.molecule.atoms[i];
        if (atom.openBonds < 1) break;
        if (atom.electronSlotTaken[static_cast<std::size_t>(side - 1)] == 0) Bond(Hydrogen, i, side);
      }
  }
  void TakeElectronFrom(int atom) {
    window.ArmElectronChange(false);
    const TAtom& target = window.molecule.atoms[atom];
    window.RightButtonDown({target.x + 10, target.y + 10}, {});
  }

  TSampleMolecule Finish(std::string fileName, std::string formula) {
    TSampleMolecule sample{std::move(fileName), std::move(formula), window.molecule, {}};
    for (const std::string& text : desktop.texts)
      if (!Expected(text)) sample.surprises.push_back(text);
    if (!window.molecule.completed) sample.surprises.push_back("the molecule was not completed");
    return sample;
  }

 private:
  void Drag(TPoint to) {
    window.LeftButtonDown({600, 20}, {});  // the top tray slot
    window.LeftButtonUp(to, {});
  }

  TUnseenHost host;
  TNotingDesktop desktop;
  TBondWindow window{host, desktop};
};

}  // namespace

std::vector<TSampleMolecule> BuildSampleMolecules() {
  std::vector<TSampleMolecule> samples;
  {
    TStudent student;
    student.Start(Oxygen);
    student.Bond(Hydrogen, 0, LeftSide);
    student.Bond(Hydrogen, 0, BottomSide);
    samples.push_back(student.Finish("water.kvl", "H₂O"));
  }
  {
    TStudent student;
    student.Start(Carbon);
    student.FillWithHydrogens(1);
    samples.push_back(student.Finish("methane.kvl", "CH₄"));
  }
  {
    TStudent student;
    student.Start(Nitrogen);
    student.TakeElectronFrom(0);
    student.FillWithHydrogens(1);
    samples.push_back(student.Finish("ammonium.kvl", "H₄N⁺"));
  }
  {
    // H3C-CH2-OH, left to right.
    TStudent student;
    student.Start(Carbon);
    student.Bond(Carbon, 0, RightSide);
    student.Bond(Oxygen, 1, RightSide);
    student.FillWithHydrogens(3);
    samples.push_back(student.Finish("ethanol.kvl", "C₂H₆O"));
  }
  {
    TStudent student;
    student.StartWithAromaticRing();
    student.FillWithHydrogens(6);
    samples.push_back(student.Finish("benzene.kvl", "C₆H₆"));
  }
  return samples;
}

}  // namespace kovala
