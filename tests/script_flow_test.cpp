// Flow (if{ els{ }, labels and jumps, quit), macros, variables and the facts the panel checks
// read off a compiled script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/script_support.h"

namespace {

using bench::script::Program;
using bench::script::VariableFact;
using script_test::Gauge;

struct FlowCase {
  const char* script;
  double expected;
};

TEST(ScriptFlow, BlocksJumpsAndQuit) {
  const FlowCase cases[] = {
      {"1 if{ 10 } els{ 20 }", 10},
      {"0 if{ 10 } els{ 20 }", 20},
      {"0 if{ 10 }", 0},
      {"1 if{ 5 } 6 +", 11},
      {"1 if{ 0 if{ 1 } els{ 2 } } els{ 3 }", 2},
      {"0 if{ 1 if{ 1 } els{ 2 } } els{ 3 }", 3},
      {"1 IF{ 4 } ELS{ 5 }", 4},
      // A loop through a label counts to 10.
      {"0 sp0 :1 l0 1 + s0 10 < if{ g1 } l0", 10},
      {"1 g2 100 :2 2 +", 3},
      {"5 quit 6", 5},
      {"1 if{ 7 quit } 8", 7},
      {"0 if{ 7 quit } 8", 8},
  };
  Gauge gauge;
  for (const FlowCase& c : cases) {
    SCOPED_TRACE(c.script);
    EXPECT_EQ(gauge.Evaluate(c.script).number, c.expected);
  }
}

TEST(ScriptFlow, MacrosWithAndWithoutArguments) {
  Gauge gauge;
  gauge.Define("Click", "1 (>L:Sound toggle switch, enum)");
  gauge.Define("Set", "@2 (>L:@1, number)");
  gauge.Define("Twice", "@1 @1 +");
  gauge.Define("Half", "2 /");
  gauge.Define("Quarter", "@Half @Half");
  gauge.Define("Name", "'Flaps'");
  EXPECT_EQ(gauge.Evaluate("@Twice(21)").number, 42);
  EXPECT_EQ(gauge.Evaluate("8 @Quarter").number, 2);
  EXPECT_EQ(gauge.Evaluate("@Twice(@Twice(2))").number, 8);
  EXPECT_EQ(std::string(gauge.Evaluate("@Name").text), "Flaps");
  gauge.Evaluate("@Click @Set(Flaps handle, 3)");
  EXPECT_EQ(gauge.world.Get("L:Sound toggle switch"), 1);
  EXPECT_EQ(gauge.world.Get("L:Flaps handle"), 3);
  EXPECT_TRUE(gauge.sink.lines.empty()) << gauge.sink.lines[0];
}

TEST(ScriptFlow, VariablesOfEachPrefix) {
  Gauge gauge;
  gauge.world.Set("A:GENERAL ENG COMBUSTION:1", 1);
  gauge.world.Set("A:Avionics master switch", 1);
  gauge.world.bare_events["GEAR_TOGGLE"] = true;
  EXPECT_EQ(gauge.Evaluate("(A:GENERAL ENG COMBUSTION:1, bool)").number, 1);
  EXPECT_EQ(gauge.Evaluate("(A:Avionics master switch,bool)").number, 1);
  // In an L: name a ":1" is part of the name, not an index.
  gauge.Evaluate("4 (>L:Var:1, number)");
  EXPECT_EQ(gauge.world.Get("L:Var:1"), 4);
  EXPECT_EQ(gauge.Evaluate("(L:Var:1, number) 1 +").number, 5);
  // An event that takes a value pops it; one that takes none leaves the stack alone.
  EXPECT_EQ(gauge.Evaluate("5 (>K:AP_ALT_VAR_SET_ENGLISH) 7 (>K:GEAR_TOGGLE)").number, 7);
  ASSERT_EQ(gauge.world.events.size(), 2u);
  EXPECT_EQ(gauge.world.events[0].name, "AP_ALT_VAR_SET_ENGLISH");
  EXPECT_EQ(gauge.world.events[0].value, 5);
  EXPECT_EQ(gauge.world.events[1].value, 0);
  gauge.world.event = "RightSingle";
  EXPECT_EQ(gauge.Evaluate("(M:Event) 'LeftSingle' scmp 0 == if{ 1 } els{ 2 }").number, 2);
  EXPECT_TRUE(gauge.sink.lines.empty()) << gauge.sink.lines[0];
}

TEST(ScriptFlow, RegistersStartAtZeroEachRun) {
  Gauge gauge;
  Program program = gauge.Compile("l0 1 + s0");
  EXPECT_EQ(gauge.Run(program).number, 1);
  EXPECT_EQ(gauge.Run(program).number, 1);
}

// One reference as the checks see it, for a readable comparison.
std::string Describe(const VariableFact& f) {
  std::string text = std::string(f.write ? ">" : "") + f.prefix + ":" + f.name + "|" + f.units +
                     "|line " + std::to_string(f.line);
  if (f.index) text += "|index " + std::to_string(f.index);
  if (!f.macro.empty()) text += "|@" + f.macro;
  if (f.constant) text += "|= " + std::to_string(static_cast<int>(f.value));
  if (f.unconditional) text += "|always";
  return text;
}

TEST(ScriptFlow, FactsOfEveryReference) {
  Gauge gauge;
  gauge.Define("Click", "1 (>L:Sound toggle switch, enum)");
  Program program = gauge.Compile(
      "2 (>L:Sound gear horn , enum)\n"
      "(L:Gear, bool) if{ 1 (>L:Gear warn, bool) }\n"
      "(A:GENERAL ENG RPM:2, rpm) (>L:Rpm, number)\n"
      "0 if{ 5 } els{ 6 } (>L:After else, number) @Click\n"
      ":3 4 (>L:After label, number) (>K:GEAR_UP) g4 :4 1 (>L:After jump, number)",
      20);
  ASSERT_TRUE(program.ok);
  std::vector<std::string> facts;
  for (const bench::script::Reference& r : program.references) facts.push_back(Describe(r.fact));
  EXPECT_EQ(facts, (std::vector<std::string>{
                       ">L:Sound gear horn |enum|line 20|= 2|always",
                       "L:Gear|bool|line 21",
                       ">L:Gear warn|bool|line 21|= 1",
                       "A:GENERAL ENG RPM|rpm|line 22|index 2",
                       ">L:Rpm|number|line 22|always",
                       ">L:After else|number|line 23|always",
                       ">L:Sound toggle switch|enum|line 23|@Click|= 1|always",
                       ">L:After label|number|line 24|= 4|always",
                       ">K:GEAR_UP||line 24|always",
                       ">L:After jump|number|line 24|= 1",
                   }));
}

}  // namespace
