#include "view3d/trueshapewindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>

#include "chem/identity.h"
#include "chem/moleculeexport.h"
#include "editor/bondwindow.h"
#include "chem/hillformula.h"
#include "editor/filefailure.h"
#include "i18n/translate.h"
#include "model/moleculefile.h"
#include "view3d/elementcolours.h"

namespace kovala {

namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr int Margin = 24;  // pixels kept free round the molecule
constexpr TColor StickColour{150, 150, 150};
constexpr TColor LobeColour{90, 140, 255};
constexpr int LobeOpacity = 80;
constexpr TColor LabelColour{30, 30, 30};
constexpr int LabelHeight = 15;
constexpr int NameHeight = 22;
constexpr int FormulaHeight = 20;

constexpr double LobeLength = 0.95;  // ångström from the atom's centre
constexpr double LobeWidth = 0.55;

// A third of each element's size in space, so the sticks between the balls
// stay in view.
double RadiusOf(ElementKind kind) { return IsKnownKind(kind) ? ElementInfo(kind).trueShapeRadius : 0.4; }
TColor ColourOf(ElementKind kind) { return IsKnownKind(kind) ? ElementColours[kind] : TColor{128, 128, 128}; }

using TMatrix = std::array<double, 9>;

TMatrix Multiply(const TMatrix& a, const TMatrix& b) {
  TMatrix m{};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) m[r * 3 + c] += a[r * 3 + k] * b[k * 3 + c];
  return m;
}

TVector3 Apply(const TMatrix& m, const TVector3& v) {
  return {m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
          m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
}

TMatrix AboutY(double degrees) {
  const double a = degrees * kPi / 180;
  return {std::cos(a), 0, std::sin(a), 0, 1, 0, -std::sin(a), 0, std::cos(a)};
}

TMatrix AboutX(double degrees) {
  const double a = degrees * kPi / 180;
  return {1, 0, 0, 0, std::cos(a), -std::sin(a), 0, std::sin(a), std::cos(a)};
}

// The molecule's axes from the widest to the thinnest (Jacobi on the
// spread of the atoms), as rows: the student first looks along the thinnest,
// so a flat molecule shows its true angles.
TMatrix FacingWidestSide(const std::vector<TVector3>& points) {
  TVector3 centre{0, 0, 0};
  for (const auto& p : points)
    for (int i = 0; i < 3; ++i) centre[i] += p[i] / static_cast<double>(points.size());
  double a[3][3] = {};
  for (const auto& p : points)
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) a[i][j] += (p[i] - centre[i]) * (p[j] - centre[j]);
  double v[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int sweep = 0; sweep < 50; ++sweep) {
    int p = 0, q = 1;
    for (int i = 0; i < 3; ++i)
      for (int j = i + 1; j < 3; ++j)
        if (std::abs(a[i][j]) > std::abs(a[p][q])) p = i, q = j;
    if (std::abs(a[p][q]) < 1e-12) break;
    const double theta = 0.5 * std::atan2(2 * a[p][q], a[q][q] - a[p][p]);
    const double c = std::cos(theta), s = std::sin(theta);
    for (int k = 0; k < 3; ++k) {
      const double akp = a[k][p], akq = a[k][q];
      a[k][p] = c * akp - s * akq;
      a[k][q] = s * akp + c * akq;
    }
    for (int k = 0; k < 3; ++k) {
      const double apk = a[p][k], aqk = a[q][k];
      a[p][k] = c * apk - s * aqk;
      a[q][k] = s * apk + c * aqk;
    }
    for (int k = 0; k < 3; ++k) {
      const double vkp = v[k][p], vkq = v[k][q];
      v[k][p] = c * vkp - s * vkq;
      v[k][q] = s * vkp + c * vkq;
    }
  }
  std::array<int, 3> order{0, 1, 2};
  std::sort(order.begin(), order.end(), [&a](int i, int j) { return a[i][i] > a[j][j]; });
  TMatrix m{};
  for (int row = 0; row < 3; ++row)
    for (int k = 0; k < 3; ++k) m[row * 3 + k] = v[k][order[row]];
  // A right-handed turn, so nothing is seen in a mirror.
  const double det = m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) +
                     m[2] * (m[3] * m[7] - m[4] * m[6]);
  if (det < 0)
    for (int k = 6; k < 9; ++k) m[k] = -m[k];
  return m;
}

