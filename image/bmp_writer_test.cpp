#include "image/bmp_writer.h"

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "testing/test_support.h"

namespace {

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

Bytes SaveToNewFile(const PackedDib& picture) {
  TempFolder folder;
  const std::string path = folder.File("out.bmp");
  EXPECT_TRUE(CreateEmptyFile(path.c_str()));
  EXPECT_TRUE(SaveBmpFile(nullptr, path.c_str(), picture));
  return ReadFileBytes(path);
}

struct HeaderCase {
  const char* name;
  std::int32_t width;
  std::uint16_t bits;
  std::uint32_t clrUsed;
  std::uint32_t offBits;
  std::uint32_t fileSize;
};

class WrittenHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(WrittenHeader, CountsHeaderTableAndWholeRows) {
  const HeaderCase& c = GetParam();
  BmpFixture fixture;
  fixture.width = c.width;
  fixture.height = 150;
  fixture.bitCount = c.bits;
  fixture.colourCount = c.clrUsed;
  fixture.extraBytes = 7;  // block bytes after the rows are not written
  const Bytes file = SaveToNewFile(PictureOf(fixture));
  ASSERT_GE(file.size(), 14u);
  EXPECT_EQ(file[0], 'B');
  EXPECT_EQ(file[1], 'M');
  EXPECT_EQ(Le32(file, 2), c.fileSize) << "bfSize";
  EXPECT_EQ(Le32(file, 6), 0u) << "bfReserved1 and bfReserved2";
  EXPECT_EQ(Le32(file, 10), c.offBits) << "bfOffBits";
  EXPECT_EQ(file.size(), c.fileSize);
  Bytes record = fixture.Record();
  record.resize(record.size() - 7);
  EXPECT_TRUE(std::equal(record.begin(), record.end(), file.begin() + 14))
      << "the record, unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrittenHeader,
    testing::Values(HeaderCase{"bits8", 100, 8, 0, 14 + 1064, 14 + 1064 + 100 * 150},
                    HeaderCase{"bits4", 100, 4, 0, 118, 118 + 52 * 150},
                    HeaderCase{"used20", 100, 8, 20, 134, 134 + 100 * 150},
                    HeaderCase{"bits8width101", 101, 8, 0, 1078, 1078 + 104 * 150},
                    HeaderCase{"bits4width9", 9, 4, 0, 118, 118 + 8 * 150}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveBmpFile, WritesPiecesOfAtMost32768Bytes) {
  BmpFixture fixture;
  fixture.width = 4;
  fixture.height = 7926 * 2;  // 1064 + 63408 bytes of record
  TempFolder folder;
  const std::string path = folder.File("out.bmp");
  ASSERT_TRUE(CreateEmptyFile(path.c_str()));
  FileCallRecorder calls;
  ASSERT_TRUE(SaveBmpFile(nullptr, path.c_str(), PictureOf(fixture)));
  EXPECT_EQ(calls.writes, (std::vector<std::uint32_t>{14, 32768, 31704}));
}

TEST(SaveBmpFile, WarnsAndCreatesNothingWhereNoFileExists) {
  TempFolder folder;
  const std::string path = folder.File("absent.bmp");
  WarningRecorder warnings;
  EXPECT_FALSE(SaveBmpFile(nullptr, path.c_str(), PictureOf(BmpFixture{})));
  EXPECT_FALSE(FileExists(path));
  ASSERT_EQ(warnings.warnings.size(), 1u);
  EXPECT_EQ(warnings.warnings[0].first, "ファイルがオープンできません。");
  EXPECT_EQ(warnings.warnings[0].second, path);
}

TEST(SaveBmpFile, LeavesOldBytesBeyondTheNewEnd) {
  // The writer neither creates nor truncates: emptying the file is its callers' part.
  TempFolder folder;
  const std::string path = folder.File("longer.bmp");
  WriteFileBytes(path, Bytes(5000, 0xEE));
  const PackedDib picture = PictureOf(BmpFixture{});
  ASSERT_TRUE(SaveBmpFile(nullptr, path.c_str(), picture));
  const Bytes file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), 5000u);
  EXPECT_EQ(file[BmpFileLength(picture)], 0xEE);
  EXPECT_NE(file[0], 0xEE);
}

#ifndef _WIN32
TEST(SaveBmpFile, ReportsAShortWrite) {
  WarningRecorder warnings;
  EXPECT_EQ(WriteBmpFile("/dev/full", PictureOf(BmpFixture{})), BmpWriteResult::ShortWrite);
  EXPECT_FALSE(SaveBmpFile(nullptr, "/dev/full", PictureOf(BmpFixture{})));
  EXPECT_TRUE(warnings.warnings.empty()) << "a short write shows nothing of its own";
}
#endif

}  // namespace
