// The main frame: owns the editor, the 3-D view and the two courses, shows one
// of them at a time, assigns the matching menu and routes every command.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/myapp.h"
#include "base/commands.h"
#include "editor/bondwindow.h"
#include "framework/framehost.h"
#include "framework/window.h"
#include "practice/organicwindow.h"
#include "practice/practicewindow.h"
#include "view3d/shapewindow.h"
#include "view3d/trueshapewindow.h"

namespace kovala {

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
  // How much larger the drawing area is shown (Ctrl+plus, Ctrl+minus,
  // Ctrl+0): an index into ZoomSteps, kept through every switch of client.
  static constexpr std::array<double, 6> ZoomSteps{1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
  int zoomStep = 0;

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
  void Zoom(int step);

  IFrameHost& frameHost;
  TMyApp& app;
  TWindow* client = nullptr;
  // Where the true shape goes back to: the window, its menu and its hint.
  TWindow* trueShapeCameFrom = nullptr;
  std::string trueShapeReturnMenu;
  std::string trueShapeReturnHint;
};

}  // namespace kovala
