#include "compose/prepared_stamp.h"

#include <algorithm>
#include <new>

#include "compose/compositor.h"

namespace {
// At most this many transparent indices are skipped by value rather than through a mask.
constexpr int kSkippedMost = 4;
}  // namespace

bool PreparedStamp::Reserve(const PackedDib& source) {
  pixels_ = DibPixels(source);
  width_ = DibWidth(source);
  height_ = DibHeight(source);
  bits_ = DibBitCount(source);
  sourceStride_ = DibStride(DibWidth(source), bits_);
  // At 4 bits the moved rows hold width + 1 pixel places.
  rowBytes_ =
      bits_ == 8 ? static_cast<std::size_t>(width_) : static_cast<std::size_t>(width_) / 2 + 1;
  const std::size_t rows = rowBytes_ * static_cast<std::size_t>(height_);
  const std::size_t length = bits_ == 8 ? rows : 3 * rows;
  block_.reset(new (std::nothrow) std::uint8_t[length]);
  if (!block_)
    return false;
  mask_ = block_.get();
  moved_ = bits_ == 8 ? nullptr : block_.get() + rows;
  movedMask_ = bits_ == 8 ? nullptr : block_.get() + 2 * rows;
  return true;
}

void PreparedStamp::Prepare(PackedDib& made, const RectCopies& copies) {
  target_ = DibPixels(made);
  targetStride_ = DibStride(DibWidth(made), bits_);
  targetWidth_ = DibWidth(made);
  targetHeight_ = DibHeight(made);
  copies_ = &copies;
  copying_ = Copying::Masked;
  if (width_ == 0 || height_ == 0)
    return;
  if (bits_ == 8) {
    int flagged = 0;
    for (int i = 0; i < kColourIndexCount && flagged <= kSkippedMost; ++i) {
      if (transparentFlags[i] != 0) {
        if (flagged < kSkippedMost)
          skipped_.values[flagged] = static_cast<std::uint8_t>(i);
        ++flagged;
      }
    }
    if (flagged <= kSkippedMost) {
      for (int k = flagged; k < kSkippedMost; ++k)
        skipped_.values[k] = skipped_.values[0];
      copying_ = flagged == 0 ? Copying::All : Copying::Skipping;
      return;
    }
  }
  // The mask of each possible source byte: of one pixel at 8 bits, of two at 4 bits.
  std::uint8_t maskOf[256];
  for (int b = 0; b < 256; ++b) {
    if (bits_ == 8) {
      maskOf[b] = transparentFlags[b] == 0 ? 0xFF : 0x00;
    } else {
      maskOf[b] = static_cast<std::uint8_t>((transparentFlags[b >> 4] == 0 ? 0xF0 : 0x00) |
                                            (transparentFlags[b & 0x0F] == 0 ? 0x0F : 0x00));
    }
  }
  const std::size_t used = bits_ == 8 ? width_ : (width_ + 1) / 2;  // bytes holding pixels
  const std::size_t rows = rowBytes_ * static_cast<std::size_t>(height_);
  for (std::int32_t r = 0; r < height_; ++r) {
    const std::uint8_t* from = pixels_ + r * sourceStride_;
    std::uint8_t* m = block_.get() + r * rowBytes_;
    for (std::size_t j = 0; j < used; ++j)
      m[j] = maskOf[from[j]];
    std::fill(m + used, m + rowBytes_, 0);
    if (bits_ == 4) {
      // Byte j of a moved row: the low half of byte j - 1, then the high half of byte j.
      std::uint8_t* moved = m + rows;
      std::uint8_t* movedMask = m + 2 * rows;
      moved[0] = from[0] >> 4;
      movedMask[0] = m[0] >> 4;
      for (std::size_t j = 1; j < used; ++j) {
        moved[j] = static_cast<std::uint8_t>((from[j - 1] << 4) | (from[j] >> 4));
        movedMask[j] = static_cast<std::uint8_t>((m[j - 1] << 4) | (m[j] >> 4));
      }
      if (used < rowBytes_) {  // an even width: the last pixel moves into a byte of its own
        moved[used] = static_cast<std::uint8_t>(from[used - 1] << 4);
        movedMask[used] = static_cast<std::uint8_t>(m[used - 1] << 4);
      }
    }
  }
}

void PreparedStamp::StampColumns(std::int32_t first, std::int32_t at, std::int32_t count,
                                 std::int32_t oy, std::size_t below) const {
  RectCopy rect;
  std::size_t atByte = 0;
  rect.maskStride = rowBytes_;
  if (bits_ == 8) {
    rect.from = pixels_ + first;
    rect.fromStride = sourceStride_;
    rect.mask = mask_ + first;
    rect.count = static_cast<std::size_t>(count);
    atByte = static_cast<std::size_t>(at);
  } else {
    // Pixel places of the row read: the source's own when the parities agree, else the moved
    // one's, where source pixel x sits in place x + 1. Either way place and target pixel share
    // their half of a byte.
    const bool moved = ((first ^ at) & 1) != 0;
    const std::int32_t place = first + (moved ? 1 : 0);
    rect.from = (moved ? moved_ : pixels_) + place / 2;
    rect.fromStride = moved ? rowBytes_ : sourceStride_;
    rect.mask = (moved ? movedMask_ : mask_) + place / 2;
    rect.count = static_cast<std::size_t>((at + count - 1) / 2 - at / 2 + 1);
    rect.firstByteMask = (at & 1) ? 0x0F : 0xFF;
    rect.lastByteMask = ((at + count) & 1) ? 0xF0 : 0xFF;
    atByte = static_cast<std::size_t>(at / 2);
  }
  rect.to = target_ + static_cast<std::size_t>(oy) * targetStride_ + atByte;
  rect.toStride = targetStride_;
  rect.rows = below;
  CopyRect(rect);
  if (below < static_cast<std::size_t>(height_)) {
    rect.from += below * rect.fromStride;
    rect.mask += below * rect.maskStride;
    rect.to = target_ + atByte;
    rect.rows = static_cast<std::size_t>(height_) - below;
    CopyRect(rect);
  }
}

void PreparedStamp::CopyRect(const RectCopy& rect) const {
  switch (copying_) {
    case Copying::All:
      copies_->copyAll(rect);
      break;
    case Copying::Skipping:
      copies_->copySkipping(rect, skipped_);
      break;
    case Copying::Masked:
      copies_->copyMasked(rect);
      break;
  }
}

void PreparedStamp::Stamp(std::int32_t ox, std::int32_t oy) const {
  if (width_ == 0 || height_ == 0)
    return;
  // Columns 0 .. first - 1 land from ox on; the rest wrap round to column 0. Rows 0 .. below - 1
  // land from oy on; the rest wrap round to row 0.
  const std::int32_t first = std::min(width_, targetWidth_ - ox);
  const auto below = static_cast<std::size_t>(std::min(height_, targetHeight_ - oy));
  StampColumns(0, ox, first, oy, below);
  if (first < width_)
    StampColumns(first, 0, width_ - first, oy, below);
}
