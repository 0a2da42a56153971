// The program's start: the window class, the main window and the message loop.
#include <windows.h>

#include "ui/main_window.h"
#include "ui/ui_state.h"

namespace {
constexpr char kStartTitle[] = "Zelmora";
// Replaced during creation by the fitting to the target size, so never seen.
constexpr int kCreationWidth = 200;
constexpr int kCreationHeight = 300;
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int show) {
  if (previous == nullptr)
    RegisterMainWindowClass(instance);
  // Before the window exists: its creation uses the instance.
  TheUiState().appInstance = instance;
  HWND window =
      CreateWindowExA(0, kMainWindowClass, kStartTitle, WS_OVERLAPPEDWINDOW, 0, 0, kCreationWidth,
                      kCreationHeight, nullptr, nullptr, instance, nullptr);
  // No UpdateWindow: the first paint comes through the loop.
  ShowWindow(window, show);
  MSG message = {};
  while (GetMessageA(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
