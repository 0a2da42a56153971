#include "image/palette.h"

std::size_t PaletteRecordLength(const PackedDib& picture) {
  return kPaletteRecordHeader +
         kPaletteEntrySize * static_cast<std::size_t>(DibColourCount(picture));
}

void FillPaletteRecord(const PackedDib& picture, std::uint8_t flags, std::uint8_t* record) {
  const std::uint32_t count = DibColourCount(picture);
  const std::uint32_t headerSize = DibHeaderSize(picture);
  const std::size_t tableEntrySize = headerSize == kCoreHeaderSize ? 3 : 4;
  // The count is a 16-bit field; a held picture has at most 256 colours (IsUsablePicture).
  WriteLe16(record, kPaletteVersion);
  WriteLe16(record + 2, static_cast<std::uint16_t>(count));
  const std::uint8_t* table = picture.bytes() + headerSize;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* colour = table + tableEntrySize * i;  // blue, green, red
    std::uint8_t* entry = record + kPaletteRecordHeader + kPaletteEntrySize * i;
    entry[0] = colour[2];
    entry[1] = colour[1];
    entry[2] = colour[0];
    entry[3] = flags;
  }
}
