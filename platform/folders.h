#pragma once
#include <string>

// The separator that joins a folder and a file name on this platform.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// Room that every path query is given, with its terminating zero.
constexpr int kPathRoom = 260;

// The Windows folder (GetWindowsDirectoryA); elsewhere the program's own data folder,
// $XDG_DATA_HOME/zelmora or ~/.local/share/zelmora, created on first use.
std::string WindowsFolder();

// The current folder of the current drive.
std::string CurrentFolder();
