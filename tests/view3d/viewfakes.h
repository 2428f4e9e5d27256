// Fakes for the 3-D window: a desktop that keeps hold of the off-screen
// picture it made, a host that repaints the window when asked to, and a
// picture that only counts what is drawn into it.
#pragma once

#include <memory>

#include "framework/window.h"
#include "tests/support/fakehost.h"
#include "tests/support/recordingsurface.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

class TPictureKeepingDesktop : public TScriptedDesktop {
 public:
  TRecordingPicture* last = nullptr;
  int created = 0;

  std::unique_ptr<IPicture> CreatePicture(int width, int height) override {
    auto picture = std::make_unique<TRecordingPicture>(width, height);
    last = picture.get();
    ++created;
    return picture;
  }
};

// Drawing calls of the last frame: from the last white fill on.
inline std::vector<TDrawCall> LastFrame(const TRecordingSurface& surface) {
  auto start = surface.calls.end();
  for (auto it = surface.calls.begin(); it != surface.calls.end(); ++it)
    if (it->kind == TDrawCall::Kind::Fill) start = it;
  return {start, surface.calls.end()};
}

class TCountingSurface : public ISurface {
 public:
  long calls = 0;
  void DrawBitmap(const std::string&, int, int) override { ++calls; }
  void Line(int, int, int, int) override { ++calls; }
  void Ellipse(const TRect&, TColor, TColor) override { ++calls; }
  void FillRect(const TRect&, TColor) override { ++calls; }
  void Text(int, int, const std::string&) override { ++calls; }
  void DrawPicture(const IPicture&, int, int) override { ++calls; }
};

class TCountingPicture : public IPicture {
 public:
  TCountingPicture(int w, int h, int& liveCount) : width(w), height(h), live(liveCount) { ++live; }
  ~TCountingPicture() override { --live; }
  int Width() const override { return width; }
  int Height() const override { return height; }
  ISurface& Surface() override { return surface; }
  TCountingSurface surface;

 private:
  int width;
  int height;
  int& live;
};

class TCountingDesktop : public TScriptedDesktop {
 public:
  int created = 0;
  int live = 0;
  std::unique_ptr<IPicture> CreatePicture(int width, int height) override {
    ++created;
    return std::make_unique<TCountingPicture>(width, height, live);
  }
};

// Repaints the window at once when it asks for an update, as the desktop does.
class TPaintingHost : public TFakeHost {
 public:
  TWindow* window = nullptr;
  ISurface* target = nullptr;
  void UpdateNow() override {
    TFakeHost::UpdateNow();
    if (window && target) window->Paint(*target);
  }
};

}  // namespace kovala::test
