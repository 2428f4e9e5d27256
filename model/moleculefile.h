// The molecule file: a "Kovala31" header, three molecule-wide values and every
// atom, bond and bracket record, little-endian and field by field.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "base/wholefile.h"
#include "model/invariants.h"
#include "i18n/translate.h"
#include "model/molecule.h"

namespace kovala {

enum class TReadResult { Ok, BadFormat };

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

// A document's whole file (base/wholefile.h), with the failure as the
// molecule file words it: written beside the target and renamed over it, a
// symbolic link followed, a write-protected target refused, and written in
// place where the folder takes no new file.
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

}  // namespace kovala
