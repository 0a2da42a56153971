#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/commands.h"
#include "compose/random.h"
#include "core/app_state.h"
#include "core/make_save.h"
#include "core/messages.h"
#include "wallpaper/wallpaper.h"

namespace {
constexpr char kDefaultStamps[] = "30";
constexpr int kLastSeed = 99;  // the warm-up takes 0 to 99 steps

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}

// A whole decimal number in low..high: an optional sign (when low is negative), digits, nothing
// else.
bool ParseNumber(const char* text, long long low, long long high, long long& value) {
  const char* at = text;
  const bool negative = *at == '-';
  if (negative || *at == '+') {
    if (low >= 0)
      return false;
    ++at;
  }
  if (*at == '\0')
    return false;
  long long magnitude = 0;
  for (; *at != '\0'; ++at) {
    if (*at < '0' || *at > '9')
      return false;
    magnitude = magnitude * 10 + (*at - '0');
    if (magnitude > high + 1 && magnitude > -low)
      return false;  // beyond either end; stop before it could overflow
  }
  value = negative ? -magnitude : magnitude;
  return value >= low && value <= high;
}

bool ParseSize(const char* text, std::int32_t& width, std::int32_t& height) {
  const char* cross = std::strchr(text, 'x');
  if (cross == nullptr)
    return false;
  const std::string left(text, cross);
  long long w = 0, h = 0;
  if (!ParseNumber(left.c_str(), 1, kMaxDimension, w) ||
      !ParseNumber(cross + 1, 1, kMaxDimension, h)) {
    return false;
  }
  width = static_cast<std::int32_t>(w);
  height = static_cast<std::int32_t>(h);
  return true;
}

struct MakeOptions {
  std::vector<const char*> files;
  bool sized = false;
  std::int32_t width = 0, height = 0;
  const char* stamps = kDefaultStamps;
  int seed = -1;  // none: the clock warms the generator up
  bool exportWallpaper = false;
  bool tile = false;
};

// Usage errors give their message; null when every argument was understood.
const char* ParseMakeOptions(int argc, char** argv, MakeOptions& options) {
  for (int i = 0; i < argc; ++i) {
    const char* argument = argv[i];
    if (std::strncmp(argument, "--", 2) != 0) {
      options.files.push_back(argument);
      continue;
    }
    if (i + 1 >= argc)
      return "an option lacks its value";
    const char* value = argv[++i];
    long long number = 0;
    if (std::strcmp(argument, "--size") == 0) {
      if (!ParseSize(value, options.width, options.height))
        return "--size takes WIDTHxHEIGHT, each 1 to 32767";
      options.sized = true;
    } else if (std::strcmp(argument, "--stamps") == 0) {
      if (!ParseNumber(value, std::numeric_limits<std::int32_t>::min(),
                       std::numeric_limits<std::int32_t>::max(), number)) {
        return "--stamps takes a whole number";
      }
      options.stamps = value;
    } else if (std::strcmp(argument, "--wallpaper") == 0) {
      if (!ReadTileWord(value, options.tile))
        return "--wallpaper takes tile or centre";
      options.exportWallpaper = true;
    } else if (std::strcmp(argument, "--seed") == 0) {
      if (!ParseNumber(value, 0, kLastSeed, number))
        return "--seed takes a number from 0 to 99";
      options.seed = static_cast<int>(number);
    } else {
      return "unknown option";
    }
  }
  if (options.files.size() != 2)
    return "make takes a source and an output file";
  return nullptr;
}
}  // namespace

// Opens SOURCE as the open command does, makes the picture as the execute command does and
// saves it to OUTPUT as the save command does, overwriting it without asking.
int RunMakeCommand(int argc, char** argv) {
  MakeOptions options;
  if (const char* problem = ParseMakeOptions(argc, argv, options))
    return UsageError(problem);

  AppState state;
  state.imagePath = options.files[0];
  CoreOutcome outcome = OpenSourcePicture(state);
  if (outcome != CoreOutcome::Done) {
    PrintRefusal(OutcomeMessage(outcome));
    return 1;
  }
  if (options.sized) {
    state.targetWidth = options.width;
    state.targetHeight = options.height;
  }
  ApplyTargetSize(state);

  // A seed stands for the clock's reading: the same count of warm-up steps, from the same table.
  if (options.seed >= 0)
    WarmUpRandomAt(randomState, options.seed);
  else
    WarmUpRandom();

  const bool showProgress = StandardErrorIsTerminal();
  std::int32_t shown = -1;
  outcome = MakePicture(state, options.stamps, [&](std::int32_t percent) {
    // A report comes before every pass; the line changes only when the percentage does.
    if (showProgress && percent != shown) {
      std::fprintf(stderr, "\rmaking %3d%%", percent);
      std::fflush(stderr);
      shown = percent;
    }
  });
  if (shown >= 0)
    std::fputs("\rmaking done\n", stderr);
  if (outcome != CoreOutcome::Done) {
    PrintRefusal(OutcomeMessage(outcome));
    return 1;
  }

  state.imagePath = options.files[1];
  bool written = false;
  SaveMadePicture(state, nullptr, &written);
  if (!written)
    return 1;
  if (!options.exportWallpaper)
    return 0;
  // As the tile and centre commands do after a make: the made picture becomes the wallpaper.
  // The export goes on after a failed write; the printed warning makes the exit code 1.
  ExportWallpaper(state, options.tile, nullptr);
  return WarningWasPrinted() ? 1 : 0;
}
