#include "bench/ratio_table.h"

#include <unistd.h>

#include <algorithm>

namespace {
double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Lowest(const std::vector<double>& values) {
  return *std::min_element(values.begin(), values.end());
}

double Highest(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

// CPU time, which leaves out the time that other processes on the machine take.
double Milliseconds(const benchmark::BenchmarkReporter::Run& run) {
  if (run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate)
    return run.GetAdjustedCPUTime();  // in the benchmark's unit, milliseconds
  const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
  return seconds * 1e3;
}
}  // namespace

RatioTable::RatioTable() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void RatioTable::AddCase(const std::string& name, Goals goals) {
  order_.push_back(name);
  goals_[name] = goals;
}

void RatioTable::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred)
      continue;
    // With --benchmark_report_aggregates_only only the aggregates come; the medians serve then.
    std::map<std::string, Times>* into = nullptr;
    if (run.run_type == Run::RT_Iteration && run.iterations > 0)
      into = &times_;
    else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
      into = &medians_;
    const std::string& name = run.run_name.function_name;
    const std::size_t slash = name.rfind('/');
    if (into == nullptr || slash == std::string::npos)
      continue;
    Times& t = (*into)[name.substr(0, slash)];
    const std::string way = name.substr(slash + 1);
    if (way == "reference")
      t.reference.push_back(Milliseconds(run));
    else if (way == "real")
      t.real.push_back(Milliseconds(run));
    else if (way == "copy_limit")
      t.copyLimit.push_back(Milliseconds(run));
  }
  ConsoleReporter::ReportRuns(runs);
}

const RatioTable::Times* RatioTable::TimesOf(const std::string& name) const {
  for (const std::map<std::string, Times>* from : {&times_, &medians_}) {
    const auto found = from->find(name);
    if (found != from->end())
      return &found->second;
  }
  return nullptr;
}

void RatioTable::Print(std::FILE* out) const {
  std::fprintf(out,
               "\nCPU time per make in ms: median [lowest .. highest] of the repetitions\n"
               "%-33s %-24s %-24s %-24s\n",
               "case", "reference", "real", "copy limit");
  for (const std::string& name : order_) {
    const Times* found = TimesOf(name);
    if (found == nullptr)
      continue;
    const Times& t = *found;
    std::fprintf(out, "%-33s", name.c_str());
    for (const std::vector<double>* v : {&t.reference, &t.real, &t.copyLimit}) {
      if (v->empty()) {
        std::fprintf(out, " %-24s", "-");
        continue;
      }
      char cell[64];
      std::snprintf(cell, sizeof cell, "%.3g [%.3g .. %.3g]", Median(*v), Lowest(*v), Highest(*v));
      std::fprintf(out, " %-24s", cell);
    }
    std::fprintf(out, "\n");
  }

  std::fprintf(out,
               "\nRatios of the medians [from the extremes]\n"
               "%-33s %-22s %-22s %s\n",
               "case", "reference / real", "real / copy limit", "goal");
  for (const std::string& name : order_) {
    const Times* found = TimesOf(name);
    if (found == nullptr)
      continue;
    const Times& t = *found;
    const Goals goals = goals_.at(name);
    std::fprintf(out, "%-33s", name.c_str());
    std::string goal;
    bool met = true;
    char cell[64];
    if (!t.reference.empty() && !t.real.empty()) {
      const double ratio = Median(t.reference) / Median(t.real);
      std::snprintf(cell, sizeof cell, "%.1f [%.1f .. %.1f]", ratio,
                    Lowest(t.reference) / Highest(t.real), Highest(t.reference) / Lowest(t.real));
      std::fprintf(out, " %-22s", cell);
      if (goals.referenceOverReal > 0) {
        std::snprintf(cell, sizeof cell, "reference / real >= %g", goals.referenceOverReal);
        goal += cell;
        met = met && ratio >= goals.referenceOverReal;
      }
    } else {
      std::fprintf(out, " %-22s", "-");
    }
    if (!t.real.empty() && !t.copyLimit.empty()) {
      const double ratio = Median(t.real) / Median(t.copyLimit);
      std::snprintf(cell, sizeof cell, "%.2f [%.2f .. %.2f]", ratio,
                    Lowest(t.real) / Highest(t.copyLimit), Highest(t.real) / Lowest(t.copyLimit));
      std::fprintf(out, " %-22s", cell);
      if (goals.realOverCopyLimit > 0) {
        std::snprintf(cell, sizeof cell, "real / copy limit <= %.1f", goals.realOverCopyLimit);
        goal += (goal.empty() ? "" : ", ") + std::string(cell);
        met = met && ratio <= goals.realOverCopyLimit;
      }
    } else {
      std::fprintf(out, " %-22s", "-");
    }
    if (goal.empty())
      std::fprintf(out, " -\n");
    else
      std::fprintf(out, " %s: %s\n", goal.c_str(), met ? "met" : "NOT MET");
  }
}
