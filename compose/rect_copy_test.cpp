#include "compose/rect_copy.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "testing/test_support.h"

namespace {

TEST(RectCopies, ThePlainFormComesFirstAndThePassesUseTheLast) {
  const auto forms = UsableRectCopies();
  ASSERT_FALSE(forms.empty());
  EXPECT_EQ(std::string(forms.front()->name), "portable");
  EXPECT_EQ(&FastestRectCopies(), forms.back());
  std::string names;
  for (const RectCopies* form : forms)
    names += std::string(" ") + form->name;
  RecordProperty("forms", names);
#if defined(__x86_64__)
  EXPECT_GE(forms.size(), 2u) << "every x86-64 processor has SSE2";
#endif
}

enum class Kind { All, Skipping, Masked };

struct Round {
  Kind kind;
  std::size_t count, rows;
  std::size_t fromStride, maskStride, toStride;
  std::size_t fromAt, maskAt, toAt;  // where row 0 begins in its buffer: any alignment
  SkippedBytes skipped;
  std::uint8_t firstByteMask, lastByteMask;
};

// Row lengths of every class the forms tell apart: below 16, 16 to 31, 32, to 64, longer,
// and 256 or more.
std::size_t PickCount(std::mt19937& rng) {
  switch (rng() % 4) {
    case 0:
      return 1 + rng() % 16;
    case 1:
      return 16 + rng() % 18;
    case 2:
      return 30 + rng() % 70;
    default:
      return 240 + rng() % 60;
  }
}

std::uint8_t PickEdge(std::mt19937& rng) {
  const std::uint8_t edges[] = {0xFF, 0xFF, 0x0F, 0xF0, static_cast<std::uint8_t>(rng())};
  return edges[rng() % 5];
}

// The rule, byte by byte: what each form must give.
void Expected(const Round& c, const Bytes& from, const Bytes& mask, Bytes& to) {
  for (std::size_t r = 0; r < c.rows; ++r) {
    for (std::size_t i = 0; i < c.count; ++i) {
      const std::uint8_t p = from[c.fromAt + r * c.fromStride + i];
      std::uint8_t& t = to[c.toAt + r * c.toStride + i];
      if (c.kind == Kind::All) {
        t = p;
      } else if (c.kind == Kind::Skipping) {
        bool skip = false;
        for (std::uint8_t v : c.skipped.values)
          skip = skip || p == v;
        if (!skip)
          t = p;
      } else {
        std::uint8_t m = mask[c.maskAt + r * c.maskStride + i];
        if (i == 0)
          m &= c.firstByteMask;
        if (i == c.count - 1)
          m &= c.lastByteMask;
        t = static_cast<std::uint8_t>((p & m) | (t & ~m));
      }
    }
  }
}

// The sources are exactly as long as the rectangle needs, so that a read beyond shows under the
// address sanitizer; the target has bytes around and between its rows, which must stay.
TEST(RectCopies, EveryFormGivesTheBytesOfTheRule) {
  for (const RectCopies* form : UsableRectCopies()) {
    SCOPED_TRACE(form->name);
    std::mt19937 rng(4711);
    for (int round = 0; round < 3000; ++round) {
      Round c;
      c.kind = static_cast<Kind>(round % 3);
      c.count = PickCount(rng);
      c.rows = 1 + rng() % 3;
      c.fromStride = c.count + rng() % 40;
      c.maskStride = c.count + rng() % 40;
      c.toStride = c.count + rng() % 40;
      c.fromAt = rng() % 32;
      c.maskAt = rng() % 32;
      c.toAt = 1 + rng() % 32;
      const int distinct = 1 + static_cast<int>(rng() % 4);
      for (int k = 0; k < 4; ++k)
        c.skipped.values[k] = k < distinct ? static_cast<std::uint8_t>(rng()) : c.skipped.values[0];
      c.firstByteMask = PickEdge(rng);
      c.lastByteMask = PickEdge(rng);

      Bytes from(c.fromAt + (c.rows - 1) * c.fromStride + c.count);
      for (std::uint8_t& b : from)  // skipped values often, so that both ways are taken
        b = rng() % 2 ? c.skipped.values[rng() % 4] : static_cast<std::uint8_t>(rng());
      Bytes mask(c.maskAt + (c.rows - 1) * c.maskStride + c.count);
      for (std::uint8_t& b : mask) {
        const std::uint8_t masks[] = {0x00, 0xFF, 0xF0, 0x0F, static_cast<std::uint8_t>(rng())};
        b = masks[rng() % 5];
      }
      Bytes to(c.toAt + (c.rows - 1) * c.toStride + c.count + 1 + rng() % 32);
      for (std::uint8_t& b : to)
        b = static_cast<std::uint8_t>(rng());
      Bytes want = to;
      Expected(c, from, mask, want);

      RectCopy rect;
      rect.from = from.data() + c.fromAt;
      rect.fromStride = c.fromStride;
      rect.mask = mask.data() + c.maskAt;
      rect.maskStride = c.maskStride;
      rect.to = to.data() + c.toAt;
      rect.toStride = c.toStride;
      rect.count = c.count;
      rect.rows = c.rows;
      if (c.kind == Kind::All) {
        form->copyAll(rect);
      } else if (c.kind == Kind::Skipping) {
        form->copySkipping(rect, c.skipped);
      } else {
        rect.firstByteMask = c.firstByteMask;
        rect.lastByteMask = c.lastByteMask;
        form->copyMasked(rect);
      }
      ASSERT_EQ(to, want) << "round " << round << ": kind " << static_cast<int>(c.kind) << ", "
                          << c.rows << " rows of " << c.count << " bytes, edges "
                          << int{c.firstByteMask} << " " << int{c.lastByteMask};
    }
  }
}

}  // namespace
