#include "core/make_save.h"

#include <limits>

#include "image/bmp_replace.h"

namespace {
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

std::int32_t ReadStampCount(const char* text) {
  while (IsSpace(*text))
    ++text;
  const bool negative = *text == '-';
  if (*text == '-' || *text == '+')
    ++text;
  // Summed as a 64-bit magnitude, held at just past the 32-bit range so that it cannot overflow.
  constexpr std::int64_t kBeyond = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = magnitude * 10 + (*text - '0');
    if (magnitude > kBeyond)
      magnitude = kBeyond;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);  // -2^31 at the lowest
}

CoreOutcome MakePicture(AppState& state, const char* countText, const ProgressReport& progress) {
  if (!state.source)
    return CoreOutcome::NoSource;
  state.stampCount = ReadStampCount(countText);
  state.sourceWidth = DibWidth(state.source);
  state.sourceHeight = DibHeight(state.source);
  if (state.result)
    FreeDib(state.result);
  state.result = ComposeWallpaper(state.source, state.targetWidth, state.targetHeight,
                                  state.stampCount, progress);
  state.colourCount = DibBitCount(state.source) == 4 ? 16 : 256;
  return state.result ? CoreOutcome::Done : CoreOutcome::OutOfMemory;
}

CoreOutcome CheckSavePrecondition(const AppState& state) {
  return state.result ? CoreOutcome::Done : CoreOutcome::NothingToSave;
}

CoreOutcome SaveMadePicture(AppState& state, OwnerWindow owner, bool* written) {
  if (written != nullptr)
    *written = false;
  if (!state.result)
    return CoreOutcome::NothingToSave;
  // Never truncate the old file first: a failed write would leave the user with nothing.
  const ReplaceResult result = ReplaceBmpFile(owner, state.imagePath, state.result);
  RefreshCurrentFolder(state);
  if (written != nullptr)
    *written = result == ReplaceResult::Written;
  return CoreOutcome::Done;
}
