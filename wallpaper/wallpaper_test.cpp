#include "wallpaper/wallpaper.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>

#include "image/bmp_writer.h"
#include "platform/desktop.h"
#include "platform/desktop_readback_test_support.h"
#include "platform/file_io.h"
#include "platform/folders.h"
#include "testing/test_support.h"

namespace {

#ifdef _WIN32
// TileWallpaper as stored: REG_SZ, the digit and its terminating zero.
const std::string kTiled("1", 2);
const std::string kCentred("0", 2);
// What the system reports as the wallpaper when it was given `name`.
std::string AsWallpaper(const std::string& name) {
  return name;
}
#else
const std::string kTiled = "wallpaper";
const std::string kCentred = "centered";
// The temporary folders of these tests need no escaping in a URI.
std::string AsWallpaper(const std::string& name) {
  if (name == kNoWallpaper)
    return "";
  return "file://" + (name[0] == '/' ? name : WindowsFolder() + "/" + name);
}
#endif

std::string TileSetting(bool tile) {
  return tile ? kTiled : kCentred;
}

// A source picture and a made picture that differ in every respect a file shows.
const BmpFixture kSource = SizedFixture(4, 2, 8);
const BmpFixture kMade = SizedFixture(24, 10, 4);

constexpr char kOpenedPath[] = "/pictures/tulip.bmp";

class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DesktopSettingsReachable()) << "the desktop's settings cannot be reached";
    ForgetDesktopSettings();
    wallpaperFile_ = WindowsFolder() + kPathSeparator + "ZELMORA.BMP";
    RemoveWallpaperFile();
    untouchedTile_ = StoredTileSetting();
    untouchedWallpaper_ = StoredWallpaper();
    state_.imagePath = kOpenedPath;
  }
  void TearDown() override { RemoveWallpaperFile(); }

  void RemoveWallpaperFile() {
    std::error_code ignored;
    std::filesystem::remove(wallpaperFile_, ignored);
  }

  AppState state_;
  std::string wallpaperFile_;
  std::string untouchedTile_;
  std::string untouchedWallpaper_;
};

TEST_F(WallpaperTest, TheWallpaperFileLiesInTheWindowsFolder) {
  EXPECT_EQ(WallpaperFilePath(), wallpaperFile_);
}

TEST_F(WallpaperTest, ExportWritesTheMadePictureElseTheSource) {
  struct Case {
    const char* name;
    bool hasSource;
    bool hasMade;
    bool tile;
    const BmpFixture* written;
  };
  const Case cases[] = {
      {"source only, tiled", true, false, true, &kSource},
      {"source only, centred", true, false, false, &kSource},
      {"both, tiled", true, true, true, &kMade},
      {"both, centred", true, true, false, &kMade},
      {"made only", false, true, true, &kMade},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AppState state;
    state.imagePath = kOpenedPath;
    if (c.hasSource)
      state.source = PictureOf(kSource);
    if (c.hasMade)
      state.result = PictureOf(kMade);
    WarningRecorder warnings;
    ASSERT_EQ(ExportWallpaper(state, c.tile, nullptr), CoreOutcome::Done);
    EXPECT_EQ(ReadFileBytes(wallpaperFile_), c.written->File());
    EXPECT_EQ(StoredTileSetting(), TileSetting(c.tile));
    EXPECT_EQ(StoredWallpaper(), AsWallpaper(wallpaperFile_));
    EXPECT_EQ(StoredDarkWallpaper(), AsWallpaper(wallpaperFile_));
    EXPECT_EQ(state.imagePath, kOpenedPath) << "the path lent to the export is given back";
    EXPECT_EQ(bool(state.source), c.hasSource) << "the pictures stay with the state";
    EXPECT_EQ(bool(state.result), c.hasMade);
    EXPECT_TRUE(warnings.warnings.empty());
  }
}

