// Times one make three ways on the same source pictures and the same offsets: the real
// compositor, the pixel-by-pixel reference of the tests, and the copy limit (memcpy of the same
// bytes). Prints Google Benchmark's own lines, then a table of the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/copy_limit.h"
#include "bench/ratio_table.h"
#include "compose/compositor.h"
#include "compose/reference_compositor.h"

namespace {

struct BenchCase {
  const char* name;
  std::uint16_t bits;
  std::int32_t width, height;              // the source picture
  std::int32_t targetWidth, targetHeight;  // the made picture
  std::int32_t stamps;
  Goals goals;
};

const BenchCase kCases[] = {
    {"8bit_640x480_on_1920x1080_x100", 8, 640, 480, 1920, 1080, 100, {40, 2.0}},
    {"4bit_640x480_on_1920x1080_x100", 4, 640, 480, 1920, 1080, 100, {20, 3.0}},
    {"8bit_32x32_on_1920x1080_x10000", 8, 32, 32, 1920, 1080, 10000, {20, 0}},
    // Odd width, source as large as the target: every pass wraps both ways, and the two parts
    // of each row differ in nibble parity.
    {"4bit_1921x1081_on_1921x1081_x10", 4, 1921, 1081, 1921, 1081, 10, {0, 0}},
};

constexpr double kWhiteShare = 0.3;

// A source picture of random colours, none white but one entry, and random pixels of which
// about 30 % are of that entry. One spare byte after the last row (see CopyLimitCompose).
PackedDib SourcePicture(const BenchCase& c, std::mt19937& rng) {
  const std::uint32_t entries = 1u << c.bits;
  const std::uint32_t white = entries == 256 ? 200 : 11;
  const std::uint32_t stride = DibStride(static_cast<std::uint16_t>(c.width), c.bits);
  PackedDib picture =
      PackedDib::Allocate(40 + 4 * entries + stride * static_cast<std::size_t>(c.height) + 1);
  if (!picture)
    return picture;
  std::uint8_t* b = picture.bytes();
  std::memset(b, 0, picture.length());
  WriteLe32(b + 0, 40);
  WriteLe32(b + 4, static_cast<std::uint32_t>(c.width));
  WriteLe32(b + 8, static_cast<std::uint32_t>(c.height));
  WriteLe16(b + 12, 1);
  WriteLe16(b + 14, c.bits);
  for (std::uint32_t i = 0; i < entries; ++i)
    WriteLe32(b + 40 + 4 * i, i == white ? 0x00FFFFFF : rng() % 0x00FFFFFF);
  std::bernoulli_distribution isWhite(kWhiteShare);
  std::uniform_int_distribution<std::uint32_t> other(0, entries - 2);  // any index but white
  for (std::int32_t r = 0; r < c.height; ++r) {
    std::uint8_t* row = DibPixels(picture) + static_cast<std::size_t>(r) * stride;
    for (std::int32_t x = 0; x < c.width; ++x) {
      std::uint32_t p = white;
      if (!isWhite(rng)) {
        p = other(rng);
        p += p >= white ? 1 : 0;
      }
      if (c.bits == 8)
        row[x] = static_cast<std::uint8_t>(p);
      else if (x % 2 == 0)
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0x0F) | (p << 4));
      else
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0xF0) | p);
    }
  }
  return picture;
}

struct Fixture {
  const BenchCase* c = nullptr;
  PackedDib source;
  RandomState start;  // every make of the case draws its offsets from here
  double oddShare = 0;
};

std::vector<std::uint8_t> RecordOf(const PackedDib& made) {
  const std::size_t length =
      DibPixelOffset(made) +
      static_cast<std::size_t>(DibStride(DibWidth(made), DibBitCount(made))) * DibHeight(made);
  return std::vector<std::uint8_t>(made.bytes(), made.bytes() + length);
}

enum class Way { Reference, Real, CopyLimit };

void TimeMake(benchmark::State& state, const Fixture* fixture, Way way) {
  const Fixture& f = *fixture;
  const BenchCase& c = *f.c;
  for (auto _ : state) {
    RandomState random = f.start;
    if (way == Way::Reference) {
      ReferenceFlags flags = {};
      const std::vector<std::uint8_t> made =
          ReferenceCompose(f.source, c.targetWidth, c.targetHeight, c.stamps, flags, random);
      benchmark::DoNotOptimize(made.data());
    } else {
      const PackedDib made =
          way == Way::Real
              ? ComposeWallpaper(f.source, c.targetWidth, c.targetHeight, c.stamps, nullptr, random)
              : CopyLimitCompose(f.source, c.targetWidth, c.targetHeight, c.stamps, random);
      if (!made) {
        state.SkipWithError("no canvas");
        break;
      }
      benchmark::DoNotOptimize(made.bytes());
    }
    benchmark::ClobberMemory();
  }
  state.counters["odd_ox"] = f.oddShare;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 2;

  RatioTable table;
  std::vector<std::unique_ptr<Fixture>> fixtures;
  std::mt19937 rng(1992);
  for (const BenchCase& c : kCases) {
    auto f = std::make_unique<Fixture>();
    f->c = &c;
    f->source = SourcePicture(c, rng);
    f->start = InitialRandomState();
    WarmUpRandomAt(f->start, 42);
    if (!f->source) {
      std::fprintf(stderr, "%s: no memory for the source picture\n", c.name);
      return 1;
    }
    RandomState draws = f->start;
    int odd = 0;
    for (std::int32_t k = 0; k < c.stamps; ++k) {
      odd += RandomBelow(draws, c.targetWidth) % 2;
      RandomBelow(draws, c.targetHeight);
    }
    f->oddShare = static_cast<double>(odd) / c.stamps;

    // The times count only if the real compositor makes the reference's picture.
    RandomState real = f->start;
    RandomState reference = f->start;
    ReferenceFlags flags = {};
    const PackedDib made =
        ComposeWallpaper(f->source, c.targetWidth, c.targetHeight, c.stamps, nullptr, real);
    if (!made || RecordOf(made) != ReferenceCompose(f->source, c.targetWidth, c.targetHeight,
                                                    c.stamps, flags, reference)) {
      std::fprintf(stderr, "%s: the real compositor does not make the reference's picture\n",
                   c.name);
      return 1;
    }

    const Fixture* fixture = f.get();
    const std::string name = c.name;
    benchmark::RegisterBenchmark((name + "/reference").c_str(), TimeMake, fixture, Way::Reference)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/real").c_str(), TimeMake, fixture, Way::Real)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((name + "/copy_limit").c_str(), TimeMake, fixture, Way::CopyLimit)
        ->Unit(benchmark::kMillisecond);
    table.AddCase(name, c.goals);
    fixtures.push_back(std::move(f));
  }

  benchmark::RunSpecifiedBenchmarks(&table);
  benchmark::Shutdown();
  table.Print(stdout);
  return 0;
}
