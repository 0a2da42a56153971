#pragma once
// The speed limit of a make: the same canvas, header and background fill as ComposeWallpaper and
// the same offsets, but each pass only copies, with memcpy, the bytes that a pass writes (the
// same row segments, split at the same edges), whatever their mask. No compositor can do its
// passes faster than this; the benchmark measures how close the real one comes.
#include <cstdint>

#include "compose/random.h"
#include "image/packed_dib.h"

// At 4 bits a segment may read one byte past the end of a source row; the source's block must
// hold one byte after its last row.
PackedDib CopyLimitCompose(const PackedDib& source, std::int32_t targetWidth,
                           std::int32_t targetHeight, std::int32_t stampCount, RandomState& random);
