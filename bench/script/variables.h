// How a script reaches its variables. The engine knows their syntax, `(X:Name[, units])` to read
// and `(>X:Name[, units])` to write, and which of them the host serves (references.h), but not
// their values: the caller resolves each served reference once, when the script is compiled, to
// a store and an id, so a run finds its variables without a map lookup or a string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bench::script {

// A reference as written: (A:GENERAL ENG COMBUSTION:1, bool) is prefix 'A', name "GENERAL ENG
// COMBUSTION", index 1, units "bool". The name is exactly the text between "X:" and the comma,
// spaces included; only A: names carry an index (in an L: name a ":1" is part of the name).
struct VariableUse {
  char prefix = 'L';
  std::string_view name;
  std::string_view units;  // trimmed; empty when none is written
  int index = 0;           // 0: none written
  bool write = false;
};

// The caller's side of a run. Reads and writes are called in the middle of a frame: they must
// not throw.
class VariableStore {
 public:
  // false: the variable has no value (an aircraft value no scenario set); it reads 0, and the
  // binding's note is reported once for that reference.
  virtual bool Read(int32_t id, double* value) = 0;
  // For variables that hold text (M:Event). The text must stay valid until the run ends.
  virtual bool ReadText(int32_t id, std::string_view* text) {
    (void)id, (void)text;
    return false;
  }
  // false: the write was dropped (a value of another code module); the note is reported once.
  virtual bool Write(int32_t id, double value) = 0;

 protected:
  ~VariableStore() = default;
};

struct Binding {
  VariableStore* store = nullptr;
  int32_t id = 0;
  // Reads give a string, ReadText is called: set by the compiler, from the rule (references.h).
  bool text = false;
  // A write takes its value off the stack. A key event that carries no value is sent with 0
  // and leaves the stack alone.
  bool pops = true;
  // Reported once per reference when the store refuses a read or write; empty: a plain
  // "reads 0" / "write dropped".
  std::string note;
};

class VariableResolver {
 public:
  // Called for the references the rule finds served (references.h). A binding without a store
  // refuses the reference: the script does not compile.
  virtual Binding Resolve(const VariableUse& use) = 0;

 protected:
  ~VariableResolver() = default;
};

}  // namespace bench::script
