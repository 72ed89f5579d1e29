// A panel script compiled once, when its gauge loads: macros expanded, every token resolved to
// an instruction, variables to their stores, if{ els{ } and labels to jumps. Running it
// (run/runner.h) touches no map, string or heap.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/script/diagnostics.h"
#include "bench/script/operators.h"
#include "bench/script/variables.h"

namespace bench::script {

struct MacroText {
  std::string text;
  Origin origin;  // where the macro is defined, for messages
};
// The gauge's macros by name; nullptr: no such macro.
using MacroLookup = std::function<const MacroText*(std::string_view name)>;

// One variable reference of a script, for the panel checks.
struct VariableFact {
  char prefix = 'L';
  std::string name;  // exactly as written
  std::string units;
  int index = 0;
  bool write = false;
  int line = 0;
  std::string macro;  // the macro it came from; empty: the script's own text
  // A write whose value is a number written just before it (`1 (>L:x, bool)`).
  bool constant = false;
  double value = 0;
  // A write that happens on every run: not inside if{ } or els{ }, and after no jump or quit.
  bool unconditional = false;
};

// A variable reference: what the checks read of it, and what a run reaches it by.
struct Reference {
  VariableFact fact;
  Binding binding;
};

struct Instruction {
  Op op;
  uint32_t location;  // index into Program::locations
  int32_t arg = 0;
  double number = 0;
};

struct Location {
  int line;
  int macro;  // index into Program::macros; -1: the script's own text
};

// A compiled program does not change when it runs: what a run reports is the runner's record.
struct Program {
  uint32_t id = 0;  // NewProgramId's: a runner keeps its record of the program by it
  Origin origin;
  bool ok = false;  // false: a compile error was reported; the script must not run
  std::vector<Reference> references;  // kRead and kWrite name theirs by index

  std::vector<Instruction> code;
  std::vector<Location> locations;
  std::vector<std::string> macros;
  std::string strings;  // the text of every string literal, one after another
  struct Text {
    uint32_t offset, length;
  };
  std::vector<Text> texts;
};

// A number for each compiled program and text that no other has (copies share theirs).
uint32_t NewProgramId();

// Compiles a script; errors and warnings go to the sink. The program keeps pointers to the
// stores the resolver gave, which must outlive it.
Program Compile(std::string_view text, const Origin& origin, const MacroLookup& macros,
                VariableResolver& resolver, DiagnosticSink& sink);

}  // namespace bench::script
