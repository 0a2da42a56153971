#include "core/make_save.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "compose/reference_compositor.h"
#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "platform/folders.h"
#include "testing/test_support.h"

namespace {

bool SameState(const RandomState& a, const RandomState& b) {
  return a.index == b.index && std::equal(a.words, a.words + RandomState::kWordCount, b.words);
}

Bytes RecordOf(const PackedDib& picture) {
  return Bytes(picture.bytes(), picture.bytes() + (BmpFileLength(picture) - 14));
}

// A state holding a source picture, as a successful open and target-size entry leave it.
AppState WithSource(std::int32_t width, std::int32_t height, std::uint16_t bits,
                    std::int32_t targetWidth, std::int32_t targetHeight) {
  BmpFixture f;
  f.width = width;
  f.height = height;
  f.bitCount = bits;
  f.colours = {0x00FFFFFF, 0x00800000};  // entry 0 white: transparent and the background
  AppState state;
  state.source = PictureOf(f);
  state.sourceWidth = width;
  state.sourceHeight = height;
  state.colourCount = bits == 4 ? 16 : 256;
  state.targetWidth = targetWidth;
  state.targetHeight = targetHeight;
  return state;
}

// What the compositor must give for this state and count, from the generator as it stands.
Bytes ExpectedPicture(const AppState& state, std::int32_t stamps) {
  ReferenceFlags flags;
  std::copy(std::begin(transparentFlags), std::end(transparentFlags), flags);
  RandomState random = randomState;
  return ReferenceCompose(state.source, state.targetWidth, state.targetHeight, stamps, flags,
                          random);
}

TEST(MakePicture, WithoutASourceChangesNothing) {
  AppState state;
  state.stampCount = 11;
  state.result = PictureOf(BmpFixture{});
  const std::uint8_t* held = state.result.bytes();
  const RandomState before = randomState;
  bool reported = false;
  EXPECT_EQ(MakePicture(state, "5", [&](std::int32_t) { reported = true; }), CoreOutcome::NoSource);
  EXPECT_EQ(state.stampCount, 11);
  EXPECT_EQ(state.result.bytes(), held);
  EXPECT_FALSE(reported);
  EXPECT_TRUE(SameState(before, randomState));
}

TEST(MakePicture, ReadsTheCountTextByTheAtoiRules) {
  struct Case {
    const char* text;
    std::int32_t count;
  };
  const Case cases[] = {{"30", 30},   {" 12a", 12},   {"-4", -4},    {"abc", 0},
                        {"2,000", 2}, {"1000", 1000}, {"0", 0},      {"-5", -5},
                        {"", 0},      {"+7", 7},      {"\t\n 8", 8}, {"\v\f\r9", 9},
                        {"- 3", 0},   {"12 34", 12},  {"007", 7},    {"x12", 0}};
  for (const Case& c : cases) {
    AppState state = WithSource(3, 2, 8, 9, 7);
    state.result = PictureOf(BmpFixture{});
    const Bytes want = ExpectedPicture(state, c.count);
    RandomState expected = randomState;
    for (std::int32_t i = 0; i < 2 * c.count; ++i)
      RandomBelow(expected, 1);
    std::int32_t reports = 0;
    ASSERT_EQ(MakePicture(state, c.text, [&](std::int32_t) { ++reports; }), CoreOutcome::Done)
        << c.text;
    EXPECT_EQ(state.stampCount, c.count) << "text '" << c.text << "'";
    EXPECT_EQ(reports, std::max(c.count, 0)) << c.text;
    EXPECT_TRUE(SameState(expected, randomState)) << c.text << ": two draws per stamp";
    ASSERT_TRUE(state.result);
    EXPECT_EQ(RecordOf(state.result), want) << c.text << ": the made picture replaces the old";
  }
}

TEST(ReadStampCount, HoldsNumbersBeyondThe32BitRangeAtItsEnds) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  struct Case {
    const char* text;
    std::int32_t count;
  };
  const Case cases[] = {
      {"2147483647", kMax},   {"2147483648", kMax},  {"99999999999999999999999", kMax},
      {"-2147483647", -kMax}, {"-2147483648", kMin}, {"-99999999999999999999999", kMin}};
  for (const Case& c : cases)
    EXPECT_EQ(ReadStampCount(c.text), c.count) << c.text;
}

TEST(MakePicture, RereadsTheSourceAndSetsTheColourCount) {
  for (const std::uint16_t bits : {4, 8}) {
    AppState state = WithSource(5, 4, bits, 11, 6);
    state.sourceWidth = state.sourceHeight = state.colourCount = -1;
    const Bytes want = ExpectedPicture(state, 3);
    ASSERT_EQ(MakePicture(state, "3", nullptr), CoreOutcome::Done);
    EXPECT_EQ(state.sourceWidth, 5);
    EXPECT_EQ(state.sourceHeight, 4);
    EXPECT_EQ(state.colourCount, bits == 4 ? 16 : 256);
    EXPECT_EQ(RecordOf(state.result), want) << bits << "-bit";
    EXPECT_EQ(DibWidth(state.result), 11);
    EXPECT_EQ(DibHeight(state.result), 6);
  }
}

