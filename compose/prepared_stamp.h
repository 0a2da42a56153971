#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "compose/rect_copy.h"
#include "image/packed_dib.h"

// What every stamping pass of one make needs of the source picture, worked out once, so that a
// pass is a copy of up to four rectangles (the stamp split by the right and bottom edges).
// At 8 bits a source with no transparent index is copied as it is; with at most four, the copy
// skips those byte values as it goes; with more, it goes through a byte mask of the opaque
// pixels made beforehand. At 4 bits there is always such a mask, and also the rows and the mask
// moved on by one pixel, for stamps whose source and target columns differ in parity: each
// target byte then takes whole bytes of the moved copy.
//
// The flags are program-wide and no pass changes them, so what is read from them once per make
// gives each pass exactly what a pixel-by-pixel pass would.
class PreparedStamp {
 public:
  // Takes room for the prepared rows of `source` (a picture with its h rows inside its block,
  // 4 or 8 bits per pixel), which must outlive this object. False when the room cannot be had.
  bool Reserve(const PackedDib& source);

  // Reads transparentFlags as they stand and prepares the rows, for passes onto `made`, which
  // has the source's bit count, is at least as large and outlives the passes. After Reserve.
  // The passes copy with `copies`.
  void Prepare(PackedDib& made, const RectCopies& copies = FastestRectCopies());

  // One pass: every opaque pixel of the source (row r, column x) onto pixel
  // ((ox + x) mod width, (oy + r) mod height) of the made picture; 0 <= ox < its width,
  // 0 <= oy < its height. Transparent pixels leave what is there, and so do the other halves
  // of the bytes written at 4 bits.
  void Stamp(std::int32_t ox, std::int32_t oy) const;

 private:
  enum class Copying {
    All,       // 8 bits, no transparent index
    Skipping,  // 8 bits, at most four transparent indices: skipped_ holds them
    Masked,    // through the mask rows
  };
  // Source pixels [first, first + count) of every row (count 1 or more) onto target pixels
  // [at, at + count): source rows 0 .. below - 1 onto target rows from oy on, the rest onto
  // target rows from 0 on.
  void StampColumns(std::int32_t first, std::int32_t at, std::int32_t count, std::int32_t oy,
                    std::size_t below) const;
  void CopyRect(const RectCopy& rect) const;

  const std::uint8_t* pixels_ = nullptr;  // the source's rows
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::uint16_t bits_ = 8;
  std::size_t sourceStride_ = 0;
  std::size_t rowBytes_ = 0;  // length of each prepared row
  // Rows of rowBytes_ each: the mask (0xFF or, at 4 bits, 0xF0 and 0x0F for opaque pixels, 0
  // for transparent ones; 0 for the places after the last pixel byte); at 4 bits then the moved
  // rows and their mask, source pixel x in the place of pixel x + 1 (place 0 is empty). The low
  // half of an odd width's last byte is no pixel: the edge masks of the copies keep it out.
  std::unique_ptr<std::uint8_t[]> block_;
  const std::uint8_t* mask_ = nullptr;
  const std::uint8_t* moved_ = nullptr;
  const std::uint8_t* movedMask_ = nullptr;
  std::uint8_t* target_ = nullptr;  // the made picture's rows
  std::size_t targetStride_ = 0;
  std::int32_t targetWidth_ = 0;
  std::int32_t targetHeight_ = 0;
  Copying copying_ = Copying::Masked;
  SkippedBytes skipped_ = {};
  const RectCopies* copies_ = nullptr;
};
