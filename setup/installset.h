// The files an installation copies and an un-installation removes, the
// manifest that records them, and the program group's command texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kovala {

// In copy order; "uninstall" is always attempted, found or not.
inline constexpr std::array<std::string_view, 4> InstallSet{"kovala", "kovala.*", "*.kvl", "*.doc"};
inline constexpr std::string_view UnInstallProgram = "uninstall";
// The translations go beside the program as locale/<language>/LC_MESSAGES/kovala.mo,
// the first place the program looks for them.
inline constexpr std::string_view CatalogueFolder = "locale";
inline constexpr std::string_view CatalogueFile = "LC_MESSAGES/kovala.mo";
// Written into the destination: what the installation put there (install/manifest.h).
inline constexpr std::string_view ManifestName = "kovala.installed";
inline constexpr std::string_view ProgramName = "kovala";
inline constexpr std::string_view GroupName = "Kovala";

// The limits of the set-up programs' texts; longer paths are refused.
// Both programs take a folder of up to 99 characters, without the final "/".
inline constexpr std::size_t MaxDestinationPath = 99;
inline constexpr std::size_t MaxSavedDirectory = 255;
inline constexpr std::size_t MaxFilePath = 139;

// "*" stands for any run of characters; everything else matches itself.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// The normal files of `directory` (no directories, no hidden files) that
// match `pattern`, sorted by name. The manifest is never one of them.
std::vector<std::string> FindFiles(const std::string& directory, std::string_view pattern);

// The install set's files found in `directory`, pattern after pattern; a
// file matching two patterns stands there twice. "uninstall" is not included.
std::vector<std::string> FindInstallSet(const std::string& directory);

// The catalogues found in `directory`, as paths relative to it, sorted:
// one for every language folder of its "locale" holding a regular file.
std::vector<std::string> FindCatalogues(const std::string& directory);

// True when every folder on the way from `directory` to its relative path
// `name` is a real folder, not a link that could lead elsewhere; a part
// that is missing ends the walk, and counts as safe.
bool InRealFolders(const std::string& directory, std::string_view name);

// Length in thousands of bytes, 0 for a file that cannot be read.
std::uint32_t FileSizeKB(const std::string& path);

// `directory` + "/" + `name`, without doubling the "/" of the root.
std::string JoinPath(const std::string& directory, std::string_view name);

// True for a folder path both set-up programs can handle.
bool WithinPathLimit(const std::string& folder);

// The program's own files: "kovala", "kovala.*" and "uninstall". No
// student saves under these names, and none can be left out of an installation.
bool IsProgramFile(std::string_view name);

// The folder holding the running program's file, whatever the current
// directory; empty when the system does not say.
std::string RunningProgramFolder();

// An argument stands in double quotes when it holds a comma, bracket or
// quote (a quote inside is doubled); otherwise as it is.
std::string GroupArgument(const std::string& argument);
std::string CreateGroupCommand(const std::string& destinationPath);
std::string DeleteGroupCommand();

}  // namespace kovala
