#pragma once
#include <cstdint>
#include <ctime>

// The program's own generator: an exclusive-or lagged-Fibonacci sequence (lags 89 and 38) over
// 89 words of 15 bits. Nothing feeds it but its fixed starting table and the number of steps
// taken, so a run is reproduced by the same warm-up.
struct RandomState {
  static constexpr std::int32_t kWordCount = 89;
  std::int32_t words[kWordCount];  // each in 0..32767, always
  std::int32_t index;              // the word updated by the last step, 0..88
};

// The state as the program starts: the fixed table, index 0.
RandomState InitialRandomState();

// The one generator of the program. It starts from the fixed table and is never reset.
extern RandomState randomState;

// One step of `state`, scaled to n: n x word / 32768 in signed 32-bit arithmetic, truncated
// toward zero. 0..n-1 for n >= 1, n+1..0 for n < 0, 0 for n = 0. The step is taken whatever n
// is. The program passes only 0..32767.
std::int32_t RandomBelow(RandomState& state, std::int32_t n);
// The same step of the program's generator.
std::int32_t RandomBelow(std::int32_t n);

// Advances `state` by clock mod 100 steps (the remainder takes the clock's sign, so a negative
// reading, such as -1 for a clock that cannot be read, takes no step).
void WarmUpRandomAt(RandomState& state, std::time_t clock);
// Warms the program's generator up from the current calendar time in seconds.
void WarmUpRandom();
