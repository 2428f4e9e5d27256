// The molecule file type for one user, so that a folder installation opens
// ".kvl" files too: the type's package under the user's data folder, and the
// refresh of the user's desktop caches that makes the type and its handler known.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kovala {

// Where the user's file type and caches live, under `dataHome`
// ($XDG_DATA_HOME, else ~/.local/share).
struct TUserTypePlaces {
  explicit TUserTypePlaces(const std::string& dataHome);
  std::string mimeFolder;      // dataHome/mime
  std::string packagesFolder;  // dataHome/mime/packages
  std::string package;         // dataHome/mime/packages/kovala-molecule.xml
  std::string applications;    // dataHome/applications
  std::string desktopCache;    // dataHome/applications/mimeinfo.cache, the types' handlers
};

std::string UserDataHome();

// The shared-mime-info package of the molecule file, as the program's
// package installs it system-wide.
std::string_view MoleculeTypePackage();

// The desktop's caches of file types and their handlers.
class IDesktopCaches {
 public:
  virtual ~IDesktopCaches() = default;
  // Brings the caches under `places` up to date with the files there.
  virtual void Refresh(const TUserTypePlaces& places) = 0;
};

// Runs update-mime-database and update-desktop-database where they are
// installed; a desktop without them simply has no caches to refresh.
class TSystemDesktopCaches : public IDesktopCaches {
 public:
  void Refresh(const TUserTypePlaces& places) override;
  static TSystemDesktopCaches& Instance();
};

// The first executable `name` in the directories of PATH; empty when none.
std::string FindOnPath(const std::string& name);
// Runs a program with its output thrown away; its exit status, or -1.
int RunQuietly(const std::vector<std::string>& arguments);

}  // namespace kovala
