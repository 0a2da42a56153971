#pragma once
#include <cstddef>

// The memory that the process holds now, in bytes: the resident set on Linux, the private
// memory committed on Windows. For checks that a long session does not grow; 0 when it cannot be
// told.
std::size_t ProcessMemoryInUse();
