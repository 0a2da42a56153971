#include "core/app_state.h"

#include <gtest/gtest.h>

#include "platform/folders.h"
#include "testing/test_support.h"

namespace {

std::string WriteFixture(const TempFolder& folder, const std::string& name, const BmpFixture& f) {
  const std::string path = folder.File(name);
  WriteFileBytes(path, f.File());
  return path;
}

TEST(InitAppState, SetsTheStartValues) {
  AppState state;
  state.targetWidth = 7;
  state.result = PackedDib::Allocate(16);
  ASSERT_EQ(InitAppState(state), CoreOutcome::Done);
  EXPECT_EQ(state.targetWidth, 100);
  EXPECT_EQ(state.targetHeight, 150);
  EXPECT_FALSE(state.result);
  EXPECT_FALSE(state.source);
  EXPECT_EQ(state.windowsFolder, WindowsFolder());
  EXPECT_EQ(state.currentFolder, CurrentFolder());
  EXPECT_EQ(state.helpPath, state.currentFolder + kPathSeparator + "zelmora.hlp");
}

TEST(OpenSourcePicture, RecordsSizesAndColours) {
  TempFolder folder;
  struct Case {
    BmpFixture fixture;
    std::int32_t colours;
  };
  const Case cases[] = {
      {SizedFixture(120, 80, 4), 16}, {SizedFixture(64, 48, 8), 256}, {SizedFixture(3, 1, 4), 16}};
  for (const Case& c : cases) {
    AppState state;
    state.imagePath = WriteFixture(folder, "source.bmp", c.fixture);
    ASSERT_EQ(OpenSourcePicture(state), CoreOutcome::Done);
    EXPECT_TRUE(state.source);
    EXPECT_EQ(state.sourceWidth, c.fixture.width);
    EXPECT_EQ(state.sourceHeight, c.fixture.height);
    EXPECT_EQ(state.colourCount, c.colours);
    EXPECT_EQ(state.targetWidth, c.fixture.width) << "the size dialog starts from the source size";
    EXPECT_EQ(state.targetHeight, c.fixture.height);
  }
}

TEST(OpenSourcePicture, RefusalsLeaveNoPictureAndTheSizesAlone) {
  TempFolder folder;
  BmpFixture core = SizedFixture(10, 10, 8);
  core.headerSize = 12;
  const std::string notBmp = folder.File("text.bmp");
  WriteFileBytes(notBmp, Bytes{'h', 'e', 'l', 'l', 'o'});
  struct Case {
    std::string path;
    CoreOutcome outcome;
  };
  const Case cases[] = {{notBmp, CoreOutcome::LoadFailed},
                        {folder.File("absent.bmp"), CoreOutcome::LoadFailed},
                        {WriteFixture(folder, "core.bmp", core), CoreOutcome::NotWindowsBmp}};
  for (const Case& c : cases) {
    AppState state;
    state.imagePath = WriteFixture(folder, "good.bmp", SizedFixture(20, 30, 8));
    ASSERT_EQ(OpenSourcePicture(state), CoreOutcome::Done);
    state.result = PackedDib::Allocate(64);  // a made picture held before
    state.imagePath = c.path;
    EXPECT_EQ(OpenSourcePicture(state), c.outcome) << c.path;
    EXPECT_FALSE(state.source);
    EXPECT_FALSE(state.result);
    EXPECT_EQ(state.sourceWidth, 20);
    EXPECT_EQ(state.colourCount, 256);
  }
}

TEST(OpenSourcePicture, RefreshesTheCurrentFolderEvenWhenItFails) {
  TempFolder folder;
  const std::string absent = folder.File("absent.bmp");
  AppState state;
  state.currentFolder = "stale";
  state.imagePath = absent;
  {
    InFolder moved(folder.path());
    EXPECT_EQ(OpenSourcePicture(state), CoreOutcome::LoadFailed);
    EXPECT_EQ(state.currentFolder, CurrentFolder());
  }
  EXPECT_NE(state.currentFolder, "stale");
}

TEST(ApplyTargetSize, RaisesToTheSourceAndCapsAtTheCanvasLimit) {
  struct Case {
    std::int32_t enteredWidth, enteredHeight;
    std::int32_t wantWidth, wantHeight;
  };
  // For a 120 x 80 source picture.
  const Case cases[] = {{50, 200, 120, 200},         {0, 0, 120, 80},   {120, 80, 120, 80},
                        {640, 480, 640, 480},        {-5, -1, 120, 80}, {40000, 90, 32767, 90},
                        {32767, 32768, 32767, 32767}};
  for (const Case& c : cases) {
    AppState state;
    state.sourceWidth = 120;
    state.sourceHeight = 80;
    state.targetWidth = c.enteredWidth;
    state.targetHeight = c.enteredHeight;
    EXPECT_EQ(ApplyTargetSize(state), CoreOutcome::Done);
    EXPECT_EQ(state.targetWidth, c.wantWidth) << "entered " << c.enteredWidth;
    EXPECT_EQ(state.targetHeight, c.wantHeight) << "entered " << c.enteredHeight;
  }
}

TEST(ReleasePictures, LeavesNone) {
  AppState state;
  state.source = PackedDib::Allocate(16);
  state.result = PackedDib::Allocate(16);
  EXPECT_EQ(ReleasePictures(state), CoreOutcome::Done);
  EXPECT_FALSE(state.source);
  EXPECT_FALSE(state.result);
  EXPECT_EQ(ReleasePictures(state), CoreOutcome::Done) << "releasing nothing is harmless";
}

}  // namespace
