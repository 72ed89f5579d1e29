// Which variable references the host serves: the prefixes there are, which of them a script may
// read and which it may write, and the names G: and M: have. The compiler judges every reference
// by this rule before any resolver sees it, so sessions, check-panel and the tests refuse and
// warn alike, when the script is compiled, on the reference's file and line.
#pragma once

#include <string>
#include <string_view>

#include "bench/script/variables.h"

namespace bench::script {

// What the host makes of a reference.
enum class Reach {
  kServed,   // the resolver's store serves it
  kNowhere,  // the script runs, but a read gives 0 and a write goes nowhere: a warning
  kRefused,  // the host fails on it (an unknown prefix, a read of a key event): an error
};

struct Judgement {
  Reach reach = Reach::kServed;
  std::string message;  // why, when it is not served
};

Judgement Judge(const VariableUse& use);

// A reference the rule finds reaching nothing is bound here: reads give 0, writes are dropped,
// and neither says so again at run time, for the compiler has warned.
Binding Nowhere();

// A read that gives a string: M:Event, M:Key and the R: resource strings.
bool GivesText(const VariableUse& use);

// A gauge's own variables, G:Var1 to G:Var9 in any case (a shipped gauge writes (G:var6)):
// the number, or 0 for any other name.
constexpr int kGaugeVariables = 9;
int GaugeVariable(std::string_view name);

// What a click or key script reads of the event it handles, by its M: name in any case.
enum class MouseValue { kEvent, kKey, kX, kY, kNone };
MouseValue FindMouseValue(std::string_view name);

// The reference as written, for messages: (>A:GENERAL ENG THROTTLE LEVER POSITION:1).
std::string Written(const VariableUse& use);

}  // namespace bench::script
