#include "platform/memory_use.h"

#include <windows.h>
// psapi.h needs the types of windows.h before it.
#include <psapi.h>

std::size_t ProcessMemoryInUse() {
  PROCESS_MEMORY_COUNTERS_EX counters = {};
  counters.cb = sizeof counters;
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(),
                               reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters)) {
    return 0;
  }
  return counters.PrivateUsage;
}
