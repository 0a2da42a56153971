// End-to-end tests of Zelmora.exe: each starts the built program and drives it only from
// outside, through window messages, the mouse, the keyboard and the screen's pixels.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/gui_driver.h"
#include "ui/gui_fixture.h"

#ifndef ZELMORA_MENU_PROBE
#error "ZELMORA_MENU_PROBE must name the menu probe DLL"
#endif

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

std::string Hex(COLORREF colour) {
  char text[16];
  wsprintfA(text, "0x%06lX", static_cast<unsigned long>(colour));
  return text;
}

// A rectangle of a child window in its parent's client coordinates.
RECT PlaceInParent(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

POINT Centre(const RECT& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(ZelmoraAtStart, IsTitledZelmoraSizedForTheDefaultTargetAndCentred) {
  EXPECT_EQ(Utf8(WindowText(window_)), "Zelmora");
  const LONG style = GetWindowLongW(window_, GWL_STYLE);
  EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW) << "style " << Hex(style);

  RECT outer;
  RECT client;
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int extraWidth = width - client.right;
  const int extraHeight = height - client.bottom;
  // The default target 100 x 150 needs a client area of 116 x 192 (the frame with its margins
  // and the toolbar); the window is never narrower than 350.
  const int wantWidth = 116 + extraWidth > 350 ? 116 + extraWidth : 350;
  EXPECT_EQ(width, wantWidth) << "have window width " << width << ", want " << wantWidth;
  EXPECT_EQ(height, 192 + extraHeight);
  EXPECT_EQ(client.bottom, 192) << "have client height " << client.bottom << ", want 192";
  EXPECT_GE(client.right, 116);

  // Centred with signed divisions on the screen that the device context reports.
  HDC screen = GetDC(nullptr);
  const int screenWidth = GetDeviceCaps(screen, HORZRES);
  const int screenHeight = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(outer.left, (screenWidth - width) / 2)
      << "screen " << screenWidth << " x " << screenHeight << ", window " << width;
  EXPECT_EQ(outer.top, (screenHeight - height) / 2)
      << "screen " << screenWidth << " x " << screenHeight << ", window height " << height;
}

struct WantMenuItem {
  int depth;
  const wchar_t* text;  // null for a separator
  UINT id;              // 0 for a popup
};

TEST_F(ZelmoraAtStart, CarriesTheMenuOfItsResources) {
  const WantMenuItem want[] = {
      {0, L"ファイル(&F)", 0},
      {1, L"元絵を開く(&O)...", 1000},
      {1, L"ﾌｧｲﾙに保存(&S)...", 1001},
      {1, nullptr, 0},
      {1, L"終了(&X)", 1008},
      {0, L"実行(&G)", 1002},
      {0, L"壁紙表示(&V)", 0},
      {1, L"ﾀｲﾙ表示(&T)", 1003},
      {1, L"中央に表示(&C)", 1004},
      {1, nullptr, 0},
      {1, L"壁紙ｸﾘｱ(&D)", 1005},
      {1, nullptr, 0},
      {1, L"壁紙ﾘｺｰﾙ(ﾀｲﾙ)", 40026},
      {1, L"壁紙ﾘｺｰﾙ(中央)", 40029},
      {1, nullptr, 0},
      {1, L"壁紙設定(ﾀｲﾙ)...", 40027},
      {1, L"壁紙設定(中央)...", 40028},
      {0, L"ヘルプ(&H)", 0},
      {1, L"目次(&C)...", 1006},
      {1, nullptr, 0},
      {1, L"ﾊﾞｰｼﾞｮﾝ情報(&A)...", 1007},
  };
  const std::vector<MenuItem> have = ReadWindowMenu(window_, L"" ZELMORA_MENU_PROBE);
  ASSERT_EQ(have.size(), std::size(want)) << "have " << have.size() << " menu items";
  for (size_t i = 0; i < have.size(); ++i) {
    const MenuItem& item = have[i];
    const WantMenuItem& w = want[i];
    SCOPED_TRACE(testing::Message() << "menu item " << i << " '" << Utf8(item.text) << "'");
    EXPECT_EQ(item.depth, w.depth);
    if (w.text == nullptr) {
      EXPECT_TRUE(item.type & MFT_SEPARATOR) << "want a separator";
      EXPECT_EQ(item.id, 0u);
      continue;
    }
    EXPECT_FALSE(item.type & MFT_SEPARATOR);
    EXPECT_EQ(Utf8(item.text), Utf8(w.text));
    EXPECT_EQ(item.popup, w.id == 0) << "want " << (w.id == 0 ? "a popup" : "a command");
    if (w.id != 0) {
      EXPECT_EQ(item.id, w.id);
    }
    EXPECT_EQ(item.state & (MFS_CHECKED | MFS_DISABLED | MFS_GRAYED), 0u) << "state " << item.state;
  }
}

// The menu answers the keyboard: Alt+F opens the File popup, while Alt+G chooses the bar item
// "実行(&G)" itself and opens none.
TEST_F(ZelmoraAtStart, ExecuteSitsOnTheMenuBarItself) {
  SetForegroundWindow(window_);
  PressKeyWithAlt('F');
  ASSERT_TRUE(WaitUntil([&] { return PopupMenu() != nullptr; }, kShortTimeoutMs))
      << "Alt+F opened no popup menu";
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return PopupMenu() == nullptr; }, kShortTimeoutMs));

  PressKeyWithAlt('G');
  EXPECT_FALSE(WaitUntil([&] { return PopupMenu() != nullptr; }, 1500))
      << "Alt+G opened a popup menu";
}

