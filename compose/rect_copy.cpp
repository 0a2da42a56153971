#include "compose/rect_copy.h"

#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define ZELMORA_X86_COPIES 1  // SSE2 always, AVX2 when the processor has it
#endif

namespace {

// ---- Byte by byte

// The bits of `before` outside `mayChange` come back into `byte`.
inline void KeepOutside(std::uint8_t& byte, std::uint8_t before, std::uint8_t mayChange) {
  byte = static_cast<std::uint8_t>((byte & mayChange) | (before & ~mayChange));
}

inline bool IsSkipped(std::uint8_t p, const SkippedBytes& s) {
  return p == s.values[0] || p == s.values[1] || p == s.values[2] || p == s.values[3];
}

inline void MaskedRow(const std::uint8_t* from, const std::uint8_t* mask, std::uint8_t* to,
                      std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    to[i] = static_cast<std::uint8_t>((from[i] & mask[i]) | (to[i] & ~mask[i]));
}

inline void SkippingRow(const std::uint8_t* from, const SkippedBytes& s, std::uint8_t* to,
                        std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsSkipped(from[i], s))
      to[i] = from[i];
  }
}

void PortableAll(const RectCopy& c) {
  const std::uint8_t* from = c.from;
  std::uint8_t* to = c.to;
  for (std::size_t r = 0; r < c.rows; ++r, from += c.fromStride, to += c.toStride)
    std::memcpy(to, from, c.count);
}

void PortableSkipping(const RectCopy& c, const SkippedBytes& s) {
  const std::uint8_t* from = c.from;
  std::uint8_t* to = c.to;
  for (std::size_t r = 0; r < c.rows; ++r, from += c.fromStride, to += c.toStride)
    SkippingRow(from, s, to, c.count);
}

void PortableMasked(const RectCopy& c) {
  const std::uint8_t* from = c.from;
  const std::uint8_t* mask = c.mask;
  std::uint8_t* to = c.to;
  const std::size_t last = c.count - 1;
  for (std::size_t r = 0; r < c.rows;
       ++r, from += c.fromStride, mask += c.maskStride, to += c.toStride) {
    const std::uint8_t first = to[0], end = to[last];
    MaskedRow(from, mask, to, c.count);
    KeepOutside(to[0], first, c.firstByteMask);
    KeepOutside(to[last], end, c.lastByteMask);
  }
}

const RectCopies kPortable = {"portable", PortableAll, PortableSkipping, PortableMasked};

#if defined(ZELMORA_X86_COPIES)

// ---- SSE2 and AVX2. A row of at least a chunk's length is covered by whole chunks, the last
// one ending at the row's end and overlapping the one before when the count is no multiple of
// the chunk. That last chunk's value is worked out first, from the target as it was: so the
// overlap gets the same value twice, and no load waits for a store to the same bytes. Shorter
// rows go byte by byte; memcpy takes long rows when every byte is copied.

constexpr std::size_t kMemcpyFrom = 256;

inline __m128i Load16(const std::uint8_t* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
inline void Store16(std::uint8_t* at, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v);
}

struct Skip16 {
  __m128i v0, v1, v2, v3;
};

inline Skip16 Broadcast16(const SkippedBytes& s) {
  return {
      _mm_set1_epi8(static_cast<char>(s.values[0])), _mm_set1_epi8(static_cast<char>(s.values[1])),
      _mm_set1_epi8(static_cast<char>(s.values[2])), _mm_set1_epi8(static_cast<char>(s.values[3]))};
}

inline __m128i Skipping16(const std::uint8_t* from, const Skip16& s, const std::uint8_t* to) {
  const __m128i p = Load16(from);
  const __m128i skipped =
      _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(p, s.v0), _mm_cmpeq_epi8(p, s.v1)),
                   _mm_or_si128(_mm_cmpeq_epi8(p, s.v2), _mm_cmpeq_epi8(p, s.v3)));
  return _mm_or_si128(_mm_andnot_si128(skipped, p), _mm_and_si128(skipped, Load16(to)));
}

inline __m128i Masked16(const std::uint8_t* from, const std::uint8_t* mask,
                        const std::uint8_t* to) {
  const __m128i m = Load16(mask);
  return _mm_or_si128(_mm_and_si128(m, Load16(from)), _mm_andnot_si128(m, Load16(to)));
}

// One row of n >= 16 bytes, chunk i taking `value`(i).
template <class Value>
inline void Row16(std::uint8_t* to, std::size_t n, const Value& value) {
  const __m128i last = value(n - 16);
  for (std::size_t i = 0; i + 16 < n; i += 16)
    Store16(to + i, value(i));
  Store16(to + n - 16, last);
}

