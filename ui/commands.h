#pragma once
#include <windows.h>

// Runs the flow of the command in the low 16 bits of a WM_COMMAND's wParam (the notification
// code in the high bits is not looked at). An id outside the command table does nothing.
void RouteCommand(HWND window, WPARAM wParam);