TEST_F(WallpaperTest, ExportWithoutAPictureDoesNothing) {
  WarningRecorder warnings;
  EXPECT_EQ(ExportWallpaper(state_, true, nullptr), CoreOutcome::NothingToExport);
  EXPECT_FALSE(FileExists(wallpaperFile_));
  EXPECT_EQ(StoredTileSetting(), untouchedTile_);
  EXPECT_EQ(StoredWallpaper(), untouchedWallpaper_);
  EXPECT_EQ(state_.imagePath, kOpenedPath);
  EXPECT_TRUE(warnings.warnings.empty());
}

TEST_F(WallpaperTest, ASmallerSecondExportLeavesExactlyTheNewFile) {
  state_.source = PictureOf(SizedFixture(64, 64, 8));
  ASSERT_EQ(ExportWallpaper(state_, true, nullptr), CoreOutcome::Done);
  ASSERT_EQ(ReadFileBytes(wallpaperFile_).size(), 14u + 40 + 1024 + 64 * 64);
  state_.source = PictureOf(kSource);
  ASSERT_EQ(ExportWallpaper(state_, false, nullptr), CoreOutcome::Done);
  const Bytes file = ReadFileBytes(wallpaperFile_);
  EXPECT_EQ(file.size(), BmpFileLength(state_.source));
  EXPECT_EQ(file, kSource.File());
  EXPECT_EQ(StoredTileSetting(), kCentred);
}

TEST_F(WallpaperTest, ClearLeavesTheTileSettingAndTheFileAlone) {
  state_.source = PictureOf(kSource);
  for (const bool tile : {true, false}) {
    ASSERT_EQ(ExportWallpaper(state_, tile, nullptr), CoreOutcome::Done);
    EXPECT_EQ(ClearWallpaper(state_), CoreOutcome::Done);
    EXPECT_EQ(StoredTileSetting(), TileSetting(tile));
    EXPECT_EQ(StoredWallpaper(), AsWallpaper(kNoWallpaper));
    EXPECT_EQ(ReadFileBytes(wallpaperFile_), kSource.File());
  }
}

TEST_F(WallpaperTest, RecallBeforeAnyExportStoresTheTileSettingAndTheBareName) {
  for (const bool tile : {true, false}) {
    ForgetDesktopSettings();
    EXPECT_EQ(RecallWallpaper(state_, tile), CoreOutcome::Done);
    EXPECT_EQ(StoredTileSetting(), TileSetting(tile));
    EXPECT_EQ(StoredWallpaper(), AsWallpaper("ZELMORA.BMP"));
    EXPECT_FALSE(FileExists(wallpaperFile_)) << "recall writes no file";
  }
}

TEST_F(WallpaperTest, TiledExportThenCentredRecallKeepsTheFile) {
  state_.result = PictureOf(kMade);
  ASSERT_EQ(ExportWallpaper(state_, true, nullptr), CoreOutcome::Done);
  ASSERT_EQ(StoredTileSetting(), kTiled);
  const Bytes exported = ReadFileBytes(wallpaperFile_);
  EXPECT_EQ(RecallWallpaper(state_, false), CoreOutcome::Done);
  EXPECT_EQ(ReadFileBytes(wallpaperFile_), exported);
  EXPECT_EQ(StoredTileSetting(), kCentred);
  EXPECT_EQ(StoredWallpaper(), AsWallpaper("ZELMORA.BMP"));
}

TEST_F(WallpaperTest, InstallPassesThePickedFileUnlooked) {
  TempFolder folder;
  // Not a picture, and never read: the system is handed the name as it stands.
  const std::string picked = folder.File("picked.txt");
  WriteFileBytes(picked, Bytes{'n', 'o'});
  for (const bool tile : {true, false}) {
    state_.pickedWallpaperPath = picked;
    FileCallRecorder calls;
    EXPECT_EQ(InstallWallpaperFile(state_, tile), CoreOutcome::Done);
    EXPECT_EQ(StoredTileSetting(), TileSetting(tile));
    EXPECT_EQ(StoredWallpaper(), AsWallpaper(picked));
    EXPECT_TRUE(calls.reads.empty() && calls.writes.empty());
    EXPECT_FALSE(FileExists(wallpaperFile_));
  }
}

