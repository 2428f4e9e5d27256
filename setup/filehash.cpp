#include "setup/filehash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kovala {

namespace {

constexpr std::uint64_t P1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t P2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t P3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t P4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t P5 = 0x27D4EB2F165667C5ULL;

std::uint64_t Rotl(std::uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }

// Little-endian on every machine, so a manifest means the same everywhere.
std::uint64_t Read64(const unsigned char* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}
std::uint64_t Read32(const unsigned char* p) {
  return std::uint64_t{p[0]} | std::uint64_t{p[1]} << 8 | std::uint64_t{p[2]} << 16 | std::uint64_t{p[3]} << 24;
}

std::uint64_t Round(std::uint64_t acc, std::uint64_t input) { return Rotl(acc + input * P2, 31) * P1; }
std::uint64_t Merge(std::uint64_t acc, std::uint64_t lane) { return (acc ^ Round(0, lane)) * P1 + P4; }

}  // namespace

void TFileHash::Stripe(const unsigned char* stripe) {
  for (int i = 0; i < 4; ++i) lanes[i] = Round(lanes[i], Read64(stripe + 8 * i));
}

void TFileHash::Add(const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  total += size;
  if (pendingSize > 0) {
    const std::size_t take = std::min(size, sizeof pending - pendingSize);
    std::memcpy(pending + pendingSize, p, take);
    pendingSize += take;
    p += take;
    size -= take;
    if (pendingSize < sizeof pending) return;
    Stripe(pending);
    pendingSize = 0;
  }
  for (; size >= 32; p += 32, size -= 32) Stripe(p);
  std::memcpy(pending, p, size);
  pendingSize = size;
}

std::uint64_t TFileHash::Value() const {
  std::uint64_t h;
  if (total >= 32) {
    h = Rotl(lanes[0], 1) + Rotl(lanes[1], 7) + Rotl(lanes[2], 12) + Rotl(lanes[3], 18);
    for (std::uint64_t lane : lanes) h = Merge(h, lane);
  } else {
    h = P5;
  }
  h += total;
  const unsigned char* p = pending;
  std::size_t left = pendingSize;
  for (; left >= 8; p += 8, left -= 8) h = Rotl(h ^ Round(0, Read64(p)), 27) * P1 + P4;
  if (left >= 4) {
    h = Rotl(h ^ (Read32(p) * P1), 23) * P2 + P3;
    p += 4;
    left -= 4;
  }
  for (; left > 0; ++p, --left) h = Rotl(h ^ (*p * P5), 11) * P1;
  h ^= h >> 33;
  h *= P2;
  h ^= h >> 29;
  h *= P3;
  h ^= h >> 32;
  return h;
}

std::uint64_t HashBytes(const void* data, std::size_t size) {
  TFileHash hash;
  hash.Add(data, size);
  return hash.Value();
}

int HashFile(const std::string& path, std::uint64_t& size, std::uint64_t& hash, bool followLink) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
  if (fd < 0) return errno;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = S_ISREG(info.st_mode) ? errno : EINVAL;
    close(fd);
    return error;
  }
  TFileHash fileHash;
  std::vector<unsigned char> block(1 << 18);
  for (;;) {
    const ssize_t got = read(fd, block.data(), block.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      close(fd);
      return error;
    }
    fileHash.Add(block.data(), static_cast<std::size_t>(got));
  }
  close(fd);
  size = fileHash.Size();
  hash = fileHash.Value();
  return 0;
}

}  // namespace kovala
