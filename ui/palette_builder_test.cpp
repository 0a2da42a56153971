#include "ui/palette_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "testing/test_support.h"

namespace {

PackedDib PictureOf(const Bytes& record) {
  PackedDib picture = PackedDib::Allocate(record.size());
  std::memcpy(picture.bytes(), record.data(), record.size());
  return picture;
}

std::vector<PALETTEENTRY> EntriesOf(HPALETTE palette) {
  WORD count = 0;
  EXPECT_EQ(GetObjectA(palette, sizeof count, &count), static_cast<int>(sizeof count));
  std::vector<PALETTEENTRY> entries(count);
  EXPECT_EQ(GetPaletteEntries(palette, 0, count, entries.data()), count);
  return entries;
}

// The platform's palette carries the picture's colours in table order.
TEST(BuildPalette, MakesAPlatformPaletteOfTheColourTable) {
  struct Case {
    std::uint16_t bits;
    std::uint32_t clrUsed;
    std::size_t entries;
  };
  for (const Case c : {Case{4, 0, 16}, Case{8, 0, 256}, Case{8, 20, 20}}) {
    BmpFixture f;
    f.bitCount = c.bits;
    f.colourCount = c.clrUsed;
    for (std::uint32_t i = 0; i < c.entries; ++i)  // blue i, green 2i, red 255 - i
      f.colours.push_back((255 - i) << 16 | ((2 * i) & 0xFF) << 8 | i);
    const PackedDib picture = PictureOf(f.Record());
    WarningRecorder warnings;
    HPALETTE palette = BuildPalette(nullptr, picture, 0);
    ASSERT_NE(palette, nullptr);
    const std::vector<PALETTEENTRY> entries = EntriesOf(palette);
    ASSERT_EQ(entries.size(), c.entries) << "have " << entries.size() << " entries";
    for (std::uint32_t i = 0; i < c.entries; ++i) {
      SCOPED_TRACE(testing::Message() << c.bits << " bits, entry " << i);
      EXPECT_EQ(entries[i].peRed, 255 - i);
      EXPECT_EQ(entries[i].peGreen, (2 * i) & 0xFF);
      EXPECT_EQ(entries[i].peBlue, i);
      EXPECT_EQ(entries[i].peFlags, 0);
    }
    EXPECT_TRUE(warnings.warnings.empty());
    DeleteObject(palette);
  }
}

// Every paint makes its own: the caller may delete the old one while the new one lives.
TEST(BuildPalette, EachCallMakesANewPaletteWithEqualEntries) {
  BmpFixture f;
  f.bitCount = 4;
  const PackedDib picture = PictureOf(f.Record());
  HPALETTE first = BuildPalette(nullptr, picture, 0);
  HPALETTE second = BuildPalette(nullptr, picture, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  const std::vector<PALETTEENTRY> a = EntriesOf(first);
  DeleteObject(first);
  const std::vector<PALETTEENTRY> b = EntriesOf(second);
  ASSERT_EQ(a.size(), 16u);
  ASSERT_EQ(b.size(), 16u);
  EXPECT_EQ(std::memcmp(a.data(), b.data(), 16 * sizeof(PALETTEENTRY)), 0);
  DeleteObject(second);
}

}  // namespace
