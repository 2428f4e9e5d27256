// The desktop services in Qt: message boxes, the open and save dialogs,
// off-screen pictures, the clipboard and the help windows.
#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "framework/desktop.h"

namespace kovala {

// "Molecule Files (*.kvl)|*.kvl|" in Qt's form, "Molecule Files (*.kvl)";
// several description and pattern pairs become several filters.
QString QtFileFilter(const std::string& filter);

// The part of `box` that lies on a picture of the given size; empty when
// none of it does.
TRect CutToPicture(const TRect& box, int width, int height);

class TQtDesktop : public IDesktop {
 public:
  TQtDesktop() = default;
  // The help windows go with the program.
  ~TQtDesktop() override;
  TQtDesktop(const TQtDesktop&) = delete;
  TQtDesktop& operator=(const TQtDesktop&) = delete;

  // The window that owns the message boxes and dialogs, centring them on it.
  void SetOwner(QWidget* window) { owner = window; }

  TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                     TButtons buttons = TButtons::Ok) override;
  std::optional<std::string> OpenFileDialog(TFileDialogSettings& settings) override;
  std::optional<std::string> SaveFileDialog(TFileDialogSettings& settings) override;
  std::unique_ptr<IPicture> CreatePicture(int width, int height) override;
  std::unique_ptr<IPicture> CreateScreenPicture(int width, int height, double ratio) override;
  bool CopyToClipboard(const IPicture& picture, const TRect& box) override;
  bool CopyToClipboardWithSvg(const IPicture& picture, const TRect& box, const std::string& svg) override;
  std::unique_ptr<ISvgDrawing> CreateSvgDrawing(const TRect& box) override;
  bool PrintWithPreview(const TPrintPage& page) override;
  void OpenHelp(const std::string& helpFile) override;
  void CloseHelp(const std::string& helpFile) override;

  // The next open dialog is answered with this file, as if the student had
  // chosen it, without being shown: how a file named on the command line goes
  // through the program's own Open.
  void AnswerNextOpenDialog(const std::string& path) { nextOpenAnswer = path; }

  // The open help window of a help file, or nullptr.
  QTextBrowser* HelpWindow(const std::string& helpFile) const;

 private:
  std::optional<std::string> RunFileDialog(TFileDialogSettings& settings, bool save);
  void GiveBackFocus();

  QPointer<QWidget> owner;
  std::map<std::string, QPointer<QTextBrowser>> helpWindows;
  std::optional<std::string> nextOpenAnswer;
};

}  // namespace kovala
