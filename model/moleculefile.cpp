#include "model/moleculefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>

#include "model/invariants.h"
#include "model/moleculelimits.h"

namespace kovala {

namespace {

constexpr char kMagic[8] = {'K', 'o', 'v', 'a', 'l', 'a', '3', '1'};
constexpr std::uint64_t kBracketRecordSize = 20;

// The file is put together in memory and written in one go.
void PutInt(std::string& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                         static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
  out.append(bytes, 4);
}

void PutByte(std::string& out, std::uint8_t value) { out.push_back(static_cast<char>(value)); }

// Reads from the stream's buffer directly, which is several times faster
// than formatted reads, and remembers whether the stream ran short.
class TByteReader {
 public:
  explicit TByteReader(std::istream& stream) : in(stream), buffer(stream.rdbuf()) {
    if (buffer == nullptr) ok = false;
  }

  bool Ok() const { return ok; }

  std::uint8_t Byte() {
    if (!ok) return 0;
    const auto c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      ok = false;
      in.setstate(std::ios::eofbit | std::ios::failbit);
      return 0;
    }
    return static_cast<std::uint8_t>(c);
  }

  std::int32_t Int() {
    std::uint32_t u = 0;
    for (int shift = 0; shift < 32; shift += 8) u |= static_cast<std::uint32_t>(Byte()) << shift;
    return static_cast<std::int32_t>(u);
  }

  template <std::size_t N>
  void Bytes(std::array<char, N>& into) {
    for (auto& c : into) c = static_cast<char>(Byte());
  }

  // Passes over bytes: by seeking where the stream can (a file), so that even
  // a huge file costs nothing, else in blocks. A stream that ends first is
  // cut short.
  void Skip(std::uint64_t count) {
    if (!ok) return;
    const auto here = buffer->pubseekoff(0, std::ios::cur, std::ios::in);
    const auto end = here == std::streampos(-1) ? here : buffer->pubseekoff(0, std::ios::end, std::ios::in);
    if (end != std::streampos(-1)) {
      const auto left = static_cast<std::uint64_t>(end - here);
      if (left < count) {
        ok = false;
        in.setstate(std::ios::eofbit | std::ios::failbit);
        return;
      }
      buffer->pubseekpos(here + static_cast<std::streamoff>(count), std::ios::in);
      return;
    }
    std::array<char, 65536> block;
    while (ok && count > 0) {
      const auto want = static_cast<std::streamsize>(std::min<std::uint64_t>(count, block.size()));
      const std::streamsize got = buffer->sgetn(block.data(), want);
      if (got != want) {
        ok = false;
        in.setstate(std::ios::eofbit | std::ios::failbit);
      }
      count -= static_cast<std::uint64_t>(got);
    }
  }

 private:
  std::istream& in;
  std::streambuf* buffer;
  bool ok = true;
};

void ReadAtom(TByteReader& r, TAtom& a) {
  a.x = r.Int();
  a.y = r.Int();
  a.freeElectrons = r.Int();
  a.openBonds = r.Int();
  a.parentIndex = r.Int();
  a.neighbourCount = r.Int();
  a.kind = r.Int();
  a.charge = r.Int();
  a.bonded = r.Byte();
  for (auto& c : a.childIndex) c = r.Int();
  for (auto& s : a.electronSlotTaken) s = r.Byte();
  for (auto& k : a.neighbourKind) k = r.Int();
}

TFormatProblem ReadRecords(TByteReader& r, TMolecule& m) {
  std::array<char, 10> header{};
  r.Bytes(header);
  if (!r.Ok() || !std::equal(std::begin(kMagic), std::end(kMagic), header.begin()) || header[8] != 0)
    return TFormatProblem::Header;
  m.bondCount = r.Int();
  m.ringTemplatePlaced = r.Byte() != 0;
  m.completed = r.Byte() != 0;
  if (!r.Ok()) return TFormatProblem::CutShort;

  // Each count is held against what a molecule can hold before a record is
  // read, and records are appended only as their bytes arrive, so neither a
  // huge count nor a huge file costs more than the bytes actually read.
  const std::int32_t atomCount = r.Int();
  if (!r.Ok()) return TFormatProblem::CutShort;
  if (atomCount > MaxAtoms) return TFormatProblem::TooManyAtoms;
  for (std::int32_t i = 0; i < atomCount; ++i) {
    TAtom atom;
    ReadAtom(r, atom);
    if (!r.Ok()) return TFormatProblem::CutShort;
    m.atoms.Add(atom);
  }

  const std::int32_t bondTotal = r.Int();
  if (!r.Ok()) return TFormatProblem::CutShort;
  if (bondTotal > MaxBonds) return TFormatProblem::TooManyBonds;
  for (std::int32_t i = 0; i < bondTotal; ++i) {
    TBonds bond;
    bond.x1 = r.Int();
    bond.x2 = r.Int();
    bond.y1 = r.Int();
    bond.y2 = r.Int();
    r.Bytes(bond.order);
    if (!r.Ok()) return TFormatProblem::CutShort;
    m.bonds.Add(bond);
  }

  const std::int32_t bracketCount = r.Int();
  if (!r.Ok()) return TFormatProblem::CutShort;
  const std::int32_t kept = std::min(bracketCount, MaxBrackets);
  for (std::int32_t i = 0; i < kept; ++i) {
    TBrackett b;
    b.left = r.Int();
    b.right = r.Int();
    b.top = r.Int();
    b.bottom = r.Int();
    b.charge = r.Int();
    if (!r.Ok()) return TFormatProblem::CutShort;
    m.brackets.Add(b);
  }
  // Brackets piled up beyond the limit are passed over, but must be there.
  if (bracketCount > kept) {
    r.Skip(kBracketRecordSize * (static_cast<std::uint64_t>(bracketCount) - static_cast<std::uint64_t>(kept)));
    if (!r.Ok()) return TFormatProblem::CutShort;
  }
  return BrokenInvariant(m, TInvariants::Stored).problem;
}

}  // namespace

