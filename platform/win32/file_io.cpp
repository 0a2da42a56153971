#include "platform/file_io.h"

#include <windows.h>

#include <cstdio>

#include "platform/platform_detail.h"

FileHandle OpenFileForReading(const char* path) {
  HFILE file = _lopen(path, OF_READ | OF_SHARE_DENY_WRITE);
  return file == HFILE_ERROR ? kNoFile : file;
}

FileHandle OpenExistingFileForWriting(const char* path) {
  HFILE file = _lopen(path, OF_WRITE);
  return file == HFILE_ERROR ? kNoFile : file;
}

std::uint32_t ReadFilePiece(FileHandle file, void* buffer, std::uint32_t count) {
  platform_detail::NotifyFileCall(FileCall::Read, count);
  return _lread(file, buffer, count);
}

std::uint32_t WriteFilePiece(FileHandle file, const void* buffer, std::uint32_t count) {
  platform_detail::NotifyFileCall(FileCall::Write, count);
  return _lwrite(file, static_cast<LPCCH>(buffer), count);
}

std::int64_t FileLength(FileHandle file) {
  // An HFILE is the file's handle, narrowed to 32 bits.
  LARGE_INTEGER size;
  if (!GetFileSizeEx(LongToHandle(file), &size))
    return -1;
  return size.QuadPart;
}

void CloseFile(FileHandle file) {
  _lclose(file);
}

bool CreateEmptyFile(const char* path) {
  std::FILE* stream = std::fopen(path, "wb");
  if (stream == nullptr)
    return false;
  return std::fclose(stream) == 0;
}

bool RemoveFileAt(const char* path) {
  return DeleteFileA(path) != 0;
}

bool ReplaceFileWith(const char* source, const char* destination) {
  return MoveFileExA(source, destination, MOVEFILE_REPLACE_EXISTING) != 0;
}

bool CreateNewEmptyFile(const char* path) {
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  return CloseHandle(file) != 0;
}
