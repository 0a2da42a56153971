#pragma once
#include <cstddef>
#include <cstdint>

// A picture in memory: the content of a BMP file after its 14-byte file header (information
// header, colour table, pixel rows bottom row first) in one contiguous block. The block is
// owned: moving hands it on, and it is released exactly once, by FreeDib or when its last
// owner goes.
class PackedDib {
 public:
  PackedDib() = default;
  PackedDib(const PackedDib&) = delete;
  PackedDib& operator=(const PackedDib&) = delete;
  PackedDib(PackedDib&& other) noexcept;
  PackedDib& operator=(PackedDib&& other) noexcept;
  ~PackedDib();

  // A new, uncleared block of `length` bytes; none when the memory cannot be had.
  static PackedDib Allocate(std::size_t length);

  explicit operator bool() const { return bytes_ != nullptr; }
  std::uint8_t* bytes() { return bytes_; }
  const std::uint8_t* bytes() const { return bytes_; }
  std::size_t length() const { return length_; }

 private:
  friend void FreeDib(PackedDib& picture);
  std::uint8_t* bytes_ = nullptr;
  std::size_t length_ = 0;
};

// Gives the block back; the picture is none afterwards. Never given a picture that is none.
void FreeDib(PackedDib& picture);

// The room that a canvas keeps for the header and colour table of the picture it will carry.
constexpr std::size_t kHeaderRoom = 1200;
// Widths and heights are 16-bit quantities; a canvas takes them as signed ones.
constexpr int kMaxDimension = 32767;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

// Accessors. They read the header only and rely on it; every picture the system holds has
// passed IsUsablePicture (or is a canvas), so what they describe lies inside the block.
std::uint32_t DibHeaderSize(const PackedDib& picture);
std::uint16_t DibWidth(const PackedDib& picture);
std::uint16_t DibHeight(const PackedDib& picture);
std::uint16_t DibBitCount(const PackedDib& picture);
std::uint32_t DibColourCount(const PackedDib& picture);
// Bytes of header + colour table: where the pixel rows begin within the block.
std::size_t DibPixelOffset(const PackedDib& picture);
const std::uint8_t* DibPixels(const PackedDib& picture);
std::uint8_t* DibPixels(PackedDib& picture);

// Length of one pixel row in bytes: rows are whole 32-bit words.
std::uint32_t DibStride(std::uint16_t width, std::uint32_t bitCount);

// A blank canvas of height x (width + 4) + 1200 bytes (three times the rows when bitCount is
// above 8) with a 40-byte, 4-bit information header of that width and height; the rest of the
// block is uncleared. None when the block cannot be had or a size is below 1.
PackedDib CreateCanvasDib(std::int16_t width, std::int16_t height, std::int32_t bitCount);

// Little-endian fields of a block, read at their offsets.
inline std::uint16_t ReadLe16(const std::uint8_t* at) {
  return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}
inline std::uint32_t ReadLe32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}
inline void WriteLe16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}
inline void WriteLe32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}
