#pragma once

// A window that owns a message; null for none. It is an HWND on Windows.
using OwnerWindow = void*;

// Shows a warning message owned by `owner` and returns once it is closed
// (MessageBoxA with MB_ICONWARNING; on POSIX, the caption and text on standard error).
void ShowWarning(OwnerWindow owner, const char* text, const char* caption);

// Replaces ShowWarning's output, for tests (which must never show a real box) and for the
// command-line program. Null restores the platform's own.
using WarningSink = void (*)(const char* text, const char* caption, void* context);
void SetWarningSink(WarningSink sink, void* context);
