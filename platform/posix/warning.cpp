#include <cstdio>

#include "platform/platform_detail.h"

namespace platform_detail {
void ShowPlatformWarning(void*, const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
}
}  // namespace platform_detail
