#pragma once
// What the GUI tests need to drive a program from outside, as a user and a window spy would:
// start it, find its windows, read their texts, reach into records that window messages fill
// through a pointer, read its menu, move and click the mouse, press keys, look at the screen.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// Bounds of the waits. The first window of a session can take long while Wine warms up; after
// it everything answers quickly.
constexpr DWORD kFirstWindowTimeoutMs = 120000;
constexpr DWORD kShortTimeoutMs = 10000;

// A program started as a process of its own. Killed when this goes, if it still runs.
class ProgramUnderTest {
 public:
  explicit ProgramUnderTest(const std::wstring& path);
  ~ProgramUnderTest();
  ProgramUnderTest(const ProgramUnderTest&) = delete;
  ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD startError() const { return startError_; }
  HANDLE process() const { return info_.hProcess; }
  DWORD processId() const { return info_.dwProcessId; }

  // The process's visible top-level window of that class; null once the time is up.
  HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs) const;
  // The visible top-level window of that class right now, or null.
  HWND FindWindowOfClass(const wchar_t* className) const;
  // The same with that title.
  HWND FindWindowOfClass(const wchar_t* className, const std::wstring& title) const;
  // True when the process ended within the time; its exit code then goes to `exitCode`.
  bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;

 private:
  PROCESS_INFORMATION info_ = {};
  DWORD startError_ = 0;
};

// Waits until `done` holds, polling; false once the time is up.
template <class Condition>
bool WaitUntil(Condition done, DWORD timeoutMs, DWORD pollMs = 50) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done())
      return true;
    if (GetTickCount64() >= end)
      return false;
    Sleep(pollMs);
  }
}

std::wstring WindowText(HWND window);                 // WM_GETTEXT, which crosses processes
void SetText(HWND window, const std::wstring& text);  // WM_SETTEXT, as typing would leave it
std::wstring ClassOf(HWND window);
std::string Utf8(const std::wstring& text);  // for failure messages

// A block of memory inside another process, for messages that fill a record through a pointer
// (the pointer must be valid in the receiver's address space).
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, SIZE_T size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Read(void* to, SIZE_T size) const;

 private:
  HANDLE process_;
  void* address_;
};

// One menu item as the running window carries it, in menu order; depth 0 is the menu bar.
struct MenuItem {
  int depth;
  UINT type;   // MFT_ bits
  UINT state;  // MFS_ bits
  UINT id;     // command; meaningless for a popup
  bool popup;  // opens a submenu
  std::wstring text;
};

// The window's menu, read inside the owning process through the menu probe DLL at `probePath`;
// empty when the probe did not answer in time.
std::vector<MenuItem> ReadWindowMenu(HWND window, const std::wstring& probePath);

// Records every text that `window` is given from now on, inside the owning process through the
// title probe DLL at `probePath`, until this goes.
class TitleRecorder {
 public:
  TitleRecorder(HWND window, const std::wstring& probePath);
  ~TitleRecorder();
  TitleRecorder(const TitleRecorder&) = delete;
  TitleRecorder& operator=(const TitleRecorder&) = delete;
  bool listening() const { return hook_ != nullptr; }
  // The texts so far, in order.
  std::vector<std::wstring> Titles() const;

 private:
  HWND window_;
  HANDLE mapping_ = nullptr;
  HMODULE probe_ = nullptr;
  HHOOK hook_ = nullptr;
};

// The screen's pixels over a rectangle (screen coordinates), captured at one moment.
class ScreenPixels {
 public:
  explicit ScreenPixels(const RECT& screenRect);
  int width() const { return width_; }
  int height() const { return height_; }
  // The colour at a point relative to the rectangle; CLR_INVALID outside it.
  COLORREF At(int x, int y) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<DWORD> pixels_;  // top row first, 0x00RRGGBB
};

// The pixels over a window's client area, at client coordinates.
ScreenPixels ClientPixels(HWND window);

// The first window of that class among the descendants of `parent`, depth first; null if none.
HWND FindDescendant(HWND parent, const wchar_t* className);

// A message box's text (its static control 0xFFFF); empty when it has none.
std::wstring MessageBoxText(HWND box);

// A file dialog's file-name field: the edit control inside its control 0x47c (a combo box in
// the explorer-style dialog), or that control itself when it is the edit.
HWND FileNameField(HWND fileDialog);

// Clicks a dialog's button as the button itself reports it: WM_COMMAND with BN_CLICKED.
void ClickButton(HWND dialog, int id);

// Runs a command line as a process of its own to its end; false when it could not start or
// did not end within the time. Its exit code goes to `exitCode`.
bool RunToEnd(const std::wstring& commandLine, DWORD timeoutMs, DWORD& exitCode);

// Mouse and keyboard input, as the system delivers a user's.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
void PressKey(WORD virtualKey);
void PressKeyWithAlt(WORD virtualKey);
