#include "view3d/shapewindow.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <utility>

#include "base/commands.h"
#include "i18n/translate.h"
#include "view3d/elementcolours.h"
#include "view3d/polar.h"

namespace kovala {
namespace {

constexpr int MoveStep = 5;        // pixels per Shift+arrow
constexpr double TurnStep = 0.05;  // of a full turn per arrow press, 18 degrees
constexpr double FullTurn = 6.283185307179586;

constexpr int LegendLeft = 20;
constexpr int LegendTop = 20;
constexpr int LegendSpacing = 50;

std::size_t KindSlot(ElementKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

TShapeWindow::TShapeWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TWindow(windowHost, desktopServices),
      random(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count())) {}

TShapeWindow::~TShapeWindow() {
  if (animating) Host().KillTimer(AnimationTimer);
  ClearModel();
}

void TShapeWindow::BuildModel(const TOwningArray<TAtom>& atoms, int left, int top, int right, int bottom) {
  yawTurns = 0.0f;
  pitchTurns = 0.0f;
  animTick = 1;
  ticksPerDirection = 10;
  lastStepYaw = true;
  animating = false;
  stepsEnabled = true;
  Build(atoms, left, top, right, bottom);
}

void TShapeWindow::ApplySizeLevel() {
  for (std::size_t k = 0; k < diameter.size(); ++k) diameter[k] = baseDiameter[k] * sizeLevel;
}

bool TShapeWindow::Grow() {
  if (sizeLevel >= 2 || modelAtoms.Count() > 12) {
    Desktop().MessageBox(Tr("You cannot make the molecule any larger!!!"), Tr("Warning"), TIcon::Exclamation,
                         TButtons::Ok);
    return false;
  }
  ++sizeLevel;
  ApplySizeLevel();
  modelAtoms.Flush();
  balls.Flush();
  return true;
}

bool TShapeWindow::Shrink() {
  if (sizeLevel < 2) {
    Desktop().MessageBox(Tr("You cannot make the molecule any smaller!!!"), Tr("Warning"), TIcon::Exclamation,
                         TButtons::Ok);
    return false;
  }
  --sizeLevel;
  ApplySizeLevel();
  modelAtoms.Flush();
  balls.Flush();
  return true;
}

void TShapeWindow::StartAnimation() {
  Host().SetTimer(AnimationTimer, AnimationPeriod);
  animating = true;
  stepsEnabled = false;
}

bool TShapeWindow::StopAnimation() {
  const bool wasRunning = animating;
  Host().KillTimer(AnimationTimer);
  animating = false;
  stepsEnabled = true;
  return wasRunning;
}

void TShapeWindow::ClearModel() {
  modelAtoms.Flush();
  balls.Flush();
  buffer.reset();
}

void TShapeWindow::Timer(int id) {
  if (id == AnimationTimer) TimerTick();
}

bool TShapeWindow::Command(int id) {
  switch (id) {
    case cmd::CopyModel:
      CopyToClipboard();
      return true;
    case cmd::TurnLeft:
      RotateYaw(1);
      return true;
    case cmd::TurnRight:
      RotateYaw(-1);
      return true;
    case cmd::TurnUp:
      RotatePitch(1);
      return true;
    case cmd::TurnDown:
      RotatePitch(-1);
      return true;
    case cmd::MoveLeft:
      MoveModel(-MoveStep, 0);
      return true;
    case cmd::MoveRight:
      MoveModel(MoveStep, 0);
      return true;
    case cmd::MoveUp:
      MoveModel(0, -MoveStep);
      return true;
    case cmd::MoveDown:
      MoveModel(0, MoveStep);
      return true;
    default:
      return false;
  }
}

void TShapeWindow::TimerTick() {
  if (animTick < ticksPerDirection) {
    ++animTick;
  } else {
    animDirection = static_cast<std::int32_t>(random() % 4);
    animTick = 1;
  }
  // A tick lets only its own turn through; keys stay shut out while the
  // animation runs.
  const bool keysEnabled = stepsEnabled;
  stepsEnabled = true;
  switch (animDirection) {
    case 0:
      RotateYaw(1);
      break;
    case 1:
      RotatePitch(1);
      break;
    case 2:
      RotatePitch(-1);
      break;
    case 3:
      RotateYaw(-1);
      break;
    default:
      break;
  }
  stepsEnabled = keysEnabled;
}

void TShapeWindow::RotateYaw(int sign) { Turn(sign, true); }

void TShapeWindow::RotatePitch(int sign) { Turn(sign, false); }

// Each ball moves along the circle of the axis turned about; its depth follows
// from its distance to the centre, on the side it is moving towards, and its
// place on the other axis's circle is brought up to date so that the other
// axis can continue from here.
void TShapeWindow::Turn(int sign, bool aboutVertical) {
  if (!stepsEnabled) return;
  float& turns = aboutVertical ? yawTurns : pitchTurns;
  if (aboutVertical == lastStepYaw)
    turns = static_cast<float>(turns + sign * TurnStep);
  else
    turns = static_cast<float>(sign * TurnStep);

  for (TList& ball : balls) {
    std::int32_t& moving = aboutVertical ? ball.x : ball.y;
    const std::int32_t centre = aboutVertical ? centreX : centreY;
    const float radius = aboutVertical ? ball.yawRadius : ball.pitchRadius;
    const float angle = aboutVertical ? ball.yawAngle : ball.pitchAngle;
    const double phi = FullTurn * turns + angle;
    moving = RoundHalfDown(static_cast<float>(std::cos(phi) * radius)) + centre;

    const float dx = static_cast<float>(ball.x - centreX);
    const float dy = static_cast<float>(ball.y - centreY);
    const float distanceSquared = ball.centreDistance * ball.centreDistance;
    const std::int32_t depth = RoundHalfDown(static_cast<float>(
        std::sqrt(static_cast<double>(std::fabs(std::trunc(distanceSquared - dx * dx - dy * dy))))));
    // The depth side follows from where the ball now stands on its circle,
    // whose depth offset is -radius * sin(phi). Judging it by which way the
    // rounded coordinate moved put a ball on the wrong side whenever a step
    // carried it over the edge of its circle or left the rounded value where
    // it was, and the model then came back mirrored after a full turn.
    const bool nearer = std::sin(phi) > 0;
    const int side = nearer ? -1 : 1;
    ball.z = nearer ? centreZ - depth : centreZ + depth;

    const float alongMoving = aboutVertical ? dx : dy;
    const float alongOther = aboutVertical ? dy : dx;
    float& otherRadius = aboutVertical ? ball.pitchRadius : ball.yawRadius;
    float& otherAngle = aboutVertical ? ball.pitchAngle : ball.yawAngle;
    otherRadius = static_cast<float>(
        std::sqrt(static_cast<double>(std::fabs(std::trunc(distanceSquared - alongMoving * alongMoving)))));
    if (alongOther == 0)
      otherAngle = side >= 0 ? ThreeHalvesPi : HalfPi;
    else
      otherAngle = AngleOnCircle(alongOther, OffAxis(otherRadius, alongOther), side);
    if (std::ceil(1000.0f * otherAngle) == 3142.0f && alongOther > 0)
      otherAngle = 0.0f;
    else if (otherAngle == 0.0f && alongOther < 0)
      otherAngle = Pi;
  }
  lastStepYaw = aboutVertical;
  ShowStep();
}

void TShapeWindow::MoveModel(int ddx, int ddy) {
  if (!stepsEnabled) return;
  for (TList& ball : balls) {
    ball.x += ddx;
    ball.y += ddy;
  }
  boxMaxX += ddx;
  boxMinX += ddx;
  centreX += ddx;
  boxMaxY += ddy;
  boxMinY += ddy;
  centreY += ddy;
  ShowStep();
}

void TShapeWindow::ShowStep() {
  Host().Invalidate(false);
  Host().UpdateNow();
}

// Farthest first, so nearer balls are drawn over farther ones. Only what is
// drawn and turned changes places; the links stay with their positions.
void TShapeWindow::SortByDepth() {
  const int n = balls.Count();
  for (int i = 0; i < n - 1; ++i) {
    for (int j = 0; j < n - 1 - i; ++j) {
      TList& a = balls[j];
      TList& b = balls[j + 1];
      if (a.z >= b.z) continue;
      std::swap(a.kind, b.kind);
      std::swap(a.x, b.x);
      std::swap(a.y, b.y);
      std::swap(a.z, b.z);
      std::swap(a.yawRadius, b.yawRadius);
      std::swap(a.pitchRadius, b.pitchRadius);
      std::swap(a.centreDistance, b.centreDistance);
      std::swap(a.yawAngle, b.yawAngle);
      std::swap(a.pitchAngle, b.pitchAngle);
    }
  }
}

void TShapeWindow::DrawBall(ISurface& surface, const TList& ball) const {
  if (!IsKnownKind(ball.kind)) return;
  const std::int32_t r = DiameterOf(ball.kind) / 2;
  const TColor colour = ElementColours[KindSlot(ball.kind)];
  surface.Ellipse({ball.x - r, ball.y - r, ball.x + r, ball.y + r}, colour, colour);
}

void TShapeWindow::DrawLegend(ISurface& surface) {
  if (sizeLevel < 1) return;
  const int lx = LegendLeft;
  int ly = LegendTop;
  for (const TAtom& atom : modelAtoms) {
    if (!IsKnownKind(atom.kind) || legendShown[KindSlot(atom.kind)]) continue;
    legendShown[KindSlot(atom.kind)] = true;
    const TColor colour = ElementColours[KindSlot(atom.kind)];
    const int w = DiameterOf(atom.kind) / sizeLevel;
    // The hydrogen disc is smaller, so it is set in towards its symbol.
    const bool hydrogen = atom.kind == Hydrogen;
    const int discX = hydrogen ? lx + 8 : lx;
    const int discY = hydrogen ? ly + 4 : ly;
    surface.Ellipse({discX, discY, discX + w, discY + w}, colour, colour);
    surface.DrawBitmap(std::string(ElementInfo(atom.kind).legendPicture), lx + 40, hydrogen ? ly : ly + 5);
    ly += LegendSpacing;
  }
}

void TShapeWindow::DrawModel(ISurface& surface) {
  SortByDepth();
  legendShown.fill(false);
  if (sizeLevel == 1) DrawLegend(surface);
  for (const TList& ball : balls) DrawBall(surface, ball);
}

bool TShapeWindow::PrepareBuffer() {
  const TRect client = Host().ClientRect();
  bufferWidth = std::max(0, client.Width());
  bufferHeight = std::max(0, client.Height());
  // One picture is kept and reused while the client keeps its size and
  // screen, so a running animation allocates nothing per tick. It is as fine
  // as the screen, so the discs are drawn there rather than blown up.
  const double ratio = Host().PixelRatio();
  if (!buffer || buffer->Width() != bufferWidth || buffer->Height() != bufferHeight || bufferRatio != ratio) {
    buffer.reset();
    if (bufferWidth == 0 || bufferHeight == 0) return false;
    buffer = Desktop().CreateScreenPicture(bufferWidth, bufferHeight, ratio);
    if (!buffer) return false;
    bufferRatio = ratio;
  }
  buffer->Surface().FillRect({0, 0, bufferWidth, bufferHeight}, White);
  return true;
}

void TShapeWindow::Present(ISurface& target) {
  if (!PrepareBuffer()) return;
  DrawModel(buffer->Surface());
  target.DrawPicture(*buffer, 0, 0);
}

void TShapeWindow::Paint(ISurface& surface) { Present(surface); }

void TShapeWindow::CopyToClipboard() {
  if (PrepareBuffer()) {
    SortByDepth();
    for (const TList& ball : balls) DrawBall(buffer->Surface(), ball);
    // The margin is the largest ball of all, so every ball is inside the box.
    const std::int32_t margin = DiameterOf(Bromine);
    pictureLeft = boxMinX - margin;
    pictureTop = boxMinY - margin;
    pictureRight = boxMaxX + margin;
    pictureBottom = boxMaxY + margin;
    // Where the box reaches past the picture, the desktop cuts it at the edge.
    Desktop().CopyToClipboard(*buffer, {pictureLeft, pictureTop, pictureRight, pictureBottom});
  }
  Desktop().MessageBox(
      Tr("You can now start another Windows application and Paste the molecule by choosing Edit|Paste from "
         "the application's menu."),
      Tr("Information"), TIcon::Exclamation, TButtons::Ok);
}

}  // namespace kovala
