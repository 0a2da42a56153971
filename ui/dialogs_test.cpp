// End-to-end tests of the target-size dialog and the About box, reached through the real
// commands of Zelmora.exe.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/test_support.h"
#include "ui/gui_driver.h"
#include "ui/gui_fixture.h"

namespace {

std::wstring Wide(const std::string& ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

std::vector<HWND> SpinnersOf(HWND dialog) {
  std::vector<HWND> spinners;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"msctls_updown32")
      spinners.push_back(child);
  }
  return spinners;
}

// A 64 x 48 picture of 16 colours, opened through the open dialog.
class SizeDialog : public ZelmoraAtStart {
 protected:
  void SetUp() override {
    ZelmoraAtStart::SetUp();
    BmpFixture picture;
    picture.width = 64;
    picture.height = 48;
    picture.bitCount = 4;
    WriteFileBytes(source_, picture.File());
  }

  TempFolder folder_;
  const std::string source_ = folder_.File("source64x48.bmp");
};

TEST_F(SizeDialog, OpensAtTheSourceSizeAndTakesALargerEntry) {
  HWND dialog = OpenUpToSizeDialog(Wide(source_));
  ASSERT_NE(dialog, nullptr);
  HWND width = GetDlgItem(dialog, 1011);
  HWND height = GetDlgItem(dialog, 1012);
  EXPECT_EQ(Utf8(WindowText(width)), "64");
  EXPECT_EQ(Utf8(WindowText(height)), "48");
  EXPECT_EQ(Utf8(WindowText(GetDlgItem(dialog, 1013))),
            Utf8(L"注意：作成する画像ｻｲｽﾞは、読込む画像ｻｲｽﾞ(X=64 "
                 L"Y=48)\nと同じか、大きく設定して下さい。"));

  // One spinner on each field, from the source size up to 10000, both numbered 3000.
  const std::vector<HWND> spinners = SpinnersOf(dialog);
  ASSERT_EQ(spinners.size(), 2u);
  for (HWND spinner : spinners) {
    const HWND buddy = reinterpret_cast<HWND>(SendMessageW(spinner, UDM_GETBUDDY, 0, 0));
    ASSERT_TRUE(buddy == width || buddy == height) << "a spinner on neither field";
    SCOPED_TRACE(buddy == width ? "width spinner" : "height spinner");
    EXPECT_EQ(GetDlgCtrlID(spinner), 3000);
    const LRESULT range = SendMessageW(spinner, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), 10000);
    EXPECT_EQ(HIWORD(range), buddy == width ? 64 : 48);
    EXPECT_EQ(SendMessageW(spinner, UDM_GETPOS, 0, 0), buddy == width ? 64 : 48);
  }
  // A position of 1000 or more is written without a digit-group separator, so OK reads it whole.
  HWND widthSpinner = reinterpret_cast<HWND>(SendMessageW(spinners[0], UDM_GETBUDDY, 0, 0)) == width
                          ? spinners[0]
                          : spinners[1];
  SendMessageW(widthSpinner, UDM_SETPOS, 0, MAKELPARAM(1500, 0));
  EXPECT_EQ(Utf8(WindowText(width)), "1500");

  // Esc (IDCANCEL) leaves the dialog open, whether the key or the command it makes.
  SetForegroundWindow(dialog);
  PressKey(VK_ESCAPE);
  ClickButton(dialog, IDCANCEL);
  Sleep(1000);
  EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc closed the size dialog";

  SetText(width, L"200");
  SetText(height, L"120");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(AwaitGone(dialog, "the size dialog"));
  Settle();
  EXPECT_EQ(AwaitTitle(L"Zelmora (200x120 16色)"), Utf8(L"Zelmora (200x120 16色)"));
  ExpectFittedAndCentred(200, 120);
}

// Whatever the fields hold, the target ends at least as large as the source picture; the close
// box reads nothing.
TEST_F(SizeDialog, SmallerEntriesAreRaisedAndTheCloseBoxKeepsTheSourceSize) {
  struct Case {
    const wchar_t* width;
    const wchar_t* height;
    bool closeBox;  // rather than OK
    int wantWidth;
    int wantHeight;
  };
  // Neighbouring cases end at different sizes, so each is seen to arrive.
  const Case cases[] = {
      {L"80", L"", false, 80, 48},      // an empty field reads 0
      {L"300", L"200", true, 64, 48},   // the close box
      {L"100", L"50", false, 100, 50},  // plain OK
      {L"abc", L"10", false, 64, 48},   // letters read 0, a smaller number is raised
      {L"64", L"48", false, 64, 48},    // unchanged
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fields '" << Utf8(c.width) << "' x '" << Utf8(c.height)
                                    << "'" << (c.closeBox ? ", close box" : ", OK"));
    HWND dialog = OpenUpToSizeDialog(Wide(source_));
    ASSERT_NE(dialog, nullptr);
    SetText(GetDlgItem(dialog, 1011), c.width);
    SetText(GetDlgItem(dialog, 1012), c.height);
    if (c.closeBox) {
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      ClickButton(dialog, IDOK);
    }
    ASSERT_TRUE(AwaitGone(dialog, "the size dialog"));
    Settle();
    const std::wstring want = L"Zelmora (" + std::to_wstring(c.wantWidth) + L"x" +
                              std::to_wstring(c.wantHeight) + L" 16色)";
    EXPECT_EQ(AwaitTitle(want), Utf8(want));
    ExpectFittedAndCentred(c.wantWidth, c.wantHeight);
  }
}

TEST_F(ZelmoraAtStart, AboutBoxClosesOnOkEnterEscAndTheCloseBox) {
  struct Way {
    const char* name;
    void (*close)(HWND about);
  };
  const Way ways[] = {
      {"OK", [](HWND about) { ClickButton(about, IDOK); }},
      {"Enter",
       [](HWND about) {
         SetForegroundWindow(about);
         PressKey(VK_RETURN);
       }},
      {"Esc",
       [](HWND about) {
         SetForegroundWindow(about);
         PressKey(VK_ESCAPE);
       }},
      {"close box", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Command(1007);
    HWND about = AwaitDialog(kAboutTitle);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(GetWindow(about, GW_OWNER), window_);
    way.close(about);
    ASSERT_TRUE(AwaitGone(about, "the About box"));
  }
  EXPECT_EQ(Utf8(WindowText(window_)), "Zelmora");
  PostMessageW(window_, WM_CLOSE, 0, 0);
  ExpectCleanExit();
}

}  // namespace
