// A long session: a thousand makes and saves in a row must neither grow the process nor ever
// leave a file that does not read back as the picture just made.
#include <gtest/gtest.h>

#include <cstring>

#include "core/app_state.h"
#include "core/make_save.h"
#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "platform/memory_use.h"
#include "testing/test_support.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer keeps freed blocks in quarantine, so the process grows by design; there the
// leak checker at exit stands in for the bound.
constexpr bool kMemoryIsMeasurable = false;
#else
constexpr bool kMemoryIsMeasurable = true;
#endif

TEST(MakeAndSave, AThousandInARowKeepMemoryFlatAndEveryFileValid) {
  constexpr int kRounds = 1000;
  constexpr int kWarmUpRounds = 50;
  // Well above what a leak of one picture, one path or one handle per round would add up to.
  constexpr std::size_t kAllowedGrowth = 2 * 1024 * 1024;

  TempFolder folder;
  BmpFixture fixture;
  fixture.width = 37;
  fixture.height = 21;
  fixture.bitCount = 4;
  fixture.colours = {0x00FFFFFF};  // entry 0 is white: transparent, and the background
  AppState state;
  state.imagePath = folder.File("source.bmp");
  WriteFileBytes(state.imagePath, fixture.File());
  ASSERT_EQ(OpenSourcePicture(state), CoreOutcome::Done);
  state.targetWidth = 90;
  state.targetHeight = 50;
  ApplyTargetSize(state);
  const std::string saved = folder.File("made.bmp");

  std::size_t settled = 0;
  for (int round = 0; round < kRounds; ++round) {
    ASSERT_EQ(MakePicture(state, "6", nullptr), CoreOutcome::Done) << "round " << round;
    state.imagePath = saved;
    bool written = false;
    ASSERT_EQ(SaveMadePicture(state, nullptr, &written), CoreOutcome::Done);
    ASSERT_TRUE(written) << "round " << round;
    const PackedDib reloaded = LoadBmpFile(saved.c_str());
    ASSERT_TRUE(reloaded) << "round " << round << ": the saved file is not a usable picture";
    const std::size_t length = BmpFileLength(state.result) - 14;
    ASSERT_EQ(reloaded.length(), length) << "round " << round;
    ASSERT_EQ(std::memcmp(reloaded.bytes(), state.result.bytes(), length), 0) << "round " << round;
    if (round == kWarmUpRounds)
      settled = ProcessMemoryInUse();
  }
  const std::size_t finished = ProcessMemoryInUse();
  if (kMemoryIsMeasurable) {
    ASSERT_NE(settled, 0u) << "the process's memory use cannot be read";
    EXPECT_LE(finished, settled + kAllowedGrowth)
        << "have " << finished << " bytes after " << kRounds << " rounds, " << settled << " after "
        << kWarmUpRounds;
  }
}

}  // namespace
