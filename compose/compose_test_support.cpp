#include "compose/compose_test_support.h"

#include "compose/compositor.h"

Bytes RecordOf(const PackedDib& picture) {
  const std::size_t length =
      DibPixelOffset(picture) +
      static_cast<std::size_t>(DibStride(DibWidth(picture), DibBitCount(picture))) *
          DibHeight(picture);
  return Bytes(picture.bytes(), picture.bytes() + length);
}

void ScrambleRowEnds(PackedDib& picture, std::mt19937& rng) {
  const std::uint32_t width = DibWidth(picture);
  const std::uint32_t bits = DibBitCount(picture);
  const std::uint32_t stride = DibStride(DibWidth(picture), bits);
  const std::uint32_t used = (width * bits + 7) / 8;
  for (std::uint32_t r = 0; r < DibHeight(picture); ++r) {
    std::uint8_t* row = DibPixels(picture) + r * stride;
    for (std::uint32_t i = used; i < stride; ++i)
      row[i] = static_cast<std::uint8_t>(rng());
    if (bits == 4 && width % 2 == 1)
      row[used - 1] = static_cast<std::uint8_t>((row[used - 1] & 0xF0) | (rng() & 0x0F));
  }
}

void ScramblePixels(PackedDib& picture, std::mt19937& rng) {
  const std::size_t rows =
      static_cast<std::size_t>(DibStride(DibWidth(picture), DibBitCount(picture))) *
      DibHeight(picture);
  for (std::size_t i = 0; i < rows; ++i)
    DibPixels(picture)[i] = static_cast<std::uint8_t>(rng());
}

PackedDib Canvas(const PackedDib& source, std::int32_t width, std::int32_t height,
                 std::uint8_t fill) {
  RandomState random = InitialRandomState();
  PackedDib made = ComposeWallpaper(source, width, height, 0, nullptr, random);
  FillBackground(made, fill);
  return made;
}

PackedDib RandomPicture(std::uint16_t bits, std::int32_t width, std::int32_t height,
                        const std::vector<std::uint8_t>& favoured, std::mt19937& rng) {
  BmpFixture f;
  f.bitCount = bits;
  f.width = width;
  f.height = height;
  const int top = (1 << bits) - 1;
  for (std::int32_t i = 0; i < width * height; ++i) {
    if (!favoured.empty() && rng() % 10 < 3)
      f.pixels.push_back(favoured[rng() % favoured.size()]);
    else
      f.pixels.push_back(static_cast<std::uint8_t>(rng() % (top + 1)));
  }
  PackedDib picture = PictureOf(f);
  ScrambleRowEnds(picture, rng);
  return picture;
}