struct WantButton {
  BYTE style;
  int image;
  int command;
};

TEST_F(ZelmoraAtStart, ToolbarHoldsTheButtonTable) {
  HWND toolbar = Toolbar();
  ASSERT_NE(toolbar, nullptr) << "no child window 800";
  EXPECT_EQ(Utf8(ClassOf(toolbar)), "ToolbarWindow32");
  const LONG style = GetWindowLongW(toolbar, GWL_STYLE);
  const LONG wantStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE | CCS_NORESIZE;
  EXPECT_EQ(style & wantStyle, wantStyle) << "style " << Hex(style);
  const RECT place = PlaceInParent(toolbar);
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(place.right, GetSystemMetrics(SM_CXSCREEN)) << "as wide as the screen";
  EXPECT_EQ(place.bottom, 28);

  const WantButton want[] = {
      {BTNS_SEP, 0, 0},       {BTNS_BUTTON, 0, 1000}, {BTNS_SEP, 0, 0}, {BTNS_BUTTON, 1, 1001},
      {BTNS_SEP, 0, 0},       {BTNS_BUTTON, 2, 1002}, {BTNS_SEP, 0, 0}, {BTNS_BUTTON, 3, 1003},
      {BTNS_BUTTON, 4, 1004}, {BTNS_BUTTON, 5, 1005}, {BTNS_SEP, 0, 0}, {BTNS_BUTTON, 6, 1006},
  };
  ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(std::size(want)));
  // TB_GETBUTTON fills its record through a pointer: it has to live in the program's memory.
  RemoteBuffer remote(program_->process(), sizeof(TBBUTTON));
  for (size_t i = 0; i < std::size(want); ++i) {
    SCOPED_TRACE(testing::Message() << "toolbar entry " << i);
    ASSERT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, i, remote.address()));
    TBBUTTON button = {};
    ASSERT_TRUE(remote.Read(&button, sizeof button));
    EXPECT_EQ(button.fsStyle, want[i].style);
    EXPECT_EQ(button.iBitmap, want[i].image);
    EXPECT_EQ(button.idCommand, want[i].command);
    EXPECT_EQ(button.fsState, TBSTATE_ENABLED);
    EXPECT_EQ(button.dwData, 0u);
    if (want[i].style == BTNS_BUTTON) {
      EXPECT_EQ(button.iString, 0);  // a separator's string is the platform's to report
    }
  }
}

