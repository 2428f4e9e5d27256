// A window host with a fixed client rectangle that records what the window
// asked of it.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/windowhost.h"

namespace kovala::test {

class TFakeHost : public IWindowHost {
 public:
  TRect client{0, 0, 640, 400};
  int invalidations = 0;
  int erasingInvalidations = 0;
  int updates = 0;
  std::vector<std::string> cursors;  // "" marks a restore
  bool captured = false;
  std::vector<int> timers;          // running timer ids
  std::map<int, int> timerPeriods;  // milliseconds asked for, by timer id
  std::string caption;
  std::string messageBar;
  int panelChanges = 0;
  std::string menu;
  std::vector<std::string> menusAssigned;
  std::vector<int> grayed;
  std::map<int, bool> checked;  // check marks on the menu now assigned
  std::vector<int> commandsSent;
  // Where a sent command goes, as the frame's routing would take it; none
  // only records it.
  std::function<void(int)> routeCommand;

  TRect ClientRect() const override { return client; }
  void Invalidate(bool erase) override {
    ++invalidations;
    if (erase) ++erasingInvalidations;
  }
  void UpdateNow() override { ++updates; }
  void SetCursor(const std::string& name) override { cursors.push_back(name); }
  void RestoreCursor() override { cursors.push_back(""); }
  void CaptureMouse() override { captured = true; }
  void ReleaseMouse() override { captured = false; }
  void SetTimer(int id, int milliseconds) override {
    KillTimer(id);
    timers.push_back(id);
    timerPeriods[id] = milliseconds;
  }
  void KillTimer(int id) override { std::erase(timers, id); }
  void SetCaption(const std::string& text) override { caption = text; }
  void SetMessageBar(const std::string& text) override { messageBar = text; }
  void PanelChanged() override { ++panelChanges; }
  void AssignMenu(const std::string& name) override {
    menu = name;
    menusAssigned.push_back(name);
    grayed.clear();
    checked.clear();
  }
  void GrayMenuItem(int command) override { grayed.push_back(command); }
  void CheckMenuItem(int command, bool on) override { checked[command] = on; }
  void SendCommand(int command) override {
    commandsSent.push_back(command);
    if (routeCommand) routeCommand(command);
  }
};

}  // namespace kovala::test
