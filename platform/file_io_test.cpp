#include "platform/file_io.h"

#include <gtest/gtest.h>

#include "platform/folders.h"
#include "testing/test_support.h"

namespace {

TEST(FileIo, OpeningForWritingNeitherCreatesNorTruncates) {
  TempFolder folder;
  const std::string missing = folder.File("missing.bin");
  EXPECT_EQ(OpenExistingFileForWriting(missing.c_str()), kNoFile);
  EXPECT_FALSE(FileExists(missing));

  const std::string existing = folder.File("existing.bin");
  WriteFileBytes(existing, Bytes{1, 2, 3, 4, 5});
  const FileHandle file = OpenExistingFileForWriting(existing.c_str());
  ASSERT_NE(file, kNoFile);
  const std::uint8_t two[] = {9, 9};
  EXPECT_EQ(WriteFilePiece(file, two, 2), 2u);
  CloseFile(file);
  EXPECT_EQ(ReadFileBytes(existing), (Bytes{9, 9, 3, 4, 5}));
}

TEST(FileIo, ReadsPiecesAndTellsTheLengthWithoutMoving) {
  TempFolder folder;
  const std::string path = folder.File("data.bin");
  WriteFileBytes(path, Bytes{10, 11, 12, 13, 14, 15});
  const FileHandle file = OpenFileForReading(path.c_str());
  ASSERT_NE(file, kNoFile);
  std::uint8_t buffer[8] = {};
  EXPECT_EQ(ReadFilePiece(file, buffer, 2), 2u);
  EXPECT_EQ(FileLength(file), 6);
  EXPECT_EQ(ReadFilePiece(file, buffer, 8), 4u) << "a piece past the end comes short";
  EXPECT_EQ(buffer[0], 12);
  EXPECT_EQ(buffer[3], 15);
  CloseFile(file);
  EXPECT_EQ(OpenFileForReading(folder.File("none.bin").c_str()), kNoFile);
}

TEST(FileIo, CreatesNewFilesOnlyWhereNoneStands) {
  TempFolder folder;
  const std::string path = folder.File("new.bin");
  EXPECT_TRUE(CreateNewEmptyFile(path.c_str()));
  EXPECT_FALSE(CreateNewEmptyFile(path.c_str()));
  WriteFileBytes(path, Bytes{1, 2, 3});
  EXPECT_TRUE(CreateEmptyFile(path.c_str()));
  EXPECT_TRUE(ReadFileBytes(path).empty());
  EXPECT_FALSE(CreateEmptyFile(folder.File("no/such/folder.bin").c_str()));
}

TEST(FileIo, ReplacesAFileInOneStep) {
  TempFolder folder;
  const std::string oldFile = folder.File("old.bin");
  const std::string newFile = folder.File("new.bin");
  WriteFileBytes(oldFile, Bytes(100, 7));
  WriteFileBytes(newFile, Bytes{1, 2});
  ASSERT_TRUE(ReplaceFileWith(newFile.c_str(), oldFile.c_str()));
  EXPECT_EQ(ReadFileBytes(oldFile), (Bytes{1, 2}));
  EXPECT_FALSE(FileExists(newFile));
  EXPECT_TRUE(RemoveFileAt(oldFile.c_str()));
  EXPECT_FALSE(RemoveFileAt(oldFile.c_str()));
}

TEST(Folders, CurrentFolderFollowsTheProcess) {
  TempFolder folder;
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  const std::string seen = CurrentFolder();
  std::filesystem::current_path(before);
  EXPECT_EQ(std::filesystem::path(seen), std::filesystem::canonical(folder.path()));
}

#ifdef _WIN32
TEST(Folders, WindowsFolderIsTheSystemOne) {
  const std::string windows = WindowsFolder();
  EXPECT_EQ(windows, "C:\\windows") << "have " << windows;
}
#else
TEST(Folders, WindowsFolderIsTheDataFolderCreatedOnFirstUse) {
  TempFolder folder;
  const std::string data = folder.File("data");
  const std::string home = folder.File("home");
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string keptData = savedData ? savedData : "";
  const std::string keptHome = savedHome ? savedHome : "";

  setenv("XDG_DATA_HOME", data.c_str(), 1);
  EXPECT_EQ(WindowsFolder(), data + "/zelmora");
  EXPECT_TRUE(std::filesystem::is_directory(data + "/zelmora"));

  unsetenv("XDG_DATA_HOME");
  setenv("HOME", home.c_str(), 1);
  EXPECT_EQ(WindowsFolder(), home + "/.local/share/zelmora");
  EXPECT_TRUE(std::filesystem::is_directory(home + "/.local/share/zelmora"));

  savedData ? setenv("XDG_DATA_HOME", keptData.c_str(), 1) : unsetenv("XDG_DATA_HOME");
  savedHome ? setenv("HOME", keptHome.c_str(), 1) : unsetenv("HOME");
}
#endif

}  // namespace
