// The installer's view of the file system: the writable mounted file
// systems as drive entries "[-/home-]", directory entries "[name]", and free space.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kovala {

// The mount points of the real, writable file systems listed in a mounts
// table (the text of /proc/self/mounts), sorted.
std::vector<std::string> WritableMountPoints(std::string_view mountsTable);
std::vector<std::string> WritableMountPoints();  // of this machine

std::string DriveEntry(const std::string& mountPoint);  // "[-/home-]"
// The mount point in a drive entry; empty when it is not one.
std::string DriveOfEntry(const std::string& entry);
// The mount point holding `path`: the longest one that contains it.
std::string DriveOf(const std::vector<std::string>& mountPoints, const std::string& path);

// "[..]" and the subdirectories of `directory` as "[name]", hidden ones left
// out, sorted.
std::vector<std::string> DirectoryEntries(const std::string& directory);
// The name inside "[name]"; empty when it is not an entry.
std::string DirectoryOfEntry(const std::string& entry);

// Thousands of bytes available to the user on the file system holding
// `path`; 0 when it cannot be asked.
std::uint64_t FreeKB(const std::string& path);

}  // namespace kovala
