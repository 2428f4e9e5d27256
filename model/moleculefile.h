// The molecule file: a "Kovala31" header, three molecule-wide values and every
// atom, bond and bracket record, little-endian and field by field.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "framework/messagebox.h"
#include "i18n/translate.h"
#include "model/molecule.h"

namespace kovala {

enum class TReadResult { Ok, BadFormat };

// Why a file was not taken as a molecule.
enum class TFormatProblem {
  None,
  Header,        // not a molecule file at all
  CutShort,      // ends before the records it announces
  TooManyAtoms,  // more than a molecule can hold
  TooManyBonds,
  OutOfRange,  // a coordinate or counter the editor never makes
  BadLink,     // a link to an atom outside the molecule
  BadOrder,    // a bond order without its terminator
};

// What went wrong with a molecule file or an export; the window words it.
enum class TFileError {
  None,
  NoFolder,      // the folder, or the file to read, does not exist
  NotAFile,      // the name belongs to a folder or a device
  NoPermission,  // the folder or file may not be written or read
  ReadOnly,      // the file itself is write-protected
  DiskFull,
  NameTooLong,
  TooLarge,   // the molecule holds more than a molecule file may
  BadFormat,  // reading: see `format`
  Other,      // see `systemError`
};

struct TFileResult {
  TFileError error = TFileError::None;
  int systemError = 0;  // the errno behind the error, where there is one
  TFormatProblem format = TFormatProblem::None;
  bool Ok() const { return error == TFileError::None; }
};

// The file dialogs show the filter in the user's language.
inline constexpr const char* MoleculeFileFilter = TrNoop("Molecule Files (*.kvl)|*.kvl|");
inline constexpr const char* MoleculeFileExtension = "kvl";

// Writes the molecule's records and values; the undo history is not stored.
void WriteMolecule(std::ostream& out, const TMolecule& molecule);

// Replaces the molecule's records with those of the stream. A file that is
// cut short, announces more records than a molecule of the editor can hold,
// carries values the editor never makes, or links that point outside the
// molecule is refused whole: the records are left empty. Brackets beyond
// MaxBrackets are passed over. The work is linear in the bytes read, and
// nothing is allocated for records the file only claims to hold.
// The undo history is left alone; the caller empties it.
TReadResult ReadMolecule(std::istream& in, TMolecule& molecule, TFormatProblem* problem = nullptr);

// Whether every count and value of the molecule is one the reader takes back.
TFormatProblem CheckLimits(const TMolecule& molecule);

// The calls through which a save's bytes reach the disk, so that a test can
// put a disk that fills up in their place.
class TDiskWrites {
 public:
  virtual ~TDiskWrites() = default;
  // As pwrite(2): the bytes written, or -1 with errno set.
  virtual long WriteAt(int fd, const char* data, std::size_t size, long offset);
  // As posix_fallocate(3): 0, or an error number.
  virtual int Reserve(int fd, long size);
  static TDiskWrites& System();
};

// Writes a whole file beside the target under a temporary name, created
// exclusively and never through an existing name or link, and renames it over
// the target once it is complete, so a failed save leaves the old file as it
// was. A symbolic link is followed to the file it names, which is replaced
// with its permission bits kept. A write-protected target is refused. Where
// the folder takes no new file, the target is written in place.
TFileResult SaveWholeFile(const std::string& path, const std::string& bytes,
                          TDiskWrites& disk = TDiskWrites::System());
// The write in place: the space is reserved first, and on any failure the old
// bytes and length are put back.
TFileResult SaveInPlace(const std::string& path, const std::string& bytes,
                        TDiskWrites& disk = TDiskWrites::System());
// A molecule the reader would refuse is not written (TooLarge).
TFileResult SaveMoleculeFile(const std::string& path, const TMolecule& molecule,
                             TDiskWrites& disk = TDiskWrites::System());
TFileResult LoadMoleculeFile(const std::string& path, TMolecule& molecule);

// The same operations with the message boxes of a failure shown: "File cannot
// be found!" for a file not written or opened, "Incorrect File Format!" for
// one that is no molecule of this program.
bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages);
// What the exports of a molecule go through.
bool WriteWholeFile(const std::string& path, const std::string& bytes, IMessageBox& messages);
// The message of a write that did not happen.
void ShowWriteFailure(IMessageBox& messages);
bool ReadMoleculeFile(const std::string& path, TMolecule& molecule, IMessageBox& messages);
// The message box of a failed load.
void ShowReadFailure(const TFileResult& result, IMessageBox& messages);

}  // namespace kovala
