// What one run of a typical panel script costs: a switch with a click sound, a gear warning
// with edge detection, a counter; 42 tokens. And one evaluation of a GPS-like gauge string:
// formatted pieces, layout codes, a case, an if and a loop of four rows. The bare loops make
// the same variable reads through the same store, so the ratios are what the engine adds to
// the reads it cannot avoid.
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

const char kString[] =
    "\\{fnt1}WPT %( 'KSEA' )%!-6s!DIS %( (A:GPS WP DISTANCE, nmiles) )%!5.1f!\\{fnt}NM\\n"
    "BRG %( (A:GPS WP BEARING, degrees) )%!03d!\\{dplo= } GS "
    "%( (A:GPS GROUND SPEED, knots) )%!3d!KT\\n"
    "%( (L:Gps page, enum) )%{case}%{:0}FPL%{:1}NRST%{:2}MSG%{end} "
    "%( (L:Obs, bool) )%{if}\\{rev}OBS\\{nr}%{else}LEG%{end}\\n"
    "%{loop}%( l0 ++ s0 )%!02d! %( 'WP' l0 scat )%!-5s!%( l0 (L:Legs, number) < )%{next}";

int MeasureScript(long runs) {
  script_test::Gauge gauge;
  gauge.world.Set("A:GEAR HANDLE POSITION", 0);
  gauge.world.Set("A:RADIO HEIGHT", 300);
  bench::script::Program program = gauge.Compile(kScript);
  if (!program.ok)
    return std::fprintf(stderr, "script-benchmark: the script does not compile\n"), 2;
  int reads = 0;
  for (const bench::script::Reference& r : program.references) reads += !r.fact.write;
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

int MeasureString(long runs) {
  script_test::Gauge gauge;
  gauge.world.Set("A:GPS WP DISTANCE", 12.34);
  gauge.world.Set("A:GPS WP BEARING", 87.6);
  gauge.world.Set("A:GPS GROUND SPEED", 112);
  gauge.world.Set("L:Legs", 4);
  bench::script::TextProgram text = gauge.CompileText(kString);
  if (!gauge.sink.lines.empty())
    return std::fprintf(stderr, "script-benchmark: the string does not compile\n"), 2;
  const int reads = 5 + 4;  // five outside the loop, one in each of its rows
  auto evaluate = [&](long i) {
    gauge.world.Set("L:Obs", i % 2);  // the if chooses the other branch every evaluation
    gauge.runner.BeginPass();
    gauge.text_runner.Evaluate(text, gauge.sink);
  };
  double sink = 0;
  auto bare = [&](long i) {
    gauge.world.Set("L:Obs", i % 2);
    for (int r = 0; r < reads; ++r) gauge.world.Read(r % 6, &sink);
  };
  bench::TimedPair t = bench::TimeAgainstBare(runs, evaluate, bare);
  std::printf(
      "a GPS-like gauge string, %zu parts, %zu pieces, %d variable reads, %ld evaluations "
      "a round:\n",
      text.parts.size(), text.pieces.size(), reads, runs);
  bench::PrintRatio(t, "nanoseconds per evaluation", 1);
  return gauge.sink.lines.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  long runs = argc > 1 ? std::atol(argv[1]) : 200000;
  int script = MeasureScript(runs);
  int string = MeasureString(runs / 4);
  return script ? script : string;
}
