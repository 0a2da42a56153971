#include "ui/gui_fixture.h"

HWND ZelmoraAtStart::AwaitDialog(const std::wstring& title) const {
  HWND found = nullptr;
  if (!WaitUntil(
          [&] {
            found = program_->FindWindowOfClass(kDialogClass, title);
            return found != nullptr;
          },
          kShortTimeoutMs)) {
    ADD_FAILURE() << "no dialog '" << Utf8(title) << "' within " << kShortTimeoutMs / 1000 << " s";
    if (HWND other = AnyDialog())
      ADD_FAILURE() << "the dialog '" << Utf8(WindowText(other)) << "' is open instead";
  }
  return found;
}

bool ZelmoraAtStart::AwaitGone(HWND window, const char* what) const {
  if (WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, kShortTimeoutMs))
    return true;
  ADD_FAILURE() << what << " still open after " << kShortTimeoutMs / 1000 << " s";
  return false;
}

bool ZelmoraAtStart::ChooseInFileDialog(const std::wstring& title, const std::wstring& path) const {
  HWND dialog = AwaitDialog(title);
  if (dialog == nullptr)
    return false;
  HWND field = FileNameField(dialog);
  if (field == nullptr) {
    ADD_FAILURE() << "the dialog '" << Utf8(title) << "' has no file-name field";
    return false;
  }
  SetText(field, path);
  ClickButton(dialog, IDOK);
  return AwaitGone(dialog, "the file dialog");
}

bool ZelmoraAtStart::CancelFileDialog(const std::wstring& title) const {
  HWND dialog = AwaitDialog(title);
  if (dialog == nullptr)
    return false;
  ClickButton(dialog, IDCANCEL);
  return AwaitGone(dialog, "the file dialog");
}

HWND ZelmoraAtStart::OpenUpToSizeDialog(const std::wstring& path) const {
  Command(1000);
  if (!ChooseInFileDialog(kOpenDialogTitle, path))
    return nullptr;
  return AwaitDialog(kSizeDialogTitle);
}

bool ZelmoraAtStart::AnswerMessageBox(const std::wstring& text, const std::wstring& caption,
                                      bool question, int answer) const {
  HWND box = AwaitDialog(caption);
  if (box == nullptr)
    return false;
  bool ok = true;
  auto check = [&](bool holds, const std::string& failure) {
    if (!holds) {
      ADD_FAILURE() << "message box '" << Utf8(caption) << "': " << failure;
      ok = false;
    }
  };
  const std::wstring shown = MessageBoxText(box);
  check(shown == text, "have text '" + Utf8(shown) + "', want '" + Utf8(text) + "'");
  // MB_ICONWARNING shows the warning icon; the question has none. The buttons of the type are
  // the only ones the box keeps.
  const HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, 0x0440, STM_GETICON, 0, 0));
  HWND iconControl = GetDlgItem(box, 0x0440);
  const bool iconShown = icon != nullptr && iconControl != nullptr && IsWindowVisible(iconControl);
  check(iconShown == !question, question ? "shows an icon" : "shows no icon");
  check(GetDlgItem(box, IDOK) != nullptr, "no OK button");
  check((GetDlgItem(box, IDCANCEL) != nullptr) == question,
        question ? "no Cancel button" : "a Cancel button");
  check(GetWindow(box, GW_OWNER) == window_, "not owned by the main window");
  ClickButton(box, answer);
  return AwaitGone(box, "the message box") && ok;
}

void ZelmoraAtStart::ExpectFittedAndCentred(int width, int height) const {
  RECT outer;
  RECT client;
  GetWindowRect(window_, &outer);
  GetClientRect(window_, &client);
  const int windowWidth = outer.right - outer.left;
  const int windowHeight = outer.bottom - outer.top;
  const int extraWidth = windowWidth - client.right;
  const int wantWidth = width + 16 + extraWidth > 350 ? width + 16 + extraWidth : 350;
  EXPECT_EQ(windowWidth, wantWidth) << "target " << width << " x " << height;
  EXPECT_EQ(client.bottom, height + 42) << "target " << width << " x " << height;
  HDC screen = GetDC(nullptr);
  const int screenWidth = GetDeviceCaps(screen, HORZRES);
  const int screenHeight = GetDeviceCaps(screen, VERTRES);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(outer.left, (screenWidth - windowWidth) / 2) << "not centred across";
  EXPECT_EQ(outer.top, (screenHeight - windowHeight) / 2) << "not centred down";
  EXPECT_TRUE(IsWindowVisible(window_)) << "the window was hidden and not shown again";
}
