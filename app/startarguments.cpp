#include "app/startarguments.h"

namespace kovala {

std::optional<std::string> StartFileArgument(const std::vector<std::string>& arguments, std::ostream& errors) {
  std::optional<std::string> file;
  for (const std::string& argument : arguments) {
    // An empty argument names nothing; one starting with "-" is an option,
    // and the program has none.
    if (!file && !argument.empty() && argument.front() != '-') {
      file = argument;
      continue;
    }
    errors << "kovala: ignoring argument \"" << argument << "\"\n";
  }
  return file;
}

}  // namespace kovala
