#pragma once
#include <cstdint>
#include <functional>

#include "compose/random.h"
#include "image/packed_dib.h"

// One flag per colour index: 1 when pixels of that index are never stamped. One table for the
// whole program, all 0 at start and never cleared: entries beyond the current picture's colour
// table keep what an earlier picture left in them, and they count like any other.
constexpr int kColourIndexCount = 256;
extern std::int32_t transparentFlags[kColourIndexCount];

// Told the percentage done, (100 x pass) / passes, before each stamping pass.
using ProgressReport = std::function<void(std::int32_t percent)>;

// Flags the pure-white entries (blue, green and red 255; the reserved byte is not looked at) of
// the first 256 colour-table entries of `source` in transparentFlags and clears the flags of the
// others. Gives the highest pure-white index, or the number of entries when none is white.
std::int32_t MarkWhiteEntries(const PackedDib& source);

// Writes `fill` into the first targetWidth bytes of each row of `made` (never more than the
// row's length) and zero into the 0 to 3 bytes after them, so that no row carries leftover memory.
void FillBackground(PackedDib& made, std::uint8_t fill);

// The made picture before its first pass: a canvas of targetWidth x targetHeight (at most
// 32767 each) carrying the header and colour table of `source` with only biWidth and biHeight
// changed, its white entries marked and every pixel filled with the background index. None
// when no canvas can be had.
PackedDib StartMadePicture(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight);

// One stamping pass: every opaque pixel of `source` (its row r, column x) lands on pixel
// ((ox + x) mod width, (oy + r) mod height) of `made`, rows counted in stored order. Both have
// the same bit count; 0 <= ox < width and 0 <= oy < height of `made`, which is at least as large
// as `source`. Transparent pixels leave what is there; at 4 bits the other half of a byte stays.
// False, with `made` unchanged, when the pass's working rows cannot be had.
bool StampPicture(const PackedDib& source, PackedDib& made, std::int32_t ox, std::int32_t oy);

// The made picture: a new picture of targetWidth x targetHeight carrying the header and colour
// table of `source` (only biWidth and biHeight differ), filled with the background index of
// MarkWhiteEntries and stamped stampCount times (none when 0 or less) at offsets drawn from
// `random`, x then y, each pass told to `progress` first. The flags are read once, before the
// first pass. Requires source width <= targetWidth <= 32767 and the same for the heights; none
// when they are not met or the memory for the canvas or the passes cannot be had, and then
// nothing else has changed.
PackedDib ComposeWallpaper(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           const ProgressReport& progress, RandomState& random);
// The same, drawing from the program's generator.
PackedDib ComposeWallpaper(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           const ProgressReport& progress);
