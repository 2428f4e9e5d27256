#include "model/moleculefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <random>
#include <sstream>
#include <system_error>

#include "i18n/translate.h"
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
  return CheckLimits(m);
}

bool ValidLink(std::int32_t index, int atomCount) {
  return index == -1 || (index >= 0 && index < atomCount);
}

}  // namespace

TFormatProblem CheckLimits(const TMolecule& m) {
  const int atomCount = m.atoms.Count();
  if (atomCount > MaxAtoms) return TFormatProblem::TooManyAtoms;
  if (m.bonds.Count() > MaxBonds) return TFormatProblem::TooManyBonds;
  if (m.bondCount < 0 || m.bondCount > MaxBonds) return TFormatProblem::OutOfRange;
  for (const auto& atom : m.atoms) {
    if (!WithinLimits(atom)) return TFormatProblem::OutOfRange;
    if (!ValidLink(atom.parentIndex, atomCount)) return TFormatProblem::BadLink;
    for (auto c : atom.childIndex)
      if (!ValidLink(c, atomCount)) return TFormatProblem::BadLink;
  }
  for (const auto& bond : m.bonds) {
    if (std::find(bond.order.begin(), bond.order.end(), '\0') == bond.order.end()) return TFormatProblem::BadOrder;
    if (!WithinLimits(bond)) return TFormatProblem::OutOfRange;
  }
  for (const auto& bracket : m.brackets)
    if (!WithinLimits(bracket)) return TFormatProblem::OutOfRange;
  return TFormatProblem::None;
}

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

namespace fs = std::filesystem;

// The longest name a Linux file system takes, in bytes.
constexpr std::size_t kNameMax = 255;
constexpr const char* kTempMark = ".saving-";
constexpr std::size_t kTempRandomLength = 6;

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

