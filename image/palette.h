#pragma once
#include <cstddef>
#include <cstdint>

#include "image/packed_dib.h"

// The logical-palette record that the platform's palette call takes, laid out byte for byte as
// LOGPALETTE: palVersion (16 bits, 0x300), palNumEntries (16 bits), then one four-byte entry
// per colour (red, green, blue, flags).
constexpr std::uint16_t kPaletteVersion = 0x300;
constexpr std::size_t kPaletteRecordHeader = 4;
constexpr std::size_t kPaletteEntrySize = 4;

// Bytes of the record for the picture's colour table: 4 + 4 x DibColourCount.
std::size_t PaletteRecordLength(const PackedDib& picture);

// Fills `record` (PaletteRecordLength bytes) from the picture's colour table, in table order,
// with `flags` in every entry. The table is read where it lies: entry i at 12 + 3i after a core
// header, at header size + 4i after an information header; a quad's fourth byte is not read.
void FillPaletteRecord(const PackedDib& picture, std::uint8_t flags, std::uint8_t* record);
