#include "app/startarguments.h"

#include "i18n/translate.h"

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
    errors << "kovala: " << FormatText(Tr("ignoring argument \"{0}\""), {argument}) << "\n";
  }
  return file;
}

}  // namespace kovala
