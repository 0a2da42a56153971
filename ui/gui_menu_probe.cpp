// The menu probe DLL of the GUI tests (see gui_menu_probe.h). It only reads.
#include <windows.h>

#include <cwchar>

#include "ui/gui_menu_probe.h"

namespace {

void Describe(HMENU menu, int depth, wchar_t*& out, const wchar_t* end) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count && out < end; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = text;
    item.cch = 255;
    if (!GetMenuItemInfoW(menu, i, TRUE, &item))
      continue;
    const int written = std::swprintf(out, end - out, L"%d|%u|%u|%u|%d|%ls\n", depth, item.fType,
                                      item.fState, item.wID, item.hSubMenu != nullptr, text);
    if (written < 0)
      return;
    out += written;
    if (item.hSubMenu != nullptr)
      Describe(item.hSubMenu, depth + 1, out, end);
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    MenuProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  const MSG* message = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && message->message == RegisterWindowMessageW(kMenuProbeMessage)) {
    if (HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kMenuProbeText)) {
      if (auto* text = static_cast<wchar_t*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0))) {
        wchar_t* out = text;
        Describe(GetMenu(message->hwnd), 0, out, text + kMenuProbeTextChars - 1);
        *out = L'\0';
        UnmapViewOfFile(text);
      }
      CloseHandle(mapping);
    }
    if (HANDLE done = OpenEventW(EVENT_MODIFY_STATE, FALSE, kMenuProbeDone)) {
      SetEvent(done);
      CloseHandle(done);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