TEST_F(ZelmoraAtStart, CountFieldShowsThirtyWithItsSpinner) {
  HWND toolbar = Toolbar();
  HWND field = GetDlgItem(toolbar, 3001);
  HWND spinner = GetDlgItem(toolbar, 3000);
  ASSERT_NE(field, nullptr) << "no field 3001 on the toolbar";
  ASSERT_NE(spinner, nullptr) << "no spinner 3000 on the toolbar";
  EXPECT_EQ(Utf8(ClassOf(field)), "Edit");
  EXPECT_EQ(Utf8(ClassOf(spinner)), "msctls_updown32");
  EXPECT_EQ(Utf8(WindowText(field)), "30");

  const LONG fieldStyle = GetWindowLongW(field, GWL_STYLE);
  EXPECT_EQ(fieldStyle & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
  // The edit control takes WS_BORDER out of its style and draws the one-pixel border itself, so
  // the border is looked for on the screen: one colour all round, not the field's white.
  MoveMouseTo({0, 0});
  RECT fieldOnScreen;
  GetWindowRect(field, &fieldOnScreen);
  EXPECT_TRUE(WaitUntil(
      [&] {
        const ScreenPixels shown(fieldOnScreen);
        return shown.At(0, 0) != kWhite && shown.At(2, 2) == kWhite;
      },
      kShortTimeoutMs))
      << "the field was never painted with a border";
  const ScreenPixels fieldPixels(fieldOnScreen);
  const COLORREF border = fieldPixels.At(0, 0);
  EXPECT_EQ(fieldPixels.At(fieldPixels.width() / 2, 0), border) << "top edge";
  EXPECT_EQ(fieldPixels.At(0, fieldPixels.height() / 2), border) << "left edge";
  EXPECT_EQ(fieldPixels.At(fieldPixels.width() / 2, fieldPixels.height() - 1), border);
  EXPECT_EQ(fieldPixels.At(2, 2), kWhite) << "inside the border";
  EXPECT_EQ(fieldStyle & (ES_NUMBER | ES_AUTOHSCROLL), 0) << "style " << Hex(fieldStyle);
  const LONG spinnerStyle = GetWindowLongW(spinner, GWL_STYLE);
  EXPECT_EQ(spinnerStyle & (UDS_ALIGNRIGHT | UDS_SETBUDDYINT), UDS_ALIGNRIGHT | UDS_SETBUDDYINT);
  EXPECT_EQ(spinnerStyle & (UDS_ARROWKEYS | UDS_WRAP), 0) << "style " << Hex(spinnerStyle);

  // UDM_GETRANGE: the highest position in the low word, the lowest in the high word.
  const LRESULT range = SendMessageW(spinner, UDM_GETRANGE, 0, 0);
  EXPECT_EQ(LOWORD(range), 500);
  EXPECT_EQ(HIWORD(range), 1);
  EXPECT_EQ(SendMessageW(spinner, UDM_GETPOS, 0, 0), 30) << "position 30, no error bit";
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spinner, UDM_GETBUDDY, 0, 0)), field);

  // The field at (220, 2) on the toolbar, 60 x 22, with the spinner inside its right edge (which
  // the platform lets overlap the field's border by a pixel or two).
  const RECT fieldPlace = PlaceInParent(field);
  const RECT spinnerPlace = PlaceInParent(spinner);
  EXPECT_EQ(fieldPlace.left, 220);
  EXPECT_EQ(fieldPlace.top, 2);
  EXPECT_EQ(fieldPlace.bottom - fieldPlace.top, 22);
  EXPECT_LE(spinnerPlace.right, 280);
  EXPECT_GE(spinnerPlace.right, 276);
  EXPECT_LT(fieldPlace.right, 280) << "the spinner narrows the field";
  EXPECT_LE(spinnerPlace.left, fieldPlace.right);
  EXPECT_GE(spinnerPlace.left, fieldPlace.right - 4);
}

// The arrows step the count and stop at the ends of the range.
TEST_F(ZelmoraAtStart, SpinnerArrowsStepTheCountWithinItsRange) {
  HWND toolbar = Toolbar();
  HWND field = GetDlgItem(toolbar, 3001);
  HWND spinner = GetDlgItem(toolbar, 3000);
  ASSERT_NE(spinner, nullptr);
  RECT r;
  GetWindowRect(spinner, &r);
  const POINT up = {(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4};
  const POINT down = {(r.left + r.right) / 2, r.bottom - (r.bottom - r.top) / 4 - 1};
  struct Case {
    int start;
    bool upArrow;
    const char* want;
  };
  // The cases that move come first and last, so the clicks are seen to arrive.
  for (const Case c :
       {Case{30, true, "31"}, Case{500, true, "500"}, Case{1, false, "1"}, Case{2, false, "1"}}) {
    SCOPED_TRACE(testing::Message() << "from " << c.start << (c.upArrow ? " up" : " down"));
    SendMessageW(spinner, UDM_SETPOS, 0, MAKELPARAM(c.start, 0));
    ASSERT_EQ(Utf8(WindowText(field)), std::to_string(c.start));
    ClickAt(c.upArrow ? up : down);
    WaitUntil([&] { return Utf8(WindowText(field)) != std::to_string(c.start); }, 1500);
    EXPECT_EQ(Utf8(WindowText(field)), c.want);
  }
}

// Each button's tooltip is the string at its command number + 1000.
TEST_F(ZelmoraAtStart, HoveringAButtonShowsItsTooltip) {
  struct Case {
    int index;  // in the button table
    const wchar_t* want;
  };
  const Case cases[] = {
      {5, L"壁紙用の画像作成を実行する"},  // the third button, first
      {1, L"元になる画像を開く"},
      {3, L"作成した画像をﾌｧｲﾙに保存する"},
      {7, L"壁紙表示（ﾀｲﾙ表示）"},
      {8, L"壁紙表示（中央表示）"},
      {9, L"壁紙を消す"},
      {11, L"ﾍﾙﾌﾟの目次"},
  };
  HWND toolbar = Toolbar();
  ASSERT_NE(toolbar, nullptr);
  RemoteBuffer remote(program_->process(), sizeof(RECT));
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "button entry " << c.index);
    ASSERT_TRUE(SendMessageW(toolbar, TB_GETITEMRECT, c.index, remote.address()));
    RECT button;
    ASSERT_TRUE(remote.Read(&button, sizeof button));
    POINT at = Centre(button);
    MapWindowPoints(toolbar, nullptr, &at, 1);
    std::wstring shown;
    int nudge = 0;
    const bool found = WaitUntil(
        [&] {
          // A resting pointer shows the tip after a delay; a small move now and then restarts
          // the wait should the first move have come before the tooltip was listening.
          if (nudge++ % 20 == 0)
            MoveMouseTo({at.x + (nudge / 20) % 2, at.y});
          HWND tip = program_->FindWindowOfClass(L"tooltips_class32");
          shown = tip ? WindowText(tip) : std::wstring();
          return shown == c.want;
        },
        kShortTimeoutMs);
    EXPECT_TRUE(found) << "have tooltip '" << Utf8(shown) << "', want '" << Utf8(c.want) << "'";
  }
}

