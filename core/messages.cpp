#include "core/messages.h"

const char* OutcomeMessage(CoreOutcome outcome) {
  switch (outcome) {
    case CoreOutcome::Done:
      return nullptr;
    case CoreOutcome::LoadFailed:
      return kLoadFailedMessage;
    case CoreOutcome::NotWindowsBmp:
      return kNotWindowsBmpMessage;
    case CoreOutcome::NoSource:
      return kNoSourceMessage;
    case CoreOutcome::NothingToSave:
      return kNothingToSaveMessage;
    case CoreOutcome::NothingToExport:
      return kNothingToExportMessage;
    case CoreOutcome::OutOfMemory:
      return kOutOfMemoryMessage;
  }
  return nullptr;
}

const char* OutcomeCaption(CoreOutcome outcome, const AppState& state) {
  if (outcome == CoreOutcome::LoadFailed || outcome == CoreOutcome::NotWindowsBmp) {
    return state.imagePath.c_str();
  }
  return kCautionCaption;
}
