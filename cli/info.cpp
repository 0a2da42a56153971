#include <cstdio>

#include "cli/commands.h"
#include "core/app_state.h"
#include "core/messages.h"

// Opens SOURCE exactly as the open command does and prints WIDTHxHEIGHT COLOURS.
int RunInfoCommand(int argc, char** argv) {
  if (argc != 1)
    return UsageError("info takes one file");
  AppState state;
  state.imagePath = argv[0];
  const CoreOutcome outcome = OpenSourcePicture(state);
  if (outcome != CoreOutcome::Done) {
    PrintRefusal(OutcomeMessage(outcome));
    return 1;
  }
  std::printf("%dx%d %d\n", state.sourceWidth, state.sourceHeight, state.colourCount);
  return 0;
}
