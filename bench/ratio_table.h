#pragma once
// Google Benchmark's console lines, and at the end a table per case of the time per make of the
// reference, the real compositor and the copy limit, with the ratios reference / real and
// real / copy limit. Benchmarks are named CASE/reference, CASE/real and CASE/copy_limit.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// What a case must reach: reference / real at least, real / copy limit at most; 0 for none.
struct Goals {
  double referenceOverReal;
  double realOverCopyLimit;
};

class RatioTable : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal.
  RatioTable();
  void AddCase(const std::string& name, Goals goals);
  void ReportRuns(const std::vector<Run>& runs) override;
  // Times are CPU time per make, the median of the repetitions (lowest .. highest beside it).
  void Print(std::FILE* out) const;

 private:
  struct Times {
    std::vector<double> reference, real, copyLimit;  // ms per make, one per repetition
  };
  const Times* TimesOf(const std::string& name) const;

  std::vector<std::string> order_;
  std::map<std::string, Goals> goals_;
  std::map<std::string, Times> times_;    // from each repetition
  std::map<std::string, Times> medians_;  // when only the aggregates are reported
};
