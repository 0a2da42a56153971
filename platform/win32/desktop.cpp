#include "platform/desktop.h"

#include <windows.h>

void WriteTileWallpaper(bool tile) {
  HKEY key;
  DWORD disposition;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, NULL, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, NULL, &key, &disposition) != ERROR_SUCCESS)
    return;
  // The digit and its terminating zero.
  RegSetValueExA(key, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(tile ? "1" : "0"),
                 2);
  RegCloseKey(key);
}

void SetDesktopWallpaper(const char* path) {
  // The call takes a non-const pointer for every action; a set only reads the text.
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path), SPIF_UPDATEINIFILE);
}
