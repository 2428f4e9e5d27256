#include "editor/filefailure.h"

#include <cstring>
#include <filesystem>

#include "model/moleculelimits.h"

namespace kovala {

namespace {

// The name alone: the whole path is already in the caption or the dialog.
std::string NameOf(const std::string& path) {
  const std::string name = std::filesystem::path(path).filename().string();
  return name.empty() ? path : name;
}

std::string SystemReason(int systemError) {
  return systemError != 0 ? std::string(std::strerror(systemError)) : std::string("the system gave no reason");
}

}  // namespace

std::string WriteFailureReason(const std::string& action, const TFileResult& result, const std::string& path) {
  const std::string name = NameOf(path);
  switch (result.error) {
    case TFileError::None:
      return {};
    case TFileError::NoFolder:
      return action + ": the folder for " + name + " does not exist.";
    case TFileError::NotAFile:
      return action + ": " + name + " is a folder, not a file.";
    case TFileError::NoPermission:
      return action + ": no permission to write " + name + " in its folder.";
    case TFileError::ReadOnly:
      return action + ": " + name + " is write-protected.";
    case TFileError::DiskFull:
      return action + ": the disk is full; " + name + " is as it was.";
    case TFileError::NameTooLong:
      return action + ": the name " + name + " is too long for the file system.";
    case TFileError::TooLarge:
      return action + ": the molecule holds more than a file of it can.";
    case TFileError::BadFormat:
    case TFileError::Other:
      break;
  }
  return action + ": " + SystemReason(result.systemError) + ".";
}

std::string ReadFailureReason(const TFileResult& result, const std::string& path) {
  const std::string name = NameOf(path);
  switch (result.error) {
    case TFileError::None:
      return {};
    case TFileError::NoFolder:
      return "Not opened: " + name + " does not exist.";
    case TFileError::NotAFile:
      return "Not opened: " + name + " is a folder, not a file.";
    case TFileError::NoPermission:
    case TFileError::ReadOnly:
      return "Not opened: no permission to read " + name + ".";
    case TFileError::BadFormat:
      switch (result.format) {
        case TFormatProblem::Header:
          return "Not opened: " + name + " is not a molecule file.";
        case TFormatProblem::CutShort:
          return "Not opened: " + name + " ends before its last record.";
        case TFormatProblem::TooManyAtoms:
          return "Not opened: " + name + " holds more than " + std::to_string(MaxAtoms) + " atoms.";
        case TFormatProblem::TooManyBonds:
          return "Not opened: " + name + " holds more than " + std::to_string(MaxBonds) + " bonds.";
        case TFormatProblem::OutOfRange:
          return "Not opened: " + name + " holds positions or counts no molecule has.";
        case TFormatProblem::BadLink:
          return "Not opened: " + name + " links atoms that are not in it.";
        case TFormatProblem::BadOrder:
          return "Not opened: a bond order in " + name + " has no end.";
        case TFormatProblem::None:
          break;
      }
      return "Not opened: " + name + " is not a molecule file.";
    case TFileError::DiskFull:
    case TFileError::NameTooLong:
    case TFileError::TooLarge:
    case TFileError::Other:
      break;
  }
  return "Not opened: " + SystemReason(result.systemError) + ".";
}

void ShowWriteFailure(IMessageBox& messages) {
  messages.MessageBox("File cannot be found!", "Warning", TIcon::Exclamation);
}

void ShowReadFailure(const TFileResult& result, IMessageBox& messages) {
  if (result.error != TFileError::BadFormat) return ShowWriteFailure(messages);
  messages.MessageBox("Incorrect File Format!", "Warning", TIcon::Exclamation);
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