// `row`(from, mask, to) for each row; with kKeepEdges the bits of each row's first and last
// byte outside the rectangle's edge masks keep their value.
template <bool kKeepEdges, class Row>
inline void ForRows(const RectCopy& c, const Row& row) {
  const std::uint8_t* from = c.from;
  const std::uint8_t* mask = c.mask;
  std::uint8_t* to = c.to;
  const std::size_t rows = c.rows, fromStride = c.fromStride, maskStride = c.maskStride,
                    toStride = c.toStride, last = c.count - 1;
  const std::uint8_t firstMask = c.firstByteMask, lastMask = c.lastByteMask;
  for (std::size_t r = 0; r < rows; ++r, from += fromStride, mask += maskStride, to += toStride) {
    std::uint8_t first = 0, end = 0;
    if constexpr (kKeepEdges) {
      first = to[0];
      end = to[last];
    }
    row(from, mask, to);
    if constexpr (kKeepEdges) {
      KeepOutside(to[0], first, firstMask);
      KeepOutside(to[last], end, lastMask);
    }
  }
}

using Bytes = const std::uint8_t*;

void Sse2All(const RectCopy& c) {
  const std::size_t n = c.count;
  if (n < 16 || n >= kMemcpyFrom) {
    PortableAll(c);
    return;
  }
  ForRows<false>(c, [&](Bytes f, Bytes, std::uint8_t* t) {
    Row16(t, n, [&](std::size_t i) { return Load16(f + i); });
  });
}

void Sse2Skipping(const RectCopy& c, const SkippedBytes& skipped) {
  const std::size_t n = c.count;
  if (n < 16) {
    PortableSkipping(c, skipped);
    return;
  }
  const Skip16 s = Broadcast16(skipped);
  ForRows<false>(c, [&](Bytes f, Bytes, std::uint8_t* t) {
    Row16(t, n, [&](std::size_t i) { return Skipping16(f + i, s, t + i); });
  });
}

template <bool kKeepEdges>
void Sse2MaskedRows(const RectCopy& c) {
  const std::size_t n = c.count;
  if (n < 16) {
    ForRows<kKeepEdges>(c, [&](Bytes f, Bytes m, std::uint8_t* t) { MaskedRow(f, m, t, n); });
    return;
  }
  ForRows<kKeepEdges>(c, [&](Bytes f, Bytes m, std::uint8_t* t) {
    Row16(t, n, [&](std::size_t i) { return Masked16(f + i, m + i, t + i); });
  });
}

void Sse2Masked(const RectCopy& c) {
  if (c.firstByteMask == 0xFF && c.lastByteMask == 0xFF)
    Sse2MaskedRows<false>(c);
  else
    Sse2MaskedRows<true>(c);
}

const RectCopies kSse2 = {"SSE2", Sse2All, Sse2Skipping, Sse2Masked};

// AVX2: the same with 32-byte chunks, and 16-byte ones for rows of 16 to 31 bytes. Only called
// when the processor has AVX2. Lambdas that use AVX2 carry the attribute too, and are handed
// only to templates that carry it: a function can take in only what its own target allows.
#define ZELMORA_AVX2 __attribute__((target("avx2")))

ZELMORA_AVX2 inline __m256i Load32(const std::uint8_t* at) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}
ZELMORA_AVX2 inline void Store32(std::uint8_t* at, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(at), v);
}

struct Skip32 {
  __m256i v0, v1, v2, v3;
};

ZELMORA_AVX2 inline __m256i Skipping32(const std::uint8_t* from, const Skip32& s,
                                       const std::uint8_t* to) {
  const __m256i p = Load32(from);
  const __m256i skipped =
      _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(p, s.v0), _mm256_cmpeq_epi8(p, s.v1)),
                      _mm256_or_si256(_mm256_cmpeq_epi8(p, s.v2), _mm256_cmpeq_epi8(p, s.v3)));
  return _mm256_blendv_epi8(p, Load32(to), skipped);
}

ZELMORA_AVX2 inline __m256i Masked32(const std::uint8_t* from, const std::uint8_t* mask,
                                     const std::uint8_t* to) {
  const __m256i m = Load32(mask);
  return _mm256_or_si256(_mm256_and_si256(m, Load32(from)), _mm256_andnot_si256(m, Load32(to)));
}

template <class Value>
ZELMORA_AVX2 inline void Row32(std::uint8_t* to, std::size_t n, const Value& value) {
  const __m256i last = value(n - 32);
  for (std::size_t i = 0; i + 32 < n; i += 32)
    Store32(to + i, value(i));
  Store32(to + n - 32, last);
}