TVector3 Centre(const TTrueShape& shape) {
  TVector3 centre{0, 0, 0};
  if (shape.atoms.empty()) return centre;
  for (const auto& atom : shape.atoms)
    for (int i = 0; i < 3; ++i) centre[i] += atom.position[i];
  for (double& c : centre) c /= static_cast<double>(shape.atoms.size());
  return centre;
}

TPoint Rounded(double x, double y) {
  return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

// One thing to draw, far ones first.
struct TItem {
  double depth;
  enum class Kind { Bond, Ball, Lobe } kind;
  int index;  // bond, atom
  int pair;   // lobe: which lone pair of the atom
};

}  // namespace

std::string AngleLabel(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, Tr("%.1f\u00B0"), degrees);
  return text;
}

TTrueShapeWindow::TTrueShapeWindow(IWindowHost& windowHost, IDesktop& desktopServices)
    : TWindow(windowHost, desktopServices) {}

TTrueShapeWindow::~TTrueShapeWindow() {
  if (animating) Host().KillTimer(AnimationTimer);
}

bool TTrueShapeWindow::ShowMolecule(const TBondWindow& window) {
  Clear();
  graph = GraphOf(window.molecule, [&window](const TAtom& atom) { return !window.InTray(atom); });
  shape = TrueShapeOf(graph);
  if (!shape.Shaped()) {
    problem = shape.problem;
    return false;
  }
  const TIdentity identity = Identify(graph);
  name = identity.entry ? CompoundName(identity.entry->name) : std::string();
  formula = THillFormula(GraphOf(window.molecule)).Display();
  std::vector<TVector3> points;
  for (const auto& atom : shape.atoms) points.push_back(atom.position);
  rotation = FacingWidestSide(points);
  // A molecule with depth is tipped a little, so that it reads as solid.
  const TMatrix tip = Multiply(AboutX(-15), AboutY(20));
  double thinnest = 0;
  const TVector3 centre = Centre(shape);
  for (const auto& p : points) thinnest = std::max(thinnest, std::abs(Apply(rotation, {p[0] - centre[0], p[1] - centre[1], p[2] - centre[2]})[2]));
  if (thinnest > 0.1) rotation = Multiply(tip, rotation);
  return true;
}

void TTrueShapeWindow::Clear() {
  StopAnimation();
  shape = TTrueShape{};
  graph = TChemGraph{};
  problem.clear();
  name.clear();
  formula.clear();
  zoom = 1.0;
  pan = {};
  dragging = false;
  rotation = {1, 0, 0, 0, 1, 0, 0, 0, 1};
}

void TTrueShapeWindow::ShowMenuChecks() {
  Host().CheckMenuItem(cmd::TrueShapeLonePairs, showLonePairs);
  Host().CheckMenuItem(cmd::TrueShapeAngles, showAngles);
  Host().CheckMenuItem(cmd::TrueShapeName, showName);
  Host().CheckMenuItem(cmd::AnimateTrueShape, animating);
}

std::vector<TProjected> TTrueShapeWindow::Project(const TRect& area) const {
  std::vector<TProjected> out;
  if (shape.atoms.empty()) return out;
  const TVector3 centre = Centre(shape);
  // The reach of the molecule from its centre does not change as it turns,
  // so the size stays put while it turns.
  double reach = 0.5;
  for (const auto& atom : shape.atoms) {
    const TVector3 d{atom.position[0] - centre[0], atom.position[1] - centre[1], atom.position[2] - centre[2]};
    double extent = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]) + RadiusOf(atom.kind);
    if (showLonePairs && !atom.lonePairs.empty())
      extent = std::max(extent, std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]) + LobeLength);
    reach = std::max(reach, extent);
  }
  const double room = std::max(std::min(area.Width(), area.Height()) / 2.0 - Margin, 10.0);
  const double scale = room / reach * zoom;
  const double midX = area.left + area.Width() / 2.0 + pan.x;
  const double midY = area.top + area.Height() / 2.0 + pan.y;
  for (const auto& atom : shape.atoms) {
    const TVector3 v = Apply(rotation, {atom.position[0] - centre[0], atom.position[1] - centre[1],
                                        atom.position[2] - centre[2]});
    out.push_back({midX + v[0] * scale, midY - v[1] * scale, v[2], RadiusOf(atom.kind) * scale});
  }
  return out;
}

