// Where windows draw: a window's paint target, an off-screen picture or, in
// tests, a recorder. One-pixel black pen, default font, transparent text.
#pragma once

#include <cstdint>
#include <string>

#include "framework/geometry.h"

namespace kovala {

struct TColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const TColor&, const TColor&) = default;
};

inline constexpr TColor Black{0, 0, 0};
inline constexpr TColor White{255, 255, 255};

class IPicture;

class ISurface {
 public:
  virtual ~ISurface() = default;
  // Copies a picture resource pixel for pixel with its top-left at (x, y).
  virtual void DrawBitmap(const std::string& resourceName, int x, int y) = 0;
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  // Filled ellipse inside the box, outlined with a one-pixel pen.
  virtual void Ellipse(const TRect& box, TColor fill, TColor outline) = 0;
  virtual void FillRect(const TRect& box, TColor fill) = 0;
  // Text with its top-left at (x, y) and a transparent background.
  virtual void Text(int x, int y, const std::string& text) = 0;
  // Copies an off-screen picture with its top-left at (x, y).
  virtual void DrawPicture(const IPicture& picture, int x, int y) = 0;
  // The room a text takes in the surface's font; surfaces without a font
  // answer with the estimate below.
  virtual TSize TextSize(const std::string& text) const { return EstimatedTextSize(text); }
  // A generous guess for a small default font: 8 pixels a character, 16 high.
  static TSize EstimatedTextSize(const std::string& text) { return {8 * static_cast<int>(text.size()), 16}; }
};

// An off-screen picture, filled white when made, that can be drawn into.
class IPicture {
 public:
  virtual ~IPicture() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual ISurface& Surface() = 0;
};

}  // namespace kovala