template <bool kKeepEdges, class Row>
ZELMORA_AVX2 inline void ForRowsAvx2(const RectCopy& c, const Row& row) {
  const std::uint8_t* from = c.from;
  const std::uint8_t* mask = c.mask;
  std::uint8_t* to = c.to;
  const std::size_t rows = c.rows, fromStride = c.fromStride, maskStride = c.maskStride,
                    toStride = c.toStride, last = c.count - 1;
  const std::uint8_t firstMask = c.firstByteMask, lastMask = c.lastByteMask;
  for (std::size_t r = 0; r < rows; ++r, from += fromStride, mask += maskStride, to += toStride) {
    std::uint8_t first = 0, end = 0;
    if constexpr (kKeepEdges) {
      first = to[0];
      end = to[last];
    }
    row(from, mask, to);
    if constexpr (kKeepEdges) {
      KeepOutside(to[0], first, firstMask);
      KeepOutside(to[last], end, lastMask);
    }
  }
}

ZELMORA_AVX2 void Avx2All(const RectCopy& c) {
  const std::size_t n = c.count;
  if (n < 32 || n >= kMemcpyFrom) {
    Sse2All(c);
    return;
  }
  ForRowsAvx2<false>(c, [&](Bytes f, Bytes, std::uint8_t* t) ZELMORA_AVX2 {
    Row32(t, n, [&](std::size_t i) ZELMORA_AVX2 { return Load32(f + i); });
  });
}

ZELMORA_AVX2 void Avx2Skipping(const RectCopy& c, const SkippedBytes& skipped) {
  const std::size_t n = c.count;
  if (n < 16) {
    PortableSkipping(c, skipped);
    return;
  }
  const Skip16 s16 = Broadcast16(skipped);
  if (n < 32) {
    ForRowsAvx2<false>(c, [&](Bytes f, Bytes, std::uint8_t* t) ZELMORA_AVX2 {
      Row16(t, n, [&](std::size_t i) { return Skipping16(f + i, s16, t + i); });
    });
    return;
  }
  const Skip32 s = {_mm256_broadcastsi128_si256(s16.v0), _mm256_broadcastsi128_si256(s16.v1),
                    _mm256_broadcastsi128_si256(s16.v2), _mm256_broadcastsi128_si256(s16.v3)};
  ForRowsAvx2<false>(c, [&](Bytes f, Bytes, std::uint8_t* t) ZELMORA_AVX2 {
    Row32(t, n, [&](std::size_t i) ZELMORA_AVX2 { return Skipping32(f + i, s, t + i); });
  });
}

template <bool kKeepEdges>
ZELMORA_AVX2 void Avx2MaskedRows(const RectCopy& c) {
  const std::size_t n = c.count;
  if (n < 16) {
    ForRowsAvx2<kKeepEdges>(
        c, [&](Bytes f, Bytes m, std::uint8_t* t) ZELMORA_AVX2 { MaskedRow(f, m, t, n); });
  } else if (n < 32) {
    ForRowsAvx2<kKeepEdges>(c, [&](Bytes f, Bytes m, std::uint8_t* t) ZELMORA_AVX2 {
      Row16(t, n, [&](std::size_t i) { return Masked16(f + i, m + i, t + i); });
    });
  } else {
    ForRowsAvx2<kKeepEdges>(c, [&](Bytes f, Bytes m, std::uint8_t* t) ZELMORA_AVX2 {
      Row32(t, n, [&](std::size_t i) ZELMORA_AVX2 { return Masked32(f + i, m + i, t + i); });
    });
  }
}

ZELMORA_AVX2 void Avx2Masked(const RectCopy& c) {
  if (c.firstByteMask == 0xFF && c.lastByteMask == 0xFF)
    Avx2MaskedRows<false>(c);
  else
    Avx2MaskedRows<true>(c);
}

const RectCopies kAvx2 = {"AVX2", Avx2All, Avx2Skipping, Avx2Masked};

bool ProcessorHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

#endif  // ZELMORA_X86_COPIES

struct Usable {
  const RectCopies* sets[3] = {};
  std::size_t count = 0;
};

const Usable& FindUsable() {
  static const Usable usable = [] {
    Usable u;
    u.sets[u.count++] = &kPortable;
#if defined(ZELMORA_X86_COPIES)
    u.sets[u.count++] = &kSse2;
    if (ProcessorHasAvx2())
      u.sets[u.count++] = &kAvx2;
#endif
    return u;
  }();
  return usable;
}

}  // namespace

std::span<const RectCopies* const> UsableRectCopies() {
  const Usable& u = FindUsable();
  return {u.sets, u.count};
}

const RectCopies& FastestRectCopies() {
  const Usable& u = FindUsable();
  return *u.sets[u.count - 1];
}
