#include "setup/setuptext.h"

#include <cerrno>
#include <cstring>

#include "setup/installset.h"

namespace kovala {

int ReplaceFile(const std::string& directory, const std::string& name, const std::string& content, mode_t mode,
                TDiskWrites& disk) {
  const TWriteResult written = ReplaceWholeFile(JoinPath(directory, name), content, TWholeFile::Private(mode), disk);
  if (written.Ok()) return 0;
  return written.failure == TWriteFailure::NotAFile ? EISDIR : written.systemError;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
  std::size_t size = 0;
  for (std::string_view part : parts) size += part.size();
  std::string text;
  text.reserve(size);
  for (std::string_view part : parts) text.append(part);
  return text;
}

std::string Reason(int error) { return std::strerror(error); }

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7f) return true;
  return false;
}

std::string Printable(const std::string& text) {
  std::string shown = text;
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  return shown;
}

}  // namespace kovala
