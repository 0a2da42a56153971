#pragma once
// The scatter composition written the plain way, one pixel at a time, for tests and benchmarks
// to hold the real compositor against. It shares nothing with it but the picture accessors and
// the generator's step.
#include <cstdint>
#include <vector>

#include "compose/random.h"
#include "image/packed_dib.h"

using ReferenceFlags = std::int32_t[256];

// Stamps `source` once at (ox, oy) onto `made`, a record (header, colour table, rows) of
// targetWidth x targetHeight with the source's bit count, pixel by pixel, skipping every pixel
// whose flag is set.
void ReferenceStamp(const PackedDib& source, std::vector<std::uint8_t>& made,
                    std::int32_t targetWidth, std::int32_t targetHeight, std::int32_t ox,
                    std::int32_t oy, const ReferenceFlags& flags);

// The made picture's record (header, colour table and rows, as a file holds them after its file
// header): white entries marked in `flags`, background fill (the bytes after the fill's reach
// zero), stampCount passes at offsets drawn from `random`. Each percentage is added to
// `progress` when it is given.
std::vector<std::uint8_t> ReferenceCompose(const PackedDib& source, std::int32_t targetWidth,
                                           std::int32_t targetHeight, std::int32_t stampCount,
                                           ReferenceFlags& flags, RandomState& random,
                                           std::vector<std::int32_t>* progress = nullptr);
