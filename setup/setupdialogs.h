// The set-up programs' dialog resources, their control identifiers and the
// titles and texts of their main windows.
#pragma once

#include "setup/setupdesktop.h"

namespace kovala {

namespace choice {
inline constexpr int DirectoryList = 106;
inline constexpr int DestinationPath = 107;
inline constexpr int DriveBox = 108;
inline constexpr int CreateGroup = 109;
}  // namespace choice

namespace diskspace {
inline constexpr int Needed = 101;
inline constexpr int Available = 102;
}  // namespace diskspace

namespace copyfile {
inline constexpr int Status = 101;
inline constexpr int Progress = 102;
}  // namespace copyfile

extern const TDialogResource ChoiceDialog;
extern const TDialogResource DiskSpaceDialog;
extern const TDialogResource CopyFileDialog;

// The main windows: blue, with a red 30-pixel banner at (30, 30).
struct TBannerWindowResource {
  const char* title;
  const char* banner;
  const char* icon;
};
extern const TBannerWindowResource InstallWindowResource;
extern const TBannerWindowResource UnInstallWindowResource;

}  // namespace kovala
