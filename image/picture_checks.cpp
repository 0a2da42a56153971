#include "image/picture_checks.h"

#include <cstdint>

namespace {
bool InDimensionRange(std::int64_t value) {
  return value >= 1 && value <= kMaxDimension;
}
}  // namespace

bool IsUsablePicture(const PackedDib& block) {
  constexpr std::size_t kSmallestBlock = 16;
  const std::size_t length = block.length();
  if (!block || length < kSmallestBlock)
    return false;

  const std::uint8_t* bytes = block.bytes();
  const std::uint32_t headerSize = DibHeaderSize(block);
  const bool core = headerSize == kCoreHeaderSize;
  if (headerSize < kCoreHeaderSize || (!core && headerSize < 16))
    return false;
  if (headerSize > length)
    return false;

  const std::uint16_t bits = DibBitCount(block);
  if (bits != 4 && bits != 8)
    return false;

  if (core) {
    if (!InDimensionRange(ReadLe16(bytes + 4)) || !InDimensionRange(ReadLe16(bytes + 6))) {
      return false;
    }
  } else {
    // biCompression counts only where it lies inside the header.
    if (headerSize >= 20 && ReadLe32(bytes + 16) != 0)
      return false;
    // The whole signed fields: a negative height is a top-down picture.
    const auto width = static_cast<std::int32_t>(ReadLe32(bytes + 4));
    const auto height = static_cast<std::int32_t>(ReadLe32(bytes + 8));
    if (!InDimensionRange(width) || !InDimensionRange(height))
      return false;
  }

  const std::uint32_t colours = DibColourCount(block);
  if (colours > (1u << bits))
    return false;

  // 64-bit sums: a header size is at most 2^32 and the rest is bounded above, so none overflows.
  const std::uint64_t tableBytes = static_cast<std::uint64_t>(colours) * (core ? 3 : 4);
  const std::uint64_t pixelOffset = headerSize + tableBytes;
  if (pixelOffset > kHeaderRoom)
    return false;
  const std::uint64_t rowBytes =
      static_cast<std::uint64_t>(DibHeight(block)) * DibStride(DibWidth(block), bits);
  return pixelOffset + rowBytes <= length;
}