TEST(MakePicture, WithoutACanvasHoldsNoMadePicture) {
  AppState state = WithSource(3, 2, 8, 40000, 7);  // past what a canvas takes
  state.result = PictureOf(BmpFixture{});
  EXPECT_EQ(MakePicture(state, "4", nullptr), CoreOutcome::OutOfMemory);
  EXPECT_FALSE(state.result);
  EXPECT_TRUE(state.source);
  EXPECT_EQ(state.stampCount, 4);
  EXPECT_EQ(CheckSavePrecondition(state), CoreOutcome::NothingToSave);
}

TEST(CheckSavePrecondition, RequiresAMadePicture) {
  AppState state = WithSource(3, 2, 8, 3, 2);
  EXPECT_EQ(CheckSavePrecondition(state), CoreOutcome::NothingToSave) << "a source alone";
  ASSERT_EQ(MakePicture(state, "1", nullptr), CoreOutcome::Done);
  EXPECT_EQ(CheckSavePrecondition(state), CoreOutcome::Done);
}

// A state with a made picture, and the process in `folder` as a save dialog leaves it.
AppState WithMadePicture() {
  AppState state = WithSource(7, 5, 4, 40, 30);
  EXPECT_EQ(MakePicture(state, "6", nullptr), CoreOutcome::Done);
  state.currentFolder = "stale";
  return state;
}

TEST(SaveMadePicture, ReplacesALongerFileWithExactlyTheNewPicture) {
  TempFolder folder;
  InFolder in(folder.path());
  AppState state = WithMadePicture();
  state.imagePath = folder.File("wallpaper.bmp");
  WriteFileBytes(state.imagePath, Bytes(50000, 0xEE));
  WarningRecorder warnings;
  bool written = false;
  EXPECT_EQ(SaveMadePicture(state, nullptr, &written), CoreOutcome::Done);
  EXPECT_TRUE(written);
  EXPECT_TRUE(warnings.warnings.empty());
  const Bytes file = ReadFileBytes(state.imagePath);
  ASSERT_EQ(file.size(), BmpFileLength(state.result));
  EXPECT_EQ(Bytes(file.begin() + 14, file.end()), RecordOf(state.result));
  const PackedDib reread = LoadBmpFile(state.imagePath.c_str());
  ASSERT_TRUE(reread);
  EXPECT_EQ(RecordOf(reread), RecordOf(state.result));
  EXPECT_EQ(state.currentFolder, CurrentFolder());
}

TEST(SaveMadePicture, TellsAFileThatCannotBeMadeAndStillRefreshesTheFolder) {
  TempFolder folder;
  InFolder in(folder.path());
  AppState state = WithMadePicture();
  state.imagePath = folder.File("missing/wallpaper.bmp");
  WarningRecorder warnings;
  bool written = true;
  EXPECT_EQ(SaveMadePicture(state, nullptr, &written), CoreOutcome::Done);
  EXPECT_FALSE(written);
  ASSERT_EQ(warnings.warnings.size(), 1u);
  EXPECT_EQ(warnings.warnings[0].first, "ファイルがオープンできません。");
  EXPECT_EQ(warnings.warnings[0].second, state.imagePath);
  EXPECT_EQ(state.currentFolder, CurrentFolder());
  EXPECT_FALSE(FileExists(state.imagePath));
}

#ifndef _WIN32
TEST(SaveMadePicture, KeepsTheOldFileWhenTheDiskIsFull) {
  TempFolder folder;
  InFolder in(folder.path());
  AppState state = WithMadePicture();
  state.imagePath = folder.File("wallpaper.bmp");
  const Bytes old(300, 0x5A);
  WriteFileBytes(state.imagePath, old);
  WarningRecorder warnings;
  bool written = true;
  {
    FileSizeLimit limit(400);  // less than the 14 + 40 + 64 + 30 x 20 bytes of the picture
    EXPECT_EQ(SaveMadePicture(state, nullptr, &written), CoreOutcome::Done);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFileBytes(state.imagePath), old);
  ASSERT_EQ(warnings.warnings.size(), 1u);
  EXPECT_EQ(warnings.warnings[0].first, "ファイルに書き込めませんでした。");
  EXPECT_EQ(warnings.warnings[0].second, state.imagePath);
  EXPECT_EQ(state.currentFolder, CurrentFolder());
}
#endif

TEST(SaveMadePicture, WithoutAMadePictureWritesNothing) {
  TempFolder folder;
  AppState state = WithSource(3, 2, 8, 3, 2);
  state.imagePath = folder.File("wallpaper.bmp");
  bool written = true;
  EXPECT_EQ(SaveMadePicture(state, nullptr, &written), CoreOutcome::NothingToSave);
  EXPECT_FALSE(written);
  EXPECT_FALSE(FileExists(state.imagePath));
}

}  // namespace
