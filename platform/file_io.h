#pragma once
#include <cstdint>

// Files as the picture reader and writer use them: opened by path, read and written in
// pieces, closed. A handle is a small integer; kNoFile means the file could not be opened.
using FileHandle = int;
constexpr FileHandle kNoFile = -1;

// The largest piece that one read or write may ask for.
constexpr std::uint32_t kMaxFilePiece = 32768;

// Opens an existing file for reading while others may not write to it.
FileHandle OpenFileForReading(const char* path);

// Opens an existing file for writing. Never creates or truncates it.
FileHandle OpenExistingFileForWriting(const char* path);

// Reads or writes at most kMaxFilePiece bytes; gives the count moved, or a value other than
// `count` on failure.
std::uint32_t ReadFilePiece(FileHandle file, void* buffer, std::uint32_t count);
std::uint32_t WriteFilePiece(FileHandle file, const void* buffer, std::uint32_t count);

// The file's whole length in bytes, or -1 when it cannot be told. Leaves the position as it was.
std::int64_t FileLength(FileHandle file);

void CloseFile(FileHandle file);

// Creates the file empty, or cuts it to length 0 where it exists. False when it cannot.
bool CreateEmptyFile(const char* path);

// Removes a file; false when it could not.
bool RemoveFileAt(const char* path);

// Replaces `destination` with `source` in one step (the old destination, if any, is gone only
// once the new one is in place). False when it could not.
bool ReplaceFileWith(const char* source, const char* destination);

// Lets a test see every read and write piece as it is asked for. Null switches it off.
enum class FileCall { Read, Write };
using FileCallObserver = void (*)(FileCall call, std::uint32_t count, void* context);
void SetFileCallObserver(FileCallObserver observer, void* context);

// Creates a new, empty file; false when it exists already or cannot be made.
bool CreateNewEmptyFile(const char* path);
