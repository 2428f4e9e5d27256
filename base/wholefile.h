// Writing a whole file so that nobody ever finds half of it: the bytes go to
// a new file beside the target, created exclusively under a name with a
// random part (never through an existing name or a symbolic link), are
// synced, and the file is renamed over the target. A failure leaves the old
// file as it was. POSIX only.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace kovala {

// The calls through which written bytes reach the disk, so that a test can
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

enum class TWriteFailure {
  None,
  NotAFile,  // the name belongs to a folder or a device
  ReadOnly,  // the file itself is write-protected (systemError says how)
  System,    // see systemError
};

struct TWriteResult {
  TWriteFailure failure = TWriteFailure::None;
  int systemError = 0;  // the errno behind the failure, where there is one
  bool Ok() const { return failure == TWriteFailure::None; }
};

// How a whole file replaces what stands under its name.
struct TWholeFile {
  // A document the user names (a molecule, an export): a symbolic link is
  // followed to the file it names, which keeps its permission bits; a
  // write-protected file is refused; where the folder takes no new file,
  // the file is written in place.
  static TWholeFile Document() { return {0666, true, true, true}; }
  // A file a program keeps in its own folder: whatever stands under the
  // name, a link included, is replaced by the new file with `mode`.
  static TWholeFile Private(mode_t mode) { return {mode, false, false, false}; }

  mode_t mode;
  bool followLinks;
  bool refuseReadOnly;
  bool inPlaceFallback;
};

// 16 random hexadecimal digits, for names nobody can plant beforehand.
std::string RandomToken();

// Creates `path` for writing; fails (-1, errno set) when anything, a link
// included, already stands under that name.
int CreateExclusive(const std::string& path, mode_t mode);

// A new file under a name nobody else may hold, written from the start and
// synced. Removed again unless it was finished, or renamed, without a failure.
class TNewFile {
 public:
  TNewFile(std::string path, mode_t mode, TDiskWrites& disk = TDiskWrites::System());
  ~TNewFile();
  TNewFile(const TNewFile&) = delete;
  TNewFile& operator=(const TNewFile&) = delete;

  // Appends; after the first failure nothing more is written.
  void Write(const char* data, std::size_t size);
  void SetMode(mode_t mode);
  // Syncs and closes the file: 0, or the errno of the first failure, in
  // which case the file is gone.
  int Finish();
  // Finishes and gives the file the name `target`: 0 or an errno.
  int RenameTo(const std::string& target);

  // 0, or the errno of the first failure so far.
  int Error() const { return error; }
  const std::string& Path() const { return path; }

 private:
  std::string path;
  TDiskWrites& disk;
  int fd = -1;
  long written = 0;
  int error = 0;
  bool created = false;  // this object made the file under `path`
  bool kept = false;
};

// Puts `bytes` under `path` as a whole file, the way `how` says.
TWriteResult ReplaceWholeFile(const std::string& path, const std::string& bytes,
                              const TWholeFile& how = TWholeFile::Document(),
                              TDiskWrites& disk = TDiskWrites::System());

// Writes over the file at `path` (a link followed) in place: the space is
// reserved first, and on any failure the old bytes and length are put back.
TWriteResult RewriteInPlace(const std::string& path, const std::string& bytes,
                            TDiskWrites& disk = TDiskWrites::System());

// The hidden name of a temporary file beside a target called `targetName`:
// "." + the name + `mark` + `randomPart`, no longer than a file name may be
// (255 bytes); the target's name is shortened at a character boundary to fit.
std::string TemporaryFileName(const std::string& targetName, const std::string& mark,
                              const std::string& randomPart);

}  // namespace kovala
