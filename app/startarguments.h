// The one argument the molecule program takes: a molecule file to open after
// the splash, as a file manager passes it.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kovala {

// The file among the arguments that follow the program's name (the desktop
// library has already taken its own): the first that is not an option.
// Every other argument is ignored with a line on `errors`.
std::optional<std::string> StartFileArgument(const std::vector<std::string>& arguments, std::ostream& errors);

}  // namespace kovala
