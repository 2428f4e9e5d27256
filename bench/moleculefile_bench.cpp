// Reading and writing a full 26-atom molecule to memory, and refusing
// hostile files.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "model/moleculefile.h"

namespace {

kovala::TMolecule TwentySixAtoms() {
  kovala::TMolecule m;
  for (int i = 0; i < 26; ++i) {
    kovala::TAtom a(i % 9, 30 * i, 200);
    a.parentIndex = i > 0 ? i - 1 : -1;
    a.childIndex[0] = i < 25 ? i + 1 : -1;
    m.atoms.Add(a);
    if (i > 0) m.bonds.Add(kovala::TBonds(30 * i - 10, 30 * i, 210, 210));
  }
  m.bondCount = 25;
  return m;
}

void BM_WriteMolecule(benchmark::State& state) {
  const auto m = TwentySixAtoms();
  for (auto _ : state) {
    std::ostringstream out;
    kovala::WriteMolecule(out, m);
    benchmark::DoNotOptimize(out.str().size());
  }
}
BENCHMARK(BM_WriteMolecule);

void BM_ReadMolecule(benchmark::State& state) {
  std::ostringstream out;
  kovala::WriteMolecule(out, TwentySixAtoms());
  const std::string bytes = out.str();
  for (auto _ : state) {
    std::istringstream in(bytes);
    kovala::TMolecule m;
    benchmark::DoNotOptimize(kovala::ReadMolecule(in, m));
  }
}
BENCHMARK(BM_ReadMolecule);

}  // namespace

// Hostile files the reader must refuse: the target is 0.1 s for a 64 MiB file
// and no more memory than twice its size. Every byte allocated while reading
// is counted.
namespace {

std::atomic<std::size_t> allocatedBytes{0};

}  // namespace

// Kept out of line: inlined, GCC's Release build sees `new` paired with
// free() and takes the counting replacement for a mismatched pair.
[[gnu::noinline]] void* operator new(std::size_t size) {
  allocatedBytes += size;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr std::int64_t kHostileSize = std::int64_t{64} << 20;

std::string Header(std::int32_t atoms, std::int32_t bonds, std::int32_t brackets) {
  std::string bytes = "Kovala31";
  bytes.append(8, '\0');  // terminator, spare byte, bondCount, the two flags
  for (std::int32_t count : {atoms, bonds, brackets}) {
    const auto u = static_cast<std::uint32_t>(count);
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
    if (count != 0) break;  // the records follow the first count that is not zero
  }
  return bytes;
}

// Writes the header and fills the file up to `size` bytes, sparse if asked.
std::string HostileFile(const std::string& name, const std::string& header, std::int64_t size, bool sparse) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << header;
    if (!sparse) {
      const std::string block(1 << 20, '\x01');
      for (std::int64_t left = size - static_cast<std::int64_t>(header.size()); left > 0;
           left -= static_cast<std::int64_t>(block.size()))
        out.write(block.data(), static_cast<std::streamsize>(std::min<std::int64_t>(left, block.size())));
    }
  }
  if (sparse) std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
  return path;
}

void RefuseHostileFile(benchmark::State& state, const std::string& path, std::int64_t size) {
  std::size_t mostAllocated = 0;
  for (auto _ : state) {
    const std::size_t before = allocatedBytes;
    kovala::TMolecule m;
    const kovala::TFileResult result = kovala::LoadMoleculeFile(path, m);
    mostAllocated = std::max(mostAllocated, allocatedBytes - before);
    if (result.error != kovala::TFileError::BadFormat) state.SkipWithError("the hostile file was not refused");
  }
  std::filesystem::remove(path);
  state.counters["file_MiB"] = static_cast<double>(size) / (1 << 20);
  state.counters["allocated_per_file_byte"] = static_cast<double>(mostAllocated) / static_cast<double>(size);
}

// Claims two thousand million atoms, then 64 MiB of anything.
void BM_RefuseHugeAtomCount(benchmark::State& state) {
  const std::string path = HostileFile("kovala-bench-atoms.kvl", Header(0x7FFFFFFF, 0, 0), kHostileSize, false);
  RefuseHostileFile(state, path, kHostileSize);
}
BENCHMARK(BM_RefuseHugeAtomCount)->Unit(benchmark::kMillisecond);

// Claims more brackets than its 64 MiB hold: every byte past the limit is passed over.
void BM_RefuseBracketsCutShort(benchmark::State& state) {
  const std::string path = HostileFile("kovala-bench-brackets.kvl", Header(0, 0, 0x7FFFFFFF), kHostileSize, false);
  RefuseHostileFile(state, path, kHostileSize);
}
BENCHMARK(BM_RefuseBracketsCutShort)->Unit(benchmark::kMillisecond);

// A sparse file of 1 GiB that claims more brackets than it holds.
void BM_RefuseSparseGigabyte(benchmark::State& state) {
  const std::int64_t size = std::int64_t{1} << 30;
  const std::string path = HostileFile("kovala-bench-sparse.kvl", Header(0, 0, 0x7FFFFFFF), size, true);
  RefuseHostileFile(state, path, size);
}
BENCHMARK(BM_RefuseSparseGigabyte)->Unit(benchmark::kMillisecond);

}  // namespace
