#include "image/packed_dib.h"

#include <gtest/gtest.h>

#include "testing/test_support.h"

namespace {

struct LayoutCase {
  const char* name;
  BmpFixture fixture;
  std::uint32_t colours;
  std::size_t pixelOffset;
};

class DibLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(DibLayout, ColourCountAndPixelOffsetFollowTheHeader) {
  const LayoutCase& c = GetParam();
  const PackedDib picture = PictureOf(c.fixture.Record());
  EXPECT_EQ(DibColourCount(picture), c.colours) << "want " << c.colours;
  EXPECT_EQ(DibPixelOffset(picture), c.pixelOffset);
  EXPECT_EQ(DibPixels(picture), picture.bytes() + c.pixelOffset);
  EXPECT_EQ(DibBitCount(picture), c.fixture.bitCount);
  EXPECT_EQ(DibHeight(picture), static_cast<std::uint16_t>(c.fixture.height));
}

BmpFixture Fixture(std::uint32_t headerSize, std::uint16_t bits, std::uint32_t clrUsed = 0) {
  BmpFixture f;
  f.headerSize = headerSize;
  f.bitCount = bits;
  f.colourCount = clrUsed;
  f.height = 3;
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DibLayout,
    testing::Values(LayoutCase{"info4", Fixture(40, 4), 16, 104},
                    LayoutCase{"info8", Fixture(40, 8), 256, 1064},
                    LayoutCase{"info8used20", Fixture(40, 8, 20), 20, 120},
                    // Below 36 bytes biClrUsed lies outside the header and is never read.
                    LayoutCase{"short32", Fixture(32, 8), 256, 32 + 1024},
                    LayoutCase{"short16", Fixture(16, 4), 16, 16 + 64},
                    LayoutCase{"header36used2", Fixture(36, 4, 2), 2, 36 + 8},
                    LayoutCase{"core8", Fixture(12, 8), 256, 780},
                    LayoutCase{"core4", Fixture(12, 4), 16, 60},
                    LayoutCase{"v4header", Fixture(108, 8), 256, 108 + 1024}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibAccessors, WidthIsTheLowWordAtOffsetFourForBothHeaders) {
  BmpFixture info;
  info.width = 0x12345;  // above 65535: only the low 16 bits count
  info.height = 1;
  Bytes record = info.Record();
  EXPECT_EQ(DibWidth(PictureOf(record)), 0x2345);

  BmpFixture core = Fixture(12, 8);
  core.width = 77;
  EXPECT_EQ(DibWidth(PictureOf(core.Record())), 77);
  EXPECT_EQ(DibHeaderSize(PictureOf(core.Record())), 12u);
}

TEST(DibStride, RowsAreWholeWords) {
  struct Case {
    std::uint16_t width;
    std::uint32_t bits;
    std::uint32_t stride;
  };
  const Case cases[] = {{1, 4, 4},     {1, 8, 4},      {1, 24, 4},        {9, 4, 8},
                        {5, 8, 8},     {8, 4, 4},      {4, 8, 4},         {100, 4, 52},
                        {100, 8, 100}, {100, 24, 300}, {65535, 8, 65536}, {65535, 4, 32768}};
  for (const Case& c : cases) {
    EXPECT_EQ(DibStride(c.width, c.bits), c.stride)
        << "width " << c.width << " at " << c.bits << " bits: want " << c.stride;
  }
}

TEST(CreateCanvasDib, AsksForTheRowsAndTheHeaderRoom) {
  PackedDib canvas = CreateCanvasDib(100, 150, 0);
  ASSERT_TRUE(canvas);
  EXPECT_EQ(canvas.length(), 150u * 104 + 1200);
  EXPECT_EQ(DibHeaderSize(canvas), 40u);
  EXPECT_EQ(DibWidth(canvas), 100);
  EXPECT_EQ(DibHeight(canvas), 150);
  EXPECT_EQ(DibBitCount(canvas), 4);
  EXPECT_EQ(ReadLe16(canvas.bytes() + 12), 1) << "biPlanes";
  for (int offset = 16; offset < 40; ++offset)
    EXPECT_EQ(canvas.bytes()[offset], 0) << offset;

  EXPECT_EQ(CreateCanvasDib(10, 10, 24).length(), 3u * 10 * 14 + 1200);
  EXPECT_EQ(CreateCanvasDib(32767, 1, 8).length(), 32771u + 1200);
  EXPECT_FALSE(CreateCanvasDib(0, 10, 0));
  EXPECT_FALSE(CreateCanvasDib(10, -1, 0));
}

TEST(PackedDib, OwnershipMovesAndEndsOnce) {
  PackedDib first = PackedDib::Allocate(64);
  ASSERT_TRUE(first);
  std::uint8_t* block = first.bytes();
  PackedDib second = std::move(first);
  EXPECT_FALSE(first);  // NOLINT(bugprone-use-after-move): the moved-from picture is none
  EXPECT_EQ(second.bytes(), block);
  EXPECT_EQ(second.length(), 64u);

  PackedDib third = PackedDib::Allocate(8);
  third = std::move(second);  // releases third's own block
  EXPECT_EQ(third.bytes(), block);
  FreeDib(third);
  EXPECT_FALSE(third);
  EXPECT_EQ(third.length(), 0u);
}

}  // namespace
