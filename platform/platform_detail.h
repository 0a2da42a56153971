#pragma once
#include <cstdint>

#include "platform/file_io.h"

// Shared between the portable part of the platform layer and its two implementations.
namespace platform_detail {
void NotifyFileCall(FileCall call, std::uint32_t count);
void ShowPlatformWarning(void* owner, const char* text, const char* caption);
}  // namespace platform_detail
