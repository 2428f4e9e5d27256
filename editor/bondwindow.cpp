#include "editor/bondwindow.h"

namespace kovala {

TBondWindow::TBondWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TWindow(windowHost, desktopServices) {
  dialogSettings.filter = "Molecule Files (*.kvl)|*.kvl|";
  dialogSettings.defaultExtension = "kvl";
}

TBondWindow::~TBondWindow() = default;

void TBondWindow::LeftButtonDown(TPoint point, TKeyState) { PickUpAtom(point); }
void TBondWindow::LeftButtonUp(TPoint point, TKeyState) { DropAtom(point); }

void TBondWindow::Snapshot() {
  molecule.Snapshot();
  changed = true;
}

bool TBondWindow::InTray(const TAtom& atom) const { return atom.x + 50 == Host().ClientRect().right; }

void TBondWindow::AddToTray(ElementKind kind) {
  const TRect client = Host().ClientRect();
  const int trayX = client.right - 50;
  int k = 0;
  for (bool taken = true; taken; ++k) {
    taken = false;
    for (const auto& atom : molecule.atoms)
      if (atom.x == trayX && atom.y == client.top + 10 + 30 * k) taken = true;
    if (!taken) break;
  }
  if (molecule.atoms.IsEmpty()) molecule.ringTemplatePlaced = false;
  Snapshot();
  molecule.atoms.Add(TAtom(kind, trayX, client.top + 10 + 30 * k));
  Host().Invalidate(false);
}

void TBondWindow::RestackTray() {
  const TRect client = Host().ClientRect();
  const int trayX = client.right - 50;
  for (auto& atom : molecule.atoms) {
    int k = 0;
    for (;; ++k) {
      bool taken = false;
      for (const auto& other : molecule.atoms)
        if (&other != &atom && other.x == trayX && other.y == client.top + 10 + 30 * k) taken = true;
      if (!taken) break;
    }
    if (InTray(atom)) atom.y = client.top + 10 + 30 * k;
  }
  Host().Invalidate(true);
}

// --- The rest of the window's commands and events follow (editor commands). ---

void TBondWindow::SetupWindow() {}
void TBondWindow::Paint(ISurface&) {}
void TBondWindow::RightButtonDown(TPoint, TKeyState) {}
void TBondWindow::Resized() {}
bool TBondWindow::Command(int) { return false; }
bool TBondWindow::CanClose() { return true; }
bool TBondWindow::New() { return false; }
bool TBondWindow::Open() { return false; }
bool TBondWindow::Save() { return false; }
bool TBondWindow::SaveAs() { return false; }
void TBondWindow::UndoBack() {}
void TBondWindow::CopyToClipboard() {}
void TBondWindow::NewAtom(ElementKind) {}
void TBondWindow::AbbreviateHs() {}
void TBondWindow::ArmElectronChange(bool) {}
bool TBondWindow::PaletteGuard() { return true; }
bool TBondWindow::AskToSave() { return true; }
void TBondWindow::ResetMolecule() {}

}  // namespace kovala
