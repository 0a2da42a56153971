#pragma once
#include <windows.h>

// The main window's size and place follow the target size of the application state.

// Sizes the window so that its client area holds the preview frame for the target size with a
// 6-pixel margin (and the toolbar above it), at least 350 pixels wide overall, and centres it.
// Neither move repaints.
void FitWindowToImage(HWND window);

// Centres the window on the screen (measured through its device context), keeping its size,
// stacking place and activation.
void CentreWindow(HWND window);

// Moves `rect` into the screen (the system metrics' size) in place, keeping its size; one larger
// than the screen ends at left or top 0 and reaches past the opposite edge.
void ClampRectToScreen(RECT& rect);

// ClampRectToScreen's rule for a screen of the given size.
void ClampRect(RECT& rect, int screenWidth, int screenHeight);
