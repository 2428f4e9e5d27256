// A drawing surface that records every call, so drawing is tested by the
// exact coordinates of what was drawn.
#pragma once

#include <string>
#include <vector>

#include "framework/surface.h"

namespace kovala::test {

struct TDrawCall {
  enum class Kind { Bitmap, Line, Ellipse, Fill, Text, Picture } kind;
  std::string name;  // bitmap resource or text
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  TColor fill{}, outline{};
  friend bool operator==(const TDrawCall&, const TDrawCall&) = default;
};

// The smooth drawing of the true-shape view, in its own list and order.
struct TSmoothCall {
  enum class Kind { Ball, Stick, Polygon, Text } kind;
  std::vector<TPoint> points;  // ball: the box's corners; stick: its ends; polygon: its outline
  TColor colour{};
  int size = 0;  // stick width, polygon opacity, text height
  std::string text;
};

class TRecordingSurface : public ISurface {
 public:
  std::vector<TDrawCall> calls;
  std::vector<TSmoothCall> smooth;

  void DrawBitmap(const std::string& name, int x, int y) override {
    calls.push_back({TDrawCall::Kind::Bitmap, name, x, y, 0, 0, {}, {}});
  }
  void Line(int x1, int y1, int x2, int y2) override {
    calls.push_back({TDrawCall::Kind::Line, "", x1, y1, x2, y2, {}, {}});
  }
  void Ellipse(const TRect& box, TColor fill, TColor outline) override {
    calls.push_back({TDrawCall::Kind::Ellipse, "", box.left, box.top, box.right, box.bottom, fill, outline});
  }
  void FillRect(const TRect& box, TColor fill) override {
    calls.push_back({TDrawCall::Kind::Fill, "", box.left, box.top, box.right, box.bottom, fill, {}});
  }
  void Text(int x, int y, const std::string& text) override {
    calls.push_back({TDrawCall::Kind::Text, text, x, y, 0, 0, {}, {}});
  }
  void DrawPicture(const IPicture& picture, int x, int y) override {
    calls.push_back({TDrawCall::Kind::Picture, "", x, y, picture.Width(), picture.Height(), {}, {}});
  }
  void ShadedBall(const TRect& box, TColor colour) override {
    smooth.push_back({TSmoothCall::Kind::Ball, {{box.left, box.top}, {box.right, box.bottom}}, colour, 0, ""});
  }
  void Stick(TPoint from, TPoint to, int width, TColor colour) override {
    smooth.push_back({TSmoothCall::Kind::Stick, {from, to}, colour, width, ""});
  }
  void TranslucentPolygon(const std::vector<TPoint>& points, TColor fill, int opacity) override {
    smooth.push_back({TSmoothCall::Kind::Polygon, points, fill, opacity, ""});
  }
  void SizedText(int x, int y, const std::string& text, int pixelHeight, TColor colour) override {
    smooth.push_back({TSmoothCall::Kind::Text, {{x, y}}, colour, pixelHeight, text});
  }
  std::vector<TSmoothCall> Smooth(TSmoothCall::Kind kind) const {
    std::vector<TSmoothCall> out;
    for (const auto& c : smooth)
      if (c.kind == kind) out.push_back(c);
    return out;
  }

  std::vector<TDrawCall> Of(TDrawCall::Kind kind) const {
    std::vector<TDrawCall> out;
    for (const auto& c : calls)
      if (c.kind == kind) out.push_back(c);
    return out;
  }
  bool HasLine(int x1, int y1, int x2, int y2) const {
    for (const auto& c : calls)
      if (c.kind == TDrawCall::Kind::Line && c.x1 == x1 && c.y1 == y1 && c.x2 == x2 && c.y2 == y2)
        return true;
    return false;
  }
  bool HasBitmap(const std::string& name, int x, int y) const {
    for (const auto& c : calls)
      if (c.kind == TDrawCall::Kind::Bitmap && c.name == name && c.x1 == x && c.y1 == y) return true;
    return false;
  }
  bool HasText(const std::string& text, int x, int y) const {
    for (const auto& c : calls)
      if (c.kind == TDrawCall::Kind::Text && c.name == text && c.x1 == x && c.y1 == y) return true;
    return false;
  }
};

// An off-screen picture whose drawing is recorded.
class TRecordingPicture : public IPicture {
 public:
  TRecordingPicture(int w, int h) : width(w), height(h) {}
  int Width() const override { return width; }
  int Height() const override { return height; }
  ISurface& Surface() override { return surface; }
  TRecordingSurface surface;

 private:
  int width;
  int height;
};

}  // namespace kovala::test
