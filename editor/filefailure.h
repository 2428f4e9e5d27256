// The reason a molecule file or an export was not written or read, in the
// words of the explanation field; the message box keeps its own text.
#pragma once

#include <string>

#include "model/moleculefile.h"

namespace kovala {

// `action` begins the sentence: "Not saved", "Not exported".
std::string WriteFailureReason(const std::string& action, const TFileResult& result, const std::string& path);
std::string ReadFailureReason(const TFileResult& result, const std::string& path);

// Why there is nothing to export while every atom still waits in the tray.
inline constexpr const char* NothingToExportReason =
    "Nothing to export yet: drag an atom out of the tray into the drawing area first.";

}  // namespace kovala
