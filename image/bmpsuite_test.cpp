// The public BMP Suite: every good and bad file is read or refused without a crash, and what is
// read is exactly the file's bytes, written back as the same file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "platform/file_io.h"
#include "testing/test_support.h"

namespace {

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The files the reader accepts: uncompressed, bottom-up, 4 or 8 bits, whole. Everything else in
// the suite is refused.
const std::map<std::string, bool> kAccepted = {
    {"g/pal4.bmp", true},         {"g/pal4gs.bmp", true},   {"g/pal8-0.bmp", true},
    {"g/pal8.bmp", true},         {"g/pal8gs.bmp", true},   {"g/pal8nonsquare.bmp", true},
    {"g/pal8os2.bmp", true},      {"g/pal8v4.bmp", true},   {"g/pal8v5.bmp", true},
    {"g/pal8w124.bmp", true},     {"g/pal8w125.bmp", true}, {"g/pal8w126.bmp", true},
    {"b/pal8badindex.bmp", true},
};

class BmpSuite : public testing::TestWithParam<std::string> {};

TEST_P(BmpSuite, ReadsExactlyTheFileOrRefusesIt) {
  const std::string name = GetParam();
  const std::string path = BmpSuitePath(name);
  const Bytes file = ReadFileBytes(path);
  const PackedDib picture = LoadBmpFile(path.c_str());
  const bool wanted = kAccepted.count(name) != 0;
  ASSERT_EQ(static_cast<bool>(picture), wanted)
      << name << (wanted ? ": want read" : ": want refused");
  if (!picture)
    return;

  const std::uint32_t fileSize = Le32(file, 2);
  ASSERT_EQ(picture.length(), fileSize - 14u);
  EXPECT_TRUE(std::equal(file.begin() + 14, file.begin() + fileSize, picture.bytes()))
      << "the picture is the file's bytes from offset 14 to bfSize - 1";

  TempFolder folder;
  const std::string copy = folder.File("copy.bmp");
  ASSERT_TRUE(CreateEmptyFile(copy.c_str()));
  ASSERT_TRUE(SaveBmpFile(nullptr, copy.c_str(), picture));
  const Bytes written = ReadFileBytes(copy);
  const bool plainLayout = Le32(file, 10) == 14 + DibPixelOffset(picture) &&
                           fileSize == file.size() && Le32(file, 6) == 0 &&
                           fileSize == BmpFileLength(picture);
  if (plainLayout) {
    EXPECT_EQ(written, file) << "written back as the same file";
  } else {
    EXPECT_EQ(written.size(), BmpFileLength(picture));
  }
}

std::vector<std::string> AllFiles() {
  std::vector<std::string> names = BmpSuiteFiles("g");
  const std::vector<std::string> bad = BmpSuiteFiles("b");
  names.insert(names.end(), bad.begin(), bad.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Files, BmpSuite, testing::ValuesIn(AllFiles()), [](const auto& info) {
  std::string name = info.param;
  std::replace_if(
      name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
      '_');
  return name;
});

TEST(BmpSuite, HoldsBothFolders) {
  EXPECT_GE(BmpSuiteFiles("g").size(), 20u);
  EXPECT_GE(BmpSuiteFiles("b").size(), 15u);
}

}  // namespace
