// The desktop's application menu as the shell's program groups: a group is
// a submenu, each item a launcher in it, made and removed with
// xdg-desktop-menu for this user only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "setup/programgroupservice.h"

namespace kovala {

// One command of a group command text: "[AddItem(a,b,c)]" is {"AddItem", {a, b, c}}.
struct TGroupCommand {
  std::string name;
  std::vector<std::string> arguments;
  friend bool operator==(const TGroupCommand&, const TGroupCommand&) = default;
};

// The file type of a molecule file; the program's launcher opens it.
inline constexpr std::string_view MoleculeType = "application/x-kovala-molecule";

// The commands of a text; false when it is not a run of "[Name(arguments)]".
bool ParseGroupCommands(const std::string& text, std::vector<TGroupCommand>& commands);

// The Exec value of a launcher: a program is started, any other file is opened.
std::string LauncherCommand(const std::string& file);

class TXdgProgramGroups : public IProgramGroupService {
 public:
  bool Connect() override;
  bool Execute(const std::string& commandText) override;

 private:
  bool CreateGroup(const std::string& group, const std::vector<TGroupCommand>& items);
  bool DeleteGroup(const std::string& group);
  int Run(const std::vector<std::string>& arguments) const;

  std::string tool;  // the xdg-desktop-menu found on the PATH
};

}  // namespace kovala
