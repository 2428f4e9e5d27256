// The fingerprint an installation keeps of every file it copied: the 64-bit
// xxHash of its bytes (seed 0). Fast enough to run beside the copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kovala {

class TFileHash {
 public:
  void Add(const void* data, std::size_t size);
  std::uint64_t Value() const;
  std::uint64_t Size() const { return total; }

 private:
  void Stripe(const unsigned char* stripe);

  std::uint64_t lanes[4] = {0x9E3779B185EBCA87ULL + 0xC2B2AE3D27D4EB4FULL, 0xC2B2AE3D27D4EB4FULL, 0,
                            0 - 0x9E3779B185EBCA87ULL};
  unsigned char pending[32] = {};
  std::size_t pendingSize = 0;
  std::uint64_t total = 0;
};

std::uint64_t HashBytes(const void* data, std::size_t size);

// The size and hash of the regular file at `path`, opened without following
// a symbolic link unless `followLink`; 0 or the errno of the failure.
int HashFile(const std::string& path, std::uint64_t& size, std::uint64_t& hash, bool followLink = false);

}  // namespace kovala
