#include "image/palette.h"

#include <gtest/gtest.h>

#include <cstring>

#include "testing/test_support.h"

namespace {

PackedDib PictureOf(const Bytes& record) {
  PackedDib picture = PackedDib::Allocate(record.size());
  std::memcpy(picture.bytes(), record.data(), record.size());
  return picture;
}

Bytes PaletteOf(const PackedDib& picture, std::uint8_t flags) {
  Bytes record(PaletteRecordLength(picture), 0xEE);
  FillPaletteRecord(picture, flags, record.data());
  return record;
}

struct CountCase {
  const char* name;
  std::uint32_t headerSize;
  std::uint16_t bits;
  std::uint32_t clrUsed;
  std::uint16_t entries;
};

class PaletteCount : public testing::TestWithParam<CountCase> {};

TEST_P(PaletteCount, OneEntryPerColourTableEntry) {
  const CountCase& c = GetParam();
  BmpFixture f;
  f.headerSize = c.headerSize;
  f.bitCount = c.bits;
  f.colourCount = c.clrUsed;
  const PackedDib picture = PictureOf(f.Record());
  const Bytes record = PaletteOf(picture, 0);
  ASSERT_EQ(record.size(), 4u + 4u * c.entries) << "have " << record.size();
  EXPECT_EQ(ReadLe16(record.data()), 0x300);
  EXPECT_EQ(ReadLe16(record.data() + 2), c.entries) << "have " << ReadLe16(record.data() + 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, PaletteCount,
                         testing::Values(CountCase{"info4", 40, 4, 0, 16},
                                         CountCase{"info8", 40, 8, 0, 256},
                                         CountCase{"info8used20", 40, 8, 20, 20},
                                         CountCase{"core4", 12, 4, 0, 16},
                                         CountCase{"v4info8used3", 108, 8, 3, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// Every entry, read from where the table lies for each header, turned from blue-green-red to
// red-green-blue, with the flags in the fourth byte and the table's fourth byte ignored.
TEST(PaletteEntries, ComeFromTheTableInOrderWithTheFlags) {
  struct Case {
    std::uint32_t headerSize;
    std::uint8_t flags;
  };
  for (const Case c : {Case{40, 0}, Case{108, 0}, Case{12, 0}, Case{40, 0x04}}) {
    BmpFixture f;
    f.headerSize = c.headerSize;
    f.bitCount = 4;
    f.colours.clear();
    for (std::uint32_t i = 0; i < 16; ++i)  // blue 0x10+i, green 0x20+i, red 0x30+i, reserved 0x40
      f.colours.push_back(0x40000000u | (0x30 + i) << 16 | (0x20 + i) << 8 | (0x10 + i));
    const Bytes record = PaletteOf(PictureOf(f.Record()), c.flags);
    ASSERT_EQ(record.size(), 4u + 64u);
    for (std::uint32_t i = 0; i < 16; ++i) {
      const std::uint8_t* entry = record.data() + 4 + 4 * i;
      SCOPED_TRACE(testing::Message() << "header " << c.headerSize << ", entry " << i);
      EXPECT_EQ(entry[0], 0x30 + i) << "peRed";
      EXPECT_EQ(entry[1], 0x20 + i) << "peGreen";
      EXPECT_EQ(entry[2], 0x10 + i) << "peBlue";
      EXPECT_EQ(entry[3], c.flags) << "peFlags";
    }
  }
}

}  // namespace