void TTrueShapeWindow::Draw(ISurface& surface, const TRect& area) const {
  surface.FillRect(area, White);
  const std::vector<TProjected> at = Project(area);
  if (at.empty()) return;
  const double scale = at[0].radius / RadiusOf(shape.atoms[0].kind);

  std::vector<TItem> items;
  for (int b = 0; b < static_cast<int>(shape.bonds.size()); ++b) {
    const TShapeBond& bond = shape.bonds[b];
    items.push_back({(at[bond.from].depth + at[bond.to].depth) / 2, TItem::Kind::Bond, b, 0});
  }
  for (int a = 0; a < static_cast<int>(at.size()); ++a) {
    items.push_back({at[a].depth, TItem::Kind::Ball, a, 0});
    if (!showLonePairs) continue;
    for (int k = 0; k < static_cast<int>(shape.atoms[a].lonePairs.size()); ++k) {
      const TVector3 d = Apply(rotation, shape.atoms[a].lonePairs[k]);
      items.push_back({at[a].depth + d[2] * LobeLength / 2, TItem::Kind::Lobe, a, k});
    }
  }
  std::stable_sort(items.begin(), items.end(), [](const TItem& x, const TItem& y) { return x.depth < y.depth; });

  const int stickWidth = std::max(3, static_cast<int>(std::lround(scale * 0.13)));
  for (const TItem& item : items) {
    switch (item.kind) {
      case TItem::Kind::Bond: {
        const TShapeBond& bond = shape.bonds[item.index];
        // From ball surface to ball surface, so the far ball's end of the
        // stick does not show on top of it; the view is a straight
        // projection, so a share of the bond is the same share on screen.
        const TVector3& from = shape.atoms[bond.from].position;
        const TVector3& to = shape.atoms[bond.to].position;
        const double span = std::hypot(to[0] - from[0], to[1] - from[1], to[2] - from[2]);
        const double startShare =
            span > 1e-6 ? std::min(0.45, 0.9 * RadiusOf(shape.atoms[bond.from].kind) / span) : 0;
        const double endShare = span > 1e-6 ? std::min(0.45, 0.9 * RadiusOf(shape.atoms[bond.to].kind) / span) : 0;
        const TProjected& a = at[bond.from];
        const TProjected& b = at[bond.to];
        TProjected p = a, q = b;
        p.x = a.x + (b.x - a.x) * startShare;
        p.y = a.y + (b.y - a.y) * startShare;
        q.x = b.x - (b.x - a.x) * endShare;
        q.y = b.y - (b.y - a.y) * endShare;
        const double dx = q.x - p.x, dy = q.y - p.y;
        const double length = std::hypot(dx, dy);
        // Side by side across the bond as the student sees it.
        const double nx = length > 1e-6 ? -dy / length : 0, ny = length > 1e-6 ? dx / length : 0;
        const int order = std::clamp(bond.order, 1, 3);
        const int width = order == 1 ? stickWidth : std::max(2, stickWidth * 2 / 3);
        const double gap = width * 1.5;
        for (int s = 0; s < order; ++s) {
          const double offset = (s - (order - 1) / 2.0) * gap;
          surface.Stick(Rounded(p.x + nx * offset, p.y + ny * offset), Rounded(q.x + nx * offset, q.y + ny * offset),
                        width, StickColour);
        }
        break;
      }
      case TItem::Kind::Ball: {
        const TProjected& p = at[item.index];
        surface.ShadedBall({static_cast<int>(std::lround(p.x - p.radius)), static_cast<int>(std::lround(p.y - p.radius)),
                            static_cast<int>(std::lround(p.x + p.radius)), static_cast<int>(std::lround(p.y + p.radius))},
                           ColourOf(shape.atoms[item.index].kind));
        break;
      }
      case TItem::Kind::Lobe: {
        // An ellipse along the pair's direction, seen end-on as a circle.
        const TProjected& p = at[item.index];
        const TVector3 d = Apply(rotation, shape.atoms[item.index].lonePairs[item.pair]);
        const double along = std::hypot(d[0], d[1]);
        const double ux = along > 1e-6 ? d[0] / along : 1, uy = along > 1e-6 ? -d[1] / along : 0;
        const double half = std::max(LobeWidth / 2, along * LobeLength / 2) * scale;
        const double across = LobeWidth / 2 * scale;
        const double cx = p.x + ux * along * LobeLength / 2 * scale;
        const double cy = p.y + uy * along * LobeLength / 2 * scale;
        std::vector<TPoint> outline;
        for (int k = 0; k < 24; ++k) {
          const double t = 2 * kPi * k / 24;
          const double a = std::cos(t) * half, c = std::sin(t) * across;
          outline.push_back(Rounded(cx + ux * a - uy * c, cy + uy * a + ux * c));
        }
        surface.TranslucentPolygon(outline, LobeColour, LobeOpacity);
        break;
      }
    }
  }

  if (showAngles) {
    // One label for each different angle at a centre, inside the angle.
    for (int centre = 0; centre < static_cast<int>(shape.atoms.size()); ++centre) {
      const std::vector<int> around = shape.Neighbours(centre);
      std::vector<std::string> shown;
      for (std::size_t i = 0; i < around.size(); ++i)
        for (std::size_t j = i + 1; j < around.size(); ++j) {
          const std::string text = AngleLabel(shape.Angle(around[i], centre, around[j]));
          if (std::find(shown.begin(), shown.end(), text) != shown.end()) continue;
          shown.push_back(text);
          const TProjected& c = at[centre];
          double bx = (at[around[i]].x - c.x) + (at[around[j]].x - c.x);
          double by = (at[around[i]].y - c.y) + (at[around[j]].y - c.y);
          const double length = std::hypot(bx, by);
          if (length < 1e-6) {
            bx = 0, by = -1;  // a straight angle: above the centre
          } else {
            bx /= length, by /= length;
          }
          const double reach = c.radius + LabelHeight * 1.6;
          const int width = surface.SizedTextWidth(text, LabelHeight);
          surface.SizedText(static_cast<int>(std::lround(c.x + bx * reach - width / 2.0)),
                            static_cast<int>(std::lround(c.y + by * reach - LabelHeight / 2.0)), text, LabelHeight,
                            LabelColour);
        }
    }
  }

  if (showName) {
    int y = area.top + 10;
    if (!name.empty()) {
      surface.SizedText(area.left + 12, y, name, NameHeight, Black);
      y += NameHeight + 6;
    }
    if (!formula.empty()) surface.SizedText(area.left + 12, y, formula, FormulaHeight, Black);
  }
}

