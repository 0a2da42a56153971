#include "ui/main_window.h"

#include "compose/random.h"
#include "image/packed_dib.h"
#include "ui/commands.h"
#include "ui/palette_builder.h"
#include "ui/resource.h"
#include "ui/toolbar.h"
#include "ui/ui_state.h"
#include "ui/window_placement.h"

namespace {

// The preview frame's corner and the picture's corner inside it, in client pixels.
constexpr int kFrameLeft = 6;
constexpr int kFrameTop = 32;
constexpr int kPictureLeft = 8;
constexpr int kPictureTop = 34;

// The palette selected into the window's own device context (CS_OWNDC keeps it there from one
// paint to the next): it may be deleted only once another is selected or the window is gone.
HPALETTE g_selectedPalette = nullptr;

LRESULT OnCreate(HWND window) {
  UiState& ui = TheUiState();
  AppState& state = TheAppState();
  HWND toolbar = CreateMainToolbar(window, ui.appInstance);
  ui.countField = CreateCountField(toolbar, ui.appInstance);
  InitAppState(state);
  WarmUpRandom();
  FitWindowToImage(window);
  PrepareFileDialogs(TheFileDialogs(), window, state);
  return 1;
}

const PackedDib* PictureToShow(const AppState& state) {
  if (state.result)
    return &state.result;
  if (state.source)
    return &state.source;
  return nullptr;
}

void DrawPicture(HWND window, HDC dc, const PackedDib& picture, const AppState& state) {
  const void* pixels = DibPixels(picture);
  // Without a palette (the builder has already asked the program to end) the picture is
  // drawn all the same.
  if (HPALETTE palette = BuildPalette(window, picture, 0)) {
    if (SelectPalette(dc, palette, FALSE) != nullptr) {
      if (g_selectedPalette != nullptr)
        DeleteObject(g_selectedPalette);
      g_selectedPalette = palette;
    } else {
      DeleteObject(palette);
    }
  }
  RealizePalette(dc);
  SetStretchBltMode(dc, COLORONCOLOR);
  // The extent is the target size whichever picture is shown; a smaller source picture ends in
  // the frame's lower-left corner. The scan lines handed over are never more than the picture
  // holds, so the transfer reads nothing beyond its block whatever the platform clips.
  const UINT lines = static_cast<UINT>(
      state.targetHeight < DibHeight(picture) ? state.targetHeight : DibHeight(picture));
  SetDIBitsToDevice(dc, kPictureLeft, kPictureTop, state.targetWidth, state.targetHeight, 0, 0, 0,
                    lines, pixels, reinterpret_cast<const BITMAPINFO*>(picture.bytes()),
                    DIB_RGB_COLORS);
}

LRESULT OnPaint(HWND window) {
  const AppState& state = TheAppState();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(GetSysColor(COLOR_MENU));
  FillRect(dc, &client, background);
  DeleteObject(background);
  // The device context's default pen and brush: a black outline filled with white.
  Rectangle(dc, kFrameLeft, kFrameTop, state.targetWidth + 10, state.targetHeight + 36);
  if (const PackedDib* picture = PictureToShow(state))
    DrawPicture(window, dc, *picture, state);
  EndPaint(window, &paint);
  return 1;
}

LRESULT OnClose(HWND window) {
  ReleasePictures(TheAppState());
  DestroyWindow(window);
  return 0;
}

LRESULT OnDestroy(HWND window) {
  if (g_selectedPalette != nullptr) {
    HDC dc = GetDC(window);
    SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
    ReleaseDC(window, dc);
    DeleteObject(g_selectedPalette);
    g_selectedPalette = nullptr;
  }
  PostQuitMessage(0);
  return 0;
}

LRESULT OnNotify(HWND window, WPARAM wParam, LPARAM lParam) {
  AnswerTooltipRequest(reinterpret_cast<NMHDR*>(lParam), TheUiState().appInstance);
  return DefWindowProcA(window, WM_NOTIFY, wParam, lParam);
}

}  // namespace

void RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, IDR_ZELMORA);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszMenuName = IDR_ZELMORA;
  windowClass.lpszClassName = kMainWindowClass;
  RegisterClassA(&windowClass);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_PAINT:
      return OnPaint(window);
    case WM_CLOSE:
      return OnClose(window);
    case WM_DESTROY:
      return OnDestroy(window);
    case WM_NOTIFY:
      return OnNotify(window, wParam, lParam);
    case WM_COMMAND:
      RouteCommand(window, wParam);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
