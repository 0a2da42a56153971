#include "core/app_state.h"

#include <algorithm>

#include "image/bmp_reader.h"
#include "platform/folders.h"

namespace {
constexpr char kHelpFileName[] = "zelmora.hlp";

void Release(PackedDib& picture) {
  if (picture)
    FreeDib(picture);
}
}  // namespace

CoreOutcome InitAppState(AppState& state) {
  state.targetWidth = 100;
  state.targetHeight = 150;
  Release(state.result);
  state.windowsFolder = WindowsFolder();
  RefreshCurrentFolder(state);
  // Plain concatenation: a drive root such as C:\ gives two separators in a row, as it always has.
  state.helpPath = state.currentFolder + kPathSeparator + kHelpFileName;
  return CoreOutcome::Done;
}

CoreOutcome RefreshCurrentFolder(AppState& state) {
  state.currentFolder = CurrentFolder();
  return CoreOutcome::Done;
}

CoreOutcome OpenSourcePicture(AppState& state) {
  Release(state.source);
  Release(state.result);
  state.source = LoadBmpFile(state.imagePath.c_str());
  RefreshCurrentFolder(state);
  if (!state.source)
    return CoreOutcome::LoadFailed;
  if (DibHeaderSize(state.source) == kCoreHeaderSize) {
    FreeDib(state.source);
    return CoreOutcome::NotWindowsBmp;
  }
  state.sourceWidth = DibWidth(state.source);
  state.sourceHeight = DibHeight(state.source);
  state.colourCount = DibBitCount(state.source) == 4 ? 16 : 256;
  state.targetWidth = state.sourceWidth;
  state.targetHeight = state.sourceHeight;
  return CoreOutcome::Done;
}

CoreOutcome ApplyTargetSize(AppState& state) {
  if (state.sourceWidth > state.targetWidth)
    state.targetWidth = state.sourceWidth;
  if (state.sourceHeight > state.targetHeight)
    state.targetHeight = state.sourceHeight;
  // A canvas takes signed 16-bit sizes; a larger entry could not be made.
  state.targetWidth = std::min(state.targetWidth, kMaxDimension);
  state.targetHeight = std::min(state.targetHeight, kMaxDimension);
  return CoreOutcome::Done;
}

CoreOutcome ReleasePictures(AppState& state) {
  Release(state.result);
  Release(state.source);
  return CoreOutcome::Done;
}
