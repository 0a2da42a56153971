#include "ui/toolbar.h"

#include <commctrl.h>

#include "ui/resource.h"

namespace {
constexpr int kToolbarHeight = 28;
constexpr int kButtonWidth = 24;
constexpr int kButtonHeight = 22;
constexpr int kImageSize = 16;
constexpr int kImageCount = 7;

constexpr int kCountFieldLeft = 220;
constexpr int kCountFieldTop = 2;
constexpr int kCountFieldWidth = 60;
constexpr int kCountFieldHeight = 22;
constexpr int kLowestCount = 1;
constexpr int kHighestCount = 500;
constexpr int kStartCount = 30;

constexpr TBBUTTON Button(int image, int command) {
  return {image, command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0};
}
// Image 0 gives a separator the platform's default width.
constexpr TBBUTTON Separator() {
  return {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0};
}

// Left to right; the three wallpaper buttons stand together.
const TBBUTTON kButtons[] = {
    Separator(),           Button(0, IDM_OPEN),    Separator(), Button(1, IDM_SAVE),
    Separator(),           Button(2, IDM_EXECUTE), Separator(), Button(3, IDM_TILE),
    Button(4, IDM_CENTRE), Button(5, IDM_CLEAR),   Separator(), Button(6, IDM_HELP_CONTENTS),
};
}  // namespace

HWND CreateMainToolbar(HWND parent, HINSTANCE instance) {
  InitCommonControls();
  // Created hidden; CCS_NORESIZE keeps this place and size whatever the parent's size.
  HWND toolbar = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, nullptr, WS_CHILD | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE | CCS_NORESIZE, 0,
      0, GetSystemMetrics(SM_CXSCREEN), kToolbarHeight, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), instance, nullptr);
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
  SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageSize, kImageSize));
  // The toolbar keeps using the strip's bitmap, so it is never deleted.
  TBADDBITMAP strip = {};
  strip.hInst = nullptr;
  strip.nID = reinterpret_cast<UINT_PTR>(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_TOOLBAR)));
  SendMessageA(toolbar, TB_ADDBITMAP, kImageCount, reinterpret_cast<LPARAM>(&strip));
  SendMessageA(toolbar, TB_ADDBUTTONS, sizeof kButtons / sizeof kButtons[0],
               reinterpret_cast<LPARAM>(kButtons));
  ShowWindow(toolbar, SW_SHOW);
  return toolbar;
}

HWND CreateCountField(HWND toolbar, HINSTANCE instance) {
  // A child of the toolbar, so its place is in the toolbar's client area.
  HWND field = CreateWindowExA(
      0, "edit", nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, kCountFieldLeft, kCountFieldTop,
      kCountFieldWidth, kCountFieldHeight, toolbar,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_COUNT_FIELD)), instance, nullptr);
  // The spinner sits inside the field's right edge and writes its position into it as text.
  CreateUpDownControl(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT, 0, 0, 0, 0, toolbar,
                      IDC_COUNT_SPINNER, instance, field, kHighestCount, kLowestCount, kStartCount);
  return field;
}

void AnswerTooltipRequest(NMHDR* notification, HINSTANCE instance) {
  if (notification->code != TTN_NEEDTEXTA)
    return;
  // Whoever asks: for a toolbar button idFrom is its command number.
  auto* tip = reinterpret_cast<TOOLTIPTEXTA*>(notification);
  tip->hinst = instance;
  tip->lpszText = MAKEINTRESOURCEA((notification->idFrom + IDS_TIP_OFFSET) & 0xFFFF);
}
