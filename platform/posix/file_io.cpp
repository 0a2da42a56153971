#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/platform_detail.h"

namespace {
// One read() or write() may move fewer bytes than asked without failing; go on until the
// piece is complete, the file ends or an error comes.
template <typename Call>
std::uint32_t MoveWhole(std::uint32_t count, Call call) {
  std::uint32_t done = 0;
  while (done < count) {
    ssize_t n = call(done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += static_cast<std::uint32_t>(n);
  }
  return done;
}
}  // namespace

FileHandle OpenFileForReading(const char* path) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return kNoFile;
  // POSIX has no share modes; a shared advisory lock keeps cooperating writers out.
  flock(fd, LOCK_SH | LOCK_NB);
  return fd;
}

FileHandle OpenExistingFileForWriting(const char* path) {
  int fd = open(path, O_WRONLY | O_CLOEXEC);
  return fd < 0 ? kNoFile : fd;
}

std::uint32_t ReadFilePiece(FileHandle file, void* buffer, std::uint32_t count) {
  platform_detail::NotifyFileCall(FileCall::Read, count);
  auto* bytes = static_cast<char*>(buffer);
  return MoveWhole(count,
                   [&](std::uint32_t done) { return read(file, bytes + done, count - done); });
}

std::uint32_t WriteFilePiece(FileHandle file, const void* buffer, std::uint32_t count) {
  platform_detail::NotifyFileCall(FileCall::Write, count);
  const auto* bytes = static_cast<const char*>(buffer);
  return MoveWhole(count,
                   [&](std::uint32_t done) { return write(file, bytes + done, count - done); });
}

std::int64_t FileLength(FileHandle file) {
  struct stat info;
  if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode))
    return -1;
  return info.st_size;
}

void CloseFile(FileHandle file) {
  close(file);
}

bool CreateEmptyFile(const char* path) {
  std::FILE* stream = std::fopen(path, "wb");
  if (stream == nullptr)
    return false;
  return std::fclose(stream) == 0;
}

bool RemoveFileAt(const char* path) {
  return unlink(path) == 0;
}

bool ReplaceFileWith(const char* source, const char* destination) {
  return rename(source, destination) == 0;
}

bool CreateNewEmptyFile(const char* path) {
  int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0)
    return false;
  return close(fd) == 0;
}