void TTrueShapeWindow::Paint(ISurface& surface) { Draw(surface, Host().ClientRect()); }

void TTrueShapeWindow::LeftButtonDown(TPoint point, TKeyState /*keys*/) {
  dragging = true;
  dragFrom = point;
  Host().CaptureMouse();
}

void TTrueShapeWindow::LeftButtonUp(TPoint point, TKeyState keys) {
  if (!dragging) return;
  MouseMove(point, keys);
  dragging = false;
  Host().ReleaseMouse();
}

void TTrueShapeWindow::MouseMove(TPoint point, TKeyState /*keys*/) {
  if (!dragging) return;
  const int dx = point.x - dragFrom.x;
  const int dy = point.y - dragFrom.y;
  dragFrom = point;
  // The molecule follows the hand: dragging right turns the front right.
  if (dx != 0 || dy != 0) Turn(dx * DragStep, dy * DragStep);
}

void TTrueShapeWindow::MouseWheel(TPoint /*point*/, int notches) { Zoom(notches); }

void TTrueShapeWindow::Timer(int id) {
  if (id == AnimationTimer && animating) Turn(AnimationStep, 0);
}

void TTrueShapeWindow::Turn(double yawDegrees, double pitchDegrees) {
  rotation = Multiply(AboutX(pitchDegrees), Multiply(AboutY(yawDegrees), rotation));
  Redraw();
}

