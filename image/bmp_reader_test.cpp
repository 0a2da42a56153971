#include "image/bmp_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "testing/test_support.h"

namespace {

PackedDib LoadBytes(const Bytes& file) {
  TempFolder folder;
  const std::string path = folder.File("picture.bmp");
  WriteFileBytes(path, file);
  return LoadBmpFile(path.c_str());
}

void SetLe32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The smallest file that holds an 8-bit, 1x1 picture with a 16-byte header: every field by hand.
const Bytes kTinyFile = {
    'B',  'M',         // bfType
    0x22, 0x04, 0, 0,  // bfSize 14 + 16 + 1024 + 4 = 1058
    0,    0,    0, 0,  // bfReserved1, bfReserved2
    0x1E, 0x04, 0, 0,  // bfOffBits 1054 (not consulted)
    16,   0,    0, 0,  // biSize 16
    1,    0,    0, 0,  // biWidth 1
    1,    0,    0, 0,  // biHeight 1
    1,    0,           // biPlanes
    8,    0,           // biBitCount 8
};

Bytes TinyFile() {
  Bytes file = kTinyFile;
  file.resize(1058, 0);  // 256 black entries and one row of 4 bytes
  file[1054] = 0x2A;     // the pixel
  return file;
}

TEST(LoadBmpFile, GivesTheFileBytesAfterTheFileHeader) {
  const Bytes file = TinyFile();
  const PackedDib picture = LoadBytes(file);
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture.length(), file.size() - 14);
  EXPECT_EQ(0, std::memcmp(picture.bytes(), file.data() + 14, picture.length()));
  EXPECT_EQ(DibPixels(picture)[0], 0x2A);
}

TEST(LoadBmpFile, ReadsWholePiecesOfAtMost32768Bytes) {
  // 40-byte header, 256 entries (1064 bytes) and 7926 rows of 4 bytes: a block of 32768 bytes.
  BmpFixture exact;
  exact.width = 4;
  exact.height = 7926;
  BmpFixture oneMore = exact;
  oneMore.extraBytes = 1;
  BmpFixture large = exact;
  large.height = 7926 * 3;
  large.extraBytes = 5;  // 1064 + 95112 + 5 = 96181 bytes: two whole pieces and the rest
  struct Case {
    const BmpFixture& fixture;
    std::vector<std::uint32_t> reads;
  };
  const Case cases[] = {
      {exact, {14, 32768}}, {oneMore, {14, 32768, 1}}, {large, {14, 32768, 32768, 30645}}};
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("large.bmp");
    WriteFileBytes(path, c.fixture.File());
    FileCallRecorder calls;
    const PackedDib picture = LoadBmpFile(path.c_str());
    EXPECT_TRUE(picture);
    EXPECT_EQ(calls.reads, c.reads) << "rows " << c.fixture.height;
  }
}

TEST(LoadBmpFile, NeverReadsPastBfSize) {
  Bytes file = TinyFile();
  file.insert(file.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  FileCallRecorder calls;
  const PackedDib picture = LoadBytes(file);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture.length(), 1044u);
  EXPECT_EQ(calls.reads, (std::vector<std::uint32_t>{14, 1044}));
}

TEST(LoadBmpFile, RefusesAMissingFile) {
  TempFolder folder;
  EXPECT_FALSE(LoadBmpFile(folder.File("absent.bmp").c_str()));
}

// Every prefix of a good file is refused: first as it stands (bfSize beyond the end), then with
// bfSize cut to match, so the block itself is too short for its header, table or rows.
TEST(LoadBmpFile, RefusesEveryTruncation) {
  const Bytes file = TinyFile();
  for (std::size_t length = 0; length < file.size(); ++length) {
    Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(LoadBytes(cut)) << "prefix of " << length << " bytes";
    if (length >= 14) {
      SetLe32(cut, 2, static_cast<std::uint32_t>(length));
      EXPECT_FALSE(LoadBytes(cut)) << "prefix of " << length << " bytes with bfSize to match";
    }
  }
}

struct FixtureCase {
  const char* name;
  std::function<void(BmpFixture&)> change;
};

class RefusedPicture : public testing::TestWithParam<FixtureCase> {};

