#include "setup/setupdialogs.h"

#include <array>

#include "i18n/translate.h"

namespace kovala {

namespace {

using K = TControlKind;

constexpr std::array<TControlResource, 9> choiceControls{{
    {-1, K::Label, TrNoop("Destination Path:"), 18, 12, 60, 8},
    {choice::DestinationPath, K::Static, "", 79, 13, 80, 8},
    {-1, K::Label, TrNoop("Destination Drive:"), 23, 23, 40, 20},
    {choice::DriveBox, K::ComboBox, "", 22, 43, 39, 35},
    {-1, K::Label, TrNoop("Destination Directory:"), 23, 60, 60, 19},
    {choice::DirectoryList, K::ListBox, "", 16, 80, 50, 34},
    {choice::CreateGroup, K::CheckBox, TrNoop("Create Program Group"), 15, 116, 92, 12},
    {IdOk, K::DefaultButton, TrNoop("&Install"), 106, 42, 50, 14},
    {IdCancel, K::Button, TrNoop("Cancel"), 106, 64, 50, 14},
}};

constexpr std::array<TControlResource, 6> diskSpaceControls{{
    {-1, K::Label, TrNoop("Space needed:"), 24, 7, 60, 8},
    {diskspace::Needed, K::Static, "", 25, 21, 131, 18},
    {-1, K::Label, TrNoop("Space Available:"), 24, 44, 60, 8},
    {diskspace::Available, K::Static, "", 27, 59, 133, 19},
    {IdOk, K::DefaultButton, TrNoop("&Next"), 21, 98, 50, 14},
    {IdCancel, K::Button, TrNoop("Cancel"), 114, 97, 50, 14},
}};

constexpr std::array<TControlResource, 3> copyFileControls{{
    {copyfile::Status, K::Static, "", 20, 12, 120, 32},
    {-1, K::Label, TrNoop("Progress:"), 62, 61, 36, 8},
    {copyfile::Progress, K::ProgressBar, "", 6, 73, 148, 18},
}};

}  // namespace

const TDialogResource ChoiceDialog{
    "ChoiceDialog", TrNoop("Install Options"), 74, 50, 166, 141, "MS Sans Serif", 8, choiceControls};
const TDialogResource DiskSpaceDialog{
    "DiskSpace", TrNoop("Disk Space Available"), 50, 35, 186, 120, "MS Sans Serif", 8, diskSpaceControls};
const TDialogResource CopyFileDialog{"CopyFile", TrNoop("Copying Files"), 50, 30, 160, 97, "MS Sans Serif",
                                     8,          copyFileControls};

}  // namespace kovala
