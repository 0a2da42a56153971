#include "wallpaper/wallpaper.h"

#include <utility>

#include "image/bmp_replace.h"
#include "platform/desktop.h"
#include "platform/folders.h"

std::string WallpaperFilePath() {
  return WindowsFolder() + kPathSeparator + kWallpaperFileName;
}

CoreOutcome ExportWallpaper(AppState& state, bool tile, OwnerWindow owner) {
  if (!state.result && !state.source)
    return CoreOutcome::NothingToExport;
  std::string kept = state.imagePath;
  state.imagePath = WallpaperFilePath();
  // Complete-then-replace rather than cutting the file to length 0 first: a full disk or a
  // locked file must not cost the user the wallpaper that the desktop is showing.
  ReplaceBmpFile(owner, state.imagePath, state.result ? state.result : state.source);
  WriteTileWallpaper(tile);
  SetDesktopWallpaper(state.imagePath.c_str());
  state.imagePath = std::move(kept);
  return CoreOutcome::Done;
}

CoreOutcome RecallWallpaper(AppState&, bool tile) {
  WriteTileWallpaper(tile);
  SetDesktopWallpaper(kWallpaperFileName);
  return CoreOutcome::Done;
}

CoreOutcome ClearWallpaper(AppState&) {
  SetDesktopWallpaper(kNoWallpaper);
  return CoreOutcome::Done;
}

CoreOutcome InstallWallpaperFile(AppState& state, bool tile) {
  WriteTileWallpaper(tile);
  SetDesktopWallpaper(state.pickedWallpaperPath.c_str());
  return CoreOutcome::Done;
}
