// The main frame: owns the editor, the 3-D view and the two courses, shows one
// of them at a time, assigns the matching menu and routes every command.
#pragma once

#include <memory>
#include <string>

#include "app/myapp.h"
#include "editor/bondwindow.h"
#include "framework/framehost.h"
#include "framework/window.h"
#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "view3d/shapewindow.h"
#include "view3d/trueshapewindow.h"

namespace kovala {

// Command identifiers the frame handles itself.
namespace cmd {
inline constexpr int NewMolecule = 101;
inline constexpr int OpenMolecule = 102;
inline constexpr int SaveMolecule = 103;
inline constexpr int UndoBack = 201;
inline constexpr int CopyMolecule = 206;
inline constexpr int PaletteCarbon = 250;  // 250 + ElementKind up to Fluorine, 258
inline constexpr int PaletteFluorine = 258;
inline constexpr int PaletteAromaticRing = 259;
inline constexpr int PaletteCyclohexane = 260;
inline constexpr int PaletteCyclobutane = 262;
inline constexpr int ShowModel3D = 301;
inline constexpr int StartLab = 450;
inline constexpr int QuitPracticeOrganic = 451;
inline constexpr int OrganicChemistry = 455;
inline constexpr int ReturnToKovala = 501;
inline constexpr int IncreaseSize = 651;
inline constexpr int DecreaseSize = 652;
inline constexpr int Animate = 709;
inline constexpr int StopAnimate = 710;
inline constexpr int HelpIndex = 901;
inline constexpr int UsingHelp = 902;
inline constexpr int ExportMolecule = 1000;
inline constexpr int PrintMolecule = 1001;
inline constexpr int MoleculePanel = 1002;
inline constexpr int ShowTrueShape = trueshape::ShowCommand;
inline constexpr int ReturnFromTrueShape = trueshape::ReturnCommand;
}  // namespace cmd

class TFrame : public TWindow {
 public:
  // Creates the four client windows, in the order editor, 3-D view, practice
  // lab, organic course, then the true-shape view. They use the frame's host
  // until the desktop gives each its own.
  TFrame(IFrameHost& host, IDesktop& desktop, TMyApp& application);
  ~TFrame() override;

  void SetupWindow() override;
  void Resized() override;
  // Offers the command to the current client, then to the frame, then to the
  // application; unhandled commands are ignored.
  bool Command(int id) override;
  bool CanClose() override;

  // The window now shown in the client area.
  TWindow& Client() const;
  // The molecule window the 3-D commands work on.
  TBondWindow& CurrentMoleculeWindow() const;

  std::unique_ptr<TBondWindow> bondWindow;
  std::unique_ptr<TShapeWindow> shapeWindow;
  std::unique_ptr<TPracticeWindow> practiceWindow;
  std::unique_ptr<TOrganicWindow> organicWindow;
  std::unique_ptr<TTrueShapeWindow> trueShapeWindow;
  bool practiceActive = false;
  bool organicActive = false;
  bool view3DActive = false;
  bool helpUsed = false;
  bool helpOnHelpUsed = false;
  // The student's choice for the molecule panel, shown until hidden.
  bool panelShown = true;
  // The true shape is shown over whichever window asked for it.
  bool trueShapeActive = false;

 private:
  bool FrameCommand(int id);
  bool ModeActive() const { return practiceActive || organicActive || view3DActive || trueShapeActive; }
  void AssignMenuByAtoms();
  void PaletteCommand(int id);
  void CopyMolecule();
  void ShowModel3D();
  void ReturnToMoleculeWindow();
  void ResizeModel(bool grow);
  void OpenHelp(const char* helpFile, bool& usedFlag);
  void ShowClient(TWindow& window);
  void EnterCourse(bool organic);
  void QuitCourse();
  // Commands while the true shape is shown; true when taken or kept out.
  bool TrueShapeCommand(int id);
  void ShowTrueShape();
  void LeaveTrueShape();

  IFrameHost& frameHost;
  TMyApp& app;
  TWindow* client = nullptr;
  // Where the true shape goes back to: the window, its menu and its hint.
  TWindow* trueShapeCameFrom = nullptr;
  std::string trueShapeReturnMenu;
  std::string trueShapeReturnHint;
};

}  // namespace kovala
