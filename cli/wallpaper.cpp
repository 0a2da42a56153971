#include <cstdio>
#include <cstring>
#include <string>

#include "cli/commands.h"
#include "core/app_state.h"
#include "core/messages.h"
#include "platform/folders.h"
#include "wallpaper/wallpaper.h"

bool ReadTileWord(const char* word, bool& tile) {
  if (std::strcmp(word, "tile") == 0) {
    tile = true;
    return true;
  }
  if (std::strcmp(word, "centre") == 0) {
    tile = false;
    return true;
  }
  return false;
}

namespace {

bool IsAbsolute(const std::string& path) {
#ifdef _WIN32
  return (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) ||
         (!path.empty() && (path[0] == '\\' || path[0] == '/'));
#else
  return !path.empty() && path[0] == '/';
#endif
}

// The system keeps the name it is given, so a file named from the terminal is handed on with
// its folder, as the file dialog hands on the whole path.
std::string FullPath(const char* path) {
  if (IsAbsolute(path))
    return path;
  return CurrentFolder() + kPathSeparator + path;
}

int Export(int argc, char** argv) {
  bool tile = false;
  if (argc != 2 || !ReadTileWord(argv[1], tile))
    return UsageError("wallpaper export takes SOURCE.bmp and tile or centre");
  AppState state;
  state.imagePath = argv[0];
  CoreOutcome outcome = OpenSourcePicture(state);
  if (outcome == CoreOutcome::Done)
    outcome = ExportWallpaper(state, tile, nullptr);
  if (outcome != CoreOutcome::Done) {
    PrintRefusal(OutcomeMessage(outcome));
    return 1;
  }
  // The export goes on after a failed write, as the window does; the warning has been printed,
  // and the exit code must not call the write a success.
  if (WarningWasPrinted())
    return 1;
  std::printf("%s\n", WallpaperFilePath().c_str());
  return 0;
}

int Recall(int argc, char** argv) {
  bool tile = false;
  if (argc != 1 || !ReadTileWord(argv[0], tile))
    return UsageError("wallpaper recall takes tile or centre");
  AppState state;
  RecallWallpaper(state, tile);
  return 0;
}

int Clear(int argc, char**) {
  if (argc != 0)
    return UsageError("wallpaper clear takes nothing more");
  AppState state;
  ClearWallpaper(state);
  return 0;
}

int Install(int argc, char** argv) {
  bool tile = false;
  if (argc != 2 || !ReadTileWord(argv[1], tile))
    return UsageError("wallpaper install takes FILE and tile or centre");
  AppState state;
  state.pickedWallpaperPath = FullPath(argv[0]);
  InstallWallpaperFile(state, tile);
  return 0;
}

struct Action {
  const char* name;
  int (*run)(int argc, char** argv);
};
constexpr Action kActions[] = {
    {"export", Export},
    {"recall", Recall},
    {"clear", Clear},
    {"install", Install},
};
}  // namespace

int RunWallpaperCommand(int argc, char** argv) {
  if (argc < 1)
    return UsageError("wallpaper needs export, recall, clear or install");
  for (const Action& action : kActions) {
    if (std::strcmp(argv[0], action.name) == 0)
      return action.run(argc - 1, argv + 1);
  }
  return UsageError("unknown wallpaper action");
}
