#include "ui/palette_builder.h"

#include <cstddef>

#include "image/palette.h"
#include "platform/warning.h"

namespace {
constexpr char kPaletteFailedMessage[] = "パレットができませんでした。";
constexpr char kPaletteFailedCaption[] = "PAL2";
}  // namespace

// The portable record is LOGPALETTE byte for byte.
static_assert(offsetof(LOGPALETTE, palPalEntry) == kPaletteRecordHeader);
static_assert(sizeof(PALETTEENTRY) == kPaletteEntrySize);
static_assert(offsetof(PALETTEENTRY, peRed) == 0 && offsetof(PALETTEENTRY, peFlags) == 3);

HPALETTE BuildPalette(HWND owner, const PackedDib& picture, std::uint8_t flags) {
  const std::size_t length = PaletteRecordLength(picture);
  // LMEM_FIXED (0): the handle is the address.
  auto* record = static_cast<std::uint8_t*>(LocalAlloc(LMEM_ZEROINIT, length));
  // Without the working record there is no palette to make; the paint goes on without one.
  if (record == nullptr)
    return nullptr;
  FillPaletteRecord(picture, flags, record);
  HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(record));
  if (palette == nullptr) {
    ShowWarning(owner, kPaletteFailedMessage, kPaletteFailedCaption);
    PostQuitMessage(0);
  }
  LocalFree(record);
  return palette;
}
