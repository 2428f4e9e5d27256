// A desktop that answers prompts from a script and records every message
// box, dialog, clipboard copy and help request.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/desktop.h"
#include "tests/support/recordingsurface.h"

namespace kovala::test {

struct TShownMessage {
  std::string text;
  std::string caption;
  TIcon icon;
  TButtons buttons;
};

struct TClipboardCopy {
  int pictureWidth;
  int pictureHeight;
  TRect box;
  std::vector<TDrawCall> drawing;
  std::string svg;  // empty for a bitmap alone
};

// An SVG drawing that records its calls; its document names the view box
// and the number of calls, so a test can tell which drawing reached a file.
class TRecordingSvgDrawing : public ISvgDrawing {
 public:
  TRecordingSvgDrawing(const TRect& view, std::vector<std::vector<TDrawCall>>& finishedDrawings)
      : box(view), finished(finishedDrawings) {}
  ISurface& Surface() override { return surface; }
  std::string Finish() override {
    finished.push_back(surface.calls);
    return "<svg viewBox=\"" + std::to_string(box.left) + " " + std::to_string(box.top) + " " +
           std::to_string(box.Width()) + " " + std::to_string(box.Height()) + "\"><!-- " +
           std::to_string(surface.calls.size()) + " calls --></svg>\n";
  }
  TRect box;
  TRecordingSurface surface;
  std::vector<std::vector<TDrawCall>>& finished;
};

struct TPrinted {
  std::string title;
  TRect box;
  std::vector<TDrawCall> drawing;
};

class TScriptedDesktop : public IDesktop {
 public:
  std::vector<TShownMessage> messages;
  std::deque<TAnswer> answers;  // for Yes/No questions; Ok boxes take none
  std::deque<std::optional<std::string>> openChoices;
  std::deque<std::optional<std::string>> saveChoices;
  int openDialogs = 0;
  int saveDialogs = 0;
  TFileDialogSettings lastSaveSettings;
  std::vector<TClipboardCopy> clipboard;
  bool clipboardWorks = true;
  bool svgWorks = true;
  std::vector<std::vector<TDrawCall>> svgDrawn;  // the calls of every finished SVG drawing
  std::vector<TPrinted> printed;                 // pages shown in the preview
  bool printerPrints = true;                     // the student prints from the preview rather than closing it
  std::vector<std::string> helpOpened;
  std::vector<std::string> helpClosed;

  TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                     TButtons buttons) override {
    messages.push_back({text, caption, icon, buttons});
    if (buttons == TButtons::Ok) return TAnswer::Ok;
    if (answers.empty()) return TAnswer::Cancel;
    const TAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<std::string> OpenFileDialog(TFileDialogSettings&) override {
    ++openDialogs;
    return Next(openChoices);
  }
  std::optional<std::string> SaveFileDialog(TFileDialogSettings& settings) override {
    ++saveDialogs;
    lastSaveSettings = settings;
    return Next(saveChoices);
  }
  std::unique_ptr<IPicture> CreatePicture(int width, int height) override {
    return std::make_unique<TRecordingPicture>(width, height);
  }
  bool CopyToClipboard(const IPicture& picture, const TRect& box) override {
    if (!clipboardWorks) return false;
    const auto& recorded = dynamic_cast<const TRecordingPicture&>(picture);
    clipboard.push_back({picture.Width(), picture.Height(), box, recorded.surface.calls, {}});
    return true;
  }
  bool CopyToClipboardWithSvg(const IPicture& picture, const TRect& box, const std::string& svg) override {
    if (!CopyToClipboard(picture, box)) return false;
    clipboard.back().svg = svg;
    return true;
  }
  std::unique_ptr<ISvgDrawing> CreateSvgDrawing(const TRect& box) override {
    if (!svgWorks) return nullptr;
    return std::make_unique<TRecordingSvgDrawing>(box, svgDrawn);
  }
  bool PrintWithPreview(const TPrintPage& page) override {
    TRecordingSurface surface;
    page.draw(surface);
    printed.push_back({page.title, page.box, surface.calls});
    return printerPrints;
  }
  void OpenHelp(const std::string& file) override { helpOpened.push_back(file); }
  void CloseHelp(const std::string& file) override { helpClosed.push_back(file); }

  // Texts of the messages shown so far, for compact expectations.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
  }
  std::string LastText() const { return messages.empty() ? std::string() : messages.back().text; }

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};

}  // namespace kovala::test
