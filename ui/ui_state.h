#pragma once
#include <windows.h>

#include "core/app_state.h"
#include "ui/file_dialogs.h"

// The window-system values kept for the whole run.
struct UiState {
  HINSTANCE appInstance = nullptr;
  HWND countField = nullptr;
  HWND widthSpinner = nullptr;  // the target-size dialog's, while it is open
  HWND heightSpinner = nullptr;
};

// The one instance of each record, owned by the user interface and living as long as the program:
// the window handles, the application state the main window works on, and the two file-dialog
// records that the commands reuse.
UiState& TheUiState();
AppState& TheAppState();
FileDialogs& TheFileDialogs();
