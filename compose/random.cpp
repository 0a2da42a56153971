#include "compose/random.h"

namespace {
constexpr std::int32_t kLag = 51;  // the word that is mixed in: 89 - 38 places on
constexpr std::int32_t kScale = 32768;

constexpr RandomState kInitialState = {
    {2090,  446,   15978, 9664,  24976, 2778,  12587, 13465, 5144,  3413,  18023, 29380, 28864,
     19910, 30595, 3177,  18076, 32190, 1838,  8983,  16937, 23105, 14955, 12441, 23517, 25049,
     4256,  3271,  12555, 32150, 13907, 13346, 30690, 20472, 27660, 21073, 15896, 29159, 29303,
     4526,  24648, 31651, 18978, 4401,  31674, 19298, 14469, 29692, 11563, 1055,  17434, 10831,
     31660, 15890, 7476,  2342,  27917, 8339,  18910, 4275,  9156,  11302, 16820, 17608, 4219,
     26169, 13947, 6168,  30010, 698,   32446, 29232, 28041, 29867, 8134,  12469, 12342, 25134,
     16114, 2415,  17831, 28690, 11366, 30130, 22020, 12864, 22444, 15253, 5850},
    0};
}  // namespace

RandomState randomState = kInitialState;

RandomState InitialRandomState() {
  return kInitialState;
}

std::int32_t RandomBelow(RandomState& state, std::int32_t n) {
  state.index = (state.index + 1) % RandomState::kWordCount;
  const std::int32_t j = (state.index + kLag) % RandomState::kWordCount;
  state.words[state.index] ^= state.words[j];
  // Division truncates toward zero, as the scaling requires for a negative n. The product is
  // formed in 64 bits: for every |n| up to 65536 that is the 32-bit product itself, and any
  // larger n still gets a defined answer (whose magnitude stays below |n|).
  return static_cast<std::int32_t>(static_cast<std::int64_t>(n) * state.words[state.index] /
                                   kScale);
}

std::int32_t RandomBelow(std::int32_t n) {
  return RandomBelow(randomState, n);
}

void WarmUpRandomAt(RandomState& state, std::time_t clock) {
  const auto steps = static_cast<std::int32_t>(clock % 100);
  // The bound handed over has no effect on the state; it only follows the counter.
  for (std::int32_t i = 0; i < steps; ++i)
    RandomBelow(state, i);
}

void WarmUpRandom() {
  WarmUpRandomAt(randomState, std::time(nullptr));
}
