#pragma once
#include <windows.h>

// The class name of the main window.
inline constexpr char kMainWindowClass[] = "ZELMORA";

// Registers the main window's class for `instance`; the result is not examined.
void RegisterMainWindowClass(HINSTANCE instance);

// The main window's procedure: creation, paint, close, destroy, tooltip requests and commands.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
