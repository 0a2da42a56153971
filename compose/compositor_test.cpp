#include "compose/compositor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "compose/compose_test_support.h"
#include "compose/reference_compositor.h"
#include "testing/test_support.h"

namespace {

constexpr std::uint32_t kWhiteEntry = 0x00FFFFFF;  // blue, green, red 255, reserved 0

void ClearFlags() {
  std::fill(std::begin(transparentFlags), std::end(transparentFlags), 0);
}

std::int32_t PixelAt(const PackedDib& picture, std::int32_t x, std::int32_t row) {
  const std::uint8_t* pixels =
      DibPixels(picture) +
      static_cast<std::size_t>(row) * DibStride(DibWidth(picture), DibBitCount(picture));
  if (DibBitCount(picture) == 8)
    return pixels[x];
  return x % 2 == 0 ? pixels[x / 2] >> 4 : pixels[x / 2] & 0x0F;
}

bool SameState(const RandomState& a, const RandomState& b) {
  return a.index == b.index && std::equal(a.words, a.words + RandomState::kWordCount, b.words);
}

// ---- MarkWhiteEntries

TEST(MarkWhiteEntries, FlagsPureWhiteEntriesAndGivesTheHighest) {
  struct Case {
    const char* name;
    BmpFixture fixture;
    std::vector<std::uint32_t> colours;
    std::int32_t background;
    std::vector<int> white;
  };
  BmpFixture v4 = SizedFixture(4, 2, 8);
  v4.headerSize = 108;
  BmpFixture used2 = SizedFixture(4, 2, 8);
  used2.colourCount = 2;
  std::vector<std::uint32_t> last15(16, 0x00102030);
  last15[15] = kWhiteEntry;
  const Case cases[] = {
      {"8-bit, entries 3 and 7",
       SizedFixture(4, 2, 8),
       {0, 0, 0, kWhiteEntry, 0, 0, 0, kWhiteEntry},
       7,
       {3, 7}},
      {"red 254 is not white, a reserved byte does not matter",
       SizedFixture(4, 2, 8),
       {0x00FEFFFF, 0x80FFFFFF, 0x00FFFEFF, 0x00FFFFFE},
       1,
       {1}},
      {"8-bit, none white", SizedFixture(4, 2, 8), {}, 256, {}},
      {"4-bit, entry 15", SizedFixture(4, 2, 4), last15, 15, {15}},
      {"4-bit, none white", SizedFixture(4, 2, 4), {}, 16, {}},
      {"2 entries used, none white", used2, {0x00123456, 0x00FFFF00}, 2, {}},
      {"108-byte header: the table starts at 108", v4, {0, 0, kWhiteEntry}, 2, {2}},
  };
  for (Case c : cases) {
    SCOPED_TRACE(c.name);
    c.fixture.colours = c.colours;
    const PackedDib source = PictureOf(c.fixture);
    // Entries beyond the table keep what they held; those within are rewritten.
    std::fill(std::begin(transparentFlags), std::end(transparentFlags), 1);
    EXPECT_EQ(MarkWhiteEntries(source), c.background);
    const std::uint32_t count = c.fixture.TableEntries();
    for (std::uint32_t i = 0; i < 256; ++i) {
      const bool white = std::find(c.white.begin(), c.white.end(), i) != c.white.end();
      EXPECT_EQ(transparentFlags[i], (i >= count || white) ? 1 : 0) << "entry " << i;
    }
  }
}

// The reader never lets such a table through; the flags must hold even if one came.
TEST(MarkWhiteEntries, NeverWritesPastTheLastFlag) {
  constexpr std::uint32_t kEntries = 300;
  Bytes block(40 + 4 * kEntries + 64, 0xFF);
  WriteLe32(block.data(), 40);
  WriteLe16(block.data() + 14, 8);
  WriteLe32(block.data() + 32, kEntries);
  const PackedDib source = PictureOf(block);
  ClearFlags();
  EXPECT_EQ(MarkWhiteEntries(source), 255);
  EXPECT_TRUE(std::all_of(std::begin(transparentFlags), std::end(transparentFlags),
                          [](std::int32_t flag) { return flag == 1; }));
}

// ---- Background fill

TEST(FillBackground, FillsTheReachOfEachRowAndZeroesTheRest) {
  struct Case {
    std::int32_t width;
    std::uint16_t bits;
    std::uint32_t filled;  // bytes of each row that hold the fill byte
  };
  const Case cases[] = {{5, 8, 5}, {8, 8, 8}, {1, 8, 1}, {3, 4, 3}, {10, 4, 8},
                        {1, 4, 1}, {4, 4, 4}, {7, 4, 4}, {9, 4, 8}};
  for (const Case& c : cases) {
    constexpr std::int32_t kRows = 3;
    const std::uint32_t stride = DibStride(static_cast<std::uint16_t>(c.width), c.bits);
    // A block full of leftovers, as a canvas may be: header, one table entry, then the rows.
    Bytes block(40 + 4 + stride * kRows, 0xEE);
    WriteLe32(block.data(), 40);
    WriteLe32(block.data() + 4, static_cast<std::uint32_t>(c.width));
    WriteLe32(block.data() + 8, kRows);
    WriteLe16(block.data() + 14, c.bits);
    WriteLe32(block.data() + 32, 1);
    PackedDib made = PictureOf(block);
    FillBackground(made, 0x37);
    for (std::int32_t r = 0; r < kRows; ++r) {
      for (std::uint32_t i = 0; i < stride; ++i) {
        EXPECT_EQ(DibPixels(made)[r * stride + i], i < c.filled ? 0x37 : 0)
            << c.bits << "-bit width " << c.width << ", row " << r << ", byte " << i;
      }
    }
  }
}

// ---- The made picture

TEST(ComposeWallpaper, CarriesTheSourceHeaderWithTheTargetSize) {
  for (const std::uint32_t headerSize : {40u, 108u, 16u}) {
    BmpFixture f = SizedFixture(5, 3, 4);
    f.headerSize = headerSize;
    f.sizeImage = 12345;
    f.colours = {0x00010203, kWhiteEntry};
    const PackedDib source = PictureOf(f);
    RandomState random = InitialRandomState();
    const PackedDib made = ComposeWallpaper(source, 21, 9, 2, nullptr, random);
    ASSERT_TRUE(made);
    const std::size_t head = DibPixelOffset(source);
    ASSERT_EQ(DibPixelOffset(made), head);
    Bytes want(source.bytes(), source.bytes() + head);
    WriteLe32(want.data() + 4, 21);
    WriteLe32(want.data() + 8, 9);
    EXPECT_EQ(Bytes(made.bytes(), made.bytes() + head), want) << "header " << headerSize;
    EXPECT_EQ(DibWidth(made), 21);
    EXPECT_EQ(DibHeight(made), 9);
    if (headerSize >= 24) {
      EXPECT_EQ(ReadLe32(made.bytes() + 20), 12345u) << "biSizeImage is not recomputed";
    }
  }
}

TEST(ComposeWallpaper, FillsWithTheBackgroundIndex) {
  struct Case {
    const char* name;
    std::uint16_t bits;
    std::vector<std::uint32_t> colours;
    std::int32_t width;
    std::uint8_t fill;
  };
  std::vector<std::uint32_t> last15(16, 0x00405060);
  last15[15] = kWhiteEntry;
  std::vector<std::uint32_t> entries3and7(8, 0);
  entries3and7[3] = entries3and7[7] = kWhiteEntry;
  const Case cases[] = {
      {"8-bit, entries 3 and 7 white", 8, entries3and7, 13, 7},
      {"8-bit, none white", 8, {}, 13, 0},
      {"4-bit, entry 15 white", 4, last15, 13, 0xFF},
      {"4-bit, none white", 4, {}, 13, 0x10},
      {"4-bit, width 3", 4, last15, 3, 0xFF},
      {"4-bit, width 10", 4, last15, 10, 0xFF},
  };
  for (const Case& c : cases) {
    BmpFixture f = SizedFixture(2, 2, c.bits);
    f.colours = c.colours;
    const PackedDib source = PictureOf(f);
    for (const std::int32_t stamps : {0, -5}) {
      RandomState random = InitialRandomState();
      std::vector<std::int32_t> reports;
      const PackedDib made = ComposeWallpaper(
          source, c.width, 4, stamps, [&](std::int32_t p) { reports.push_back(p); }, random);
      ASSERT_TRUE(made) << c.name;
      EXPECT_TRUE(reports.empty()) << c.name;
      EXPECT_TRUE(SameState(random, InitialRandomState())) << c.name << ": no draw";
      const std::uint32_t stride = DibStride(static_cast<std::uint16_t>(c.width), c.bits);
      const std::uint32_t reach = std::min<std::uint32_t>(c.width, stride);
      for (std::uint32_t r = 0; r < 4; ++r) {
        for (std::uint32_t i = 0; i < stride; ++i) {
          EXPECT_EQ(DibPixels(made)[r * stride + i], i < reach ? c.fill : 0)
              << c.name << ", " << stamps << " stamps, row " << r << ", byte " << i;
        }
      }
    }
  }
}

TEST(ComposeWallpaper, ReportsProgressBeforeEachPassAndDrawsTwicePerPass) {
  struct Case {
    std::int32_t stamps;
    std::vector<std::int32_t> percentages;
  };
  const Case cases[] = {{3, {0, 33, 66}}, {7, {0, 14, 28, 42, 57, 71, 85}}, {1, {0}}};
  const PackedDib source = PictureOf(SizedFixture(3, 2, 8));
  for (const Case& c : cases) {
    RandomState random = InitialRandomState();
    std::vector<std::int32_t> reports;
    std::vector<RandomState> seen;
    const PackedDib made = ComposeWallpaper(
        source, 50, 40, c.stamps,
        [&](std::int32_t percent) {
          reports.push_back(percent);
          seen.push_back(random);
        },
        random);
    ASSERT_TRUE(made);
    EXPECT_EQ(reports, c.percentages);
    RandomState expected = InitialRandomState();
    for (std::size_t k = 0; k < seen.size(); ++k) {
      EXPECT_TRUE(SameState(seen[k], expected)) << "report " << k << " comes before its draws";
      RandomBelow(expected, 50);
      RandomBelow(expected, 40);
    }
    EXPECT_TRUE(SameState(random, expected)) << "2 x " << c.stamps << " steps in all";
  }
}

// With the target the size of the source, each pass covers every pixel once; the last pass's
// offsets, from the initial state, are the published fifth and sixth draws 81 and 13.
TEST(ComposeWallpaper, SourceSizedTargetIsTheSourceShiftedByTheLastOffsets) {
  for (const std::uint16_t bits : {8, 4}) {
    BmpFixture f = SizedFixture(100, 100, bits);
    const std::uint32_t entries = f.TableEntries();
    for (std::uint32_t i = 0; i < 100 * 100; ++i)
      f.pixels.push_back(static_cast<std::uint8_t>((i * 7 + i / 100 * 3) % entries));
    const PackedDib source = PictureOf(f);
    ClearFlags();
    RandomState random = InitialRandomState();
    const PackedDib made = ComposeWallpaper(source, 100, 100, 3, nullptr, random);
    ASSERT_TRUE(made);
    for (std::int32_t r = 0; r < 100; ++r) {
      for (std::int32_t x = 0; x < 100; ++x) {
        ASSERT_EQ(PixelAt(made, (x + 81) % 100, (r + 13) % 100), PixelAt(source, x, r))
            << bits << "-bit, source pixel " << x << ", row " << r;
      }
    }
  }
}

TEST(ComposeWallpaper, NeverStampsTransparentPixels) {
  BmpFixture f = SizedFixture(16, 16, 8);
  f.colours = std::vector<std::uint32_t>(256, 0x00336699);
  f.colours[3] = f.colours[7] = kWhiteEntry;
  const PackedDib source = PictureOf(f);  // pixels 0..255, each once
  RandomState random = InitialRandomState();
  const PackedDib made = ComposeWallpaper(source, 40, 30, 20, nullptr, random);
  ASSERT_TRUE(made);
  EXPECT_EQ(transparentFlags[3], 1);
  EXPECT_EQ(transparentFlags[7], 1);
  for (int i = 0; i < 256; ++i) {
    if (i != 3 && i != 7) {
      EXPECT_EQ(transparentFlags[i], 0) << "entry " << i;
    }
  }
  int background = 0;
  for (std::int32_t r = 0; r < 30; ++r) {
    for (std::int32_t x = 0; x < 40; ++x) {
      EXPECT_NE(PixelAt(made, x, r), 3);
      background += PixelAt(made, x, r) == 7;
    }
  }
  EXPECT_GT(background, 0) << "some background shows through";
}

TEST(ComposeWallpaper, FlagsLeftByAnEarlierPictureStillCount) {
  BmpFixture earlier = SizedFixture(4, 4, 8);
  earlier.colours = std::vector<std::uint32_t>(256, 0);
  earlier.colours[9] = kWhiteEntry;
  RandomState random = InitialRandomState();
  ASSERT_TRUE(ComposeWallpaper(PictureOf(earlier), 4, 4, 1, nullptr, random));

  BmpFixture later = SizedFixture(4, 1, 4);
  later.colourCount = 2;
  later.colours = {0x00112233, 0x00445566};
  later.pixels = {9, 1, 9, 0};
  const PackedDib source = PictureOf(later);
  PackedDib made = ComposeWallpaper(source, 4, 1, 0, nullptr, random);
  ASSERT_TRUE(made);
  EXPECT_EQ(transparentFlags[9], 1);
  EXPECT_EQ(DibPixels(made)[0], 0x22) << "background index 2, the number of entries";
  StampPicture(source, made, 0, 0);
  EXPECT_EQ(PixelAt(made, 0, 0), 2) << "pixel 9 is transparent";
  EXPECT_EQ(PixelAt(made, 1, 0), 1);
  EXPECT_EQ(PixelAt(made, 2, 0), 2);
  EXPECT_EQ(PixelAt(made, 3, 0), 0);
}

TEST(ComposeWallpaper, GivesNoneWithoutACanvasAndChangesNothing) {
  const PackedDib source = PictureOf(SizedFixture(3, 3, 8));
  struct Case {
    std::int32_t width, height;
  };
  const Case cases[] = {{40000, 10}, {10, 32768}, {65539, 10}, {2, 10}, {10, 2}};
  for (const Case& c : cases) {
    std::fill(std::begin(transparentFlags), std::end(transparentFlags), 1);
    RandomState random = InitialRandomState();
    bool reported = false;
    EXPECT_FALSE(ComposeWallpaper(
        source, c.width, c.height, 5, [&](std::int32_t) { reported = true; }, random))
        << c.width << "x" << c.height;
    EXPECT_FALSE(reported);
    EXPECT_TRUE(SameState(random, InitialRandomState()));
    EXPECT_EQ(transparentFlags[0], 1) << "the flags are not touched";
  }
}

TEST(ComposeWallpaper, ProgramWideGeneratorRunsOnFromOneMakeToTheNext) {
  const PackedDib source = PictureOf(SizedFixture(3, 2, 8));
  RandomState copy = randomState;
  const PackedDib first = ComposeWallpaper(source, 30, 20, 4, nullptr);
  const PackedDib second = ComposeWallpaper(source, 30, 20, 4, nullptr);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(RecordOf(first), RecordOf(ComposeWallpaper(source, 30, 20, 4, nullptr, copy)));
  EXPECT_EQ(RecordOf(second), RecordOf(ComposeWallpaper(source, 30, 20, 4, nullptr, copy)));
  EXPECT_NE(RecordOf(first), RecordOf(second));
  EXPECT_TRUE(SameState(copy, randomState));
}

// ---- One stamping pass

TEST(StampPicture, WrapsAroundTheRightAndBottomEdges) {
  BmpFixture f = SizedFixture(10, 2, 8);
  for (std::uint8_t i = 0; i < 20; ++i)
    f.pixels.push_back(static_cast<std::uint8_t>(100 + i));
  const PackedDib source = PictureOf(f);
  ClearFlags();
  PackedDib made = Canvas(source, 100, 4, 0);
  StampPicture(source, made, 95, 3);
  EXPECT_EQ(PixelAt(made, 0, 3), 105) << "source column 5 lands in column 0";
  EXPECT_EQ(PixelAt(made, 99, 3), 104) << "source column 4 lands in column 99";
  EXPECT_EQ(PixelAt(made, 95, 3), 100);
  EXPECT_EQ(PixelAt(made, 4, 3), 109);
  EXPECT_EQ(PixelAt(made, 5, 3), 0);
  EXPECT_EQ(PixelAt(made, 0, 0), 115) << "source row 1 wraps to row 0";
  EXPECT_EQ(PixelAt(made, 99, 0), 114);
  EXPECT_EQ(PixelAt(made, 0, 1), 0);
}

TEST(StampPicture, FourBitsAtAnOddOffsetLeaveTheOtherHalves) {
  BmpFixture f = SizedFixture(2, 1, 4);
  f.pixels = {0xA, 0xB};
  const PackedDib source = PictureOf(f);
  ClearFlags();
  PackedDib made = Canvas(source, 8, 2, 0x77);
  StampPicture(source, made, 1, 0);
  EXPECT_EQ(DibPixels(made)[0], 0x7A);
  EXPECT_EQ(DibPixels(made)[1], 0xB7);
  EXPECT_EQ(DibPixels(made)[2], 0x77);
  // Wrapping at an odd width: pixel 10 at column 6, pixel 11 wraps to column 0.
  PackedDib odd = Canvas(source, 7, 1, 0x77);
  StampPicture(source, odd, 6, 0);
  EXPECT_EQ(DibPixels(odd)[3], 0xA7) << "column 6 is the high half of byte 3";
  EXPECT_EQ(DibPixels(odd)[0], 0xB7);
}

// ---- Against the pixel-by-pixel reference

struct RandomCase {
  BmpFixture fixture;
  std::int32_t targetWidth;
  std::int32_t targetHeight;
  std::int32_t stamps;
  int warmUp;
};

RandomCase MakeRandomCase(std::mt19937& rng) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
  RandomCase c;
  BmpFixture& f = c.fixture;
  f.bitCount = pick(0, 1) ? 8 : 4;
  f.width = pick(1, 23);
  f.height = pick(1, 9);
  const int headerChoice = pick(0, 5);
  f.headerSize = headerChoice == 0 ? 108 : headerChoice == 1 ? 16 : 40;
  const int maxEntries = 1 << f.bitCount;
  if (f.headerSize != 16 && pick(0, 1))
    f.colourCount = static_cast<std::uint32_t>(pick(1, maxEntries));
  const std::uint32_t entries = f.TableEntries();
  const int whiteChance = pick(0, 3) * 15;  // percent: none, some or many white entries
  for (std::uint32_t i = 0; i < entries; ++i) {
    if (pick(1, 100) <= whiteChance)
      f.colours.push_back(0x00FFFFFF | (static_cast<std::uint32_t>(pick(0, 255)) << 24));
    else
      f.colours.push_back(pick(0, 3) == 0 ? 0x00FFFFFE : static_cast<std::uint32_t>(rng()));
  }
  // Any index the depth allows, beyond the table too, where an earlier picture's flags count.
  for (int i = 0; i < f.width * f.height; ++i)
    f.pixels.push_back(static_cast<std::uint8_t>(pick(0, maxEntries - 1)));
  c.targetWidth = f.width + (pick(0, 3) == 0 ? 0 : pick(0, 17));
  c.targetHeight = f.height + (pick(0, 3) == 0 ? 0 : pick(0, 9));
  c.stamps = pick(-2, 12);
  c.warmUp = pick(0, 99);
  return c;
}

