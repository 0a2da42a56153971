#pragma once

// The name that, given as the wallpaper, leaves the desktop without one.
inline constexpr const char kNoWallpaper[] = "(なし)";

// Stores whether the desktop wallpaper is tiled (true) or centred (false). Reports nothing when
// the setting cannot be stored. On Windows the value TileWallpaper ("1" or "0") under
// HKEY_CURRENT_USER\Control Panel\desktop; on a GNOME desktop org.gnome.desktop.background
// picture-options ('wallpaper' or 'centered').
void WriteTileWallpaper(bool tile);

// Asks the system to show the file at `path` as the desktop wallpaper, remembered for the user;
// kNoWallpaper clears it. The file is not looked at. Reports nothing when the system refuses.
// On a GNOME desktop it sets picture-uri and picture-uri-dark to the file's URI (both empty for
// kNoWallpaper, leaving picture-options alone); a name that is not absolute is taken relative to
// WindowsFolder(). Where that desktop's settings are not installed it does nothing.
void SetDesktopWallpaper(const char* path);
