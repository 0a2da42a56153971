#pragma once
#include <windows.h>

#include "core/app_state.h"
#include "platform/folders.h"

// The two records of the file dialogs, filled once while the main window is created and reused
// by every command that shows a file dialog. A dialog takes its initial file name from, and
// leaves the chosen path in, its path buffer; the commands copy that path to and from the
// application state (imagePath, pickedWallpaperPath).
struct FileDialogs {
  OPENFILENAMEA imageFileDialog = {};      // open and save
  OPENFILENAMEA wallpaperFileDialog = {};  // install a wallpaper from a file
  char imagePath[kPathRoom] = {};
  char pickedWallpaperPath[kPathRoom] = {};
  char imageFileTitle[512] = {};  // filled by the dialogs, read by nobody
  char wallpaperFileTitle[512] = {};
};

// Fills both records for dialogs owned by `owner`. The wallpaper dialog starts in the Windows
// folder of `state`, which must outlive the records; the image dialog's folder and title are set
// before each use.
void PrepareFileDialogs(FileDialogs& dialogs, HWND owner, const AppState& state);
