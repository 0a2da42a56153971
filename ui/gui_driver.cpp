#include "ui/gui_driver.h"

#include "ui/gui_menu_probe.h"
#include "ui/gui_title_probe.h"

#include <cwchar>

ProgramUnderTest::ProgramUnderTest(const std::wstring& path) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info_)) {
    startError_ = GetLastError();
    info_ = {};
  }
}

ProgramUnderTest::~ProgramUnderTest() {
  if (!started())
    return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, kShortTimeoutMs);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

namespace {
struct WindowSearch {
  DWORD processId;
  const wchar_t* className;
  const std::wstring* title;  // null for any
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == search->processId && IsWindowVisible(window) &&
      ClassOf(window) == search->className &&
      (search->title == nullptr || WindowText(window) == *search->title)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND ProgramUnderTest::FindWindowOfClass(const wchar_t* className) const {
  WindowSearch search = {info_.dwProcessId, className, nullptr, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ProgramUnderTest::FindWindowOfClass(const wchar_t* className,
                                         const std::wstring& title) const {
  WindowSearch search = {info_.dwProcessId, className, &title, nullptr};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ProgramUnderTest::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindWindowOfClass(className);
        // A process that ended will show no window: stop waiting at once.
        return found != nullptr || WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
      },
      timeoutMs, 100);
  return found;
}

bool ProgramUnderTest::WaitForExit(DWORD timeoutMs, DWORD& exitCode) const {
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
    return false;
  GetExitCodeProcess(info_.hProcess, &exitCode);
  return true;
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  SendMessageW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text));
  return text;
}

void SetText(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {
struct DescendantSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchDescendant(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<DescendantSearch*>(context);
  if (ClassOf(window) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindDescendant(HWND parent, const wchar_t* className) {
  DescendantSearch search = {className, nullptr};
  EnumChildWindows(parent, MatchDescendant, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring MessageBoxText(HWND box) {
  // Wine's message box numbers its text 0xFFFF as Windows does (older versions used 100); the
  // icon is the static control 1088.
  for (const int id : {0xFFFF, 100}) {
    if (HWND text = GetDlgItem(box, id))
      return WindowText(text);
  }
  return std::wstring();
}

HWND FileNameField(HWND fileDialog) {
  HWND field = GetDlgItem(fileDialog, 0x47c);
  if (field == nullptr || ClassOf(field) == L"Edit")
    return field;
  return FindDescendant(field, L"Edit");
}

void ClickButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool RunToEnd(const std::wstring& commandLine, DWORD timeoutMs, DWORD& exitCode) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info))
    return false;
  const bool ended = WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (ended) {
    GetExitCodeProcess(info.hProcess, &exitCode);
  } else {
    TerminateProcess(info.hProcess, 99);
    WaitForSingleObject(info.hProcess, kShortTimeoutMs);
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return ended;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, sizeof name / sizeof name[0]);
  return name;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty())
    return std::string();
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length,
                      nullptr, nullptr);
  return out;
}

RemoteBuffer::RemoteBuffer(HANDLE process, SIZE_T size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_ != nullptr)
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Read(void* to, SIZE_T size) const {
  SIZE_T got = 0;
  return address_ != nullptr && ReadProcessMemory(process_, address_, to, size, &got) &&
         got == size;
}

namespace {
// Owns a handle and closes it.
struct Handle {
  HANDLE value;
  ~Handle() {
    if (value != nullptr)
      CloseHandle(value);
  }
};

std::vector<MenuItem> ParseMenuDescription(const std::wstring& text) {
  std::vector<MenuItem> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos)
      end = text.size();
    const std::wstring line = text.substr(start, end - start);
    start = end + 1;
    MenuItem item = {};
    size_t at = 0;
    unsigned long fields[5] = {};
    bool ok = true;
    for (unsigned long& field : fields) {
      const size_t bar = line.find(L'|', at);
      if (bar == std::wstring::npos) {
        ok = false;
        break;
      }
      field = std::wcstoul(line.substr(at, bar - at).c_str(), nullptr, 10);
      at = bar + 1;
    }
    if (!ok)
      continue;
    item.depth = static_cast<int>(fields[0]);
    item.type = fields[1];
    item.state = fields[2];
    item.id = fields[3];
    item.popup = fields[4] != 0;
    item.text = line.substr(at);
    items.push_back(item);
  }
  return items;
}
}  // namespace

