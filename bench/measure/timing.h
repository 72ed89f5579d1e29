// Timing the module's work against a bare loop that makes the same host calls, in one run:
// the two are timed by turns, several rounds each, and the best round of each counts, so
// what else the machine does at that moment weighs on neither.
#pragma once

#include <chrono>
#include <cstdio>

namespace bench {

struct TimedPair {
  double work_ns, bare_ns;  // per repetition, best round
  double ratio() const { return work_ns / bare_ns; }
};

template <class Work, class Bare>
TimedPair TimeAgainstBare(long repetitions, Work work, Bare bare) {
  using Clock = std::chrono::steady_clock;
  auto time = [repetitions](auto& run) {
    auto start = Clock::now();
    for (long i = 0; i < repetitions; ++i) run(i);
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / repetitions;
  };
  TimedPair best = {1e300, 1e300};
  for (int round = 0; round < 7; ++round) {
    double w = time(work), b = time(bare);
    if (w < best.work_ns) best.work_ns = w;
    if (b < best.bare_ns) best.bare_ns = b;
  }
  return best;
}

// "  nanoseconds per service: 392.00 (bare 60.00)", then the ratio under its name.
inline void PrintRatio(const TimedPair& t, const char* unit, double ns_per_unit,
                       const char* ratio_name = "ratio to a bare loop") {
  std::printf("  %s: %.2f (bare %.2f)\n  %s: %.2f\n", unit, t.work_ns / ns_per_unit,
              t.bare_ns / ns_per_unit, ratio_name, t.ratio());
}

}  // namespace bench
