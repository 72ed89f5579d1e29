#include "bench/scenarios/scenario_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/host/host_clock.h"
#include "bench/run_outputs.h"
#include "bench/scenarios/scenario_runner.h"
#include "bench/wine_run.h"

namespace bench {
namespace {

bool ReadFile(const std::string& path, std::string* text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream buffer;
  buffer << file.rdbuf();
  *text = buffer.str();
  return true;
}

bool WriteTrace(const std::string& path, const std::vector<std::string>& trace) {
  std::ofstream out(path, std::ios::binary);
  for (const std::string& line : trace) out << line << '\n';
  return static_cast<bool>(out);
}

int Report(const Scenario& scenario, const ScenarioResult& result) {
  for (const std::string& failure : result.failures) std::printf("FAILED %s\n", failure.c_str());
  std::printf("%s: %d expectations, %zu failed\n", scenario.path.c_str(), result.expectations,
              result.failures.size());
  return result.failures.empty() ? 0 : 1;
}

}  // namespace

int RunScenarioFile(const Options& o) {
  std::string text, error;
  Scenario scenario;
  if (!ReadFile(o.file, &text))
    return std::fprintf(stderr, "kv3-bench: cannot read %s\n", o.file.c_str()), 2;
  if (!ParseScenario(o.file, text, &scenario, &error))
    return std::fprintf(stderr, "%s\n", error.c_str()), 2;
  if (o.wine) return RunUnderWine(o);
  // Paths on the command line are the caller's; the session runs in the simulator folder.
  for (Step& step : scenario.steps)
    if (step.kind == StepKind::kPanel) step.text = std::filesystem::absolute(step.text).string();
  Options run = o;
  for (std::string* path : {&run.module, &run.trace, &run.audio, &run.plot, &run.sim_root})
    if (!path->empty()) *path = std::filesystem::absolute(*path).string();
  std::error_code cd_error;
  if (!o.root.empty()) std::filesystem::current_path(o.root, cd_error);
  if (cd_error) return std::fprintf(stderr, "kv3-bench: cannot enter %s\n", o.root.c_str()), 2;
  if (!run.audio.empty() || !run.plot.empty()) StartAudioCapture();
  ScenarioResult result = RunScenario(scenario, run.module, {run.sim_root, run.fltsim});
  for (const std::string& line : result.panel_diagnostics)
    std::fprintf(stderr, "%s\n", line.c_str());
  if (!result.loaded) return std::fprintf(stderr, "kv3-bench: %s\n", result.error.c_str()), 2;
  std::string unwritten = run.trace;
  if ((!run.trace.empty() && !WriteTrace(run.trace, result.trace)) ||
      !WriteRunOutputs(run, result.trace, {TakeAudioCapture(), 2, kCaptureRate}, &unwritten))
    return std::fprintf(stderr, "kv3-bench: cannot write %s\n", unwritten.c_str()), 2;
  return Report(scenario, result);
}

}  // namespace bench