std::vector<MenuItem> ReadWindowMenu(HWND window, const std::wstring& probePath) {
  const Handle mapping = {CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                             kMenuProbeTextChars * sizeof(wchar_t),
                                             kMenuProbeText)};
  const Handle done = {CreateEventW(nullptr, TRUE, FALSE, kMenuProbeDone)};
  HMODULE probe = LoadLibraryW(probePath.c_str());
  if (mapping.value == nullptr || done.value == nullptr || probe == nullptr)
    return {};
  auto hook = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(probe, kMenuProbeHookName)));
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK installed = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe, thread) : nullptr;
  std::vector<MenuItem> items;
  if (installed != nullptr) {
    PostMessageW(window, RegisterWindowMessageW(kMenuProbeMessage), 0, 0);
    if (WaitForSingleObject(done.value, kShortTimeoutMs) == WAIT_OBJECT_0) {
      if (auto* text =
              static_cast<const wchar_t*>(MapViewOfFile(mapping.value, FILE_MAP_READ, 0, 0, 0))) {
        items = ParseMenuDescription(std::wstring(text, wcsnlen(text, kMenuProbeTextChars)));
        UnmapViewOfFile(text);
      }
    }
    UnhookWindowsHookEx(installed);
  }
  FreeLibrary(probe);
  return items;
}

TitleRecorder::TitleRecorder(HWND window, const std::wstring& probePath) : window_(window) {
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                kTitleProbeTextChars * sizeof(wchar_t), kTitleProbeText);
  probe_ = LoadLibraryW(probePath.c_str());
  if (mapping_ == nullptr || probe_ == nullptr)
    return;
  auto hook = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(probe_, kTitleProbeHookName)));
  if (hook != nullptr)
    hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, hook, probe_,
                              GetWindowThreadProcessId(window, nullptr));
}

TitleRecorder::~TitleRecorder() {
  if (hook_ != nullptr)
    UnhookWindowsHookEx(hook_);
  if (probe_ != nullptr)
    FreeLibrary(probe_);
  if (mapping_ != nullptr)
    CloseHandle(mapping_);
}

std::vector<std::wstring> TitleRecorder::Titles() const {
  std::vector<std::wstring> titles;
  if (mapping_ == nullptr)
    return titles;
  const auto* text = static_cast<const wchar_t*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
  if (text == nullptr)
    return titles;
  const std::wstring all(text, wcsnlen(text, kTitleProbeTextChars));
  UnmapViewOfFile(text);
  wchar_t handle[32];
  swprintf(handle, 32, L"%llx|",
           static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window_)));
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find(L'\n', start);
    if (end == std::wstring::npos)
      end = all.size();
    const std::wstring line = all.substr(start, end - start);
    if (line.rfind(handle, 0) == 0)
      titles.push_back(line.substr(wcslen(handle)));
    start = end + 1;
  }
  return titles;
}

ScreenPixels ClientPixels(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return ScreenPixels(client);
}

ScreenPixels::ScreenPixels(const RECT& screenRect) {
  width_ = screenRect.right - screenRect.left;
  height_ = screenRect.bottom - screenRect.top;
  if (width_ <= 0 || height_ <= 0)
    return;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width_, height_, screen, screenRect.left, screenRect.top, SRCCOPY);
  GdiFlush();
  const DWORD* from = static_cast<const DWORD*>(bits);
  pixels_.assign(from, from + static_cast<size_t>(width_) * height_);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

COLORREF ScreenPixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return CLR_INVALID;
  const DWORD pixel = pixels_[static_cast<size_t>(y) * width_ + x];  // 0x00RRGGBB
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

namespace {
void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
}

void SendKey(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}
}  // namespace

void MoveMouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
}

void ClickAt(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  Sleep(50);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Sleep(50);
  SendMouse(MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD virtualKey) {
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
}

void PressKeyWithAlt(WORD virtualKey) {
  SendKey(VK_MENU, false);
  PressKey(virtualKey);
  SendKey(VK_MENU, true);
}
