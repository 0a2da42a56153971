#include "platform/memory.h"

#include <cstdlib>

std::uint8_t* AllocatePictureBlock(std::size_t length) {
  // malloc(0) may give null or a unique pointer; a block is never empty, so ask for one byte.
  return static_cast<std::uint8_t*>(std::malloc(length == 0 ? 1 : length));
}

void ReleasePictureBlock(std::uint8_t* block) {
  std::free(block);
}
