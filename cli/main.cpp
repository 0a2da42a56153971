// zelmora-cli: the program's core operations from a terminal, on Linux and Windows alike.
#include <cstdio>
#include <cstring>

#include "cli/commands.h"
#include "platform/warning.h"

namespace {
bool g_warningPrinted = false;

// The core's warnings (the writer's, for one) go to standard error instead of a window.
void PrintWarning(const char* text, const char* caption, void*) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  g_warningPrinted = true;
}

struct Command {
  const char* name;
  int (*run)(int argc, char** argv);
};
constexpr Command kCommands[] = {
    {"info", RunInfoCommand},
    {"make", RunMakeCommand},
    {"wallpaper", RunWallpaperCommand},
};
}  // namespace

int UsageError(const char* problem) {
  if (problem != nullptr)
    std::fprintf(stderr, "zelmora-cli: %s\n", problem);
  std::fputs(
      "usage: zelmora-cli info SOURCE.bmp\n"
      "       zelmora-cli make SOURCE.bmp OUTPUT.bmp [--size WIDTHxHEIGHT] [--stamps N] "
      "[--seed D]\n"
      "                        [--wallpaper tile|centre]\n"
      "       zelmora-cli wallpaper export SOURCE.bmp tile|centre\n"
      "       zelmora-cli wallpaper recall tile|centre\n"
      "       zelmora-cli wallpaper install FILE tile|centre\n"
      "       zelmora-cli wallpaper clear\n",
      stderr);
  return 2;
}

bool WarningWasPrinted() {
  return g_warningPrinted;
}

void PrintRefusal(const char* text) {
  std::fprintf(stderr, "%s\n", text);
}

int main(int argc, char** argv) {
  SetWarningSink(PrintWarning, nullptr);
  if (argc < 2)
    return UsageError(nullptr);
  for (const Command& command : kCommands) {
    if (std::strcmp(argv[1], command.name) == 0)
      return command.run(argc - 2, argv + 2);
  }
  return UsageError("unknown command");
}