TEST(ComposeWallpaper, AgreesWithTheReferenceOnRandomPictures) {
  std::mt19937 rng(20240229);
  for (int round = 0; round < 2000; ++round) {
    const RandomCase c = MakeRandomCase(rng);
    PackedDib source = PictureOf(c.fixture);
    ScrambleRowEnds(source, rng);
    // Flags as an earlier picture might have left them.
    for (std::int32_t& flag : transparentFlags)
      flag = rng() % 3 == 0 ? 1 : 0;
    ReferenceFlags flags;
    std::copy(std::begin(transparentFlags), std::end(transparentFlags), flags);
    RandomState real = InitialRandomState();
    WarmUpRandomAt(real, c.warmUp);
    RandomState reference = real;

    std::vector<std::int32_t> realReports, referenceReports;
    const PackedDib made = ComposeWallpaper(
        source, c.targetWidth, c.targetHeight, c.stamps,
        [&](std::int32_t p) { realReports.push_back(p); }, real);
    const Bytes want = ReferenceCompose(source, c.targetWidth, c.targetHeight, c.stamps, flags,
                                        reference, &referenceReports);
    ASSERT_TRUE(made);
    const std::string what =
        std::to_string(c.fixture.bitCount) + "-bit " + std::to_string(c.fixture.width) + "x" +
        std::to_string(c.fixture.height) + " on " + std::to_string(c.targetWidth) + "x" +
        std::to_string(c.targetHeight) + ", " + std::to_string(c.stamps) + " stamps, round " +
        std::to_string(round);
    ASSERT_EQ(RecordOf(made), want) << what;
    EXPECT_EQ(realReports, referenceReports) << what;
    EXPECT_TRUE(SameState(real, reference)) << what;
    EXPECT_TRUE(std::equal(std::begin(flags), std::end(flags), std::begin(transparentFlags)))
        << what;
  }
}

