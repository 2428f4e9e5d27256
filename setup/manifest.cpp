#include "setup/manifest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <string_view>
#include <unordered_set>

#include "setup/filehash.h"
#include "setup/installset.h"
#include "setup/setuptext.h"

namespace kovala {

namespace {

constexpr std::string_view Header = "kovala.installed 2";

// A name a manifest may hold: a path within its own folder, so that a
// damaged manifest can never send the un-installer elsewhere.
bool PlainName(std::string_view name) { return name != ManifestName && IsInstalledName(name); }

// A path a manifest may name outside its folder: a full one, on one line,
// with no step up.
bool FullPath(std::string_view path) {
  return path.starts_with('/') && path.find("/../") == std::string_view::npos && !path.ends_with("/..") &&
         path.find('\0') == std::string_view::npos;
}

bool ParseNumber(std::string_view text, std::uint64_t& value, int base) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return error == std::errc() && end == text.data() + text.size();
}

std::string Hex(std::uint64_t value) {
  static const char digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = digits[value & 15];
  return text;
}

// Calls `line` for every line of `text`, without its line feed.
template <typename F>
void ForEachLine(std::string_view text, F line) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    line(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

bool ParseManifest(const std::string& text, TManifest& manifest) {
  manifest = TManifest{};
  if (text.size() > MaxManifestBytes) return false;
  const std::string_view all(text);
  const bool current = all.substr(0, all.find('\n')) == Header;
  manifest.legacy = !current;
  bool tooMany = false;
  std::unordered_set<std::string_view> seen;
  ForEachLine(all, [&](std::string_view line) {
    if (tooMany) return;
    if (!current) {
      // Those lists named only the files of the folder itself.
      if (PlainName(line) && line.find('/') == std::string_view::npos && seen.insert(line).second)
        manifest.files.push_back(TManifestEntry{std::string(line), 0, 0, false});
    } else if (line == "state unfinished") {
      manifest.finished = false;
    } else if (line == "folder created") {
      manifest.createdFolder = true;
    } else if (line.starts_with("made-folder ")) {
      if (IsInstalledName(line.substr(12))) manifest.madeFolders.emplace_back(line.substr(12));
    } else if (line.starts_with("token ")) {
      manifest.token = std::string(line.substr(6));
    } else if (line.starts_with("desktop-folder ")) {
      if (FullPath(line.substr(15))) manifest.desktopFolders.emplace_back(line.substr(15));
    } else if (line.starts_with("desktop-cache ")) {
      if (FullPath(line.substr(14))) manifest.desktopCaches.emplace_back(line.substr(14));
    } else if (line.starts_with("file ") || line.starts_with("desktop-file ")) {
      // file SIZE HASH NAME: the name is the rest of the line.
      const bool outside = line.starts_with("desktop-file ");
      line.remove_prefix(outside ? 13 : 5);
      const std::size_t sizeEnd = line.find(' ');
      if (sizeEnd == std::string_view::npos) return;
      const std::size_t hashEnd = line.find(' ', sizeEnd + 1);
      if (hashEnd == std::string_view::npos) return;
      TManifestEntry entry;
      entry.name = std::string(line.substr(hashEnd + 1));
      const std::string_view hash = line.substr(sizeEnd + 1, hashEnd - sizeEnd - 1);
      entry.pending = hash == "-";
      if (!(outside ? FullPath(entry.name) && !entry.pending : PlainName(entry.name)) ||
          !ParseNumber(line.substr(0, sizeEnd), entry.size, 10) ||
          (!entry.pending && !ParseNumber(hash, entry.hash, 16)))
        return;
      (outside ? manifest.desktopFiles : manifest.files).push_back(std::move(entry));
    }
    tooMany = manifest.files.size() + manifest.madeFolders.size() + manifest.desktopFiles.size() +
                  manifest.desktopFolders.size() + manifest.desktopCaches.size() >
              MaxManifestFiles;
  });
  if (manifest.token.size() != 16 || manifest.token.find_first_not_of("0123456789abcdef") != std::string::npos)
    manifest.token.clear();
  return !tooMany;
}

std::string FormatManifest(const TManifest& manifest) {
  std::string text(Header);
  text += manifest.finished ? "\nstate finished\n" : "\nstate unfinished\n";
  text += manifest.createdFolder ? "folder created\n" : "folder existing\n";
  if (!manifest.token.empty()) text += Concat({"token ", manifest.token, "\n"});
  for (const TManifestEntry& entry : manifest.files)
    if (entry.known)
      text += Concat({"file ", std::to_string(entry.size), " ", entry.pending ? "-" : Hex(entry.hash), " ", entry.name,
                      "\n"});
  for (const std::string& folder : manifest.madeFolders) text += Concat({"made-folder ", folder, "\n"});
  for (const TManifestEntry& entry : manifest.desktopFiles)
    text += Concat({"desktop-file ", std::to_string(entry.size), " ", Hex(entry.hash), " ", entry.name, "\n"});
  for (const std::string& folder : manifest.desktopFolders) text += Concat({"desktop-folder ", folder, "\n"});
  for (const std::string& cache : manifest.desktopCaches) text += Concat({"desktop-cache ", cache, "\n"});
  return text;
}

TManifestRead ReadManifest(const std::string& path, TManifest& manifest, int& error, std::string* raw) {
  manifest = TManifest{};
  error = 0;
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return error == ENOENT ? TManifestRead::Absent : TManifestRead::Unreadable;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    error = S_ISREG(info.st_mode) ? errno : EINVAL;
    close(fd);
    return TManifestRead::Unreadable;
  }
  if (static_cast<std::uint64_t>(info.st_size) > MaxManifestBytes) {
    close(fd);
    return TManifestRead::TooLarge;
  }
  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t got = 0;
  while (got < text.size()) {
    const ssize_t n = read(fd, text.data() + got, text.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  close(fd);
  text.resize(got);
  if (raw != nullptr) *raw = text;
  return ParseManifest(text, manifest) ? TManifestRead::Read : TManifestRead::TooLarge;
}

std::string TemporaryName(const std::string& name, const std::string& token) {
  // Hidden beside its final name, so the rename stays within one folder.
  const std::size_t slash = name.rfind('/');
  const std::size_t base = slash == std::string::npos ? 0 : slash + 1;
  return Concat({name.substr(0, base), ".", name.substr(base), ".", token, ".copying"});
}

bool IsInstalledName(std::string_view name) {
  if (name.empty()) return false;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(name.find('/', start), name.size());
    const std::string_view part = name.substr(start, end - start);
    // An empty part is a leading "/" or a doubled one; "." starts ".", ".."
    // and every hidden name, none of which an installation writes.
    if (part.empty() || part[0] == '.') return false;
    for (const char c : part)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    if (end == name.size()) return true;
    start = end + 1;
  }
}

TManifestIndex::TManifestIndex(const TManifest& m) : manifest(m) {
  for (std::size_t i = 0; i < manifest.files.size(); ++i) byName[manifest.files[i].name].push_back(i);
}

bool TManifestIndex::StillAsInstalled(const std::string& name, const std::string& path) const {
  const auto at = byName.find(name);
  if (at == byName.end()) return false;
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  bool sizeFits = false;
  for (std::size_t i : at->second) {
    const TManifestEntry& entry = manifest.files[i];
    if (!entry.known) return IsProgramFile(name);
    sizeFits = sizeFits || (!entry.pending && entry.size == static_cast<std::uint64_t>(info.st_size));
  }
  if (!sizeFits) return false;
  std::uint64_t size = 0, hash = 0;
  if (HashFile(path, size, hash) != 0) return false;
  for (std::size_t i : at->second) {
    const TManifestEntry& entry = manifest.files[i];
    if (!entry.pending && entry.size == size && entry.hash == hash) return true;
  }
  return false;
}

}  // namespace kovala
