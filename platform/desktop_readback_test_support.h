#pragma once
// For tests only: the desktop settings as the system's own store holds them, read back through
// the system's API (the registry and SystemParametersInfoA on Windows; `gsettings get` in a child
// process on a GNOME desktop, which sees only what reached the settings store).
#include <string>

// False when the desktop's settings cannot be reached at all (on POSIX: their schema is not
// installed). Natively the test program's main has pointed them at a store of the process's own.
bool DesktopSettingsReachable();

// Puts the tile setting and the wallpaper back to what the store holds before any write (on
// Windows: no TileWallpaper value and no wallpaper), so that a test sees what a call wrote.
void ForgetDesktopSettings();

// The stored tile setting. Windows: the characters of TileWallpaper as stored, terminating zero
// included ("type N" when it is not REG_SZ, empty when there is none). GNOME: picture-options.
std::string StoredTileSetting();

// The wallpaper the system was last asked to show. Windows: SPI_GETDESKWALLPAPER. GNOME:
// picture-uri.
std::string StoredWallpaper();

// GNOME: picture-uri-dark. Windows, which has only the one: StoredWallpaper().
std::string StoredDarkWallpaper();