// A failed write keeps the wallpaper the desktop shows, says so, and the export still stores
// the tile setting and installs the file by its path, as it would after a good write.
TEST_F(WallpaperTest, AFailedExportKeepsTheOldFileAndStillInstallsIt) {
  state_.source = PictureOf(kSource);
  ASSERT_EQ(ExportWallpaper(state_, false, nullptr), CoreOutcome::Done);
  const Bytes old = ReadFileBytes(wallpaperFile_);
  ForgetDesktopSettings();
  state_.result = PictureOf(SizedFixture(64, 64, 8));
  WarningRecorder warnings;
  {
#ifdef _WIN32
    // Another program holds the wallpaper file open and lets nobody write to it.
    const FileHandle holder = OpenFileForReading(wallpaperFile_.c_str());
    ASSERT_NE(holder, kNoFile);
    EXPECT_EQ(ExportWallpaper(state_, true, nullptr), CoreOutcome::Done);
    CloseFile(holder);
    const char* const message = "ファイルがオープンできません。";
#else
    // A full disk: the new file stops part way.
    FileSizeLimit limit(4096);
    EXPECT_EQ(ExportWallpaper(state_, true, nullptr), CoreOutcome::Done);
    const char* const message = "ファイルに書き込めませんでした。";
#endif
    ASSERT_EQ(warnings.warnings.size(), 1u);
    EXPECT_EQ(warnings.warnings[0].first, message);
  }
  EXPECT_EQ(warnings.warnings[0].second, wallpaperFile_) << "the caption is the file's path";
  EXPECT_EQ(ReadFileBytes(wallpaperFile_), old);
  EXPECT_EQ(StoredTileSetting(), kTiled);
  EXPECT_EQ(StoredWallpaper(), AsWallpaper(wallpaperFile_));
  EXPECT_EQ(state_.imagePath, kOpenedPath);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(wallpaperFile_).parent_path()))
    files += entry.path().filename().string().rfind("ZELMORA.BMP", 0) == 0;
  EXPECT_EQ(files, 1u) << "no part-written file is left beside it";
}

#ifndef _WIN32
// The Windows folder cannot even be made (its parent is a file): nothing to keep, but the
// failure is still told and the rest of the export still runs.
TEST_F(WallpaperTest, AnExportWhoseFolderCannotExistStillInstallsTheFile) {
  TempFolder folder;
  const std::string blocker = folder.File("not-a-folder");
  WriteFileBytes(blocker, Bytes{'x'});
  const char* const data = getenv("XDG_DATA_HOME");
  ASSERT_NE(data, nullptr) << "the test main gives every test program a data folder";
  const std::string saved = data;
  setenv("XDG_DATA_HOME", blocker.c_str(), 1);
  const std::string unreachable = blocker + "/zelmora/ZELMORA.BMP";
  state_.source = PictureOf(kSource);
  WarningRecorder warnings;
  EXPECT_EQ(ExportWallpaper(state_, true, nullptr), CoreOutcome::Done);
  setenv("XDG_DATA_HOME", saved.c_str(), 1);
  ASSERT_EQ(warnings.warnings.size(), 1u);
  EXPECT_EQ(warnings.warnings[0].first, "ファイルがオープンできません。");
  EXPECT_EQ(warnings.warnings[0].second, unreachable);
  EXPECT_EQ(StoredTileSetting(), kTiled);
  EXPECT_EQ(StoredWallpaper(), "file://" + unreachable);
  EXPECT_EQ(state_.imagePath, kOpenedPath);
}
#endif

}  // namespace