void TTrueShapeWindow::Zoom(int notches) {
  const double next = std::clamp(zoom * std::pow(1.15, notches), MinZoom, MaxZoom);
  if (next == zoom) return;
  zoom = next;
  Redraw();
}

void TTrueShapeWindow::StartAnimation() {
  if (animating || shape.atoms.empty()) return;
  animating = true;
  Host().SetTimer(AnimationTimer, AnimationPeriod);
  Host().CheckMenuItem(cmd::AnimateTrueShape, true);
}

void TTrueShapeWindow::StopAnimation() {
  if (!animating) return;
  animating = false;
  Host().KillTimer(AnimationTimer);
  Host().CheckMenuItem(cmd::AnimateTrueShape, false);
}

void TTrueShapeWindow::Redraw() { Host().Invalidate(false); }

void TTrueShapeWindow::Toggle(bool& option, int command) {
  option = !option;
  Host().CheckMenuItem(command, option);
  Redraw();
}

bool TTrueShapeWindow::Command(int id) {
  switch (id) {
    case cmd::TurnLeft:
      Turn(-KeyStep, 0);
      return true;
    case cmd::TurnRight:
      Turn(KeyStep, 0);
      return true;
    case cmd::TurnUp:
      Turn(0, -KeyStep);
      return true;
    case cmd::TurnDown:
      Turn(0, KeyStep);
      return true;
    case cmd::MoveLeft:
    case cmd::MoveRight:
    case cmd::MoveUp:
    case cmd::MoveDown:
      pan.x += id == cmd::MoveLeft ? -PanStep : id == cmd::MoveRight ? PanStep : 0;
      pan.y += id == cmd::MoveUp ? -PanStep : id == cmd::MoveDown ? PanStep : 0;
      Redraw();
      return true;
    case cmd::CopyTrueShape:
      CopyToClipboard();
      return true;
    case cmd::ExportTrueShape:
      Export();
      return true;
    case cmd::PrintTrueShape:
      Print();
      return true;
    case cmd::TrueShapeLonePairs:
      Toggle(showLonePairs, id);
      return true;
    case cmd::TrueShapeAngles:
      Toggle(showAngles, id);
      return true;
    case cmd::TrueShapeName:
      Toggle(showName, id);
      return true;
    case cmd::AnimateTrueShape:
      if (animating)
        StopAnimation();
      else
        StartAnimation();
      return true;
    case cmd::TrueShapeZoomIn:
      Zoom(1);
      return true;
    case cmd::TrueShapeZoomOut:
      Zoom(-1);
      return true;
    default:
      return false;
  }
}

bool TTrueShapeWindow::CopyToClipboard() {
  const TRect area = Host().ClientRect();
  if (shape.atoms.empty() || area.Width() <= 0 || area.Height() <= 0) return false;
  const std::unique_ptr<IPicture> picture = Desktop().CreatePicture(area.Width(), area.Height());
  if (!picture) return false;
  Draw(picture->Surface(), {0, 0, area.Width(), area.Height()});
  const bool copied = Desktop().CopyToClipboard(*picture, {0, 0, area.Width(), area.Height()});
  Host().SetMessageBar(copied ? Tr("The true shape is on the clipboard.")
                              : Tr("The clipboard could not take the picture."));
  return copied;
}

bool TTrueShapeWindow::Print() {
  if (shape.atoms.empty()) return false;
  TPrintPage page;
  page.title = name.empty() ? formula : name;
  page.box = Host().ClientRect();
  page.draw = [this, box = page.box](ISurface& surface) { Draw(surface, box); };
  return Desktop().PrintWithPreview(page);
}

bool TTrueShapeWindow::Export() {
  if (shape.atoms.empty()) return false;
  exportSettings.filter = ExportFileFilter3D;
  exportSettings.defaultExtension = "mol";
  const std::optional<std::string> path = Desktop().SaveFileDialog(exportSettings);
  if (!path || path->empty()) return false;
  const std::string bytes = ExportText3D(graph, shape, ExportFormat3DOf(*path));
  if (bytes.empty()) {
    ShowWriteFailure(Desktop());
    return false;
  }
  return WriteWholeFile(*path, bytes, Desktop());
}

}  // namespace kovala
