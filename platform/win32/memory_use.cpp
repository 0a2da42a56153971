#include "platform/memory_use.h"

#include <windows.h>
// psapi.h needs the types of windows.h before it.
#include <psapi.h>

std::size_t ProcessMemoryInUse() {
  // PagefileUsage is the private memory committed; Wine fills no field beyond the basic record.
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
    return 0;
  return counters.PagefileUsage;
}
