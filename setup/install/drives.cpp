#include "setup/install/drives.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace kovala {

namespace fs = std::filesystem;

namespace {

// The mounts table writes a space, tab, newline and backslash as octal escapes.
std::string Unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string digits = field.substr(i + 1, 3);
      if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out += static_cast<char>(std::stoi(digits, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool IsPseudoFileSystem(const std::string& type, const std::string& mountPoint) {
  static const std::set<std::string> pseudo{
      "proc",       "sysfs",       "devtmpfs",  "devpts",           "cgroup",
      "cgroup2",    "securityfs",  "debugfs",   "tracefs",          "pstore",
      "bpf",        "mqueue",      "hugetlbfs", "configfs",         "fusectl",
      "autofs",     "binfmt_misc", "efivarfs",  "rpc_pipefs",       "nsfs",
      "selinuxfs",  "ramfs",       "squashfs",  "overlay_internal", "fuse.gvfsd-fuse",
      "fuse.portal"};
  if (pseudo.count(type) != 0) return true;
  for (std::string_view system : {"/proc", "/sys", "/dev", "/run"})
    if (mountPoint == system || mountPoint.starts_with(std::string(system) + "/")) return true;
  return false;
}

bool ReadOnly(const std::string& options) {
  std::stringstream list(options);
  std::string option;
  while (std::getline(list, option, ','))
    if (option == "ro") return true;
  return false;
}

}  // namespace

std::vector<std::string> WritableMountPoints(std::string_view mountsTable) {
  std::set<std::string> points;
  std::istringstream lines{std::string(mountsTable)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, point, type, options;
    if (!(fields >> device >> point >> type >> options)) continue;
    point = Unescape(point);
    if (point.empty() || point[0] != '/' || IsPseudoFileSystem(type, point) || ReadOnly(options)) continue;
    points.insert(point);
  }
  return {points.begin(), points.end()};
}

std::vector<std::string> WritableMountPoints() {
  std::ifstream in("/proc/self/mounts");
  std::stringstream text;
  text << in.rdbuf();
  std::vector<std::string> points = WritableMountPoints(text.str());
  if (points.empty()) points.push_back("/");
  return points;
}

std::string DriveEntry(const std::string& mountPoint) { return "[-" + mountPoint + "-]"; }

std::string DriveOfEntry(const std::string& entry) {
  if (entry.size() < 5 || !entry.starts_with("[-") || !entry.ends_with("-]")) return {};
  return entry.substr(2, entry.size() - 4);
}

std::string DriveOf(const std::vector<std::string>& mountPoints, const std::string& path) {
  std::string best;
  for (const std::string& point : mountPoints) {
    const bool holds = point == "/" || path == point || path.starts_with(point + "/");
    if (holds && point.size() > best.size()) best = point;
  }
  return best;
}

std::vector<std::string> DirectoryEntries(const std::string& directory) {
  std::vector<std::string> entries{"[..]"};
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (name.empty() || name[0] == '.' || !it->is_directory(typeError)) continue;
    entries.push_back("[" + name + "]");
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::string DirectoryOfEntry(const std::string& entry) {
  if (entry.size() < 3 || entry.front() != '[' || entry.back() != ']') return {};
  return entry.substr(1, entry.size() - 2);
}

std::uint64_t FreeKB(const std::string& path) {
  struct statvfs info {};
  if (statvfs(path.c_str(), &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize / 1000;
}

}  // namespace kovala
