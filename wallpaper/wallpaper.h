#pragma once
#include <string>

#include "core/app_state.h"
#include "platform/warning.h"

// The wallpaper file's name; the file itself lies in the Windows folder.
inline constexpr const char kWallpaperFileName[] = "ZELMORA.BMP";

// The wallpaper file: the Windows folder, a separator and kWallpaperFileName.
std::string WallpaperFilePath();

// Writes the made picture, else the source picture, to the wallpaper file, stores the tile
// setting and installs that file as the wallpaper, in this order and each whatever the one
// before gave. The file is replaced only once the new one is complete: a failed write keeps the
// previous file and says so in a warning owned by `owner`. `imagePath` is lent for the file's
// path and given back. NothingToExport, with nothing done, when neither picture is held.
CoreOutcome ExportWallpaper(AppState& state, bool tile, OwnerWindow owner);

// Stores the tile setting and installs the wallpaper file again by its bare name, whether or
// not it exists.
CoreOutcome RecallWallpaper(AppState& state, bool tile);

// Installs no wallpaper; the stored tile setting stays as it is.
CoreOutcome ClearWallpaper(AppState& state);

// Stores the tile setting and installs `pickedWallpaperPath`, which is not looked at.
CoreOutcome InstallWallpaperFile(AppState& state, bool tile);
