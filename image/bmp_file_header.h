#pragma once
#include <cstdint>

// The 14-byte BITMAPFILEHEADER that precedes a picture in a BMP file.
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
