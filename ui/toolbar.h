#pragma once
#include <windows.h>

// The strip of buttons across the top of the main window, as wide as the screen and 28 pixels
// high, with tooltips asked of the parent by command number; shown, and returned.
HWND CreateMainToolbar(HWND parent, HINSTANCE instance);

// The stamp-count field on the toolbar with its spinner (1 to 500, at 30, which the spinner
// writes into the field); returns the field.
HWND CreateCountField(HWND toolbar, HINSTANCE instance);

// Answers the tooltip control's request for a button's text with the string numbered
// command + 1000 of the program's resources. Any other notification is left alone.
void AnswerTooltipRequest(NMHDR* notification, HINSTANCE instance);
