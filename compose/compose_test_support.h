#pragma once
// Helpers shared by the compositor's tests.
#include <cstdint>
#include <random>
#include <vector>

#include "image/packed_dib.h"
#include "testing/test_support.h"

// The record bytes of a picture: what a file holds after its 14-byte file header.
Bytes RecordOf(const PackedDib& picture);

// Rows may end in bytes (and at 4 bits an odd width's last half byte) that are no pixel; a file
// can hold anything there.
void ScrambleRowEnds(PackedDib& picture, std::mt19937& rng);

// Every pixel byte of every row (up to the stride) of `picture` made random.
void ScramblePixels(PackedDib& picture, std::mt19937& rng);

// A made picture of the given size for `source`, for stamping by hand: its header, and every
// pixel `fill`. Makes (and so marks the white entries of `source`) with no stamp.
PackedDib Canvas(const PackedDib& source, std::int32_t width, std::int32_t height,
                 std::uint8_t fill);

// A picture of random pixels at `bits` per pixel and a full grey table, about 30 % of whose
// pixels take one of `favoured` (when it is not empty), with scrambled row ends.
PackedDib RandomPicture(std::uint16_t bits, std::int32_t width, std::int32_t height,
                        const std::vector<std::uint8_t>& favoured, std::mt19937& rng);
