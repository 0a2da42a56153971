#include "compose/compositor.h"

#include <algorithm>
#include <cstring>

std::int32_t transparentFlags[kColourIndexCount] = {};

namespace {
constexpr std::uint8_t kWhite = 255;

// Pixels that a pass may write, from the flags as they stand when the pass begins.
struct OpaqueTable {
  bool opaque[kColourIndexCount];
  OpaqueTable() {
    for (int i = 0; i < kColourIndexCount; ++i)
      opaque[i] = transparentFlags[i] == 0;
  }
};

void StampRun8(const std::uint8_t* from, std::uint8_t* to, std::int32_t count,
               const OpaqueTable& table) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint8_t p = from[i];
    if (table.opaque[p])
      to[i] = p;
  }
}

// Pixel x of a 4-bit row: the high half of byte x / 2 for even x, the low half for odd x.
std::uint8_t Nibble(const std::uint8_t* row, std::int32_t x) {
  const std::uint8_t byte = row[x >> 1];
  return (x & 1) ? (byte & 0x0F) : (byte >> 4);
}

void PutNibble(std::uint8_t* row, std::int32_t x, std::uint8_t p) {
  std::uint8_t& byte = row[x >> 1];
  byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | p)
                 : static_cast<std::uint8_t>((byte & 0x0F) | (p << 4));
}

// Source pixels first .. first + count - 1 onto target pixels at .. at + count - 1.
void StampRun4(const std::uint8_t* from, std::int32_t first, std::uint8_t* to, std::int32_t at,
               std::int32_t count, const OpaqueTable& table) {
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint8_t p = Nibble(from, first + i);
    if (table.opaque[p])
      PutNibble(to, at + i, p);
  }
}
}  // namespace

std::int32_t MarkWhiteEntries(const PackedDib& source) {
  const std::uint32_t count = DibColourCount(source);
  auto background = static_cast<std::int32_t>(count);
  const std::uint8_t* table = source.bytes() + DibHeaderSize(source);
  // The flags have room for 256 entries; a longer table (never held) does not reach past them.
  const std::uint32_t marked = std::min<std::uint32_t>(count, kColourIndexCount);
  for (std::uint32_t i = 0; i < marked; ++i) {
    const std::uint8_t* entry = table + 4 * i;  // blue, green, red, reserved
    const bool white = entry[0] == kWhite && entry[1] == kWhite && entry[2] == kWhite;
    transparentFlags[i] = white ? 1 : 0;
    if (white)
      background = static_cast<std::int32_t>(i);
  }
  return background;
}

void FillBackground(PackedDib& made, std::uint8_t fill) {
  const std::uint32_t width = DibWidth(made);
  const std::uint32_t height = DibHeight(made);
  const std::uint32_t stride = DibStride(DibWidth(made), DibBitCount(made));
  const std::uint32_t reach = std::min(width, stride);
  std::uint8_t* row = DibPixels(made);
  for (std::uint32_t r = 0; r < height; ++r, row += stride) {
    std::memset(row, fill, reach);
    std::memset(row + reach, 0, stride - reach);
  }
}

void StampPicture(const PackedDib& source, PackedDib& made, std::int32_t ox, std::int32_t oy) {
  const std::int32_t w = DibWidth(source);
  const std::int32_t h = DibHeight(source);
  const std::uint16_t bits = DibBitCount(source);
  const std::int32_t targetWidth = DibWidth(made);
  const std::int32_t targetHeight = DibHeight(made);
  const std::size_t sourceStride = DibStride(DibWidth(source), bits);
  const std::size_t targetStride = DibStride(DibWidth(made), bits);
  const OpaqueTable table;

  // Columns 0 .. first - 1 land from ox on; the rest wrap round to column 0.
  const std::int32_t first = std::min(w, targetWidth - ox);
  const std::uint8_t* from = DibPixels(source);
  std::uint8_t* const target = DibPixels(made);
  for (std::int32_t r = 0; r < h; ++r, from += sourceStride) {
    std::int32_t dy = oy + r;
    if (dy >= targetHeight)
      dy -= targetHeight;
    std::uint8_t* to = target + static_cast<std::size_t>(dy) * targetStride;
    if (bits == 8) {
      StampRun8(from, to + ox, first, table);
      StampRun8(from + first, to, w - first, table);
    } else {
      StampRun4(from, 0, to, ox, first, table);
      StampRun4(from, first, to, 0, w - first, table);
    }
  }
}

PackedDib ComposeWallpaper(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           const ProgressReport& progress, RandomState& random) {
  const std::int32_t w = DibWidth(source);
  const std::int32_t h = DibHeight(source);
  const std::uint16_t bits = DibBitCount(source);
  const std::size_t headerBytes = DibPixelOffset(source);
  // Outside these bounds one subtraction would not wrap a stamp, or the canvas could not hold
  // the rows or the header; the open and the target-size rule keep every real call inside them.
  if (targetWidth < w || targetWidth > kMaxDimension || targetHeight < h ||
      targetHeight > kMaxDimension || headerBytes > kHeaderRoom) {
    return PackedDib();
  }
  PackedDib made = CreateCanvasDib(static_cast<std::int16_t>(targetWidth),
                                   static_cast<std::int16_t>(targetHeight), 0);
  if (!made)
    return made;
  std::memcpy(made.bytes(), source.bytes(), headerBytes);
  WriteLe32(made.bytes() + 4, static_cast<std::uint32_t>(targetWidth));
  WriteLe32(made.bytes() + 8, static_cast<std::uint32_t>(targetHeight));

  const std::int32_t background = MarkWhiteEntries(source);
  // At 4 bits the index goes into both halves of the byte (whenever it is 15 or less).
  const auto fill =
      static_cast<std::uint8_t>(bits == 4 ? 17u * static_cast<std::uint32_t>(background)
                                          : static_cast<std::uint32_t>(background));
  FillBackground(made, fill);

  for (std::int32_t k = 0; k < stampCount; ++k) {
    // 64 bits: 100 x k would leave the 32-bit range for counts above 21 million.
    if (progress)
      progress(static_cast<std::int32_t>(100 * static_cast<std::int64_t>(k) / stampCount));
    const std::int32_t ox = RandomBelow(random, targetWidth);
    const std::int32_t oy = RandomBelow(random, targetHeight);
    StampPicture(source, made, ox, oy);
  }
  return made;
}

PackedDib ComposeWallpaper(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           const ProgressReport& progress) {
  return ComposeWallpaper(source, targetWidth, targetHeight, stampCount, progress, randomState);
}
