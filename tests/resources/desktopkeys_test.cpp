// The desktop keys beside the accelerator table: in every state of the
// program no key is bound twice, the accelerators keep their commands, and
// each desktop key gives what its menu item gives there, or nothing.
#include "resources/desktopkeys.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/commands.h"

namespace kovala {
namespace {

// One state of the program: the menu it shows and the items grayed in it.
struct TState {
  const char* name;
  const char* menu;
  std::vector<int> grayed;
};

const std::vector<TState>& States() {
  static const std::vector<TState> states = {
      {"empty editor", menu::EmptyEditor, {}},
      {"editor", menu::Editor, {}},
      {"completed editor", menu::Editor, {cmd::AbbreviateHs}},
      {"course", menu::Course, {}},
      {"completed course", menu::Course, {cmd::AbbreviateHs}},
      {"3-D view", menu::Model, {}},
      {"3-D view animating", menu::Animating, {}},
      {"true shape", menu::TrueShape, {}},
  };
  return states;
}

void Collect(const std::vector<TMenuItem>& items, std::set<int>& out) {
  for (const TMenuItem& item : items) {
    if (item.command != 0) out.insert(item.command);
    Collect(item.popup, out);
  }
}

// What the main window answers: an item of the menu shown, not grayed.
std::function<bool(int)> OfferedIn(const TState& state) {
  std::set<int> offered;
  Collect(ProgramMenu(state.menu)->items, offered);
  for (int command : state.grayed) offered.erase(command);
  return [offered](int command) { return offered.count(command) > 0; };
}

std::string NameOf(const TDesktopKey& key) { return KeyName(key.key, key.control, key.shift, false, key.keypad); }
std::string NameOf(const TAccelerator& key) { return KeyName(key.key, false, key.shift, key.alt, false); }

const TDesktopKey& Key(const std::string& name) {
  for (const TDesktopKey& key : DesktopKeys())
    if (NameOf(key) == name) return key;
  ADD_FAILURE() << "no desktop key " << name;
  return DesktopKeys().front();
}

TEST(DesktopKeys, NoStateBindsAKeyTwiceAndTheAcceleratorsKeepTheirCommands) {
  // The accelerator table as the program has always had it, in every state.
  const std::map<std::string, int> accelerators = {
      {"Home", 501},  {"Alt+X", 24340},      {"End", 301},         {"Backspace", 201},   {"F2", 103},
      {"F3", 102},    {"Left", 701},         {"Right", 702},       {"Up", 703},          {"Down", 704},
      {"Shift+Left", 705}, {"Shift+Right", 706}, {"Shift+Up", 707}, {"Shift+Down", 708}};
  for (const TState& state : States()) {
    SCOPED_TRACE(state.name);
    const auto offered = OfferedIn(state);
    std::map<std::string, int> bound;
    for (const TAccelerator& accelerator : Accelerators())
      EXPECT_TRUE(bound.emplace(NameOf(accelerator), accelerator.command).second) << NameOf(accelerator);
    EXPECT_EQ(bound, accelerators);
    // Every desktop key is installed in every state, live or not, so none may
    // share a key with an accelerator or with another desktop key.
    for (const TDesktopKey& key : DesktopKeys()) {
      const int command = DesktopKeyCommand(key, offered);
      EXPECT_TRUE(bound.emplace(NameOf(key), command).second) << NameOf(key) << " is bound twice";
    }
    for (const auto& [name, command] : accelerators) EXPECT_EQ(bound[name], command) << name;
  }
}

struct TKeyRow {
  const char* key;
  std::map<std::string, int> byState;  // states not named give nothing
};

TEST(DesktopKeys, EachKeyGivesItsItemsCommandOnlyWhereTheItemIsOffered) {
  const std::vector<TKeyRow> rows = {
      // New has no accelerator: only the editor's menus offer it.
      {"Ctrl+N", {{"empty editor", 101}, {"editor", 101}, {"completed editor", 101}}},
      // Open, Save, Undo-Back and Exit double F3, F2, Backspace and Alt+X,
      // which act in every state; the frame then answers as it answers those.
      {"Ctrl+O", {{"empty editor", 102}, {"editor", 102}, {"completed editor", 102}, {"course", 102},
                  {"completed course", 102}, {"3-D view", 102}, {"3-D view animating", 102}, {"true shape", 102}}},
      {"Ctrl+S", {{"empty editor", 103}, {"editor", 103}, {"completed editor", 103}, {"course", 103},
                  {"completed course", 103}, {"3-D view", 103}, {"3-D view animating", 103}, {"true shape", 103}}},
      {"Ctrl+Z", {{"empty editor", 201}, {"editor", 201}, {"completed editor", 201}, {"course", 201},
                  {"completed course", 201}, {"3-D view", 201}, {"3-D view animating", 201}, {"true shape", 201}}},
      {"Ctrl+Q", {{"empty editor", 24340}, {"editor", 24340}, {"completed editor", 24340}, {"course", 24340},
                  {"completed course", 24340}, {"3-D view", 24340}, {"3-D view animating", 24340},
                  {"true shape", 24340}}},
      // Save as is the molecule windows' own command; a course would answer
      // it, but its menu does not offer it.
      {"Ctrl+Shift+S", {{"editor", 104}, {"completed editor", 104}}},
      // Copy is three items: the editor's, the 3-D view's (not while it
      // turns) and the true shape's.
      {"Ctrl+C", {{"editor", 206}, {"completed editor", 206}, {"3-D view", 625}, {"true shape", 1012}}},
      {"Ctrl+P", {{"editor", 1001}, {"completed editor", 1001}, {"true shape", 1017}}},
      {"F1", {{"empty editor", 901}, {"editor", 901}, {"completed editor", 901}}},
  };
  std::set<std::string> zoomKeys = {"Ctrl+plus", "Ctrl+=",     "Ctrl+Keypad plus", "Ctrl+minus",
                                    "Ctrl+Keypad minus", "Ctrl+0", "Ctrl+Keypad 0"};
  EXPECT_EQ(rows.size() + zoomKeys.size(), DesktopKeys().size());
  for (const TKeyRow& row : rows) {
    for (const TState& state : States()) {
      const auto expected = row.byState.find(state.name);
      EXPECT_EQ(DesktopKeyCommand(Key(row.key), OfferedIn(state)),
                expected == row.byState.end() ? 0 : expected->second)
          << row.key << " in the " << state.name;
    }
  }
  const std::map<std::string, int> zoom = {{"Ctrl+plus", 1030},  {"Ctrl+=", 1030},     {"Ctrl+Keypad plus", 1030},
                                           {"Ctrl+minus", 1031}, {"Ctrl+Keypad minus", 1031},
                                           {"Ctrl+0", 1032},     {"Ctrl+Keypad 0", 1032}};
  for (const auto& [name, command] : zoom)
    for (const TState& state : States())
      EXPECT_EQ(DesktopKeyCommand(Key(name), OfferedIn(state)), command) << name << " in the " << state.name;
}

TEST(DesktopKeys, AGrayedItemsKeyDoesNothing) {
  // A key whose only item is grayed gives nothing, even where another key of
  // the same command would.
  const TDesktopKey copy = Key("Ctrl+C");
  EXPECT_EQ(DesktopKeyCommand(copy, [](int command) { return command == cmd::CopyModel; }), cmd::CopyModel);
  EXPECT_EQ(DesktopKeyCommand(copy, [](int) { return false; }), 0);
  EXPECT_EQ(DesktopKeyCommand(Key("Ctrl+N"), [](int) { return false; }), 0);
}

TEST(DesktopKeys, MenusShowTheKeyOfTheirItemsWithoutTheKeypadOnes) {
  const std::vector<std::tuple<int, std::string>> rows = {
      {101, "Ctrl+N"},  {102, "Ctrl+O"},   {103, "Ctrl+S"}, {104, "Ctrl+Shift+S"}, {201, "Ctrl+Z"},
      {206, "Ctrl+C"},  {625, "Ctrl+C"},   {1012, "Ctrl+C"}, {1001, "Ctrl+P"},      {1017, "Ctrl+P"},
      {24340, "Ctrl+Q"}, {901, "F1"},      {1030, "Ctrl+plus"}, {1031, "Ctrl+minus"}, {1032, "Ctrl+0"}};
  for (const auto& [command, name] : rows) {
    const TDesktopKey* key = DesktopKeyShownFor(command);
    ASSERT_NE(key, nullptr) << command;
    EXPECT_EQ(NameOf(*key), name) << command;
  }
  for (int command : {202, 203, 205, 301, 451, 501, 651, 709, 1010, 1020})
    EXPECT_EQ(DesktopKeyShownFor(command), nullptr) << command;
}

TEST(DesktopKeys, TheHelpPagesShortcutTableListsEveryKey) {
  std::ifstream file(std::string(KOVALA_RESOURCE_DIR) + "/help/kovala.html");
  ASSERT_TRUE(file);
  std::stringstream page;
  page << file.rdbuf();
  const std::string text = page.str();
  const auto table = text.find("<a name=\"keys\">");
  ASSERT_NE(table, std::string::npos);
  const std::string keys = text.substr(table, text.find("</table>", table) - table);
  for (const TDesktopKey& key : DesktopKeys()) {
    if (key.keypad) continue;
    EXPECT_NE(keys.find("<td class=\"key\">" + NameOf(key)), std::string::npos) << NameOf(key);
  }
}

}  // namespace
}  // namespace kovala
