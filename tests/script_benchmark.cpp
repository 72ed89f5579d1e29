// What one run of a typical panel script costs: a switch with a click sound, a gear warning
// with edge detection, a counter; 42 tokens. The bare loop makes the same variable reads
// through the same store, so the ratio is what the engine adds to the reads it cannot avoid.
//   build/native/script-benchmark [RUNS]
#include <cstdio>
#include <cstdlib>

#include "bench/measure/timing.h"
#include "tests/script_support.h"

namespace {

const char kScript[] =
    "(L:Battery, bool) (L:Battery last, bool) != if{\n"
    "  (L:Battery, bool) (>L:Battery last, bool) 1 (>L:Sound toggle switch, enum) }\n"
    "(A:GEAR HANDLE POSITION, bool) 0 == (A:RADIO HEIGHT, feet) 500 < and s0\n"
    "(L:Gear warn, bool) != if{ l0 (>L:Gear warn, bool) l0 if{ 2 } els{ 3 }\n"
    "  (>L:Sound gear horn, enum) }\n"
    "(L:Count, number) ++ 100 % (>L:Count, number)\n";

}  // namespace

int main(int argc, char** argv) {
  long runs = argc > 1 ? std::atol(argv[1]) : 200000;
  script_test::Gauge gauge;
  gauge.world.Set("A:GEAR HANDLE POSITION", 0);
  gauge.world.Set("A:RADIO HEIGHT", 300);
  bench::script::Program program = gauge.Compile(kScript);
  if (!program.ok)
    return std::fprintf(stderr, "script-benchmark: the script does not compile\n"), 2;
  int reads = 0;
  for (const bench::script::VariableFact& fact : program.variables) reads += !fact.write;
  auto run = [&](long i) {
    gauge.world.Set("A:RADIO HEIGHT", i % 2 ? 300 : 800);  // the warning changes every run
    gauge.runner.Run(program, gauge.sink);
  };
  double sink = 0;
  auto bare = [&](long i) {
    gauge.world.Set("A:RADIO HEIGHT", i % 2 ? 300 : 800);
    for (int r = 0; r < reads; ++r) gauge.world.Read(r % 6, &sink);
  };
  bench::TimedPair t = bench::TimeAgainstBare(runs, run, bare);
  std::printf("a typical panel script, %zu instructions, %d variable reads, %ld runs a round:\n",
              program.code.size(), reads, runs);
  bench::PrintRatio(t, "nanoseconds per run", 1);
  return gauge.sink.lines.empty() ? 0 : 1;
}
