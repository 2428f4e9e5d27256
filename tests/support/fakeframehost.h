// A main-window host for the frame: records what a TFakeHost records, plus the
// client switches and the requests to close the main window.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/framehost.h"
#include "tests/support/fakehost.h"

namespace kovala::test {

class TFakeFrameHost : public IFrameHost {
 public:
  // Everything asked of the frame as an ordinary window host (menu, caption,
  // message bar, invalidations, ...), by the frame and the windows sharing it.
  TFakeHost window;
  std::vector<TWindow*> clients;  // every SetClient, in order
  // The window whose close query runs before the main window closes.
  TWindow* mainWindow = nullptr;
  int closeRequests = 0;
  bool closed = false;
  bool panelShown = true;
  std::map<int, bool> checkMarks;  // by command, as last set
  double drawingScale = 1.0;
  std::vector<double> scalesSet;  // every SetDrawingScale, in order

  TWindow* Client() const { return clients.empty() ? nullptr : clients.back(); }

  void SetClient(TWindow& client) override { clients.push_back(&client); }
  void CloseMainWindow() override {
    ++closeRequests;
    if (mainWindow == nullptr || mainWindow->CanClose()) closed = true;
  }

  // The same screen area shows fewer program pixels at a larger scale.
  TRect ClientRect() const override {
    const TRect seen = window.ClientRect();
    return TRect{seen.left, seen.top, seen.left + static_cast<int>(seen.Width() / drawingScale),
                 seen.top + static_cast<int>(seen.Height() / drawingScale)};
  }
  void SetDrawingScale(double scale) override {
    drawingScale = scale;
    scalesSet.push_back(scale);
  }
  void Invalidate(bool erase) override { window.Invalidate(erase); }
  void UpdateNow() override { window.UpdateNow(); }
  void SetCursor(const std::string& name) override { window.SetCursor(name); }
  void RestoreCursor() override { window.RestoreCursor(); }
  void CaptureMouse() override { window.CaptureMouse(); }
  void ReleaseMouse() override { window.ReleaseMouse(); }
  void SetTimer(int id, int milliseconds) override { window.SetTimer(id, milliseconds); }
  void KillTimer(int id) override { window.KillTimer(id); }
  void SetCaption(const std::string& text) override { window.SetCaption(text); }
  void SetMessageBar(const std::string& text) override { window.SetMessageBar(text); }
  void PanelChanged() override { window.PanelChanged(); }
  void ShowPanel(bool shown) override { panelShown = shown; }
  // Both the frame's check marks and a window's, which the window fake records too.
  void CheckMenuItem(int command, bool checked) override {
    checkMarks[command] = checked;
    window.CheckMenuItem(command, checked);
  }
  void AssignMenu(const std::string& name) override { window.AssignMenu(name); }
  void GrayMenuItem(int command) override { window.GrayMenuItem(command); }
  // A window's key for a button goes through the main window's routing.
  void SendCommand(int command) override {
    window.SendCommand(command);
    if (mainWindow != nullptr) mainWindow->Command(command);
  }
};

}  // namespace kovala::test
