#pragma once
#include <windows.h>

#include <cstdint>

#include "image/packed_dib.h"

// A new logical palette from the picture's colour table, with `flags` in every entry; the caller
// owns it. When the platform refuses it: the warning "パレットができませんでした。" owned by
// `owner`, then the request to quit with code 0, and null.
HPALETTE BuildPalette(HWND owner, const PackedDib& picture, std::uint8_t flags);
