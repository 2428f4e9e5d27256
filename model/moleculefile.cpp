#include "model/moleculefile.h"

#include <fcntl.h>
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
#include <sstream>
#include <system_error>

namespace kovala {

namespace {

constexpr char kMagic[8] = {'K', 'o', 'v', 'a', 'l', 'a', '3', '1'};

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

 private:
  std::istream& in;
  std::streambuf* buffer;
  bool ok = true;
};

bool ValidLink(std::int32_t index, std::int32_t atomCount) {
  return index == -1 || (index >= 0 && index < atomCount);
}

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

bool ReadRecords(TByteReader& r, TMolecule& m) {
  std::array<char, 10> header{};
  r.Bytes(header);
  if (!r.Ok() || !std::equal(std::begin(kMagic), std::end(kMagic), header.begin()) || header[8] != 0)
    return false;
  m.bondCount = r.Int();
  m.ringTemplatePlaced = r.Byte() != 0;
  m.completed = r.Byte() != 0;
  if (!r.Ok() || m.bondCount < 0) return false;

  // Records are appended one by one as their bytes arrive, so a huge count in
  // a short file stops at the end of the file instead of allocating.
  const std::int32_t atomCount = r.Int();
  for (std::int32_t i = 0; i < atomCount && r.Ok(); ++i) {
    TAtom atom;
    ReadAtom(r, atom);
    if (!r.Ok()) return false;
    if (!ValidLink(atom.parentIndex, atomCount)) return false;
    for (auto c : atom.childIndex)
      if (!ValidLink(c, atomCount)) return false;
    m.atoms.Add(atom);
  }

  const std::int32_t bondTotal = r.Int();
  for (std::int32_t i = 0; i < bondTotal && r.Ok(); ++i) {
    TBonds bond;
    bond.x1 = r.Int();
    bond.x2 = r.Int();
    bond.y1 = r.Int();
    bond.y2 = r.Int();
    r.Bytes(bond.order);
    if (!r.Ok()) return false;
    if (std::find(bond.order.begin(), bond.order.end(), '\0') == bond.order.end()) return false;
    m.bonds.Add(bond);
  }

  const std::int32_t bracketCount = r.Int();
  for (std::int32_t i = 0; i < bracketCount && r.Ok(); ++i) {
    TBrackett b;
    b.left = r.Int();
    b.right = r.Int();
    b.top = r.Int();
    b.bottom = r.Int();
    b.charge = r.Int();
    if (!r.Ok()) return false;
    m.brackets.Add(b);
  }
  return r.Ok();
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

TReadResult ReadMolecule(std::istream& in, TMolecule& m) {
  m.ClearRecords();
  TByteReader reader(in);
  const bool ok = ReadRecords(reader, m);
  // The stored flag is not kept: a read molecule is never a fresh template.
  m.ringTemplatePlaced = false;
  if (!ok) {
    m.ClearRecords();
    m.completed = false;
    return TReadResult::BadFormat;
  }
  return TReadResult::Ok;
}

namespace {

void FileNotFound(IMessageBox& messages) {
  messages.MessageBox("File cannot be found!", "Warning", TIcon::Exclamation);
}

}  // namespace

namespace {

// The file a path names, following symbolic links (relative ones from the
// link's own directory), so that saving replaces the file and keeps the link.
std::filesystem::path FileBehindLinks(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
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

// Writes all the bytes to an open descriptor and closes it; false on any
// failure, the close included.
bool WriteAllAndClose(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0;
}

}  // namespace

void ShowWriteFailure(IMessageBox& messages) { FileNotFound(messages); }

bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages) {
  std::ostringstream out;
  WriteMolecule(out, molecule);
  return WriteWholeFile(path, out.str(), messages);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes, IMessageBox& messages) {
  namespace fs = std::filesystem;
  if (fs::path(path).filename().empty()) {
    FileNotFound(messages);
    return false;
  }
  const fs::path target = FileBehindLinks(path);

  std::error_code error;
  const fs::file_status old = fs::status(target, error);
  const bool replacing = fs::exists(old);

  fs::path temp = target;
  // Hidden, beside the target, so the rename stays on one file system.
  std::string tempName = ".";
  tempName += target.filename().string();
  tempName += ".saving-";
  tempName += std::to_string(::getpid());
  temp.replace_filename(tempName);

  bool written = false;
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd >= 0) {
    written = WriteAllAndClose(fd, bytes);
    // The new file takes the old one's permission bits, not the defaults.
    if (written && replacing) fs::permissions(temp, old.permissions(), error);
    if (written) {
      fs::rename(temp, target, error);
      written = !error;
    }
    if (!written) fs::remove(temp, error);
  } else if ((errno == EACCES || errno == EPERM) && fs::is_regular_file(old)) {
    // A directory that takes no new files may still hold a writable file:
    // it is written in place, and only a failure of that write loses it.
    const int inPlace = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    written = inPlace >= 0 && WriteAllAndClose(inPlace, bytes);
  }
  if (!written) FileNotFound(messages);
  return written;
}

bool ReadMoleculeFile(const std::string& path, TMolecule& molecule, IMessageBox& messages) {
  std::error_code error;
  std::ifstream in;
  if (std::filesystem::is_regular_file(path, error)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    molecule.ClearRecords();
    molecule.ringTemplatePlaced = false;
    FileNotFound(messages);
    return false;
  }
  if (ReadMolecule(in, molecule) != TReadResult::Ok) {
    messages.MessageBox("Incorrect File Format!", "Warning", TIcon::Exclamation);
    return false;
  }
  return true;
}

}  // namespace kovala
