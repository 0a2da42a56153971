#pragma once
#include <cstdint>
#include <string>

#include "image/packed_dib.h"

// What every core and wallpaper operation tells the user interface.
enum class CoreOutcome {
  Done,
  LoadFailed,       // the reader gave no picture
  NotWindowsBmp,    // the picture has a 12-byte core header
  NoSource,         // make without a source picture
  NothingToSave,    // save without a made picture
  NothingToExport,  // wallpaper export with neither picture
  OutOfMemory,      // the memory for the made picture could not be had
};

// Everything the running program knows. Paths are code page 932 byte strings.
struct AppState {
  PackedDib source;
  PackedDib result;  // the made picture
  std::int32_t sourceWidth = 0;
  std::int32_t sourceHeight = 0;
  std::int32_t colourCount = 0;  // 16 or 256 once a picture was opened
  std::int32_t targetWidth = 100;
  std::int32_t targetHeight = 150;
  std::int32_t stampCount = 0;
  std::string imagePath;
  std::string currentFolder;
  std::string windowsFolder;
  std::string helpPath;
  std::string pickedWallpaperPath;
};

// Start values: target 100 x 150, no pictures, the Windows folder, the current folder, and the
// help file in the folder current at start.
CoreOutcome InitAppState(AppState& state);

// currentFolder := the current folder, which the file dialogs move to the chosen file's folder.
CoreOutcome RefreshCurrentFolder(AppState& state);

// Releases both pictures, reads imagePath as the new source picture and sets the sizes and the
// target size from it. LoadFailed or NotWindowsBmp leave no picture at all.
CoreOutcome OpenSourcePicture(AppState& state);

// Raises the target size to at least the source's size and caps it at what a canvas can hold.
CoreOutcome ApplyTargetSize(AppState& state);

// Releases the made picture, then the source picture.
CoreOutcome ReleasePictures(AppState& state);
