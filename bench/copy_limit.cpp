#include "bench/copy_limit.h"

#include <algorithm>
#include <cstring>

#include "compose/compositor.h"

namespace {
// Target bytes [at, at + count) of a row, and the source byte they are read from.
struct Segment {
  std::size_t from = 0;
  std::size_t at = 0;
  std::size_t count = 0;
};

// Source pixels [first, first + pixels) onto target pixels [at, at + pixels): the target bytes
// that hold those pixels, whole or in half.
Segment SegmentOf(std::int32_t first, std::int32_t at, std::int32_t pixels, std::uint16_t bits) {
  Segment s;
  if (pixels <= 0)
    return s;
  if (bits == 8) {
    s.from = static_cast<std::size_t>(first);
    s.at = static_cast<std::size_t>(at);
    s.count = static_cast<std::size_t>(pixels);
  } else {
    s.from = static_cast<std::size_t>(first / 2);
    s.at = static_cast<std::size_t>(at / 2);
    s.count = static_cast<std::size_t>((at + pixels - 1) / 2 - at / 2 + 1);
  }
  return s;
}
}  // namespace

PackedDib CopyLimitCompose(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount,
                           RandomState& random) {
  const std::int32_t w = DibWidth(source);
  const std::int32_t h = DibHeight(source);
  const std::uint16_t bits = DibBitCount(source);
  // The same start as the real make, so that only the passes differ.
  PackedDib made = StartMadePicture(source, targetWidth, targetHeight);
  if (!made)
    return made;

  const std::size_t sourceStride = DibStride(DibWidth(source), bits);
  const std::size_t targetStride = DibStride(DibWidth(made), bits);
  for (std::int32_t k = 0; k < stampCount; ++k) {
    const std::int32_t ox = RandomBelow(random, targetWidth);
    const std::int32_t oy = RandomBelow(random, targetHeight);
    const std::int32_t first = std::min(w, targetWidth - ox);
    const Segment head = SegmentOf(0, ox, first, bits);
    const Segment tail = SegmentOf(first, 0, w - first, bits);
    const std::uint8_t* from = DibPixels(source);
    for (std::int32_t r = 0; r < h; ++r, from += sourceStride) {
      std::int32_t dy = oy + r;
      if (dy >= targetHeight)
        dy -= targetHeight;
      std::uint8_t* to = DibPixels(made) + static_cast<std::size_t>(dy) * targetStride;
      std::memcpy(to + head.at, from + head.from, head.count);
      std::memcpy(to + tail.at, from + tail.from, tail.count);
    }
  }
  return made;
}
