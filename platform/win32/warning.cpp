#include <windows.h>

#include "platform/platform_detail.h"

namespace platform_detail {
void ShowPlatformWarning(void* owner, const char* text, const char* caption) {
  MessageBoxA(static_cast<HWND>(owner), text, caption, MB_ICONWARNING);
}
}  // namespace platform_detail
