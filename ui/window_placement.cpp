#include "ui/window_placement.h"

#include "ui/ui_state.h"

namespace {
constexpr int kMinimumWindowWidth = 350;
constexpr int kProvisionalHeightExtra = 40;
constexpr int kClientExtraWidth = 16;   // 6 each side of the frame, and the frame's own 4
constexpr int kClientExtraHeight = 42;  // 32 above the frame (toolbar), 6 below, and the frame
}  // namespace

void FitWindowToImage(HWND window) {
  const AppState& state = TheAppState();
  // A provisional size first, to learn how much the frame and menu bar take at this width.
  MoveWindow(window, 0, 0, kMinimumWindowWidth, state.targetHeight + kProvisionalHeightExtra,
             FALSE);
  RECT client;
  RECT outer;
  GetClientRect(window, &client);
  GetWindowRect(window, &outer);
  const int extraWidth = (outer.right - outer.left) - (client.right - client.left);
  const int extraHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
  int width = state.targetWidth + extraWidth + kClientExtraWidth;
  if (width <= kMinimumWindowWidth)
    width = kMinimumWindowWidth;
  const int height = state.targetHeight + extraHeight + kClientExtraHeight;
  MoveWindow(window, 0, 0, width, height, FALSE);
  CentreWindow(window);
}

void CentreWindow(HWND window) {
  RECT outer;
  GetWindowRect(window, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  HDC dc = GetDC(window);
  const int screenWidth = GetDeviceCaps(dc, HORZRES);
  const int screenHeight = GetDeviceCaps(dc, VERTRES);
  ReleaseDC(window, dc);
  // Signed divisions, truncating toward zero.
  const int left = (screenWidth - width) / 2;
  const int top = (screenHeight - height) / 2;
  RECT placed = {left, top, left + width, top + height};
  ClampRectToScreen(placed);
  SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ClampRectToScreen(RECT& rect) {
  ClampRect(rect, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void ClampRect(RECT& rect, int screenWidth, int screenHeight) {
  // In this order: a rectangle wider than the screen is first pushed left, then back to 0.
  if (rect.right > screenWidth) {
    rect.left = screenWidth - (rect.right - rect.left);
    rect.right = screenWidth;
  }
  if (rect.left < 0) {
    rect.right -= rect.left;
    rect.left = 0;
  }
  if (rect.bottom > screenHeight) {
    rect.top = screenHeight - (rect.bottom - rect.top);
    rect.bottom = screenHeight;
  }
  if (rect.top < 0) {
    rect.bottom -= rect.top;
    rect.top = 0;
  }
}
