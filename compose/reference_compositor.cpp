#include "compose/reference_compositor.h"

namespace {
std::int32_t Stride(std::int32_t width, std::int32_t bits) {
  return ((width * bits + 31) / 32) * 4;
}

std::int32_t GetPixel(const std::uint8_t* row, std::int32_t x, std::int32_t bits) {
  if (bits == 8)
    return row[x];
  if (x % 2 == 0)
    return row[x / 2] >> 4;
  return row[x / 2] & 0x0F;
}

void SetPixel(std::uint8_t* row, std::int32_t x, std::int32_t bits, std::int32_t p) {
  if (bits == 8) {
    row[x] = static_cast<std::uint8_t>(p);
  } else if (x % 2 == 0) {
    row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0x0F) | (p << 4));
  } else {
    row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0xF0) | p);
  }
}
}  // namespace

void ReferenceStamp(const PackedDib& source, std::vector<std::uint8_t>& made,
                    std::int32_t targetWidth, std::int32_t targetHeight, std::int32_t ox,
                    std::int32_t oy, const ReferenceFlags& flags) {
  const std::int32_t w = DibWidth(source);
  const std::int32_t h = DibHeight(source);
  const std::int32_t bits = DibBitCount(source);
  const std::uint8_t* sourceRows = DibPixels(source);
  std::uint8_t* madeRows = made.data() + DibPixelOffset(source);
  for (std::int32_t r = 0; r < h; ++r) {
    for (std::int32_t x = 0; x < w; ++x) {
      std::int32_t dy = oy + r;
      if (dy >= targetHeight)
        dy -= targetHeight;
      std::int32_t dx = ox + x;
      if (dx >= targetWidth)
        dx -= targetWidth;
      const std::int32_t p = GetPixel(sourceRows + r * Stride(w, bits), x, bits);
      if (flags[p] == 0)
        SetPixel(madeRows + dy * Stride(targetWidth, bits), dx, bits, p);
    }
  }
}

std::vector<std::uint8_t> ReferenceCompose(const PackedDib& source, std::int32_t targetWidth,
                                           std::int32_t targetHeight, std::int32_t stampCount,
                                           ReferenceFlags& flags, RandomState& random,
                                           std::vector<std::int32_t>* progress) {
  const std::int32_t bits = DibBitCount(source);
  const std::int32_t headerSize = static_cast<std::int32_t>(DibHeaderSize(source));
  const std::int32_t count = static_cast<std::int32_t>(DibColourCount(source));
  const std::int32_t pixelOffset = headerSize + 4 * count;
  const std::int32_t stride = Stride(targetWidth, bits);

  std::vector<std::uint8_t> made(pixelOffset + stride * targetHeight, 0);
  for (std::int32_t i = 0; i < pixelOffset; ++i)
    made[i] = source.bytes()[i];
  WriteLe32(made.data() + 4, static_cast<std::uint32_t>(targetWidth));
  WriteLe32(made.data() + 8, static_cast<std::uint32_t>(targetHeight));

  std::int32_t background = count;
  for (std::int32_t i = 0; i < count && i < 256; ++i) {
    const std::uint8_t* entry = source.bytes() + headerSize + 4 * i;
    if (entry[0] == 255 && entry[1] == 255 && entry[2] == 255) {
      flags[i] = 1;
      background = i;
    } else {
      flags[i] = 0;
    }
  }
  const std::int32_t fill = bits == 8 ? background % 256 : (17 * background) % 256;
  for (std::int32_t r = 0; r < targetHeight; ++r) {
    for (std::int32_t i = 0; i < targetWidth && i < stride; ++i)
      made[pixelOffset + r * stride + i] = static_cast<std::uint8_t>(fill);
  }

  for (std::int32_t k = 0; k < stampCount; ++k) {
    if (progress != nullptr)
      progress->push_back((100 * k) / stampCount);
    const std::int32_t ox = RandomBelow(random, targetWidth);
    const std::int32_t oy = RandomBelow(random, targetHeight);
    ReferenceStamp(source, made, targetWidth, targetHeight, ox, oy, flags);
  }
  return made;
}