// An empty frame for the default 100 x 150: the black outline from (6, 32) to (109, 185), white
// inside, and the menu colour everywhere else below the toolbar.
TEST_F(ZelmoraAtStart, PreviewShowsTheEmptyFrame) {
  MoveMouseTo({0, 0});
  const COLORREF menu = GetSysColor(COLOR_MENU);
  ASSERT_NE(menu, kWhite) << "the menu colour must differ from white to tell the frame apart";
  auto painted = [&] {
    const ScreenPixels pixels = ClientPixels(window_);
    return pixels.At(6, 32) == kBlack && pixels.At(7, 33) == kWhite;
  };
  ASSERT_TRUE(WaitUntil(painted, kShortTimeoutMs)) << "the frame was never painted";
  const ScreenPixels pixels = ClientPixels(window_);
  ASSERT_EQ(pixels.height(), 192);
  int wrong = 0;
  for (int y = 28; y < pixels.height(); ++y) {
    for (int x = 0; x < pixels.width(); ++x) {
      const bool inFrame = x >= 6 && x <= 109 && y >= 32 && y <= 185;
      const bool outline = inFrame && (x == 6 || x == 109 || y == 32 || y == 185);
      const COLORREF want = outline ? kBlack : inFrame ? kWhite : menu;
      const COLORREF have = pixels.At(x, y);
      if (have != want && ++wrong <= 10) {
        ADD_FAILURE() << "pixel (" << x << ", " << y << "): have " << Hex(have) << ", want "
                      << Hex(want);
      }
    }
  }
  EXPECT_EQ(wrong, 0) << "pixels that differ";
}

TEST_F(ZelmoraAtStart, CloseBoxEndsTheProgramWithExitCodeZero) {
  // Find the close box along the middle of the caption, from the right, as the window itself
  // tells where it is.
  RECT outer;
  GetWindowRect(window_, &outer);
  const int y = outer.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  POINT closeBox = {-1, -1};
  for (int x = outer.right - 1; x > outer.right - 80 && closeBox.x < 0; --x) {
    if (SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
      closeBox = {x - 4, y};
  }
  ASSERT_GE(closeBox.x, 0) << "no close box on the caption";
  ASSERT_EQ(SendMessageW(window_, WM_NCHITTEST, 0, MAKELPARAM(closeBox.x, closeBox.y)), HTCLOSE);
  ClickAt(closeBox);
  ExpectCleanExit();
}

TEST_F(ZelmoraAtStart, ExitInTheFileMenuEndsTheProgramWithExitCodeZero) {
  SetForegroundWindow(window_);
  PressKeyWithAlt('F');
  ASSERT_TRUE(WaitUntil([&] { return PopupMenu() != nullptr; }, kShortTimeoutMs))
      << "Alt+F opened no popup menu";
  PressKey('X');
  ExpectCleanExit();
}

// Only the low word of wParam names the command; the notification code above it is ignored.
TEST_F(ZelmoraAtStart, ExitCommandWithANotificationCodeStillExits) {
  PostMessageW(window_, WM_COMMAND, MAKEWPARAM(1008, 1), 0);
  ExpectCleanExit();
}

TEST_F(ZelmoraAtStart, CommandsOutsideTheTableDoNothing) {
  for (const UINT id : {0u, 999u, 1009u, 1100u, 2002u, 3000u, 40025u, 40030u, 0xFFFFu}) {
    SendMessageW(window_, WM_COMMAND, id, 0);  // handled before it returns
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 1), 0);
  }
  DWORD code = 0;
  EXPECT_FALSE(program_->WaitForExit(0, code)) << "the program ended, exit code " << code;
  EXPECT_TRUE(IsWindowVisible(window_));
  EXPECT_EQ(Utf8(WindowText(window_)), "Zelmora");
  EXPECT_EQ(program_->FindWindowOfClass(L"#32770"), nullptr) << "a dialog or message box opened";
  PostMessageW(window_, WM_CLOSE, 0, 0);
  ExpectCleanExit();
}

}  // namespace
