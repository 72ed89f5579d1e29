// Where a script comes from and how the engine tells what is wrong with it: every compile error,
// compile warning and runtime warning goes to one sink, with the file and line of the token it
// is about. A token that came from a macro reports the line where the macro is used and names
// the macro.
#pragma once

#include <string>
#include <string_view>

namespace bench::script {

struct Origin {
  std::string file;
  int line = 1;  // the line the script's first character is on
};

// An error: the host fails there too (the script does not run). A warning: it runs, but not
// as written or meant. A note: worth knowing, nothing to mend.
enum class Severity { kError, kWarning, kNote };

struct Diagnostic {
  Severity severity = Severity::kError;
  std::string_view file;
  int line = 0;
  std::string_view macro;  // the macro whose text holds the token; empty: the script's own text
  std::string_view message;
};

// Runtime warnings are reported while a frame runs: the views are valid only during the call,
// and the engine allocates nothing to make them, so a sink that keeps them copies them.
class DiagnosticSink {
 public:
  virtual void Report(const Diagnostic& diagnostic) = 0;

 protected:
  ~DiagnosticSink() = default;
};

}  // namespace bench::script
