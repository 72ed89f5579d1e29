// The scenario reader on any text: it either gives steps or one "FILE:LINE: what" error, and
// nothing it meets escapes as an exception or reads out of bounds.
#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/scenarios/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  bench::Scenario scenario;
  std::string error;
  bool read = bench::ParseScenario("fuzz.bench", text, &scenario, &error);
  bool held = read ? error.empty() : error.rfind("fuzz.bench:", 0) == 0;
  int previous_line = 0;
  for (const bench::Step& step : scenario.steps) {
    held = held && step.line > previous_line;
    previous_line = step.line;
  }
  if (!held) {
    std::fprintf(stderr, "scenario_reader: a bad result (error '%s')\n", error.c_str());
    __builtin_trap();
  }
  return 0;
}