void WriteMolecule(std::ostream& out, const TMolecule& m) {
  std::string bytes;
  bytes.reserve(28 + 73 * static_cast<std::size_t>(m.atoms.Count()) +
                26 * static_cast<std::size_t>(m.bonds.Count()) +
                20 * static_cast<std::size_t>(m.brackets.Count()));
  bytes.append(kMagic, sizeof kMagic);
  PutByte(bytes, 0);
  PutByte(bytes, 0);
  PutInt(bytes, m.bondCount);
  PutByte(bytes, m.ringTemplatePlaced ? 1 : 0);
  PutByte(bytes, m.completed ? 1 : 0);

  PutInt(bytes, m.atoms.Count());
  for (const auto& a : m.atoms) {
    PutInt(bytes, a.x);
    PutInt(bytes, a.y);
    PutInt(bytes, a.freeElectrons);
    PutInt(bytes, a.openBonds);
    PutInt(bytes, a.parentIndex);
    PutInt(bytes, a.neighbourCount);
    PutInt(bytes, a.kind);
    PutInt(bytes, a.charge);
    PutByte(bytes, a.bonded);
    for (auto c : a.childIndex) PutInt(bytes, c);
    for (auto s : a.electronSlotTaken) PutByte(bytes, s);
    for (auto k : a.neighbourKind) PutInt(bytes, k);
  }

  PutInt(bytes, m.bonds.Count());
  for (const auto& b : m.bonds) {
    PutInt(bytes, b.x1);
    PutInt(bytes, b.x2);
    PutInt(bytes, b.y1);
    PutInt(bytes, b.y2);
    // Bytes after the terminator are written as zero.
    TBonds clean;
    clean.SetOrder(b.Order());
    bytes.append(clean.order.data(), clean.order.size());
  }

  PutInt(bytes, m.brackets.Count());
  for (const auto& b : m.brackets) {
    PutInt(bytes, b.left);
    PutInt(bytes, b.right);
    PutInt(bytes, b.top);
    PutInt(bytes, b.bottom);
    PutInt(bytes, b.charge);
  }
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TReadResult ReadMolecule(std::istream& in, TMolecule& m, TFormatProblem* problem) {
  m.ClearRecords();
  TByteReader reader(in);
  const TFormatProblem found = reader.Ok() ? ReadRecords(reader, m) : TFormatProblem::CutShort;
  if (problem != nullptr) *problem = found;
  // The stored flag is not kept: a read molecule is never a fresh template.
  m.ringTemplatePlaced = false;
  if (found != TFormatProblem::None) {
    m.ClearRecords();
    m.completed = false;
    return TReadResult::BadFormat;
  }
  return TReadResult::Ok;
}

namespace {

TFileResult Failure(int systemError) {
  TFileResult result;
  result.systemError = systemError;
  switch (systemError) {
    case ENOENT:
    case ENOTDIR:
      result.error = TFileError::NoFolder;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      result.error = TFileError::NoPermission;
      break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      result.error = TFileError::DiskFull;
      break;
    case ENAMETOOLONG:
      result.error = TFileError::NameTooLong;
      break;
    case EISDIR:
      result.error = TFileError::NotAFile;
      break;
    default:
      result.error = TFileError::Other;
      break;
  }
  return result;
}

TFileResult Failure(TFileError error, int systemError = 0) {
  TFileResult result;
  result.error = error;
  result.systemError = systemError;
  return result;
}

TFileResult FileResultOf(const TWriteResult& written) {
  switch (written.failure) {
    case TWriteFailure::None:
      return {};
    case TWriteFailure::NotAFile:
      return Failure(TFileError::NotAFile);
    case TWriteFailure::ReadOnly:
      return Failure(TFileError::ReadOnly, written.systemError);
    case TWriteFailure::System:
      break;
  }
  return Failure(written.systemError);
}

}  // namespace

TFileResult SaveInPlace(const std::string& path, const std::string& bytes, TDiskWrites& disk) {
  return FileResultOf(RewriteInPlace(path, bytes, disk));
}

TFileResult SaveWholeFile(const std::string& path, const std::string& bytes, TDiskWrites& disk) {
  return FileResultOf(ReplaceWholeFile(path, bytes, TWholeFile::Document(), disk));
}

TFileResult SaveMoleculeFile(const std::string& path, const TMolecule& molecule, TDiskWrites& disk) {
  if (CheckLimits(molecule) != TFormatProblem::None) return Failure(TFileError::TooLarge);
  std::ostringstream out;
  WriteMolecule(out, molecule);
  return SaveWholeFile(path, out.str(), disk);
}

TFileResult LoadMoleculeFile(const std::string& path, TMolecule& molecule) {
  molecule.ClearRecords();
  molecule.ringTemplatePlaced = false;
  molecule.completed = false;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Failure(errno);
  if (!S_ISREG(st.st_mode)) return Failure(TFileError::NotAFile);
  // Opened once by hand to learn why it cannot be, if it cannot.
  const int probe = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (probe < 0) return Failure(errno);
  ::close(probe);
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return Failure(errno == 0 ? EIO : errno);
  TFileResult result;
  if (ReadMolecule(in, molecule, &result.format) != TReadResult::Ok) result.error = TFileError::BadFormat;
  return result;
}

}  // namespace kovala
