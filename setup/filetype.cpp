#include "setup/filetype.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "setup/installset.h"

namespace kovala {

TUserTypePlaces::TUserTypePlaces(const std::string& dataHome)
    : mimeFolder(JoinPath(dataHome, "mime")),
      packagesFolder(JoinPath(mimeFolder, "packages")),
      package(JoinPath(packagesFolder, "kovala-molecule.xml")),
      applications(JoinPath(dataHome, "applications")),
      desktopCache(JoinPath(applications, "mimeinfo.cache")) {}

std::string UserDataHome() {
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') return data;
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/share";
}

void TSystemDesktopCaches::Refresh(const TUserTypePlaces& places) {
  struct stat info {};
  // Without its packages folder the tool refuses, and leaves the old caches.
  if (const std::string tool = FindOnPath("update-mime-database");
      !tool.empty() && stat(places.packagesFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    RunQuietly({tool, places.mimeFolder});
  if (const std::string tool = FindOnPath("update-desktop-database");
      !tool.empty() && stat(places.applications.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    RunQuietly({tool, places.applications});
}

TSystemDesktopCaches& TSystemDesktopCaches::Instance() {
  static TSystemDesktopCaches caches;
  return caches;
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream entries(path != nullptr ? path : "");
  std::string entry;
  while (std::getline(entries, entry, ':')) {
    if (entry.empty()) continue;
    const std::string candidate = JoinPath(entry, name);
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

int RunQuietly(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    // The desktop tools talk on the terminal; the set-up programs have none.
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace kovala
