#include "compose/prepared_stamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "compose/compose_test_support.h"
#include "compose/compositor.h"
#include "compose/reference_compositor.h"

namespace {

struct Shape {
  std::uint16_t bits;
  std::int32_t width, height;              // the source
  std::int32_t targetWidth, targetHeight;  // the made picture
};

// The benchmark's shapes at small sizes, rows past the lengths at which the copies change their
// way, and the narrowest pictures.
const Shape kShapes[] = {
    {8, 64, 48, 192, 108},                       // a tenth of 640x480 on 1920x1080
    {4, 64, 48, 192, 108}, {8, 3, 3, 192, 108},  // many small stamps
    {4, 193, 11, 193, 11},  // odd width, as large as the target: both wraps, parity changing
    {8, 193, 11, 193, 11},  //
    {8, 300, 3, 301, 4},    // rows of 256 bytes and more
    {4, 601, 3, 603, 4},    //
    {8, 32, 2, 33, 3},      // rows of exactly one chunk and its neighbours
    {4, 64, 2, 65, 3},      //
    {8, 33, 2, 67, 3},      //
    {4, 33, 2, 67, 3},      //
    {8, 1, 1, 1, 1},        // one pixel
    {4, 1, 1, 1, 1},        //
    {4, 1, 5, 1, 6},        // one pixel wide, source and target
    {8, 1, 4, 7, 5},        //
    {4, 1, 3, 8, 4},        //
    {4, 2, 2, 3, 3},        //
};

// Which indices are transparent: none, one, four (skipped by value at 8 bits), five (through
// the mask), or any.
enum class Flags { None, One, Four, Five, Random };
const Flags kFlags[] = {Flags::None, Flags::One, Flags::Four, Flags::Five, Flags::Random};

// Sets transparentFlags and gives the transparent indices that the depth can hold.
std::vector<std::uint8_t> SetFlags(Flags flags, std::uint16_t bits, std::mt19937& rng) {
  std::fill(std::begin(transparentFlags), std::end(transparentFlags), 0);
  const int top = (1 << bits) - 1;
  int wanted = flags == Flags::One ? 1 : flags == Flags::Four ? 4 : flags == Flags::Five ? 5 : 0;
  while (wanted > 0) {
    const int i = static_cast<int>(rng() % (top + 1));
    if (transparentFlags[i] == 0) {
      transparentFlags[i] = 1;
      --wanted;
    }
  }
  if (flags == Flags::Random) {
    for (std::int32_t& flag : transparentFlags)
      flag = rng() % 3 == 0 ? 1 : 0;
  }
  std::vector<std::uint8_t> transparent;
  for (int i = 0; i <= top; ++i) {
    if (transparentFlags[i] != 0)
      transparent.push_back(static_cast<std::uint8_t>(i));
  }
  return transparent;
}

// Every offset of a small target; of a larger one the corners, the offsets at which the stamp
// just fits and just wraps, and random ones.
std::vector<std::pair<std::int32_t, std::int32_t>> Offsets(const Shape& s, std::mt19937& rng) {
  std::vector<std::pair<std::int32_t, std::int32_t>> offsets;
  if (s.targetWidth * s.targetHeight <= 600) {
    for (std::int32_t oy = 0; oy < s.targetHeight; ++oy) {
      for (std::int32_t ox = 0; ox < s.targetWidth; ++ox)
        offsets.emplace_back(ox, oy);
    }
    return offsets;
  }
  const std::int32_t fitX = s.targetWidth - s.width, fitY = s.targetHeight - s.height;
  offsets = {{0, 0},
             {1, 1},
             {fitX, fitY},
             {s.targetWidth - 1, s.targetHeight - 1},
             {std::min(fitX + 1, s.targetWidth - 1), std::min(fitY + 1, s.targetHeight - 1)}};
  for (int k = 0; k < 40; ++k) {
    offsets.emplace_back(static_cast<std::int32_t>(rng() % s.targetWidth),
                         static_cast<std::int32_t>(rng() % s.targetHeight));
  }
  return offsets;
}

// Each form of the copies, each shape and each kind of flags, onto a canvas of random bytes,
// so that a half byte written into the wrong place or a byte touched that should stay shows.
TEST(PreparedStamp, EveryFormAgreesWithTheReferenceOnEveryShape) {
  std::mt19937 rng(1921);
  for (const RectCopies* form : UsableRectCopies()) {
    for (const Shape& s : kShapes) {
      for (const Flags flags : kFlags) {
        const std::string what = std::string(form->name) + ", " + std::to_string(s.bits) + "-bit " +
                                 std::to_string(s.width) + "x" + std::to_string(s.height) + " on " +
                                 std::to_string(s.targetWidth) + "x" +
                                 std::to_string(s.targetHeight) + ", flags " +
                                 std::to_string(static_cast<int>(flags));
        SCOPED_TRACE(what);
        PackedDib source = RandomPicture(s.bits, s.width, s.height, {}, rng);
        PackedDib made = Canvas(source, s.targetWidth, s.targetHeight, 0);
        ASSERT_TRUE(made);
        // The source again, now that the flags are known, with their indices often.
        const std::vector<std::uint8_t> transparent = SetFlags(flags, s.bits, rng);
        source = RandomPicture(s.bits, s.width, s.height, transparent, rng);

        PreparedStamp prepared;
        ASSERT_TRUE(prepared.Reserve(source));
        prepared.Prepare(made, *form);
        for (const auto& [ox, oy] : Offsets(s, rng)) {
          ScramblePixels(made, rng);
          Bytes want = RecordOf(made);
          ReferenceStamp(source, want, s.targetWidth, s.targetHeight, ox, oy, transparentFlags);
          prepared.Stamp(ox, oy);
          ASSERT_EQ(RecordOf(made), want) << "at " << ox << "," << oy;
        }
      }
    }
  }
}

}  // namespace
