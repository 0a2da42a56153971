#include "platform/memory.h"

#include <windows.h>

// Movable global memory, locked for the block's whole life so its address never changes.
std::uint8_t* AllocatePictureBlock(std::size_t length) {
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, length);
  if (handle == nullptr)
    return nullptr;
  void* block = GlobalLock(handle);
  if (block == nullptr) {
    GlobalFree(handle);
    return nullptr;
  }
  return static_cast<std::uint8_t*>(block);
}

void ReleasePictureBlock(std::uint8_t* block) {
  GlobalUnlock(GlobalHandle(block));
  GlobalFree(GlobalHandle(block));
}
