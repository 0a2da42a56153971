#include "compose/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

bool SameState(const RandomState& a, const RandomState& b) {
  return a.index == b.index && std::equal(a.words, a.words + RandomState::kWordCount, b.words);
}

RandomState AfterSteps(int steps) {
  RandomState state = InitialRandomState();
  for (int i = 0; i < steps; ++i)
    RandomBelow(state, 100);
  return state;
}

TEST(RandomBelow, GivesThePublishedDrawsFromTheInitialTable) {
  struct Case {
    std::int32_t n;
    std::vector<std::int32_t> draws;
  };
  const Case cases[] = {
      {100, {95, 0, 44, 81, 81, 13, 97, 3, 36, 83}},
      {-100, {-95, 0, -44, -81, -81, -13, -97, -3, -36, -83}},
  };
  for (const Case& c : cases) {
    RandomState state = InitialRandomState();
    std::vector<std::int32_t> have;
    for (std::size_t i = 0; i < c.draws.size(); ++i)
      have.push_back(RandomBelow(state, c.n));
    EXPECT_EQ(have, c.draws) << "n = " << c.n;
  }
}

TEST(RandomBelow, FirstStepUpdatesWordOneFromWordFiftyTwo) {
  const RandomState initial = InitialRandomState();
  RandomState state = initial;
  EXPECT_EQ(RandomBelow(state, 32768), initial.words[1] ^ initial.words[52]);
  EXPECT_EQ(state.index, 1);
  for (int i = 0; i < RandomState::kWordCount; ++i) {
    const std::int32_t want = i == 1 ? (initial.words[1] ^ initial.words[52]) : initial.words[i];
    EXPECT_EQ(state.words[i], want) << "word " << i;
  }
}

// Every n scales the same step; the step never depends on n.
TEST(RandomBelow, ScalesOneStepToTheBound) {
  RandomState state = InitialRandomState();
  for (int step = 0; step < 5000; ++step) {
    const RandomState before = state;
    const std::int32_t word = RandomBelow(state, 32768);
    EXPECT_EQ(word, state.words[state.index]) << "32768 gives the updated word itself";
    ASSERT_GE(word, 0);
    ASSERT_LE(word, 32767);
    for (const std::int32_t n : {0, 1, 2, 7, 100, 1920, 32767, -1, -7, -100, -32767}) {
      RandomState copy = before;
      const std::int32_t have = RandomBelow(copy, n);
      ASSERT_TRUE(SameState(copy, state)) << "the step is the same for n = " << n;
      // Truncation toward zero: the negative bound gives the negated positive result.
      const std::int32_t magnitude = (n < 0 ? -n : n) * word / 32768;
      ASSERT_EQ(have, n < 0 ? -magnitude : magnitude) << "n = " << n << ", word " << word;
      if (n >= 1) {
        ASSERT_LT(have, n);
      }
      if (n < 0) {
        ASSERT_GT(have, n);
      }
    }
  }
}

TEST(RandomBelow, ZeroAndOneGiveZeroAndStillStep) {
  RandomState state = InitialRandomState();
  for (int i = 0; i < 200; ++i) {
    const RandomState before = state;
    EXPECT_EQ(RandomBelow(state, i % 2), 0);
    EXPECT_FALSE(SameState(before, state));
  }
  EXPECT_TRUE(SameState(state, AfterSteps(200)));
}

TEST(RandomBelow, EightyNineStepsComeBackToIndexZeroHavingUpdatedWordZeroOnce) {
  const RandomState initial = InitialRandomState();
  const RandomState before = AfterSteps(88);
  EXPECT_EQ(before.index, 88);
  EXPECT_EQ(before.words[0], initial.words[0]) << "word 0 is not touched in the first 88 steps";
  RandomState state = before;
  RandomBelow(state, 100);
  EXPECT_EQ(state.index, 0);
  EXPECT_EQ(state.words[0], initial.words[0] ^ before.words[51]);
}

// Read as one sequence (the table, word 0 last, then the new words), every word is the
// exclusive-or of the words 89 and 38 places back.
TEST(RandomBelow, FollowsTheLaggedFibonacciRecurrence) {
  const RandomState initial = InitialRandomState();
  std::vector<std::int32_t> x;
  for (int t = -88; t <= 0; ++t)
    x.push_back(initial.words[(t + 89) % 89]);
  RandomState state = initial;
  for (int t = 1; t <= 1000; ++t) {
    x.push_back(RandomBelow(state, 32768));
    const std::size_t at = x.size() - 1;
    ASSERT_EQ(x[at], x[at - 89] ^ x[at - 38]) << "step " << t;
  }
}

TEST(WarmUpRandom, AdvancesByTheClockModuloOneHundred) {
  struct Case {
    std::time_t clock;
    int steps;
  };
  const Case cases[] = {
      {0, 0},           {100, 0}, {37, 37}, {137, 37}, {99, 99},
      {1700000037, 37}, {-1, 0},  {-37, 0}, {-200, 0},
  };
  for (const Case& c : cases) {
    RandomState state = InitialRandomState();
    WarmUpRandomAt(state, c.clock);
    EXPECT_TRUE(SameState(state, AfterSteps(c.steps)))
        << "clock " << c.clock << ", want " << c.steps << " steps, have index " << state.index;
  }
}

TEST(WarmUpRandom, ClocksOneHundredSecondsApartDrawTheSameSequence) {
  RandomState a = InitialRandomState();
  RandomState b = InitialRandomState();
  WarmUpRandomAt(a, 1700000042);
  WarmUpRandomAt(b, 1700000142);
  for (int i = 0; i < 50; ++i)
    EXPECT_EQ(RandomBelow(a, 1920), RandomBelow(b, 1920));
}

TEST(RandomBelow, ProgramGeneratorStepsLikeAnyOther) {
  RandomState copy = randomState;
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(RandomBelow(1080), RandomBelow(copy, 1080));
  EXPECT_TRUE(SameState(copy, randomState));
  WarmUpRandom();
  const std::time_t now = std::time(nullptr);
  const int steps = static_cast<int>(now % 100);
  // The clock may tick between the two readings; either second's count of steps will do.
  bool matched = false;
  for (const int s : {steps, (steps + 99) % 100}) {
    RandomState expected = copy;
    for (int i = 0; i < s; ++i)
      RandomBelow(expected, i);
    matched = matched || SameState(expected, randomState);
  }
  EXPECT_TRUE(matched);
}

}  // namespace