TEST_P(RefusedPicture, GivesNoPicture) {
  BmpFixture fixture;
  GetParam().change(fixture);
  EXPECT_FALSE(LoadBytes(fixture.File()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedPicture,
    testing::Values(
        FixtureCase{"header0", [](BmpFixture& f) { f.headerSize = 0; }},
        FixtureCase{"header11", [](BmpFixture& f) { f.headerSize = 11; }},
        // The colour table's first entry puts 8 at offset 14, so only the header size refuses.
        FixtureCase{"header13",
                    [](BmpFixture& f) {
                      f.headerSize = 13;
                      f.colours = {0x0800};
                    }},
        FixtureCase{"header14",
                    [](BmpFixture& f) {
                      f.headerSize = 14;
                      f.colours = {0x08};
                    }},
        FixtureCase{"header15", [](BmpFixture& f) { f.headerSize = 15; }},
        FixtureCase{"bits1", [](BmpFixture& f) { f.bitCount = 1; }},
        FixtureCase{"bits16", [](BmpFixture& f) { f.bitCount = 16; }},
        FixtureCase{"bits24", [](BmpFixture& f) { f.bitCount = 24; }},
        FixtureCase{"bits32", [](BmpFixture& f) { f.bitCount = 32; }},
        FixtureCase{"core24",
                    [](BmpFixture& f) {
                      f.headerSize = 12;
                      f.bitCount = 24;
                    }},
        FixtureCase{"rle8", [](BmpFixture& f) { f.compression = 1; }},
        FixtureCase{"rle4",
                    [](BmpFixture& f) {
                      f.bitCount = 4;
                      f.compression = 2;
                    }},
        FixtureCase{"bitfields", [](BmpFixture& f) { f.compression = 3; }},
        FixtureCase{"topDown", [](BmpFixture& f) { f.height = -2; }},
        FixtureCase{"width0", [](BmpFixture& f) { f.width = 0; }},
        FixtureCase{"height0", [](BmpFixture& f) { f.height = 0; }},
        FixtureCase{"widthNegative", [](BmpFixture& f) { f.width = -4; }},
        FixtureCase{"width32768",
                    [](BmpFixture& f) {
                      f.width = 32768;
                      f.height = 1;
                    }},
        FixtureCase{"height32768",
                    [](BmpFixture& f) {
                      f.width = 1;
                      f.height = 32768;
                    }},
        FixtureCase{"widthLowWordSmall",
                    [](BmpFixture& f) {
                      f.width = 0x10004;
                      f.height = 1;
                    }},
        FixtureCase{"coreWidth0",
                    [](BmpFixture& f) {
                      f.headerSize = 12;
                      f.width = 0;
                    }},
        FixtureCase{"coreHeight40000",
                    [](BmpFixture& f) {
                      f.headerSize = 12;
                      f.width = 1;
                      f.height = 40000;
                    }},
        FixtureCase{"used257at8", [](BmpFixture& f) { f.colourCount = 257; }},
        FixtureCase{"used17at4",
                    [](BmpFixture& f) {
                      f.bitCount = 4;
                      f.colourCount = 17;
                    }},
        // 176 + 1024 bytes fill the room of 1200 exactly; 180 + 1024 overflow it.
        FixtureCase{"tableBeyondRoom", [](BmpFixture& f) { f.headerSize = 180; }}),
    [](const auto& info) { return std::string(info.param.name); });

class AcceptedPicture : public testing::TestWithParam<FixtureCase> {};

TEST_P(AcceptedPicture, GivesThePicture) {
  BmpFixture fixture;
  GetParam().change(fixture);
  const PackedDib picture = LoadBytes(fixture.File());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture.length(), fixture.Record().size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AcceptedPicture,
    testing::Values(FixtureCase{"info8", [](BmpFixture&) {}},
                    FixtureCase{"info4", [](BmpFixture& f) { f.bitCount = 4; }},
                    FixtureCase{"header16bits8", [](BmpFixture& f) { f.headerSize = 16; }},
                    FixtureCase{"header16bits4",
                                [](BmpFixture& f) {
                                  f.headerSize = 16;
                                  f.bitCount = 4;
                                }},
                    // A 16-byte header ends before biCompression: the bytes there are colour table.
                    FixtureCase{"header16tableAtCompression",
                                [](BmpFixture& f) {
                                  f.headerSize = 16;
                                  f.colours = {0xFFFFFFFF};
                                }},
                    FixtureCase{"core8", [](BmpFixture& f) { f.headerSize = 12; }},
                    FixtureCase{"core4",
                                [](BmpFixture& f) {
                                  f.headerSize = 12;
                                  f.bitCount = 4;
                                }},
                    FixtureCase{"v4header", [](BmpFixture& f) { f.headerSize = 108; }},
                    FixtureCase{"v5header", [](BmpFixture& f) { f.headerSize = 124; }},
                    FixtureCase{"headerFillsRoom", [](BmpFixture& f) { f.headerSize = 176; }},
                    FixtureCase{"used20", [](BmpFixture& f) { f.colourCount = 20; }},
                    FixtureCase{"used256", [](BmpFixture& f) { f.colourCount = 256; }},
                    FixtureCase{"used16at4",
                                [](BmpFixture& f) {
                                  f.bitCount = 4;
                                  f.colourCount = 16;
                                }},
                    FixtureCase{"width32767",
                                [](BmpFixture& f) {
                                  f.width = 32767;
                                  f.height = 1;
                                }},
                    FixtureCase{"height32767",
                                [](BmpFixture& f) {
                                  f.width = 1;
                                  f.height = 32767;
                                }},
                    FixtureCase{"oddWidth4bit",
                                [](BmpFixture& f) {
                                  f.bitCount = 4;
                                  f.width = 9;
                                }},
                    FixtureCase{"bytesAfterRows", [](BmpFixture& f) { f.extraBytes = 3; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadBmpFile, RefusesFileHeadersThatAreNotBmp) {
  Bytes notBm = TinyFile();
  notBm[0] = 'M';
  notBm[1] = 'B';
  EXPECT_FALSE(LoadBytes(notBm));

  for (std::uint32_t size : {0u, 1u, 13u, 14u}) {
    Bytes file = TinyFile();
    SetLe32(file, 2, size);
    EXPECT_FALSE(LoadBytes(file)) << "bfSize " << size;
  }
  Bytes tooLarge = TinyFile();
  SetLe32(tooLarge, 2, 0xFFFFFFFF);
  EXPECT_FALSE(LoadBytes(tooLarge)) << "bfSize beyond the file";
}

}  // namespace
