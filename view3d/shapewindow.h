// The 3-D window: shows the ball model of a completed molecule, turns it,
// moves it, animates it, sizes it and copies it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>

#include "base/owningarray.h"
#include "framework/window.h"
#include "i18n/translate.h"
#include "model/atom.h"
#include "view3d/ballmodel.h"

namespace kovala {

// The model itself (modelAtoms, balls, the diameters, the frame, the box and
// the centre) is the window's TBallModel part.
class TShapeWindow : public TWindow, public TBallModel {
 public:
  static constexpr int AnimationTimer = 1;
  // One tick every 55 milliseconds, about 18 a second: at 18 degrees a tick
  // the model turns some 330 degrees a second and changes direction every
  // 0.55 s, slow enough for a student to follow.
  static constexpr int AnimationPeriod = 55;  // milliseconds

  TShapeWindow(IWindowHost& host, IDesktop& desktop);
  ~TShapeWindow() override;

  // Builds the ball model from copies of a molecule's atoms for a client
  // rectangle, discarding the previous model.
  void BuildModel(const TOwningArray<TAtom>& atoms, int left, int top, int right, int bottom);
  bool Grow();    // true when the size step was taken
  bool Shrink();  // true when the size step was taken
  void ApplySizeLevel();
  void StartAnimation();
  // True when the animation timer was running.
  bool StopAnimation();
  // Empties the model, as when the view is left.
  void ClearModel();

  void Paint(ISurface& surface) override;
  void Timer(int id) override;
  bool Command(int id) override;
  std::string AccessibleName() const override { return Tr("3-D model view"); }

  void TimerTick();
  void RotateYaw(int sign);
  void RotatePitch(int sign);
  void MoveModel(int ddx, int ddy);
  void CopyToClipboard();
  // Draws the model through the off-screen picture onto a target.
  void Present(ISurface& target);
  void SortByDepth();
  void DrawModel(ISurface& surface);
  void DrawLegend(ISurface& surface);
  void DrawBall(ISurface& surface, const TList& ball) const;

  // The animation's directions come from here; tests seed it.
  void SeedRandom(std::uint32_t seed) { random.seed(seed); }

  bool animating = false;
  bool stepsEnabled = true;  // false while animating, except inside a tick
  int sizeLevel = 1;
  std::array<bool, ElementKindCount> legendShown{};
  std::int32_t animDirection = 0;
  std::int32_t animTick = 1;
  std::int32_t ticksPerDirection = 10;
  float yawTurns = 0.0f;    // turns about the vertical axis since the last change of axis
  float pitchTurns = 0.0f;  // turns about the horizontal axis since the last change of axis
  bool lastStepYaw = true;
  std::int32_t bufferWidth = 0;
  std::int32_t bufferHeight = 0;
  std::int32_t pictureLeft = 0;
  std::int32_t pictureTop = 0;
  std::int32_t pictureRight = 0;
  std::int32_t pictureBottom = 0;

 private:
  void Turn(int sign, bool aboutVertical);
  // Makes the off-screen picture the client's size, cleared to white; false
  // when the desktop could not make one.
  bool PrepareBuffer();
  // A step's new picture reaches the screen through an immediate repaint.
  void ShowStep();

  std::unique_ptr<IPicture> buffer;
  double bufferRatio = 1.0;
  std::mt19937 random;
};

}  // namespace kovala
