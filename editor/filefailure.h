// The reason a molecule file or an export was not written or read, in the
// words of the explanation field; the message box keeps its own text.
#pragma once

#include <string>

#include "framework/messagebox.h"
#include "i18n/translate.h"
#include "model/moleculefile.h"

namespace kovala {

// `action` begins the sentence: "Not saved", "Not exported".
std::string WriteFailureReason(const std::string& action, const TFileResult& result, const std::string& path);
std::string ReadFailureReason(const TFileResult& result, const std::string& path);

// Why there is nothing to export while every atom still waits in the tray.
inline constexpr const char* NothingToExportReason =
    TrNoop("Nothing to export yet: drag an atom out of the tray into the drawing area first.");

// The message boxes of a failure: "File cannot be found!" for a file not
// written or opened, "Incorrect File Format!" for one that is no molecule of
// this program.
void ShowWriteFailure(IMessageBox& messages);
void ShowReadFailure(const TFileResult& result, IMessageBox& messages);
// A save, an export or a load with its failure's message box shown.
bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages);
bool WriteWholeFile(const std::string& path, const std::string& bytes, IMessageBox& messages);
bool ReadMoleculeFile(const std::string& path, TMolecule& molecule, IMessageBox& messages);

}  // namespace kovala
