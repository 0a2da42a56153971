#pragma once
#include <windows.h>

// The target-size dialog (template TXSIZE): two fields with spinners that start at the target
// size, which the open command has set to the source picture's, and a note naming that size. OK
// (or Enter) reads both fields into the target size and closes; the close box closes without
// reading; Esc does nothing. The end code is always 0.
INT_PTR CALLBACK SizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The About box (template TXABOUT): closes on OK, Enter, Esc and the close box, with end code 0.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
