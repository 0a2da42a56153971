#include "platform/folders.h"

#include <direct.h>
#include <windows.h>

std::string WindowsFolder() {
  char folder[kPathRoom] = {};
  GetWindowsDirectoryA(folder, kPathRoom);
  return folder;
}

std::string CurrentFolder() {
  char folder[kPathRoom] = {};
  _getdcwd(_getdrive(), folder, kPathRoom);
  return folder;
}
