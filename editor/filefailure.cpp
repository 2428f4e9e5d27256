#include "editor/filefailure.h"

#include <cstring>
#include <filesystem>

#include "i18n/translate.h"
#include "model/moleculelimits.h"

namespace kovala {

namespace {

// The name alone: the whole path is already in the caption or the dialog.
std::string NameOf(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return name.empty() ? path : name;
}

std::string SystemReason(int systemError) {
  return systemError != 0 ? std::string(std::strerror(systemError))
                          : std::string(Tr("the system gave no reason"));
}

}  // namespace

std::string WriteFailureReason(const std::string& action, const TFileResult& result, const std::string& path) {
  const std::string name = NameOf(path);
  switch (result.error) {
    case TFileError::None:
      return {};
    case TFileError::NoFolder:
      return FormatText(Tr("{0}: the folder for {1} does not exist."), {action, name});
    case TFileError::NotAFile:
      return FormatText(Tr("{0}: {1} is a folder, not a file."), {action, name});
    case TFileError::NoPermission:
      return FormatText(Tr("{0}: no permission to write {1} in its folder."), {action, name});
    case TFileError::ReadOnly:
      return FormatText(Tr("{0}: {1} is write-protected."), {action, name});
    case TFileError::DiskFull:
      return FormatText(Tr("{0}: the disk is full; {1} is as it was."), {action, name});
    case TFileError::NameTooLong:
      return FormatText(Tr("{0}: the name {1} is too long for the file system."), {action, name});
    case TFileError::TooLarge:
      return FormatText(Tr("{0}: the molecule holds more than a file of it can."), {action});
    case TFileError::BadFormat:
    case TFileError::Other:
      break;
  }
  return FormatText(Tr("{0}: {1}."), {action, SystemReason(result.systemError)});
}

std::string ReadFailureReason(const TFileResult& result, const std::string& path) {
  const std::string name = NameOf(path);
  switch (result.error) {
    case TFileError::None:
      return {};
    case TFileError::NoFolder:
      return FormatText(Tr("Not opened: {0} does not exist."), {name});
    case TFileError::NotAFile:
      return FormatText(Tr("Not opened: {0} is a folder, not a file."), {name});
    case TFileError::NoPermission:
    case TFileError::ReadOnly:
      return FormatText(Tr("Not opened: no permission to read {0}."), {name});
    case TFileError::BadFormat:
      switch (result.format) {
        case TFormatProblem::Header:
          return FormatText(Tr("Not opened: {0} is not a molecule file."), {name});
        case TFormatProblem::CutShort:
          return FormatText(Tr("Not opened: {0} ends before its last record."), {name});
        case TFormatProblem::TooManyAtoms:
          return FormatText(Tr("Not opened: {0} holds more than {1} atoms."),
                            {name, std::to_string(MaxAtoms)});
        case TFormatProblem::TooManyBonds:
          return FormatText(Tr("Not opened: {0} holds more than {1} bonds."),
                            {name, std::to_string(MaxBonds)});
        case TFormatProblem::OutOfRange:
          return FormatText(Tr("Not opened: {0} holds positions or counts no molecule has."), {name});
        case TFormatProblem::BadLink:
          return FormatText(Tr("Not opened: {0} links atoms that are not in it."), {name});
        case TFormatProblem::BadOrder:
          return FormatText(Tr("Not opened: a bond order in {0} has no end."), {name});
        case TFormatProblem::None:
          break;
      }
      return FormatText(Tr("Not opened: {0} is not a molecule file."), {name});
    case TFileError::DiskFull:
    case TFileError::NameTooLong:
    case TFileError::TooLarge:
    case TFileError::Other:
      break;
  }
  return FormatText(Tr("Not opened: {0}."), {SystemReason(result.systemError)});
}

void ShowWriteFailure(IMessageBox& messages) {
  messages.MessageBox(Tr("File cannot be found!"), Tr("Warning"), TIcon::Exclamation);
}

void ShowReadFailure(const TFileResult& result, IMessageBox& messages) {
  if (result.error != TFileError::BadFormat) return ShowWriteFailure(messages);
  messages.MessageBox(Tr("Incorrect File Format!"), Tr("Warning"), TIcon::Exclamation);
}

namespace {

bool Shown(const TFileResult& result, IMessageBox& messages) {
  if (!result.Ok()) ShowReadFailure(result, messages);
  return result.Ok();
}

}  // namespace

bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages) {
  return Shown(SaveMoleculeFile(path, molecule), messages);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, IMessageBox& messages) {
  return Shown(SaveWholeFile(path, bytes), messages);
}

bool ReadMoleculeFile(const std::string& path, TMolecule& molecule, IMessageBox& messages) {
  return Shown(LoadMoleculeFile(path, molecule), messages);
}

}  // namespace kovala
