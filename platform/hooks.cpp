// The seams of the platform layer: they decide where a file call is reported and where a
// warning goes, then hand over to the platform's own implementation.
#include "platform/file_io.h"
#include "platform/platform_detail.h"
#include "platform/warning.h"

namespace {
FileCallObserver g_fileObserver = nullptr;
void* g_fileObserverContext = nullptr;
WarningSink g_warningSink = nullptr;
void* g_warningContext = nullptr;
}  // namespace

void SetFileCallObserver(FileCallObserver observer, void* context) {
  g_fileObserver = observer;
  g_fileObserverContext = context;
}

void SetWarningSink(WarningSink sink, void* context) {
  g_warningSink = sink;
  g_warningContext = context;
}

void ShowWarning(OwnerWindow owner, const char* text, const char* caption) {
  if (g_warningSink != nullptr) {
    g_warningSink(text, caption, g_warningContext);
    return;
  }
  platform_detail::ShowPlatformWarning(owner, text, caption);
}

namespace platform_detail {
void NotifyFileCall(FileCall call, std::uint32_t count) {
  if (g_fileObserver != nullptr)
    g_fileObserver(call, count, g_fileObserverContext);
}
}  // namespace platform_detail
