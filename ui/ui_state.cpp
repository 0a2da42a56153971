#include "ui/ui_state.h"

UiState& TheUiState() {
  static UiState state;
  return state;
}

AppState& TheAppState() {
  static AppState state;
  return state;
}

FileDialogs& TheFileDialogs() {
  static FileDialogs dialogs;
  return dialogs;
}
