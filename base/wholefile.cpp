#include "base/wholefile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kovala {

namespace {

namespace fs = std::filesystem;

// The longest name a Linux file system takes, in bytes.
constexpr std::size_t kNameMax = 255;
constexpr const char* kSavingMark = ".saving-";

TWriteResult Failed(int systemError) { return {TWriteFailure::System, systemError}; }
TWriteResult Failed(TWriteFailure failure, int systemError = 0) { return {failure, systemError}; }

// 0, or the errno of the first write that failed.
int WriteAllAt(int fd, const char* data, std::size_t size, long offset, TDiskWrites& disk) {
  std::size_t done = 0;
  while (done < size) {
    const long n = disk.WriteAt(fd, data + done, size - done, offset + static_cast<long>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
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
  WriteAllAt(fd, old.data(), old.size(), 0, disk);
  if (::ftruncate(fd, oldSize) != 0) return;
  ::fsync(fd);
}

TWriteResult WriteInPlace(const fs::path& target, const std::string& bytes, TDiskWrites& disk) {
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0)
    return errno == EACCES || errno == EPERM ? Failed(TWriteFailure::ReadOnly, errno) : Failed(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Failed(TWriteFailure::NotAFile);
  }
  const off_t oldSize = st.st_size;
  std::string old(std::min<std::size_t>(static_cast<std::size_t>(oldSize), bytes.size()), '\0');
  if (!ReadPrefix(fd, old)) {
    const int e = errno;
    ::close(fd);
    return Failed(e == 0 ? EIO : e);
  }

  // Nothing is overwritten before the space for the whole file is there; a
  // file system that cannot reserve is written all the same, with the old
  // bytes kept to put back.
  const int reserved = disk.Reserve(fd, static_cast<long>(bytes.size()));
  int error = 0;
  if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL && reserved != ENOSYS) {
    error = reserved;
  } else {
    error = WriteAllAt(fd, bytes.data(), bytes.size(), 0, disk);
    if (error == 0 && static_cast<off_t>(bytes.size()) < oldSize &&
        ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
      error = errno;
    if (error == 0 && ::fsync(fd) != 0) error = errno;
  }
  if (error != 0) PutBack(fd, old, oldSize, disk);
  if (::close(fd) != 0 && error == 0) error = errno;
  return error == 0 ? TWriteResult{} : Failed(error);
}

// Six characters of [a-z0-9] that differ from one attempt to the next.
std::string RandomPart(unsigned long long seed) {
  constexpr char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string part;
  for (int i = 0; i < 6; ++i) {
    part += kDigits[seed % 36];
    seed /= 36;
  }
  return part;
}

unsigned long long RandomSeed() {
  static unsigned long long counter = 0;
  unsigned long long random = 0;
  if (getrandom(&random, sizeof random, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof random))
    random = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  return random ^ (static_cast<unsigned long long>(::getpid()) << 8) ^ ++counter;
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

std::string RandomToken() {
  unsigned char bytes[8] = {};
  if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    // Unpredictable enough when the kernel's source is not there; the
    // exclusive create still refuses whatever stands in the way.
    const auto now =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    const unsigned long long mixed = now ^ (static_cast<unsigned long long>(getpid()) << 32);
    std::memcpy(bytes, &mixed, sizeof bytes);
  }
  std::string token;
  static const char digits[] = "0123456789abcdef";
  for (unsigned char b : bytes) {
    token += digits[b >> 4];
    token += digits[b & 15];
  }
  return token;
}

int CreateExclusive(const std::string& path, mode_t mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

std::string TemporaryFileName(const std::string& targetName, const std::string& mark,
                              const std::string& randomPart) {
  const std::size_t fixed = 1 + mark.size() + randomPart.size();
  const std::size_t room = fixed < kNameMax ? kNameMax - fixed : 0;
  std::size_t keep = std::min(targetName.size(), room);
  // Never cut a UTF-8 character in two.
  while (keep > 0 && keep < targetName.size() &&
         (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80)
    --keep;
  std::string name = ".";
  name.append(targetName, 0, keep);
  name += mark;
  name += randomPart;
  return name;
}

TNewFile::TNewFile(std::string filePath, mode_t mode, TDiskWrites& diskWrites)
    : path(std::move(filePath)), disk(diskWrites) {
  fd = CreateExclusive(path, mode);
  if (fd < 0) error = errno;
  created = fd >= 0;
}

TNewFile::~TNewFile() {
  if (fd >= 0) ::close(fd);
  // Made here and not finished: ours to take away, and nothing else is.
  if (created && !kept) ::unlink(path.c_str());
}

void TNewFile::Write(const char* data, std::size_t size) {
  if (error != 0 || fd < 0) return;
  error = WriteAllAt(fd, data, size, written, disk);
  if (error == 0) written += static_cast<long>(size);
}

void TNewFile::SetMode(mode_t mode) {
  if (error == 0 && fd >= 0 && ::fchmod(fd, mode) != 0) error = errno;
}

int TNewFile::Finish() {
  if (fd >= 0) {
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    fd = -1;
  }
  if (error == 0) {
    kept = true;
  } else if (created) {
    ::unlink(path.c_str());
    created = false;
  }
  return error;
}

int TNewFile::RenameTo(const std::string& target) {
  if (Finish() != 0) return error;
  if (::rename(path.c_str(), target.c_str()) != 0) {
    error = errno;
    ::unlink(path.c_str());
  }
  created = false;
  return error;
}

TWriteResult ReplaceWholeFile(const std::string& path, const std::string& bytes, const TWholeFile& how,
                              TDiskWrites& disk) {
  if (path.empty() || fs::path(path).filename().empty()) return Failed(TWriteFailure::NotAFile);
  const fs::path target = how.followLinks ? FileBehindLinks(path) : fs::path(path);
  if (target.filename().string().size() > kNameMax) return Failed(ENAMETOOLONG);

  struct stat old {};
  const bool replacing =
      (how.followLinks ? ::stat(target.c_str(), &old) : ::lstat(target.c_str(), &old)) == 0;
  if (replacing && how.followLinks) {
    if (!S_ISREG(old.st_mode)) return Failed(TWriteFailure::NotAFile);
    if (how.refuseReadOnly) {
      // A write-protected file is refused, not replaced by the rename.
      const int probe = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
      if (probe < 0)
        return errno == EACCES || errno == EPERM ? Failed(TWriteFailure::ReadOnly, errno) : Failed(errno);
      ::close(probe);
    }
  } else if (replacing && S_ISDIR(old.st_mode)) {
    return Failed(TWriteFailure::NotAFile);
  }

  // An existing name, a planted link included, is never opened but passed
  // over for another.
  const std::string targetName = target.filename().string();
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path temporary = target;
    temporary.replace_filename(TemporaryFileName(targetName, kSavingMark, RandomPart(RandomSeed())));
    TNewFile file(temporary.string(), how.mode, disk);
    if (file.Error() == EEXIST) continue;
    if (file.Error() != 0) {
      const int e = file.Error();
      // A directory that takes no new files may still hold a writable file.
      if ((e == EACCES || e == EPERM) && replacing && how.inPlaceFallback)
        return WriteInPlace(target, bytes, disk);
      return Failed(e);
    }
    file.Write(bytes.data(), bytes.size());
    // The new file takes the old one's permission bits, not the defaults.
    if (replacing && how.followLinks) file.SetMode(old.st_mode & 0777);
    const int error = file.RenameTo(target.string());
    return error == 0 ? TWriteResult{} : Failed(error);
  }
  return Failed(EEXIST);
}

TWriteResult RewriteInPlace(const std::string& path, const std::string& bytes, TDiskWrites& disk) {
  return WriteInPlace(FileBehindLinks(path), bytes, disk);
}

}  // namespace kovala
