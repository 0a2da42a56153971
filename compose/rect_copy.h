#pragma once
// The rectangle copies that a stamping pass is made of, in as many forms as this build and this
// processor allow: plain loops (any processor), 16 bytes at a time with SSE2 (every x86-64),
// and 32 at a time with AVX2 where the processor has it. All forms give the same bytes. Each
// reads and writes only the `count` bytes of each row; `from` and `mask` never overlap `to`.
#include <cstddef>
#include <cstdint>
#include <span>

// `rows` rows of `count` bytes (1 or more): row r of the source begins at from + r * fromStride
// (and its mask at mask + r * maskStride), row r of the target at to + r * toStride.
struct RectCopy {
  const std::uint8_t* from = nullptr;
  std::size_t fromStride = 0;
  const std::uint8_t* mask = nullptr;
  std::size_t maskStride = 0;
  std::uint8_t* to = nullptr;
  std::size_t toStride = 0;
  std::size_t count = 0;
  std::size_t rows = 0;
  // Masked copies only: the bits of the first and of the last target byte of each row that
  // may change at all (at 4 bits a row may begin or end in the middle of a byte).
  std::uint8_t firstByteMask = 0xFF;
  std::uint8_t lastByteMask = 0xFF;
};

// Up to four byte values that are not copied; repeat one to fill the four.
struct SkippedBytes {
  std::uint8_t values[4];
};

struct RectCopies {
  const char* name;
  // Every byte.
  void (*copyAll)(const RectCopy& rect);
  // Every byte that is none of the skipped values; the others keep the target's.
  void (*copySkipping)(const RectCopy& rect, const SkippedBytes& skipped);
  // The bits of each byte that its mask byte sets; the others keep the target's.
  void (*copyMasked)(const RectCopy& rect);
};

// The forms this build holds that this processor can run, the plain one first and the fastest
// last.
std::span<const RectCopies* const> UsableRectCopies();

// The fastest of them, which the stamping passes use.
const RectCopies& FastestRectCopies();
