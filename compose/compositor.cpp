#include "compose/compositor.h"

#include <algorithm>
#include <cstring>

#include "compose/prepared_stamp.h"

std::int32_t transparentFlags[kColourIndexCount] = {};

namespace {
constexpr std::uint8_t kWhite = 255;
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

bool StampPicture(const PackedDib& source, PackedDib& made, std::int32_t ox, std::int32_t oy) {
  PreparedStamp prepared;
  if (!prepared.Reserve(source))
    return false;
  prepared.Prepare(made);
  prepared.Stamp(ox, oy);
  return true;
}

PackedDib StartMadePicture(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight) {
  const std::uint16_t bits = DibBitCount(source);
  const std::size_t headerBytes = DibPixelOffset(source);
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
  return made;
}

PackedDib ComposeWallpaper(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           const ProgressReport& progress, RandomState& random) {
  const std::int32_t w = DibWidth(source);
  const std::int32_t h = DibHeight(source);
  const std::size_t headerBytes = DibPixelOffset(source);
  // Outside these bounds one subtraction would not wrap a stamp, or the canvas could not hold
  // the rows or the header; the open and the target-size rule keep every real call inside them.
  if (targetWidth < w || targetWidth > kMaxDimension || targetHeight < h ||
      targetHeight > kMaxDimension || headerBytes > kHeaderRoom) {
    return PackedDib();
  }
  // The passes' working rows come first, so that nothing has changed when they cannot be had.
  PreparedStamp prepared;
  if (stampCount > 0 && !prepared.Reserve(source))
    return PackedDib();
  PackedDib made = StartMadePicture(source, targetWidth, targetHeight);
  if (!made)
    return made;
  if (stampCount > 0)
    prepared.Prepare(made);  // the flags stay as they are now for every pass

  for (std::int32_t k = 0; k < stampCount; ++k) {
    // 64 bits: 100 x k would leave the 32-bit range for counts above 21 million.
    if (progress)
      progress(static_cast<std::int32_t>(100 * static_cast<std::int64_t>(k) / stampCount));
    const std::int32_t ox = RandomBelow(random, targetWidth);
    const std::int32_t oy = RandomBelow(random, targetHeight);
    prepared.Stamp(ox, oy);
  }
  return made;
}

PackedDib ComposeWallpaper(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           const ProgressReport& progress) {
  return ComposeWallpaper(source, targetWidth, targetHeight, stampCount, progress, randomState);
}
