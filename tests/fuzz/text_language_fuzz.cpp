// The gauge-string compiler and evaluator on any text: nothing escapes as an exception, reads
// out of bounds or hangs (loops stop at their limit); what is shown fits the output; plain text
// shows as it stands; every report names a line the text has, counted from its first line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/script_support.h"

namespace {

constexpr int kFirstLine = 5;

bool LinesInRange(const std::vector<std::string>& reports, int last_line) {
  for (const std::string& report : reports) {
    int line = std::atoi(report.c_str() + report.find(':') + 1);
    if (line < kFirstLine || line > last_line) return false;
  }
  return true;
}

void Fail(const char* what, const script_test::Gauge& gauge) {
  std::fprintf(stderr, "text_language: %s; the reports:\n", what);
  for (const std::string& line : gauge.sink.lines) std::fprintf(stderr, "  %s\n", line.c_str());
  __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  script_test::Gauge gauge;
  gauge.Define("Twice", "@1 @1 +");
  gauge.Define("Click", "1 (>L:Sound toggle switch, enum)");
  gauge.world.bare_events["GEAR_TOGGLE"] = true;
  bench::script::TextLimits limits;
  limits.output_bytes = 256;
  limits.repetitions = 100;
  bench::script::TextRunner runner(gauge.runner, limits);
  bench::script::TextProgram program = gauge.CompileText(text, kFirstLine);
  bool plain = text.find_first_of("%\\") == std::string::npos && text.size() <= 256;
  for (int evaluation = 0; evaluation < 2; ++evaluation) {
    gauge.runner.BeginPass();
    std::string_view shown = runner.Evaluate(program, gauge.sink);
    if (shown.size() > limits.output_bytes) Fail("the text shown is longer than the output", gauge);
    if (plain && shown != text) Fail("plain text does not show as it stands", gauge);
  }
  int last_line = kFirstLine;
  for (char c : text) last_line += c == '\n';
  if (!LinesInRange(gauge.sink.lines, last_line))
    Fail("a report names a line outside the text", gauge);
  return 0;
}
