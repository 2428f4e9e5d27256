// The molecule file: a "Kovala31" header, three molecule-wide values and every
// atom, bond and bracket record, little-endian and field by field.
#pragma once

#include <iosfwd>
#include <string>

#include "framework/messagebox.h"
#include "model/molecule.h"

namespace kovala {

enum class TReadResult { Ok, BadFormat };

inline constexpr const char* MoleculeFileFilter = "Molecule Files (*.kvl)|*.kvl|";
inline constexpr const char* MoleculeFileExtension = "kvl";

// Writes the molecule's records and values; the undo history is not stored.
void WriteMolecule(std::ostream& out, const TMolecule& molecule);

// Replaces the molecule's records with those of the stream. A file that is
// cut short, announces more records than it holds, or carries links that
// point outside the molecule is refused whole: the records are left empty.
// The undo history is left alone; the caller empties it.
TReadResult ReadMolecule(std::istream& in, TMolecule& molecule);

// The file-level operations report failures in message boxes themselves.
// Writing goes to a temporary file beside the target that replaces it only
// once complete, so a failed save never damages the old file. A symbolic link
// is followed to the file it names, which is replaced with its permission
// bits kept; where the directory takes no new file, the file is written in
// place.
bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages);
// The same write for any bytes, with the same message on failure: what the
// exports of a molecule go through.
bool WriteWholeFile(const std::string& path, const std::string& bytes, IMessageBox& messages);
// The message of a write that did not happen.
void ShowWriteFailure(IMessageBox& messages);
bool ReadMoleculeFile(const std::string& path, TMolecule& molecule, IMessageBox& messages);

}  // namespace kovala
