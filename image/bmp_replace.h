#pragma once
#include <string>

#include "image/packed_dib.h"
#include "platform/warning.h"

// What is said when a file was opened but could not be written in full, or not put in place.
inline constexpr const char kCannotWriteFileMessage[] = "ファイルに書き込めませんでした。";

enum class ReplaceResult { Written, CannotOpen, CannotWrite };

// Writes `picture` as a BMP file to `path` without ever destroying the file that stands there
// before the new one is complete: the picture goes to a new file beside it, which then replaces
// it in one step. On any failure the new file is removed, the old one keeps its bytes, and a
// warning owned by `owner`, with the path as caption, says what went wrong.
ReplaceResult ReplaceBmpFile(OwnerWindow owner, const std::string& path, const PackedDib& picture);
