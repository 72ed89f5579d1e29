// The script compiler and runner on any text: nothing escapes as an exception, reads out of
// bounds or hangs (a run stops at its step limit); a script that does not compile reports an
// error; every report names a line the script has, counted from its first line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/script_support.h"

namespace {

constexpr int kFirstLine = 5;

bool LinesInRange(const std::vector<std::string>& reports, int last_line, bool* error) {
  for (const std::string& report : reports) {
    int line = std::atoi(report.c_str() + report.find(':') + 1);
    if (line < kFirstLine || line > last_line) return false;
    *error = *error || report.find(": error: ") != std::string::npos;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  script_test::Gauge gauge;
  gauge.Define("Twice", "@1 @1 +");
  gauge.Define("Click", "1 (>L:Sound toggle switch, enum)");
  gauge.Define("Self", "1 @Self");
  gauge.world.bare_events["GEAR_TOGGLE"] = true;
  bench::script::Program program = gauge.Compile(text, kFirstLine);
  for (int run = 0; run < 2; ++run) gauge.Run(program);
  int last_line = kFirstLine;
  for (char c : text) last_line += c == '\n';
  bool error = false;
  bool held = LinesInRange(gauge.sink.lines, last_line, &error) && (program.ok || error);
  if (!held) {
    std::fprintf(stderr, "script_engine: a bad report (ok %d):\n", program.ok);
    for (const std::string& line : gauge.sink.lines) std::fprintf(stderr, "  %s\n", line.c_str());
    __builtin_trap();
  }
  return 0;
}
