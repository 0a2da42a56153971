#pragma once
#include "image/packed_dib.h"
#include "platform/warning.h"

// What the writer says when it cannot open its file; the caption is the path.
inline constexpr const char kCannotOpenFileMessage[] = "ファイルがオープンできません。";

enum class BmpWriteResult { Written, CannotOpen, ShortWrite };

// Writes `picture` to the existing file at `path`, as SaveBmpFile does, but shows nothing.
BmpWriteResult WriteBmpFile(const char* path, const PackedDib& picture);

// Writes `picture` to the existing file at `path` as a BMP file: a new 14-byte file header, then
// header, colour table and rows exactly as they stand in the block, in pieces of at most 32768
// bytes. It opens the file for writing without creating or truncating it, so the caller makes
// it exist and empty first. When the file cannot be opened it shows a warning owned by `owner`.
// True when every byte was written.
bool SaveBmpFile(OwnerWindow owner, const char* path, const PackedDib& picture);

// Bytes that SaveBmpFile writes for `picture`: 14 + header + colour table + rows.
std::uint32_t BmpFileLength(const PackedDib& picture);