// The benchmark's shapes at small sizes and the narrowest pictures, with none, one, four and
// five white entries (the copies skip up to four indices by value and take a mask beyond), about
// 30 % of the pixels white: the whole make, reports and draws included.
TEST(ComposeWallpaper, AgreesWithTheReferenceOnTheBenchmarkShapes) {
  struct Shape {
    std::uint16_t bits;
    std::int32_t width, height, targetWidth, targetHeight, stamps;
  };
  const Shape shapes[] = {
      {8, 64, 48, 192, 108, 10}, {4, 64, 48, 192, 108, 10}, {8, 3, 3, 192, 108, 300},
      {4, 193, 11, 193, 11, 6},  {8, 300, 3, 301, 4, 5},    {4, 601, 3, 603, 4, 5},
      {4, 33, 2, 67, 3, 9},      {8, 1, 1, 1, 1, 3},        {4, 1, 5, 1, 6, 4},
      {8, 1, 4, 7, 5, 6},
  };
  std::mt19937 rng(640480);
  for (const Shape& s : shapes) {
    for (const int whites : {0, 1, 4, 5}) {
      BmpFixture f = SizedFixture(s.width, s.height, s.bits);
      const std::uint32_t entries = f.TableEntries();
      f.colours.assign(entries, 0x00808080);
      std::vector<std::uint8_t> white;
      while (static_cast<int>(white.size()) < whites) {
        const auto i = static_cast<std::uint8_t>(rng() % entries);
        if (f.colours[i] != kWhiteEntry) {
          f.colours[i] = kWhiteEntry;
          white.push_back(i);
        }
      }
      for (std::int32_t i = 0; i < s.width * s.height; ++i) {
        f.pixels.push_back(!white.empty() && rng() % 10 < 3
                               ? white[rng() % white.size()]
                               : static_cast<std::uint8_t>(rng() % entries));
      }
      PackedDib source = PictureOf(f);
      ScrambleRowEnds(source, rng);
      ReferenceFlags flags = {};
      std::fill(std::begin(transparentFlags), std::end(transparentFlags), 0);
      RandomState real = InitialRandomState();
      WarmUpRandomAt(real, static_cast<std::time_t>(rng() % 100));
      RandomState reference = real;
      std::vector<std::int32_t> realReports, referenceReports;
      const PackedDib made = ComposeWallpaper(
          source, s.targetWidth, s.targetHeight, s.stamps,
          [&](std::int32_t p) { realReports.push_back(p); }, real);
      const Bytes want = ReferenceCompose(source, s.targetWidth, s.targetHeight, s.stamps, flags,
                                          reference, &referenceReports);
      ASSERT_TRUE(made);
      const std::string what = std::to_string(s.bits) + "-bit " + std::to_string(s.width) + "x" +
                               std::to_string(s.height) + " on " + std::to_string(s.targetWidth) +
                               "x" + std::to_string(s.targetHeight) + ", " +
                               std::to_string(whites) + " white";
      ASSERT_EQ(RecordOf(made), want) << what;
      EXPECT_EQ(realReports, referenceReports) << what;
      EXPECT_TRUE(SameState(real, reference)) << what;
    }
  }
}

