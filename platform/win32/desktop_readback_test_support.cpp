#include <windows.h>

#include "platform/desktop_readback_test_support.h"

namespace {
constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kTileValue[] = "TileWallpaper";
}  // namespace

bool DesktopSettingsReachable() {
  return true;
}

void ForgetDesktopSettings() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueA(key, kTileValue);
    RegCloseKey(key);
  }
  char empty[] = "";
  SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, empty, SPIF_UPDATEINIFILE);
}

std::string StoredTileSetting() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::string();
  // The wide query gives the characters as stored, with no code page conversion between.
  WCHAR data[32] = {};
  DWORD type = 0;
  DWORD size = sizeof data;
  const LSTATUS status =
      RegQueryValueExW(key, L"TileWallpaper", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS)
    return std::string();
  if (type != REG_SZ)
    return "type " + std::to_string(type);
  std::string text;
  for (DWORD at = 0; at < size / sizeof(WCHAR); ++at)
    text += data[at] < 0x80 ? static_cast<char>(data[at]) : '?';
  return text;
}

std::string StoredWallpaper() {
  char path[MAX_PATH + 1] = {};
  if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0))
    return "(SPI_GETDESKWALLPAPER failed)";
  return path;
}

std::string StoredDarkWallpaper() {
  return StoredWallpaper();
}
