// The set-up programs' texts (joined, made printable, the reasons of
// failures) and the writing of their own files through the one writer.
#pragma once

#include <sys/types.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/wholefile.h"

namespace kovala {

// Puts `content` under `directory`/`name` as a whole file of the set-up
// program's own (base/wholefile.h): whatever stood under the name, a link
// included, is replaced by rename. 0 or an errno.
int ReplaceFile(const std::string& directory, const std::string& name, const std::string& content, mode_t mode,
                TDiskWrites& disk = TDiskWrites::System());

// The parts joined into one text. Built by appending, which GCC 12's
// optimiser does not mistake for an overlapping copy as it does a
// literal + string in a Release build.
std::string Concat(std::initializer_list<std::string_view> parts);

// The system's reason for an errno, as a sentence part: "No space left on device".
std::string Reason(int error);

// A name as it can be shown in one line: control characters become "?".
std::string Printable(const std::string& text);
bool HasControlCharacter(const std::string& text);

}  // namespace kovala