// The file a path names, following symbolic links (relative ones from the
// link's own directory), so that saving replaces the file and keeps the link.
fs::path FileBehindLinks(const fs::path& path) {
  fs::path file = path;
  std::error_code error;
  // A loop of links ends the walk rather than the program.
  for (int hops = 0; hops < 40 && fs::is_symlink(file, error); ++hops) {
    const fs::path next = fs::read_symlink(file, error);
    if (error) break;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return file;
}

TFileResult WriteAll(int fd, const std::string& bytes, TDiskWrites& disk) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long n = disk.WriteAt(fd, bytes.data() + done, bytes.size() - done, static_cast<long>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Failure(errno);
    if (n == 0) return Failure(ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

// The first bytes of an open file, to be put back if a write in place fails.
bool ReadPrefix(int fd, std::string& into) {
  std::size_t done = 0;
  while (done < into.size()) {
    const ssize_t n = ::pread(fd, into.data() + done, into.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Puts the old bytes and length back after a failed write in place. Writing
// over bytes the file already has takes no new space.
void PutBack(int fd, const std::string& old, off_t oldSize, TDiskWrites& disk) {
  WriteAll(fd, old, disk);
  if (::ftruncate(fd, oldSize) != 0) return;
  ::fsync(fd);
}

TFileResult WriteInPlace(const fs::path& target, const std::string& bytes, TDiskWrites& disk) {
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return errno == EACCES || errno == EPERM ? Failure(TFileError::ReadOnly, errno) : Failure(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Failure(TFileError::NotAFile);
  }
  const off_t oldSize = st.st_size;
  std::string old(std::min<std::size_t>(static_cast<std::size_t>(oldSize), bytes.size()), '\0');
  if (!ReadPrefix(fd, old)) {
    const int e = errno;
    ::close(fd);
    return Failure(e == 0 ? EIO : e);
  }

  // Nothing is overwritten before the space for the whole file is there; a
  // file system that cannot reserve is written all the same, with the old
  // bytes kept to put back.
  const int reserved = disk.Reserve(fd, static_cast<long>(bytes.size()));
  TFileResult result;
  if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL && reserved != ENOSYS) {
    result = Failure(reserved);
  } else {
    result = WriteAll(fd, bytes, disk);
    if (result.Ok() && static_cast<off_t>(bytes.size()) < oldSize &&
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
      result = Failure(errno);
    if (result.Ok() && ::fsync(fd) != 0) result = Failure(errno);
  }
  if (!result.Ok()) PutBack(fd, old, oldSize, disk);
  if (::close(fd) != 0 && result.Ok()) result = Failure(errno);
  return result;
}

// A hidden name beside the target, no longer than a name may be: the
// target's name is shortened, at a character boundary, to make room.
std::string TempName(const std::string& targetName, unsigned long long seed) {
  const std::size_t room = kNameMax - 1 - std::char_traits<char>::length(kTempMark) - kTempRandomLength;
  std::size_t keep = std::min(targetName.size(), room);
  while (keep > 0 && keep < targetName.size() && (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80)
    --keep;
  std::string name = ".";
  name.append(targetName, 0, keep);
  name += kTempMark;
  constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (std::size_t i = 0; i < kTempRandomLength; ++i) {
    name += kDigits[seed % 36];
    seed /= 36;
  }
  return name;
}

// Creates the temporary file exclusively: an existing name, a planted link
// included, is never opened but passed over for another.
int CreateTemp(const fs::path& target, fs::path& temp) {
  static unsigned long long counter = 0;
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const unsigned long long seed =
        (static_cast<unsigned long long>(entropy()) << 20) ^ (static_cast<unsigned long long>(::getpid()) << 8) ^
        ++counter;
    temp = target;
    temp.replace_filename(TempName(target.filename().string(), seed));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

long TDiskWrites::WriteAt(int fd, const char* data, std::size_t size, long offset) {
  return ::pwrite(fd, data, size, static_cast<off_t>(offset));
}

int TDiskWrites::Reserve(int fd, long size) { return size > 0 ? ::posix_fallocate(fd, 0, size) : 0; }

TDiskWrites& TDiskWrites::System() {
  static TDiskWrites disk;
  return disk;
}

TFileResult SaveInPlace(const std::string& path, const std::string& bytes, TDiskWrites& disk) {
  return WriteInPlace(FileBehindLinks(path), bytes, disk);
}

TFileResult SaveWholeFile(const std::string& path, const std::string& bytes, TDiskWrites& disk) {
  if (path.empty() || fs::path(path).filename().empty()) return Failure(TFileError::NotAFile);
  const fs::path target = FileBehindLinks(path);
  if (target.filename().string().size() > kNameMax) return Failure(ENAMETOOLONG);

  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  if (replacing) {
    if (!S_ISREG(old.st_mode)) return Failure(TFileError::NotAFile);
    // A write-protected file is refused, not replaced by the rename.
    const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
    if (probe < 0)
      return errno == EACCES || errno == EPERM ? Failure(TFileError::ReadOnly, errno) : Failure(errno);
    ::close(probe);
  }

  fs::path temp;
  const int fd = CreateTemp(target, temp);
  if (fd < 0) {
    const int e = errno;
    // A directory that takes no new files may still hold a writable file.
    if ((e == EACCES || e == EPERM) && replacing) return WriteInPlace(target, bytes, disk);
    return Failure(e);
  }
  TFileResult result = WriteAll(fd, bytes, disk);
  // The new file takes the old one's permission bits, not the defaults.
  if (result.Ok() && replacing) ::fchmod(fd, old.st_mode & 0777);
  if (result.Ok() && ::fsync(fd) != 0) result = Failure(errno);
  if (::close(fd) != 0 && result.Ok()) result = Failure(errno);
  if (result.Ok() && ::rename(temp.c_str(), target.c_str()) != 0) result = Failure(errno);
  if (!result.Ok()) ::unlink(temp.c_str());
  return result;
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

namespace {

void FileNotFound(IMessageBox& messages) {
  messages.MessageBox(Tr("File cannot be found!"), Tr("Warning"), TIcon::Exclamation);
}

}  // namespace

void ShowWriteFailure(IMessageBox& messages) { FileNotFound(messages); }

void ShowReadFailure(const TFileResult& result, IMessageBox& messages) {
  if (result.error == TFileError::BadFormat)
    messages.MessageBox(Tr("Incorrect File Format!"), Tr("Warning"), TIcon::Exclamation);
  else
    FileNotFound(messages);
}

bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages) {
  const bool written = SaveMoleculeFile(path, molecule).Ok();
  if (!written) FileNotFound(messages);
  return written;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, IMessageBox& messages) {
  const bool written = SaveWholeFile(path, bytes).Ok();
  if (!written) FileNotFound(messages);
  return written;
}

bool ReadMoleculeFile(const std::string& path, TMolecule& molecule, IMessageBox& messages) {
  const TFileResult result = LoadMoleculeFile(path, molecule);
  if (!result.Ok()) ShowReadFailure(result, messages);
  return result.Ok();
}

}  // namespace kovala