// Every offset, onto a canvas of random bytes, so that a nibble written into the wrong half or a
// byte touched that should stay shows.
TEST(StampPicture, AgreesWithTheReferenceAtEveryOffset) {
  std::mt19937 rng(7);
  for (int round = 0; round < 100; ++round) {
    RandomCase c = MakeRandomCase(rng);
    c.targetWidth = std::min(c.targetWidth, c.fixture.width + 6);
    c.targetHeight = std::min(c.targetHeight, c.fixture.height + 3);
    PackedDib source = PictureOf(c.fixture);
    ScrambleRowEnds(source, rng);
    PackedDib made = Canvas(source, c.targetWidth, c.targetHeight, 0);
    for (std::int32_t& flag : transparentFlags)
      flag = rng() % 2;
    const std::size_t head = DibPixelOffset(made);
    const std::size_t rows = RecordOf(made).size() - head;
    for (std::int32_t oy = 0; oy < c.targetHeight; ++oy) {
      for (std::int32_t ox = 0; ox < c.targetWidth; ++ox) {
        for (std::size_t i = 0; i < rows; ++i)
          DibPixels(made)[i] = static_cast<std::uint8_t>(rng());
        Bytes want = RecordOf(made);
        ReferenceStamp(source, want, c.targetWidth, c.targetHeight, ox, oy, transparentFlags);
        StampPicture(source, made, ox, oy);
        ASSERT_EQ(RecordOf(made), want)
            << c.fixture.bitCount << "-bit " << c.fixture.width << "x" << c.fixture.height << " on "
            << c.targetWidth << "x" << c.targetHeight << " at " << ox << "," << oy;
      }
    }
  }
}

}  // namespace
