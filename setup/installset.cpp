#include "setup/installset.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "i18n/translate.h"
#include "setup/manifest.h"
#include "setup/setuptext.h"

namespace kovala {

namespace fs = std::filesystem;

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with a single back-track point per "*".
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> FindFiles(const std::string& directory, std::string_view pattern) {
  std::vector<std::string> found;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || name == ManifestName || name.find('\n') != std::string::npos)
      continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    if (MatchesPattern(name, pattern)) found.push_back(name);
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::vector<std::string> FindInstallSet(const std::string& directory) {
  std::vector<std::string> files;
  for (std::string_view pattern : InstallSet) {
    const std::vector<std::string> found = FindFiles(directory, pattern);
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

std::vector<std::string> FindCatalogues(const std::string& directory) {
  std::vector<std::string> found;
  const std::string folder = JoinPath(directory, CatalogueFolder);
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string language = it->path().filename().string();
    const std::string name = Concat({CatalogueFolder, "/", language, "/", CatalogueFile});
    // Only a name a manifest can hold, so nothing is copied that could not be removed.
    if (!IsInstalledName(name) || !InRealFolders(directory, name)) continue;
    struct stat info {};
    if (lstat(JoinPath(directory, name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) found.push_back(name);
  }
  std::sort(found.begin(), found.end());
  return found;
}

bool InRealFolders(const std::string& directory, std::string_view name) {
  for (std::size_t slash = name.find('/'); slash != std::string_view::npos;
       slash = name.find('/', slash + 1)) {
    struct stat info {};
    if (lstat(JoinPath(directory, name.substr(0, slash)).c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISDIR(info.st_mode)) return false;
  }
  return true;
}

std::uint32_t FileSizeKB(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return 0;
  return static_cast<std::uint32_t>(std::min<std::uintmax_t>(size / 1000, UINT32_MAX));
}

std::string JoinPath(const std::string& directory, std::string_view name) {
  std::string path = directory;
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

bool WithinPathLimit(const std::string& folder) {
  std::string_view path(folder);
  if (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path.size() <= MaxDestinationPath;
}

bool IsProgramFile(std::string_view name) {
  return name == ProgramName || name == UnInstallProgram || MatchesPattern(name, "kovala.*");
}

std::string RunningProgramFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.parent_path().string();
}

std::string GroupArgument(const std::string& argument) {
  if (argument.find_first_of(",()[]\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CreateGroupCommand(const std::string& destinationPath) {
  struct Item {
    std::string_view name, file;
  };
  constexpr Item items[] = {{TrNoop("Kovala"), "kovala"},
                            {TrNoop("ReadMe"), "readme.doc"},
                            {TrNoop("Un-Install Kovala"), "uninstall"}};
  std::string text = "[CreateGroup(Kovala)]";
  for (const Item& item : items) {
    const std::string path = GroupArgument(JoinPath(destinationPath, item.file));
    text += "[AddItem(" + path + "," + std::string(item.name) + "," + path + ")]";
  }
  return text;
}

std::string DeleteGroupCommand() { return "[DeleteGroup(Kovala)]"; }

}  // namespace kovala
