// The title probe DLL of the GUI tests (see gui_title_probe.h). It only reads.
#include <windows.h>

#include <cwchar>

#include "ui/gui_title_probe.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK
    TitleProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_SETTEXT) {
    if (HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kTitleProbeText)) {
      if (auto* text = static_cast<wchar_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
        // The text as the window now holds it, whichever character set it was sent in.
        wchar_t title[512] = {};
        GetWindowTextW(call->hwnd, title, 512);
        const size_t used = wcsnlen(text, kTitleProbeTextChars);
        if (used + 600 < kTitleProbeTextChars) {
          std::swprintf(text + used, kTitleProbeTextChars - used, L"%llx|%ls\n",
                        static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(call->hwnd)),
                        title);
        }
        UnmapViewOfFile(text);
      }
      CloseHandle(mapping);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
