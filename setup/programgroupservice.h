// The desktop shell's program groups: receives the group command texts
// ("[CreateGroup(Kovala)][AddItem(...)]", "[DeleteGroup(Kovala)]") as they are.
#pragma once

#include <string>

namespace kovala {

class IProgramGroupService {
 public:
  virtual ~IProgramGroupService() = default;
  // False when the shell's service cannot be reached.
  virtual bool Connect() = 0;
  // False when the shell could not carry out the commands.
  virtual bool Execute(const std::string& commandText) = 0;
};

}  // namespace kovala
