// The true-shape view: a completed molecule as it is in space, with its real
// angles, as shaded balls and bond sticks that fill the window; turned by
// dragging or the arrow keys, zoomed by the wheel, optionally turning by
// itself, with lone pairs, angle labels and the name and formula on request.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/commands.h"
#include "chem/chemgraph.h"
#include "chem/trueshape.h"
#include "framework/desktop.h"
#include "framework/window.h"
#include "i18n/translate.h"

namespace kovala {

class TBondWindow;

// Where an atom of the shape lands on the screen.
struct TProjected {
  double x = 0;
  double y = 0;
  double depth = 0;   // larger is nearer the student
  double radius = 0;  // of its ball, in pixels
};

class TTrueShapeWindow : public TWindow {
 public:
  static constexpr int AnimationTimer = 2;
  // 15 frames a second at 2 degrees each: a turn every 12 seconds, slow
  // enough to follow one atom round, and light on a school machine.
  static constexpr int AnimationPeriod = 66;  // milliseconds
  static constexpr double AnimationStep = 2.0;
  static constexpr double KeyStep = 10.0;   // degrees per arrow key
  static constexpr double DragStep = 0.5;   // degrees per pixel dragged
  static constexpr int PanStep = 10;        // pixels per Shift+arrow
  static constexpr double MinZoom = 0.4;
  static constexpr double MaxZoom = 4.0;

  TTrueShapeWindow(IWindowHost& host, IDesktop& desktop);
  ~TTrueShapeWindow() override;

  // Shapes the molecule of a molecule window; false, with `problem` saying
  // why, when it has no true shape. The view starts facing the molecule's
  // widest side.
  bool ShowMolecule(const TBondWindow& window);
  // Forgets the molecule and stops turning, as when the view is left.
  void Clear();
  // Puts the check marks of the options on the menu just assigned.
  void ShowMenuChecks();

  void Paint(ISurface& surface) override;
  std::string AccessibleName() const override { return Tr("True shape view"); }
  void LeftButtonDown(TPoint point, TKeyState keys) override;
  void LeftButtonUp(TPoint point, TKeyState keys) override;
  void MouseMove(TPoint point, TKeyState keys) override;
  void MouseWheel(TPoint point, int notches) override;
  void Timer(int id) override;
  bool Command(int id) override;

  // Turns about the screen's vertical and horizontal axes.
  void Turn(double yawDegrees, double pitchDegrees);
  void Zoom(int notches);
  void StartAnimation();
  void StopAnimation();
  // Draws the whole view into an area: the one picture of screen, clipboard
  // and paper.
  void Draw(ISurface& surface, const TRect& area) const;
  std::vector<TProjected> Project(const TRect& area) const;
  bool CopyToClipboard();
  bool Print();
  bool Export();

  TTrueShape shape;
  TChemGraph graph;
  std::string problem;
  std::string name;     // from the names table; empty for an unknown molecule
  std::string formula;  // as the student reads it
  bool showLonePairs = false;
  bool showAngles = false;
  bool showName = true;
  bool animating = false;
  double zoom = 1.0;
  TPoint pan{};
  // The turn from the molecule's coordinates to the screen's, by rows.
  std::array<double, 9> rotation{1, 0, 0, 0, 1, 0, 0, 0, 1};

 private:
  void Redraw();
  void Toggle(bool& option, int command);
  bool dragging = false;
  TPoint dragFrom{};
  TFileDialogSettings exportSettings;
};

// "104.5°": an angle as the labels show it, to a tenth of a degree.
std::string AngleLabel(double degrees);

}  // namespace kovala
