#include "image/bmp_replace.h"

#include <gtest/gtest.h>

#include "image/bmp_writer.h"
#include "testing/test_support.h"

namespace {

std::size_t FilesIn(const TempFolder& folder) {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
    ++count;
  return count;
}

TEST(ReplaceBmpFile, ReplacesALongerFileWithExactlyTheNewPicture) {
  TempFolder folder;
  const std::string path = folder.File("saved.bmp");
  WriteFileBytes(path, Bytes(20000, 0xEE));
  const PackedDib picture = PictureOf(BmpFixture{});
  WarningRecorder warnings;
  EXPECT_EQ(ReplaceBmpFile(nullptr, path, picture), ReplaceResult::Written);
  const Bytes file = ReadFileBytes(path);
  EXPECT_EQ(file.size(), BmpFileLength(picture));
  EXPECT_EQ(file.size(), 14 + BmpFixture{}.Record().size());
  EXPECT_TRUE(warnings.warnings.empty());
  EXPECT_EQ(FilesIn(folder), 1u) << "no temporary file is left";
}

TEST(ReplaceBmpFile, CreatesANewFile) {
  TempFolder folder;
  const std::string path = folder.File("new.bmp");
  EXPECT_EQ(ReplaceBmpFile(nullptr, path, PictureOf(BmpFixture{})), ReplaceResult::Written);
  EXPECT_EQ(ReadFileBytes(path), BmpFixture{}.File());
}

TEST(ReplaceBmpFile, WarnsWhenTheFolderCannotTakeTheFile) {
  TempFolder folder;
  const std::string path = folder.File("no-such-folder/saved.bmp");
  WarningRecorder warnings;
  EXPECT_EQ(ReplaceBmpFile(nullptr, path, PictureOf(BmpFixture{})), ReplaceResult::CannotOpen);
  ASSERT_EQ(warnings.warnings.size(), 1u);
  EXPECT_EQ(warnings.warnings[0].first, "ファイルがオープンできません。");
  EXPECT_EQ(warnings.warnings[0].second, path);
}

#ifndef _WIN32
TEST(ReplaceBmpFile, KeepsTheOldFileWhenTheDiskIsFull) {
  TempFolder folder;
  const std::string path = folder.File("saved.bmp");
  const Bytes old(700, 0x5A);
  WriteFileBytes(path, old);
  BmpFixture large;
  large.width = 64;
  large.height = 64;
  WarningRecorder warnings;
  {
    FileSizeLimit limit(1500);
    EXPECT_EQ(ReplaceBmpFile(nullptr, path, PictureOf(large)), ReplaceResult::CannotWrite);
  }
  EXPECT_EQ(ReadFileBytes(path), old);
  EXPECT_EQ(FilesIn(folder), 1u) << "the incomplete file is removed";
  ASSERT_EQ(warnings.warnings.size(), 1u);
  EXPECT_EQ(warnings.warnings[0].first, "ファイルに書き込めませんでした。");
  EXPECT_EQ(warnings.warnings[0].second, path);
}
#endif

}  // namespace
