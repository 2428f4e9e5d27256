#include "app/frame.h"

#include "i18n/translate.h"
#include "model/elementkind.h"

namespace kovala {

namespace {

constexpr const char* EditorHint =
    TrNoop("Click on atoms, move to center to bond. Use right mouse button for multiple bonds");
constexpr const char* ModelHint = TrNoop("Use arrow keys or animate to rotate, shift+arrow to move.");
constexpr const char* TrueShapeHint =
    TrNoop("Drag with the mouse or use the arrow keys to turn it, the wheel to zoom.");

constexpr const char* PracticeCaption = TrNoop("Practice");
constexpr const char* OrganicCaption = TrNoop("Organic Chemistry");
constexpr const char* EditorCaption = TrNoop("Untitled");

constexpr const char* HelpFile = "kovala.hlp";
constexpr const char* HelpOnHelpFile = "WINHELP.HLP";

}  // namespace

TFrame::TFrame(IFrameHost& mainHost, IDesktop& desktopServices, TMyApp& application)
    : TWindow(mainHost, desktopServices),
      bondWindow(std::make_unique<TBondWindow>(mainHost, desktopServices)),
      shapeWindow(std::make_unique<TShapeWindow>(mainHost, desktopServices)),
      practiceWindow(std::make_unique<TPracticeWindow>(mainHost, desktopServices)),
      organicWindow(std::make_unique<TOrganicWindow>(mainHost, desktopServices)),
      trueShapeWindow(std::make_unique<TTrueShapeWindow>(mainHost, desktopServices)),
      frameHost(mainHost),
      app(application),
      client(bondWindow.get()) {
  frameHost.AssignMenu(menu::EmptyEditor);
}

TFrame::~TFrame() = default;

void TFrame::SetupWindow() {
  ShowClient(*bondWindow);
  frameHost.SetMessageBar(Tr(EditorHint));
  frameHost.ShowPanel(panelShown);
  frameHost.CheckMenuItem(cmd::MoleculePanel, panelShown);
  // The editor's own set-up puts its file name into the caption.
  bondWindow->SetupWindow();
}

void TFrame::Resized() {
  frameHost.Invalidate(true);
  frameHost.UpdateNow();
}

bool TFrame::Command(int id) {
  if (client->Command(id)) return true;
  if (FrameCommand(id)) return true;
  return app.Command(id);
}

bool TFrame::CanClose() {
  if (!bondWindow->CanClose()) return false;
  if (helpUsed) Desktop().CloseHelp(HelpFile);
  if (helpOnHelpUsed) Desktop().CloseHelp(HelpOnHelpFile);
  helpUsed = false;
  helpOnHelpUsed = false;
  return true;
}

TWindow& TFrame::Client() const { return *client; }

TBondWindow& TFrame::CurrentMoleculeWindow() const {
  if (organicActive) return *organicWindow;
  if (practiceActive) return *practiceWindow;
  return *bondWindow;
}

bool TFrame::FrameCommand(int id) {
  if (trueShapeActive && TrueShapeCommand(id)) return true;
  if ((id >= cmd::PaletteCarbon && id <= cmd::PaletteCyclohexane) || id == cmd::PaletteCyclobutane) {
    PaletteCommand(id);
    return true;
  }
  switch (id) {
    case cmd::NewMolecule:
      if (bondWindow->New()) frameHost.AssignMenu(menu::EmptyEditor);
      return true;
    case cmd::OpenMolecule:
      // F3 reaches here in every state; a course or the 3-D view keeps it out.
      if (ModeActive()) return true;
      bondWindow->Open();
      AssignMenuByAtoms();
      return true;
    case cmd::SaveMolecule:
      if (!ModeActive()) bondWindow->Save();
      return true;
    case cmd::UndoBack:
      if (ModeActive()) return true;
      bondWindow->UndoBack();
      AssignMenuByAtoms();
      return true;
    case cmd::CopyMolecule:
      CopyMolecule();
      return true;
    case cmd::ShowModel3D:
      if (!view3DActive) ShowModel3D();
      return true;
    case cmd::ReturnToKovala:
      ReturnToMoleculeWindow();
      return true;
    case cmd::StartLab:
    case cmd::OrganicChemistry:
      EnterCourse(id == cmd::OrganicChemistry);
      return true;
    case cmd::QuitPracticeOrganic:
      QuitCourse();
      return true;
    case cmd::IncreaseSize:
    case cmd::DecreaseSize:
      ResizeModel(id == cmd::IncreaseSize);
      return true;
    case cmd::Animate:
      // Only the 3-D view's menu offers these; elsewhere there is no model to turn.
      if (!view3DActive) return true;
      frameHost.AssignMenu(menu::Animating);
      shapeWindow->StartAnimation();
      return true;
    case cmd::StopAnimate:
      if (!view3DActive) return true;
      frameHost.AssignMenu(menu::Model);
      shapeWindow->StopAnimation();
      return true;
    case cmd::HelpIndex:
      OpenHelp(HelpFile, helpUsed);
      return true;
    case cmd::UsingHelp:
      OpenHelp(HelpOnHelpFile, helpOnHelpUsed);
      return true;
    case cmd::ExportMolecule:
      // The 3-D view's menus offer neither; there the molecule is not drawn.
      if (!view3DActive) CurrentMoleculeWindow().Export();
      return true;
    case cmd::PrintMolecule:
      if (!view3DActive) CurrentMoleculeWindow().Print();
      return true;
    case cmd::MoleculePanel:
      panelShown = !panelShown;
      frameHost.ShowPanel(panelShown);
      frameHost.CheckMenuItem(cmd::MoleculePanel, panelShown);
      return true;
    case cmd::ShowTrueShape:
      ShowTrueShape();
      return true;
    case cmd::ReturnFromTrueShape:
      return true;
    case cmd::ZoomDrawingIn:
      Zoom(zoomStep + 1);
      return true;
    case cmd::ZoomDrawingOut:
      Zoom(zoomStep - 1);
      return true;
    case cmd::ZoomDrawingActual:
      Zoom(0);
      return true;
    default:
      return false;
  }
}

void TFrame::AssignMenuByAtoms() {
  frameHost.AssignMenu(bondWindow->AtomCount() > 0 ? menu::Editor : menu::EmptyEditor);
}

void TFrame::PaletteCommand(int id) {
  if (ModeActive()) {
    Desktop().MessageBox(Tr("You cannot use this button at this time."), Tr("Information"),
                         TIcon::Information);
    return;
  }
  // The first piece of a molecule brings the editor's full menu; the editor
  // itself still refuses a completed or full molecule.
  if (bondWindow->AtomCount() == 0) frameHost.AssignMenu(menu::Editor);
  switch (id) {
    case cmd::PaletteAromaticRing:
      bondWindow->PlaceAromaticRing();
      break;
    case cmd::PaletteCyclohexane:
      bondWindow->PlaceCyclohexane();
      break;
    case cmd::PaletteCyclobutane:
      bondWindow->PlaceCyclobutane();
      break;
    default:
      bondWindow->NewAtom(static_cast<ElementKind>(id - cmd::PaletteCarbon));
      break;
  }
}

void TFrame::CopyMolecule() {
  if (bondWindow->AtomCount() == 0) return;
  bondWindow->CopyToClipboard();
  Desktop().MessageBox(Tr("You can now start another Windows application and Paste the molecule by choosing "
                          "Edit|Paste from the application's menu."),
                       Tr("Information"), TIcon::Exclamation);
}

void TFrame::ShowModel3D() {
  TRect area = frameHost.ClientRect();
  TBondWindow& molecule = CurrentMoleculeWindow();
  if (!molecule.molecule.completed) {
    Desktop().MessageBox(Tr("The molecule must be completed before viewing!!!"), Tr("Warning"),
                         TIcon::Exclamation);
    return;
  }
  // The 3-D view has no molecule panel; the model is centred in the area it
  // is shown in, as it is again after Increase and Decrease.
  frameHost.ShowPanel(false);
  area = frameHost.ClientRect();
  frameHost.AssignMenu(menu::Model);
  shapeWindow->BuildModel(molecule.molecule.atoms, area.left, area.top, area.right, area.bottom);
  view3DActive = true;
  ShowClient(*shapeWindow);
  molecule.Hide();
  frameHost.SetMessageBar(Tr(ModelHint));
}

void TFrame::ReturnToMoleculeWindow() {
  // Accepted in every state: from the editor it simply shows the editor again
  // and leaves the 3-D window reset.
  if (practiceActive) {
    ShowClient(*practiceWindow);
    frameHost.AssignMenu(menu::Course);
  } else if (organicActive) {
    ShowClient(*organicWindow);
    frameHost.AssignMenu(menu::Course);
  } else {
    ShowClient(*bondWindow);
    frameHost.AssignMenu(menu::Editor);
  }
  if (shapeWindow->animating) shapeWindow->StopAnimation();
  shapeWindow->ClearModel();
  shapeWindow->sizeLevel = 1;
  shapeWindow->ApplySizeLevel();
  shapeWindow->Hide();
  frameHost.ShowPanel(panelShown);
  frameHost.SetMessageBar(Tr(EditorHint));
  view3DActive = false;
}

void TFrame::ResizeModel(bool grow) {
  // A size step rebuilds the model, which a running animation or a hidden
  // view has no use for; the menus offer it only while the view is still.
  if (!view3DActive || shapeWindow->animating) return;
  if (!(grow ? shapeWindow->Grow() : shapeWindow->Shrink())) return;
  const TRect area = frameHost.ClientRect();
  shapeWindow->BuildModel(CurrentMoleculeWindow().molecule.atoms, area.left, area.top, area.right,
                          area.bottom);
  shapeWindow->Host().Invalidate(true);
}

void TFrame::OpenHelp(const char* helpFile, bool& usedFlag) {
  Desktop().OpenHelp(helpFile);
  usedFlag = true;
}

void TFrame::EnterCourse(bool organic) {
  // Only the editor's menus offer the courses; from the 3-D view the way back
  // goes through Return to Kovala.
  if (view3DActive) return;
  if (bondWindow->changed && bondWindow->AtomCount() > 0) {
    switch (Desktop().MessageBox(Tr("Do you want to save?"), Tr("Molecule has changed"), TIcon::Question,
                                 TButtons::YesNoCancel)) {
      case TAnswer::Yes:
        // The editor's molecule stays in memory while the course is shown,
        // so an unsaved one is asked about again when the course is left.
        bondWindow->Save();
        break;
      case TAnswer::No:
        bondWindow->changed = false;
        break;
      default:
        return;
    }
  }
  frameHost.AssignMenu(menu::Course);
  frameHost.SetCaption(Tr(organic ? OrganicCaption : PracticeCaption));
  TCourseWindow& other = organic ? static_cast<TCourseWindow&>(*practiceWindow) : *organicWindow;
  other.Hide();
  if (organic) {
    ShowClient(*organicWindow);
    organicWindow->StartCourse();
  } else {
    ShowClient(*practiceWindow);
    practiceWindow->StartLab();
  }
  practiceActive = !organic;
  organicActive = organic;
  bondWindow->Hide();
}

void TFrame::QuitCourse() {
  if (view3DActive) return;
  // Cancel at New's save question means staying in the course as it is.
  if (!bondWindow->New()) return;
  frameHost.AssignMenu(menu::EmptyEditor);
  if (practiceActive) practiceWindow->Hide();
  if (organicActive) organicWindow->Hide();
  ShowClient(*bondWindow);
  frameHost.SetCaption(Tr(EditorCaption));
  practiceActive = false;
  organicActive = false;
}

bool TFrame::TrueShapeCommand(int id) {
  switch (id) {
    case cmd::ReturnToKovala:
    case cmd::ReturnFromTrueShape:
      LeaveTrueShape();
      return true;
    // The other states' menus and keys have nothing to act on here: the
    // molecule windows and the 3-D model wait hidden as they were.
    case cmd::NewMolecule:
    case cmd::OpenMolecule:
    case cmd::SaveMolecule:
    case cmd::UndoBack:
    case cmd::CopyMolecule:
    case cmd::ShowModel3D:
    case cmd::StartLab:
    case cmd::QuitPracticeOrganic:
    case cmd::OrganicChemistry:
    case cmd::IncreaseSize:
    case cmd::DecreaseSize:
    case cmd::Animate:
    case cmd::StopAnimate:
    case cmd::ExportMolecule:
    case cmd::PrintMolecule:
    case cmd::ShowTrueShape:
      return true;
    default:
      return false;  // palette buttons, help and Exit as everywhere
  }
}

void TFrame::ShowTrueShape() {
  TBondWindow& molecule = CurrentMoleculeWindow();
  if (!molecule.molecule.completed) {
    Desktop().MessageBox(Tr("The molecule must be completed before viewing!!!"), Tr("Warning"),
                         TIcon::Exclamation);
    return;
  }
  if (!trueShapeWindow->ShowMolecule(molecule)) {
    // The 3-D model of the molecule is still there to look at.
    Desktop().MessageBox(
        FormatText(Tr("There is no true shape for this molecule: {0}."), {trueShapeWindow->problem}),
        Tr("Warning"), TIcon::Exclamation);
    return;
  }
  if (view3DActive && shapeWindow->animating) {
    shapeWindow->StopAnimation();
    frameHost.AssignMenu(menu::Model);
  }
  trueShapeCameFrom = client;
  trueShapeReturnMenu = view3DActive                      ? menu::Model
                        : practiceActive || organicActive ? menu::Course
                                                          : menu::Editor;
  trueShapeReturnHint = Tr(view3DActive ? ModelHint : EditorHint);
  frameHost.AssignMenu(menu::TrueShape);
  client->Hide();
  ShowClient(*trueShapeWindow);
  trueShapeWindow->ShowMenuChecks();
  frameHost.SetMessageBar(Tr(TrueShapeHint));
  trueShapeActive = true;
}

void TFrame::LeaveTrueShape() {
  trueShapeWindow->Clear();
  trueShapeWindow->Hide();
  trueShapeActive = false;
  ShowClient(trueShapeCameFrom != nullptr ? *trueShapeCameFrom : CurrentMoleculeWindow());
  frameHost.AssignMenu(trueShapeReturnMenu.empty() ? menu::Editor : trueShapeReturnMenu);
  frameHost.SetMessageBar(trueShapeReturnHint.empty() ? Tr(EditorHint) : trueShapeReturnHint);
  trueShapeCameFrom = nullptr;
}

void TFrame::Zoom(int step) {
  const int last = static_cast<int>(ZoomSteps.size()) - 1;
  step = step < 0 ? 0 : step > last ? last : step;
  if (step == zoomStep) return;
  zoomStep = step;
  frameHost.SetDrawingScale(ZoomSteps[static_cast<std::size_t>(zoomStep)]);
  if (!view3DActive) return;
  // The ball model is laid out for the area it is shown in, which the zoom
  // has just made smaller or larger; built again it stands in the middle, as
  // after a size step, and a turning model keeps turning.
  const bool wasAnimating = shapeWindow->animating;
  if (wasAnimating) shapeWindow->StopAnimation();
  const TRect area = frameHost.ClientRect();
  shapeWindow->BuildModel(CurrentMoleculeWindow().molecule.atoms, area.left, area.top, area.right,
                          area.bottom);
  if (wasAnimating) shapeWindow->StartAnimation();
  shapeWindow->Host().Invalidate(true);
}

void TFrame::ShowClient(TWindow& window) {
  window.Show();
  client = &window;
  frameHost.SetClient(window);
}

}  // namespace kovala
