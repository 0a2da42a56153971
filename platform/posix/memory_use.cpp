#include "platform/memory_use.h"

#include <unistd.h>

#include <cstdio>

std::size_t ProcessMemoryInUse() {
  std::FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr)
    return 0;
  unsigned long size = 0, resident = 0;
  const bool read = std::fscanf(statm, "%lu %lu", &size, &resident) == 2;
  std::fclose(statm);
  return read ? resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) : 0;
}
