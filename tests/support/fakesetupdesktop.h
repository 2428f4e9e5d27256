// A set-up desktop that records every dialog and message box and answers
// from a script, and a program-group service that records its commands.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "setup/programgroupservice.h"
#include "setup/setupdesktop.h"
#include "tests/support/scripteddesktop.h"

namespace kovala::test {

struct TFakeDialog : IDialog {
  std::string name;
  std::map<int, std::string> texts;
  std::map<int, std::vector<std::string>> items;
  std::map<int, int> selected;
  std::map<int, bool> checked;
  std::vector<int> progress;
  bool visible = false;
  int answer = IdOk;

  void SetText(int id, const std::string& text) override { texts[id] = text; }
  std::string Text(int id) const override { return texts.count(id) ? texts.at(id) : std::string(); }
  void SetItems(int id, const std::vector<std::string>& list) override {
    items[id] = list;
    selected[id] = -1;
  }
  void Select(int id, int index) override { selected[id] = index; }
  std::string SelectedItem(int id) const override {
    if (!selected.count(id) || selected.at(id) < 0) return {};
    return items.at(id).at(static_cast<std::size_t>(selected.at(id)));
  }
  void SetChecked(int id, bool on) override { checked[id] = on; }
  bool IsChecked(int id) const override { return checked.count(id) && checked.at(id); }
  void SetProgress(int id, int value) override {
    if (id >= 0) progress.push_back(value);
  }
  void Show() override { visible = true; }
  void Hide() override { visible = false; }
  int Execute() override { return answer; }
};

// Hands out a dialog while the desktop keeps it for the test to look at.
struct TDialogProxy : IDialog {
  std::shared_ptr<TFakeDialog> d;
  explicit TDialogProxy(std::shared_ptr<TFakeDialog> dialog) : d(std::move(dialog)) {}
  void SetText(int id, const std::string& text) override { d->SetText(id, text); }
  std::string Text(int id) const override { return d->Text(id); }
  void SetItems(int id, const std::vector<std::string>& list) override { d->SetItems(id, list); }
  void Select(int id, int index) override { d->Select(id, index); }
  std::string SelectedItem(int id) const override { return d->SelectedItem(id); }
  void SetChecked(int id, bool on) override { d->SetChecked(id, on); }
  bool IsChecked(int id) const override { return d->IsChecked(id); }
  void SetProgress(int id, int value) override { d->SetProgress(id, value); }
  void Show() override { d->Show(); }
  void Hide() override { d->Hide(); }
  int Execute() override { return d->Execute(); }
};

class TFakeSetupDesktop : public ISetupDesktop {
 public:
  TScriptedDesktop boxes;  // message boxes and their answers
  std::vector<std::shared_ptr<TFakeDialog>> dialogs;
  std::shared_ptr<TFakeDialog> Dialog(const std::string& name) const {
    for (const auto& d : dialogs)
      if (d->name == name) return d;
    return nullptr;
  }
  std::deque<int> modalAnswers;
  int closes = 0;

  TAnswer MessageBox(const std::string& text, const std::string& caption, TIcon icon,
                     TButtons buttons) override {
    return boxes.MessageBox(text, caption, icon, buttons);
  }
  std::unique_ptr<IDialog> CreateDialog(const TDialogResource& resource, IDialogHandler*) override {
    auto dialog = std::make_shared<TFakeDialog>();
    dialog->name = std::string(resource.name);
    if (resource.name == "DiskSpace" && !modalAnswers.empty()) {
      dialog->answer = modalAnswers.front();
      modalAnswers.pop_front();
    }
    dialogs.push_back(dialog);
    return std::make_unique<TDialogProxy>(dialog);
  }
  void CloseMainWindow() override { ++closes; }
  std::vector<std::string> notes;
  std::vector<std::size_t> boxesBeforeNote;  // how many message boxes had been shown
  void ShowNote(const std::string& text) override {
    notes.push_back(text);
    boxesBeforeNote.push_back(boxes.messages.size());
  }
};

class TRecordingProgramGroups : public IProgramGroupService {
 public:
  bool reachable = true;
  bool works = true;
  int connects = 0;
  std::vector<std::string> commands;
  bool Connect() override {
    ++connects;
    return reachable;
  }
  bool Execute(const std::string& text) override {
    commands.push_back(text);
    return works;
  }
};

}  // namespace kovala::test
