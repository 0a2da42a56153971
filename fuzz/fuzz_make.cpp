// A picture from arbitrary bytes, made into a wallpaper and saved, as the open, execute and save
// commands do it; the made picture must equal the plain per-pixel composition, and the saved
// file must read back as exactly the made picture.
// Input: extra width, extra height, stamp count, warm-up steps, then the BMP file itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "compose/reference_compositor.h"
#include "core/app_state.h"
#include "core/make_save.h"
#include "fuzz/fuzz_file.h"
#include "image/bmp_reader.h"
#include "image/bmp_writer.h"

namespace {
// Keeps every run to a few milliseconds: the made picture has at most this many pixels.
constexpr std::int64_t kMaxMadePixels = 160 * 160;
constexpr std::size_t kSettingBytes = 4;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz_make: %s\n", what);
    std::abort();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kSettingBytes)
    return 0;
  const std::string& path = FuzzInputPath();
  if (!WriteFuzzInput(path, data + kSettingBytes, size - kSettingBytes))
    return 0;

  AppState state;
  state.imagePath = path;
  if (OpenSourcePicture(state) != CoreOutcome::Done)
    return 0;
  state.targetWidth = state.sourceWidth + data[0] % 48;
  state.targetHeight = state.sourceHeight + data[1] % 48;
  ApplyTargetSize(state);
  if (static_cast<std::int64_t>(state.targetWidth) * state.targetHeight > kMaxMadePixels)
    return 0;
  const int stamps = data[2] % 20 - 3;  // a few counts of 0 or less too
  char countText[16];
  std::snprintf(countText, sizeof countText, "%d", stamps);

  randomState = InitialRandomState();
  WarmUpRandomAt(randomState, data[3] % 100);
  RandomState referenceRandom = randomState;
  ReferenceFlags referenceFlags;
  std::memcpy(referenceFlags, transparentFlags, sizeof referenceFlags);

  if (MakePicture(state, countText, nullptr) != CoreOutcome::Done)
    return 0;
  const std::vector<std::uint8_t> want = ReferenceCompose(
      state.source, state.targetWidth, state.targetHeight, stamps, referenceFlags, referenceRandom);
  Require(want.size() + 14 == BmpFileLength(state.result), "made picture has the wrong length");
  Require(want.size() <= state.result.length(), "made picture's rows lie outside its block");
  Require(std::memcmp(want.data(), state.result.bytes(), want.size()) == 0,
          "made picture differs from the per-pixel composition");

  const std::string saved = path + ".made.bmp";
  state.imagePath = saved;
  bool written = false;
  SaveMadePicture(state, nullptr, &written);
  Require(written, "the made picture was not saved");
  const PackedDib reloaded = LoadBmpFile(saved.c_str());
  Require(static_cast<bool>(reloaded), "the saved file is not read back");
  Require(reloaded.length() == want.size() &&
              std::memcmp(reloaded.bytes(), want.data(), want.size()) == 0,
          "the saved file differs from the made picture");
  std::remove(saved.c_str());
  return 0;
}
