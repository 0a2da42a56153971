#include "image/packed_dib.h"

#include <cstring>
#include <utility>

#include "platform/memory.h"

PackedDib::PackedDib(PackedDib&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)), length_(std::exchange(other.length_, 0)) {}

PackedDib& PackedDib::operator=(PackedDib&& other) noexcept {
  if (this != &other) {
    if (bytes_ != nullptr)
      FreeDib(*this);
    bytes_ = std::exchange(other.bytes_, nullptr);
    length_ = std::exchange(other.length_, 0);
  }
  return *this;
}

PackedDib::~PackedDib() {
  if (bytes_ != nullptr)
    FreeDib(*this);
}

PackedDib PackedDib::Allocate(std::size_t length) {
  PackedDib picture;
  picture.bytes_ = AllocatePictureBlock(length);
  if (picture.bytes_ != nullptr)
    picture.length_ = length;
  return picture;
}

void FreeDib(PackedDib& picture) {
  ReleasePictureBlock(picture.bytes_);
  picture.bytes_ = nullptr;
  picture.length_ = 0;
}

std::uint32_t DibHeaderSize(const PackedDib& picture) {
  return ReadLe32(picture.bytes());
}

std::uint16_t DibWidth(const PackedDib& picture) {
  return ReadLe16(picture.bytes() + 4);
}

std::uint16_t DibHeight(const PackedDib& picture) {
  return ReadLe16(picture.bytes() + (DibHeaderSize(picture) == kCoreHeaderSize ? 6 : 8));
}

std::uint16_t DibBitCount(const PackedDib& picture) {
  return ReadLe16(picture.bytes() + (DibHeaderSize(picture) == kCoreHeaderSize ? 10 : 14));
}

std::uint32_t DibColourCount(const PackedDib& picture) {
  const std::uint32_t headerSize = DibHeaderSize(picture);
  if (headerSize != kCoreHeaderSize && headerSize >= 36) {
    const std::uint32_t used = ReadLe32(picture.bytes() + 32);
    if (used != 0)
      return used;
  }
  const std::uint16_t bits = DibBitCount(picture);
  if (bits == 24)
    return 0;
  // Only 4 and 8 bits are ever held; keep the shift defined for any other count.
  return bits < 32 ? (1u << bits) : 0;
}

std::size_t DibPixelOffset(const PackedDib& picture) {
  const std::size_t entrySize = DibHeaderSize(picture) == kCoreHeaderSize ? 3 : 4;
  return static_cast<std::size_t>(DibHeaderSize(picture)) +
         static_cast<std::size_t>(DibColourCount(picture)) * entrySize;
}

const std::uint8_t* DibPixels(const PackedDib& picture) {
  return picture.bytes() + DibPixelOffset(picture);
}

std::uint8_t* DibPixels(PackedDib& picture) {
  return picture.bytes() + DibPixelOffset(picture);
}

std::uint32_t DibStride(std::uint16_t width, std::uint32_t bitCount) {
  const std::uint32_t w = width;
  switch (bitCount) {
    case 4:
      return ((w + 7) / 8) * 4;
    case 8:
      return ((w + 3) / 4) * 4;
    case 24:
      return ((3 * w + 3) / 4) * 4;
    default:
      // No picture of another depth is held; the general rule keeps the answer sensible.
      return ((w * bitCount + 31) / 32) * 4;
  }
}

PackedDib CreateCanvasDib(std::int16_t width, std::int16_t height, std::int32_t bitCount) {
  if (width < 1 || height < 1)
    return PackedDib();
  // At most 32767 x 32771 x 3 + 1200: well inside size_t.
  std::size_t rows = static_cast<std::size_t>(height) * (static_cast<std::size_t>(width) + 4);
  if (bitCount > 8)
    rows *= 3;
  PackedDib canvas = PackedDib::Allocate(rows + kHeaderRoom);
  if (!canvas)
    return canvas;
  std::uint8_t* header = canvas.bytes();
  std::memset(header, 0, kInfoHeaderSize);
  WriteLe32(header + 0, kInfoHeaderSize);
  WriteLe32(header + 4, static_cast<std::uint32_t>(static_cast<std::int32_t>(width)));
  WriteLe32(header + 8, static_cast<std::uint32_t>(static_cast<std::int32_t>(height)));
  WriteLe16(header + 12, 1);  // biPlanes
  WriteLe16(header + 14, 4);  // biBitCount: 4 whatever was asked; the caller sets its own
  return canvas;
}
