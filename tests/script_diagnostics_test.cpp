// What the engine reports: compile errors and warnings on the line of the offending token,
// runtime warnings once per place in the script, and a steady run that allocates nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/measure/counting_allocator.h"
#include "tests/script_support.h"

namespace {

using bench::script::Limits;
using bench::script::Program;
using Lines = std::vector<std::string>;
using script_test::Gauge;

struct CompileCase {
  const char* script;  // compiled as if it started on line 10
  Lines reported;
};

TEST(ScriptDiagnostics, CompileErrorsNameTheirLine) {
  const CompileCase cases[] = {
      {"1\n0(>L:x, enum)", {"Gauge.xml:11: error: no white space before '('; separate the tokens"}},
      {"(L:x, bool)(L:y, bool)",
       {"Gauge.xml:10: error: no white space before '('; separate the tokens"}},
      {"1\n\n foo", {"Gauge.xml:12: error: unknown operator 'foo'"}},
      {"1 \n@Missing",
       {"Gauge.xml:11: error: undefined macro @Missing; define it with <Macro Name=\"Missing\">"}},
      {"(L x)", {"Gauge.xml:10: error: '(L x)' is no variable; write (X:Name[, units])"}},
      {"(Q:x)",
       {"Gauge.xml:10: error: no variables start Q: (L: A: K: G: E: P: M: C: R: do); correct "
        "the prefix"}},
      {"(K:GEAR_UP)",
       {"Gauge.xml:10: error: a key event can only be sent, (>K:NAME); it cannot be read"}},
      {"(L:a, b, c)",
       {"Gauge.xml:10: error: '(L:a, b, c)' has more than one ','; write (X:Name, units)"}},
      {"(L:x, bool 1", {"Gauge.xml:10: error: the variable is not closed with ')'"}},
      {"\n'abc", {"Gauge.xml:11: error: the string is not closed with '"}},
      {"g5", {"Gauge.xml:10: error: g5 jumps to no label; write :5 where it should go"}},
      {":1 :1", {"Gauge.xml:10: error: label :1 is defined twice"}},
      {"s50", {"Gauge.xml:10: error: there are registers s0..s49 only"}},
      {"1e400", {"Gauge.xml:10: error: '1e400' is too large a number"}},
      {"els{ 1", {"Gauge.xml:10: error: els{ must follow the '}' of an if{ block"}},
  };
  for (const CompileCase& c : cases) {
    SCOPED_TRACE(c.script);
    Gauge gauge;
    Program program = gauge.Compile(c.script, 10);
    EXPECT_FALSE(program.ok);
    EXPECT_EQ(gauge.sink.lines, c.reported);
  }
}

// Slips that ship in working gauges: the host runs them, so the bench does too, and says so.
TEST(ScriptDiagnostics, ShippedSlipsAreWarningsAndRun) {
  Gauge gauge;
  Program open = gauge.Compile("1 if{\n2 if{ 3 }\n4", 10);
  ASSERT_TRUE(open.ok);
  EXPECT_EQ(gauge.Run(open).number, 4);  // the block runs to the end of the script
  Program curly = gauge.Compile("0 if{ 5 (>L:x, number}\n6 (>L:y, number)", 20);
  ASSERT_TRUE(curly.ok);
  gauge.Run(curly);
  EXPECT_EQ(gauge.world.Get("L:y"), 0);  // the '}' closed the variable, not the block
  EXPECT_EQ(gauge.sink.lines,
            (Lines{"Gauge.xml:10: warning: this if{ is not closed with '}'; it runs to the end "
                   "of the script: close the block",
                   "Gauge.xml:20: warning: the variable is closed with '}'; write ')'",
                   "Gauge.xml:20: warning: this if{ is not closed with '}'; it runs to the end "
                   "of the script: close the block"}));
}

TEST(ScriptDiagnostics, MacroTextReportsTheLineOfItsUse) {
  Gauge gauge;
  gauge.Define("Bad", "1 foo", 3);
  gauge.Define("Set", "@2 (>L:@1, number)");
  gauge.Define("Loop", "1 @Loop");
  gauge.Define("Ping", "@Pong");
  gauge.Define("Pong", "@Ping");
  // Sixteen levels expand; a seventeenth is too deep, though no macro uses itself.
  for (int level = 0; level < 17; ++level)
    gauge.Define("Level" + std::to_string(level),
                 level < 16 ? "@Level" + std::to_string(level + 1) : "1");
  ASSERT_TRUE(gauge.Compile("@Level1").ok);
  gauge.Compile("1\n2\n@Bad\n@Set(Flaps)\n@Loop\n@Ping\n@Level0", 10);
  EXPECT_EQ(gauge.sink.lines,
            (Lines{"Gauge.xml:12: error: unknown operator 'foo' [@Bad]",
                   "Gauge.xml:13: error: @Set uses an argument it is not given; write @Set(...) "
                   "with one value per @N [@Set]",
                   "Gauge.xml:14: error: @Loop expands into itself [@Loop]",
                   "Gauge.xml:15: error: @Ping expands into itself [@Ping]",
                   "Gauge.xml:16: error: @Level16 is nested 17 macros deep; the bench expands 16 "
                   "at most: use fewer levels of macros [@Level16]"}));
}

TEST(ScriptDiagnostics, WarningsAtCompileStillRun) {
  Gauge gauge;
  Program program = gauge.Compile("1 }\n2 IF{ 3 } ELS{ 4 } (l:x, number) + d (> K:GEAR_UP)", 10);
  ASSERT_TRUE(program.ok);
  EXPECT_EQ(gauge.Run(program).number, 3);
  EXPECT_EQ(gauge.sink.lines,
            (Lines{"Gauge.xml:10: warning: a '}' that closes no block; it is skipped, remove it",
                   "Gauge.xml:11: warning: 'IF{' in upper case; the host's operators are 'if{'",
                   "Gauge.xml:11: warning: 'ELS{' in upper case; the host's operators are 'els{'",
                   "Gauge.xml:11: warning: 'l:' in lower case; the host's prefix is 'L:'",
                   "Gauge.xml:11: note: a space after '(>' in a write; the bench reads it as "
                   "(>K:GEAR_UP), write it so"}));
}

TEST(ScriptDiagnostics, AScriptThatDoesNotCompileRunsNothing) {
  Gauge gauge;
  Program program = gauge.Compile("1 (>L:x, number) foo");
  EXPECT_EQ(gauge.Run(program).number, 0);
  EXPECT_EQ(gauge.world.Get("L:x"), 0);
}

TEST(ScriptDiagnostics, RuntimeWarningsOncePerPlace) {
  Gauge gauge;
  gauge.Define("Divide", "0 /");
  Program program = gauge.Compile(
      "1 0 / 2 0 %\n"
      "3 @Divide 4 @Divide\n"
      "5 @Divide\n"
      "7 0 div p p p p p p p\n"
      "(A:Never set, bool) (A:Also never, bool) + -1 sqrt\n"
      "1 (>C:fs9gps:WaypointIndex, number) c 7 8 2 5 case",
      30);
  for (int run = 0; run < 3; ++run) gauge.Run(program);
  EXPECT_EQ(gauge.sink.lines,
            (Lines{
                "Gauge.xml:30: warning: '/' by 0 gives 0",
                "Gauge.xml:31: warning: '/' by 0 gives 0 [@Divide]",
                "Gauge.xml:32: warning: '/' by 0 gives 0 [@Divide]",
                "Gauge.xml:33: warning: 'div' by 0 gives 0",
                "Gauge.xml:33: warning: 'p' pops an empty stack; it gets 0",
                "Gauge.xml:34: warning: (A:Never set) has no value; it reads 0",
                "Gauge.xml:34: warning: (A:Also never) has no value; it reads 0",
                "Gauge.xml:34: warning: 'sqrt' gives no number for these values; 0 is used",
                "Gauge.xml:35: warning: the write to (C:fs9gps:WaypointIndex) goes nowhere",
                "Gauge.xml:35: warning: case index 5 is outside 0..1; it gives 0",
            }));
}

TEST(ScriptDiagnostics, LimitsCutWithAWarningInsteadOfFailing) {
  Gauge gauge;
  Limits small;
  small.stack_values = 4;
  small.string_bytes = 8;
  small.steps = 1000;
  bench::script::Runner runner(small);
  Program loop = gauge.Compile(":1 1 (>L:Spins, number) g1 2", 40);
  Program strings = gauge.Compile("'abcdef' 'ghijkl' scat", 41);
  Program stack = gauge.Compile("1 2 3 4 5", 42);
  runner.Run(loop, gauge.sink);
  EXPECT_EQ(gauge.world.Get("L:Spins"), 1);
  EXPECT_EQ(std::string(runner.Run(strings, gauge.sink).text), "abcdefgh");
  EXPECT_EQ(runner.Run(stack, gauge.sink).number, 4);
  EXPECT_EQ(gauge.sink.lines,
            (Lines{"Gauge.xml:40: warning: the script ran 1000 steps without ending and is "
                   "stopped here; does a gN loop never end?",
                   "Gauge.xml:41: warning: the strings of one run take more than 8 bytes; this "
                   "one is cut",
                   "Gauge.xml:42: warning: the stack is full (4 values); the value is dropped"}));
}

// Keeps no text, so reporting allocates nothing either.
struct CountingSink : bench::script::DiagnosticSink {
  void Report(const bench::script::Diagnostic&) override { ++reports; }
  int reports = 0;
};

// The record of what was reported is the runner's: a program runs alike on any runner, and
// each runner reports its warnings once.
TEST(ScriptDiagnostics, EachRunnerReportsAProgramsWarningsOnce) {
  Gauge gauge;
  const Program program = gauge.Compile("1 0 / (A:Unset, bool)", 50);
  bench::script::Runner other;
  for (int run = 0; run < 2; ++run) {
    gauge.runner.Run(program, gauge.sink);
    other.Run(program, gauge.sink);
  }
  const std::string division = "Gauge.xml:50: warning: '/' by 0 gives 0";
  const std::string unset = "Gauge.xml:50: warning: (A:Unset) has no value; it reads 0";
  EXPECT_EQ(gauge.sink.lines, (Lines{division, unset, division, unset}));
}

TEST(ScriptDiagnostics, ASteadyRunAllocatesNothing) {
  Gauge gauge;
  gauge.Define("Toggle", "(L:@1, bool) ! (>L:@1, bool)");
  gauge.world.Set("A:RADIO HEIGHT", 300);
  Program program = gauge.Compile(
      "@Toggle(Battery) (A:RADIO HEIGHT, feet) 500 < if{ 2 } els{ 3 } (>L:Sound gear horn, enum) "
      "(M:Event) ' ' scat 118.3 scat uc 'LEFT' sstr s0 p 0 sp1 :1 l1 ++ s1 20 < if{ g1 } "
      "5 (>K:AP_ALT_VAR_SET) 1 0 / (A:Unset, bool) + p p p 1 2 3 3 1 case -1 sqrt");
  ASSERT_TRUE(program.ok);
  gauge.world.events.reserve(1000);
  CountingSink sink;
  gauge.runner.Run(program, sink);  // the runner records each first report
  long before = allocations;
  for (int run = 1; run < 100; ++run) gauge.runner.Run(program, sink);
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(sink.reports, 4);  // division, unset A:, empty stack, sqrt: each once
  EXPECT_EQ(gauge.world.events.size(), 100u);
}

}  // namespace
