#pragma once
// The GUI tests' fixture: Zelmora.exe just started, with its main window on the screen, and the
// steps a user takes with it (commands, file dialogs, the size dialog, message boxes).
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>

#include "ui/gui_driver.h"

#ifndef ZELMORA_EXE
#error "ZELMORA_EXE must name the program under test"
#endif

// The platform's dialog class, which message boxes and file dialogs share.
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kOpenDialogTitle[] = L"元絵を開く";
inline constexpr wchar_t kSaveDialogTitle[] = L"画像をＢＭＰ形式で保存する";
inline constexpr wchar_t kWallpaperDialogTitle[] = L"壁紙設定";
inline constexpr wchar_t kSizeDialogTitle[] = L"作成画像ｻｲｽﾞ";
inline constexpr wchar_t kAboutTitle[] = L"Zelmoraのﾊﾞｰｼﾞｮﾝ情報";

class ZelmoraAtStart : public testing::Test {
 protected:
  void SetUp() override {
    startedAt_ = std::time(nullptr);
    program_ = std::make_unique<ProgramUnderTest>(L"" ZELMORA_EXE);
    ASSERT_TRUE(program_->started())
        << "cannot start " << ZELMORA_EXE << ": error " << program_->startError();
    window_ = program_->WaitForWindow(L"ZELMORA", kFirstWindowTimeoutMs);
    ASSERT_NE(window_, nullptr) << "no visible window of class ZELMORA within "
                                << kFirstWindowTimeoutMs / 1000 << " s";
    shownAt_ = std::time(nullptr);
  }

  HWND Toolbar() const { return GetDlgItem(window_, 800); }

  // The process ends within the short bound, with exit code 0, and its window is gone.
  void ExpectCleanExit() const {
    DWORD code = 0;
    ASSERT_TRUE(program_->WaitForExit(kShortTimeoutMs, code))
        << "the program still runs " << kShortTimeoutMs / 1000 << " s after closing";
    EXPECT_EQ(code, 0u) << "have exit code " << code << ", want 0";
    EXPECT_FALSE(IsWindow(window_));
  }

  // A visible popup menu of the program, or null.
  HWND PopupMenu() const { return program_->FindWindowOfClass(L"#32768"); }

  // Chooses a command as the menu and the toolbar do. Posted, for the flows that run a modal
  // loop (a file dialog, the size dialog, a message box).
  void Command(UINT id) const { PostMessageW(window_, WM_COMMAND, id, 0); }
  // The same for a flow that shows nothing, returning once it has ended (or after the short
  // bound, should it show a message box after all).
  void RunCommand(UINT id) const {
    DWORD_PTR ignored;
    SendMessageTimeoutW(window_, WM_COMMAND, id, 0, SMTO_NORMAL, kShortTimeoutMs, &ignored);
  }

  // Returns once the main window answers a sent message: once the command whose modal loop has
  // just ended has run to its end (and before the repaint it asked for). Messages still posted
  // come after it.
  void Settle() const {
    DWORD_PTR ignored;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, kShortTimeoutMs, &ignored);
  }

  // The main window's title once it reads `want` (within the short bound), else as it stands.
  std::string AwaitTitle(const std::wstring& want) const {
    WaitUntil([&] { return WindowText(window_) == want; }, kShortTimeoutMs);
    return Utf8(WindowText(window_));
  }

  // The program's visible dialog or message box with that title; null (and a failure naming
  // it) when none came within the short bound.
  HWND AwaitDialog(const std::wstring& title) const;
  // Any visible dialog or message box of the program right now, or null.
  HWND AnyDialog() const { return program_->FindWindowOfClass(kDialogClass); }
  // True once the window is gone; a failure naming `what` otherwise.
  bool AwaitGone(HWND window, const char* what) const;

  // Confirms a file dialog with `path` typed into its file-name field; false (with a failure)
  // when the dialog did not come or did not go.
  bool ChooseInFileDialog(const std::wstring& title, const std::wstring& path) const;
  // Cancels a file dialog.
  bool CancelFileDialog(const std::wstring& title) const;

  // The open command through the real open dialog, up to the size dialog it then shows; null
  // (with a failure) when the size dialog did not come.
  HWND OpenUpToSizeDialog(const std::wstring& path) const;

  // A message box with that text and caption: a warning with OK alone, or (question) OK and
  // Cancel without an icon. Answered with `answer`; false (with failures) when it differs.
  bool AnswerMessageBox(const std::wstring& text, const std::wstring& caption, bool question,
                        int answer) const;

  // The window sized for a target of width x height (client area width + 16 across, at least
  // 350 overall, height + 42 down) and centred on the screen.
  void ExpectFittedAndCentred(int width, int height) const;

  std::unique_ptr<ProgramUnderTest> program_;
  HWND window_ = nullptr;
  // The calendar seconds before the start and after the window showed: the program read the
  // clock for its random warm-up in between.
  std::time_t startedAt_ = 0;
  std::time_t shownAt_ = 0;
};
