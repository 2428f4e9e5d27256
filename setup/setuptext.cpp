#include "setup/setuptext.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "setup/installset.h"

namespace kovala {

TWriteCall SystemWrite() {
  return [](int fd, const void* data, std::size_t size) { return write(fd, data, size); };
}

std::string RandomToken() {
  unsigned char bytes[8] = {};
  if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    // Unpredictable enough when the kernel's source is not there; the
    // exclusive create still refuses whatever stands in the way.
    const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    const unsigned long long mixed = now ^ (static_cast<unsigned long long>(getpid()) << 32);
    std::memcpy(bytes, &mixed, sizeof bytes);
  }
  std::string token;
  static const char digits[] = "0123456789abcdef";
  for (unsigned char b : bytes) {
    token += digits[b >> 4];
    token += digits[b & 15];
  }
  return token;
}

int CreateExclusive(const std::string& path, mode_t mode) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

int WriteAll(int fd, const void* data, std::size_t size, const TWriteCall& writer) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = writer(fd, bytes, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return ENOSPC;
    bytes += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

int ReplaceFile(const std::string& directory, const std::string& name, const std::string& content, mode_t mode,
                const TWriteCall& writer) {
  const std::string temporary = JoinPath(directory, Concat({".", name, ".", RandomToken(), ".new"}));
  const int fd = CreateExclusive(temporary, mode);
  if (fd < 0) return errno;
  int error = WriteAll(fd, content.data(), content.size(), writer);
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), JoinPath(directory, name).c_str()) != 0) error = errno;
  if (error != 0) unlink(temporary.c_str());
  return error;
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
