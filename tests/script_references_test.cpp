// The one rule for variable references (bench/script/references.h): what the host fails on is
// an error, what reaches nothing a warning, both when the script is compiled; a session and
// check-panel report them alike, and the session runs on as the host does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/host/host_emulator.h"
#include "bench/panels/checks/panel_checks.h"
#include "bench/panels/run/running_panel.h"
#include "tests/panel_folder.h"
#include "tests/script_support.h"

namespace {

using Lines = std::vector<std::string>;
using script_test::Gauge;

struct RuleCase {
  const char* script;
  const char* reported;  // after "Gauge.xml:10: "; nullptr: served as written
};

TEST(ReferenceRule, WhatTheHostFailsOnIsAnErrorWhatReachesNothingAWarning) {
  const RuleCase cases[] = {
      {"(Q:x)", "error: no variables start Q: (L: A: K: G: E: P: M: C: R: do); correct the prefix"},
      {"(K:GEAR_UP)", "error: a key event can only be sent, (>K:NAME); it cannot be read"},
      {"1 (>A:GENERAL ENG THROTTLE LEVER POSITION:1, percent)",
       "warning: (>A:GENERAL ENG THROTTLE LEVER POSITION:1): an aircraft variable can only be "
       "read; the write goes nowhere"},
      {"1 (>E:ABSOLUTE TIME, seconds)",
       "warning: (>E:ABSOLUTE TIME): an environment variable can only be read; the write goes "
       "nowhere"},
      {"1 (>P:Units of measure, enum)",
       "warning: (>P:Units of measure): a simulator setting can only be read; the write goes "
       "nowhere"},
      {"1 (>M:X)",
       "warning: (>M:X): a mouse or key value can only be read; the write goes nowhere"},
      {"'x' (>R:1:TT_NAV)",
       "warning: (>R:1:TT_NAV): a resource string can only be read; the write goes nowhere"},
      {"(G:Var0)", "warning: (G:Var0): a gauge has G:Var1 to G:Var9 only; it reads 0"},
      {"1 (>G:Var10)",
       "warning: (>G:Var10): a gauge has G:Var1 to G:Var9 only; the write goes nowhere"},
      {"(M:Wheel)",
       "warning: (M:Wheel): a click or key script has M:Event, M:Key, M:X and M:Y only; it reads "
       "0"},
      // G: and M: names in any case, as shipped gauges write them.
      {"(L:Sound knob, enum) 1 (>L:x, bool) (A:RADIO HEIGHT, feet) 1 (>K:GEAR_UP) 1 (>G:var6) "
       "(G:VAR9) (M:event) (M:KEY) (M:x) (M:Y) (E:ABSOLUTE TIME, seconds) "
       "(P:Units of measure, enum) (C:fs9gps:WaypointIndex) 1 (>C:fs9gps:WaypointIndex) "
       "(R:1:TT_NAV)",
       nullptr},
  };
  for (const RuleCase& c : cases) {
    SCOPED_TRACE(c.script);
    Gauge gauge;
    bench::script::Program program = gauge.Compile(c.script, 10);
    Lines reported;
    if (c.reported) reported.push_back(std::string("Gauge.xml:10: ") + c.reported);
    EXPECT_EQ(gauge.sink.lines, reported);
    EXPECT_EQ(program.ok, !c.reported || std::string(c.reported).rfind("error", 0) != 0);
  }
}

TEST(ReferenceRule, AReferenceThatReachesNothingRunsSilently) {
  Gauge gauge;
  // The write takes its value off the stack; the reads give 0.
  bench::script::Program program = gauge.Compile("5 7 (>A:X, bool) (G:Var0) (M:Wheel) + +", 20);
  ASSERT_TRUE(program.ok);
  for (int run = 0; run < 3; ++run) EXPECT_EQ(gauge.Run(program).number, 5);
  EXPECT_EQ(gauge.sink.lines.size(), 3u);  // the compiler's warnings, nothing more at run time
  EXPECT_EQ(gauge.world.Get("A:X"), 0);
}

TEST(ReferenceRule, EventKeyAndResourceStringsReadAsText) {
  Gauge gauge;
  gauge.world.event = "Home";
  EXPECT_EQ(gauge.Evaluate("(M:Key) '.' scat (M:event) scat (R:1:TT_NAV) scat").text,
            "Home.HomeHome");
  EXPECT_EQ(gauge.Evaluate("(M:X) '.' scat").text, "0.");
}

// One gauge through check-panel's compiler and a session's, on the same panel.
class BothReaders : public testing::Test {
 protected:
  void Write(const std::string& update) {
    folder.Write("P/panel/panel.cfg", "[Window00]\ngauge00=G!g, 0, 0\n");
    folder.Write("P/panel/G/g.xml", "<Gauge Name='g'><Update>" + update + "</Update></Gauge>");
  }
  Lines CheckPanel() {
    bench::panels::Panel panel = bench::panels::LoadPanel(folder.Path("P"), {});
    size_t read = panel.findings.size();
    bench::panels::CheckScripts(&panel);
    Lines lines;
    for (size_t i = read; i < panel.findings.size(); ++i)
      lines.push_back(bench::panels::FormatFinding(panel.findings[i]));
    return lines;
  }

  PanelFolder folder;
  bench::HostEmulator host;
  bench::panels::RunningPanel session{host, {}};
};

TEST_F(BothReaders, ReportAReferenceAlikeWhenTheScriptIsCompiled) {
  Write(
      "1 (&gt;G:var6) (G:Var6) (&gt;L:Six, number)\n"
      "7 2 (&gt;M:X) (G:Var0) + (&gt;L:Seven, number)\n"
      "(R:1:TT_NAV) (&gt;L:Resource, number)");
  std::string error;
  ASSERT_TRUE(session.Load(folder.Path("P"), {}, &error)) << error;
  const std::string file = folder.Path("P/panel/G/g.xml");
  Lines compiled = {file +
                        ":2: warning: (>M:X): a mouse or key value can only be read; the "
                        "write goes nowhere",
                    file + ":2: warning: (G:Var0): a gauge has G:Var1 to G:Var9 only; it reads 0"};
  EXPECT_EQ(CheckPanel(), compiled);
  EXPECT_EQ(session.diagnostics(), compiled);
  session.Frame(1);
  session.Frame(2);
  EXPECT_EQ(host.Variable("Six"), 1);    // one variable, in either case
  EXPECT_EQ(host.Variable("Seven"), 7);  // the write took the 2; the read gave 0
  compiled.push_back(file +
                     ":3: warning: (R:1:TT_NAV) is a resource string, which the bench "
                     "does not have: it reads ''");
  EXPECT_EQ(session.diagnostics(), compiled);
}

}  // namespace
