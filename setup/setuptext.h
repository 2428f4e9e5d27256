// Writing into a folder that other users may also write: every new file is
// created exclusively under a name nobody could guess in advance, never
// through an existing name or a symbolic link, and a file that is replaced
// is replaced by rename.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kovala {

// Where written bytes go. The set-up programs use write(2); tests put a
// writer here that fills up like a full disk.
using TWriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;
TWriteCall SystemWrite();

// 16 random hexadecimal digits, for names nobody can plant beforehand.
std::string RandomToken();

// Creates `path` for writing; fails (-1, errno set) when anything, a link
// included, already stands under that name.
int CreateExclusive(const std::string& path, mode_t mode);

// 0 or the errno of the first write that failed.
int WriteAll(int fd, const void* data, std::size_t size, const TWriteCall& writer);

// Puts `content` under `directory`/`name` by writing a new exclusive file
// beside it and renaming it over the old one; 0 or an errno.
int ReplaceFile(const std::string& directory, const std::string& name, const std::string& content, mode_t mode,
                const TWriteCall& writer);

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
