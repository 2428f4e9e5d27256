// The manifest `kovala.installed`: what one installation put into its
// folder, so that an update and the un-installer touch nothing else.
//
//   kovala.installed 2
//   state finished            ("unfinished" while the copy runs)
//   folder created            ("existing" when the folder was there before)
//   token 3f9a0c1d22e4b5a6    (names the run's hidden temporary copies)
//   file 30000 9b9a52953d115909 kovala
//   file 12000 - uninstall    (about to be copied; its hash is not known yet)
//   file 2100 5e0c1d22e4b5a63f locale/de/LC_MESSAGES/kovala.mo
//   made-folder locale/de     (made by an installation, removed with it when empty)
//   desktop-file 457 0c1d22e4b5a63f9a /home/ms/.local/share/mime/packages/kovala-molecule.xml
//   desktop-folder /home/ms/.local/share/mime/packages   (made for that file)
//   desktop-cache /home/ms/.local/share/applications/mimeinfo.cache   (made by the refresh)
//
// The desktop lines name what the installer put outside its folder for the
// molecule file type; an un-installer acts only on the paths it would have
// written itself, so a manifest can never send it elsewhere.
//
// Names are relative to the folder. A reader that knows no "made-folder"
// lines skips them, and one that takes only plain names skips the
// catalogues' lines, so an older un-installer leaves them rather than err.
//
// The older manifests were a plain list of names, one a line; they are
// still read, with no size or hash known for their files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kovala {

struct TManifestEntry {
  std::string name;
  std::uint64_t size = 0;
  std::uint64_t hash = 0;
  bool known = true;     // false for a name from an old list
  bool pending = false;  // listed before its copy was made: matches no file
  friend bool operator==(const TManifestEntry&, const TManifestEntry&) = default;
};

struct TManifest {
  bool finished = true;
  bool createdFolder = false;
  bool legacy = false;
  std::string token;
  // While unfinished a name may stand twice: as the earlier installation
  // left it and as this run will leave it.
  std::vector<TManifestEntry> files;
  // The sub-folders installations made, by relative path, shallower first.
  std::vector<std::string> madeFolders;
  // Outside the folder, by full path: the file type's files, the folders
  // made for them, and the desktop caches the refresh made.
  std::vector<TManifestEntry> desktopFiles;
  std::vector<std::string> desktopFolders;
  std::vector<std::string> desktopCaches;
};

// Beyond these a manifest is not one the installer wrote.
inline constexpr std::size_t MaxManifestBytes = 1 << 20;
inline constexpr std::size_t MaxManifestFiles = 20000;

enum class TManifestRead { Absent, Read, TooLarge, Unreadable };

// Reads the manifest at `path` without following a link, in time linear in
// its size. `error` is the errno when Unreadable; `text`, if given,
// receives the bytes read.
TManifestRead ReadManifest(const std::string& path, TManifest& manifest, int& error, std::string* text = nullptr);
// The same from text; false when it is too large.
bool ParseManifest(const std::string& text, TManifest& manifest);
std::string FormatManifest(const TManifest& manifest);

// A name a manifest may list: relative, of parts that are neither empty
// nor hidden (so no "." or ".."), without control characters.
bool IsInstalledName(std::string_view name);

// The hidden name under which a run with `token` copies `name`.
std::string TemporaryName(const std::string& name, const std::string& token);

// A manifest's entries by name, for lookups in constant time.
class TManifestIndex {
 public:
  explicit TManifestIndex(const TManifest& manifest);
  // True when the regular file at `path`, named `name`, is still one this
  // manifest's installation put there: its size and hash are those of an
  // entry. A name from an old list counts when it is one of the program's
  // own files, which no student saves.
  bool StillAsInstalled(const std::string& name, const std::string& path) const;
  bool Lists(const std::string& name) const { return byName.count(name) != 0; }

 private:
  const TManifest& manifest;
  std::unordered_map<std::string, std::vector<std::size_t>> byName;
};

}  // namespace kovala
