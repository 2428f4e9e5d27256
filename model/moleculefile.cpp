#include "model/moleculefile.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
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

bool WriteMoleculeFile(const std::string& path, const TMolecule& molecule, IMessageBox& messages) {
  namespace fs = std::filesystem;
  const fs::path target(path);
  if (target.filename().empty()) {
    FileNotFound(messages);
    return false;
  }
  fs::path temp = target;
  // Hidden, beside the target, so the rename stays on one file system.
  std::string tempName = ".";
  tempName += target.filename().string();
  tempName += ".saving-";
  tempName += std::to_string(::getpid());
  temp.replace_filename(tempName);

  bool written = false;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      WriteMolecule(out, molecule);
      out.flush();
      written = static_cast<bool>(out);
    }
  }
  std::error_code error;
  if (written) {
    fs::rename(temp, target, error);
    written = !error;
  }
  if (!written) {
    fs::remove(temp, error);
    FileNotFound(messages);
  }
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
