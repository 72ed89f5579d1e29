#include "bench/commands.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/host/host_clock.h"
#include "bench/host/session.h"
#include "bench/measure/measure.h"
#include "bench/panels/checks/panel_checks.h"
#include "bench/run_outputs.h"
#include "bench/scenarios/scenario_runner.h"
#include "bench/soak/soak.h"
#include "bench/sounds/sound_files.h"
#include "bench/symbols/symbolize.h"
#include "bench/wine_run.h"
#include "sound/sound_slots.h"

namespace bench {
namespace {

#if defined(_WIN32)
const char* const kDefaultModule = "KV3_Pelk.dll";
#else
const char* const kDefaultModule = "KV3_Pelk.so";
#endif

std::string BesideProgram(const std::string& self, const char* file) {
  size_t slash = self.find_last_of("/\\");
  return slash == std::string::npos ? std::string(file) : self.substr(0, slash + 1) + file;
}

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

int RunScenarioCommand(const Options& o) {
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
  for (std::string* path : {&run.module, &run.trace, &run.audio, &run.plot})
    if (!path->empty()) *path = std::filesystem::absolute(*path).string();
  std::error_code cd_error;
  if (!o.root.empty()) std::filesystem::current_path(o.root, cd_error);
  if (cd_error) return std::fprintf(stderr, "kv3-bench: cannot enter %s\n", o.root.c_str()), 2;
  if (!run.audio.empty() || !run.plot.empty()) StartAudioCapture();
  ScenarioResult result = RunScenario(scenario, run.module);
  for (const std::string& line : result.panel_diagnostics)
    std::fprintf(stderr, "%s\n", line.c_str());
  if (!result.loaded) return std::fprintf(stderr, "kv3-bench: %s\n", result.error.c_str()), 2;
  std::string unwritten = run.trace;
  if ((!run.trace.empty() && !WriteTrace(run.trace, result.trace)) ||
      !WriteRunOutputs(run, result.trace, {TakeAudioCapture(), 2, kCaptureRate}, &unwritten))
    return std::fprintf(stderr, "kv3-bench: cannot write %s\n", unwritten.c_str()), 2;
  return Report(scenario, result);
}

int RunBuiltIn(const Options& o) {
  SessionResult result = RunBuiltInSession(o.module, o.frames < 0 ? 3 : o.frames);
  if (!result.loaded) return std::fprintf(stderr, "kv3-bench: %s\n", result.error.c_str()), 2;
  for (const std::string& line : result.trace) std::printf("%s\n", line.c_str());
  return 0;
}

int MakeSoundsCommand(const std::string& folder) {
  std::string why;
  if (!MakeSounds(folder, &why))
    return std::fprintf(stderr, "kv3-bench: cannot write the sounds into %s: %s\n", folder.c_str(),
                        why.c_str()),
           2;
  std::printf("%d sounds written to %s\n", sound::kSlotCount, folder.c_str());
  return 0;
}

int RunSoakCommand(Options o) {
  if (o.root.empty()) o.root = BesideProgram(o.self, "soak-root");
  if (o.wine) return RunUnderWine(o);
  SoakOptions soak;
  soak.module = o.module;
  soak.root = o.root;
  if (o.frames >= 0) soak.frames = o.frames;
  soak.minutes = o.minutes;
  soak.seed = static_cast<uint32_t>(o.seed);
  return RunSoak(soak);
}

bool TakeValue(const std::vector<std::string>& args, size_t* i, std::string* value,
               std::string* error) {
  if (*i + 1 >= args.size()) return *error = args[*i] + " needs a value", false;
  *value = args[++*i];
  return true;
}

bool ParseFrames(const std::string& text, int* frames) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (*end || n < 0 || n > 100000000) return false;
  *frames = static_cast<int>(n);
  return true;
}

}  // namespace

const char* const kUsage =
    "usage: kv3-bench [--module PATH] [--frames N]\n"
    "  The built-in panel session: prints every host call the module makes, one a line;\n"
    "  lines starting with -- are the session's own steps.\n"
    "usage: kv3-bench run FILE [--wine] [--module PATH] [--root DIR] [--audio OUT.wav]\n"
    "                 [--trace OUT.txt] [--plot OUT.svg]\n"
    "  Runs a scenario file and checks its expectations. --root is the simulator folder the\n"
    "  module finds Sound\\KV3_R40\\ in (default: the current directory); --audio writes what\n"
    "  the cockpit sounded like; --trace writes every host call; --plot draws the session on\n"
    "  a time axis (an SVG file for a browser); --wine runs kv3-bench.exe on KV3_Pelk.dll\n"
    "  under Wine instead.\n"
    "usage: kv3-bench soak [--wine] [--frames N | --minutes M] [--seed S] [--root DIR]\n"
    "  Random panel activity (default 20000 frames, seed 1): all 28 slots with valid and odd\n"
    "  values, traffic runs over a changing list, teardowns and reloads of the module. Fails\n"
    "  (exit 1) when the module leaves files, buffers or devices open at a teardown, or, with\n"
    "  --wine, when the process's handles or private memory grow. Sounds go into DIR\n"
    "  (default soak-root beside kv3-bench).\n"
    "usage: kv3-bench check-sounds [DIR] [--wine]\n"
    "  For each of the 28 sound files in DIR (default Sound/KV3_R40): ok with its format and\n"
    "  length, or why the module will refuse it; --wine checks against Wine's mmio and\n"
    "  DirectSound.\n"
    "usage: kv3-bench make-sounds DIR\n"
    "  Writes 28 synthetic demo sounds into DIR.\n"
    "usage: kv3-bench check-panel AIRCRAFT_DIR [--sim-root DIR] [--fltsim SECTION]\n"
    "  Reads the aircraft's panel.cfg and XML gauges and reports what is wrong, one finding a\n"
    "  line (FILE:LINE: error|warning|note: what; what to do), then a summary. --sim-root: the\n"
    "  simulator's folder, whose Gauges folder holds gauges too and whose Sound\\KV3_R40 is\n"
    "  checked; without it, the folder above the aircraft that holds SimObjects (or Aircraft)\n"
    "  and Gauges. --fltsim: the aircraft.cfg section whose panel is read (default: the\n"
    "  lowest [fltsim.N]). kv3-bench AIRCRAFT_DIR alone (a folder dropped on kv3-bench.exe)\n"
    "  does the same.\n"
    "usage: kv3-bench measure [--wine] [--module PATH] [--frames N] [--root DIR]\n"
    "  Times N steady-state sound services (default 100000), the start-up load of the 28\n"
    "  demo sounds (made in DIR, default measure-root beside kv3-bench) and traffic runs,\n"
    "  each against a bare loop making the same host or file calls: prints the ratios. Exit 1\n"
    "  when a figure could not be measured (no sound device). --wine measures KV3_Pelk.dll\n"
    "  with kv3-bench.exe under Wine, in the bench's own Wine prefix.\n"
    "usage: kv3-bench symbolize DLL OFFSET [DEBUGFILE]\n"
    "  Names the function and source line at the fault offset Windows reports for a crash in\n"
    "  the module (Fault offset: 0x00001a2b), from its debug file (default DLL.debug).\n"
    "usage: kv3-bench --version\n"
    "  Prints the release: the version in the package's name and the DLL's product version.\n"
    "  --module PATH  the module to load (default: KV3_Pelk.so or KV3_Pelk.dll beside kv3-bench)\n"
    "exit: 0 done and every expectation held, 1 an expectation failed or a sound file will not\n"
    "play, 2 bad arguments, a bad scenario line or a module that does not load\n";

bool ParseOptions(const char* argv0, const std::vector<std::string>& args, Options* o,
                  std::string* error) {
  o->self = argv0;
  o->module = BesideProgram(o->self, kDefaultModule);
  size_t i = 0;
  o->command = "session";
  std::error_code error_code;
  if (args.size() == 1 && std::filesystem::is_directory(args[0], error_code)) {
    o->command = "check-panel", o->file = args[0], o->dropped = true;
    return true;
  }
  if (!args.empty() && args[0].rfind("-", 0) != 0) o->command = args[i++];
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    std::string frames, minutes, seed;
    std::string* value = a == "--module"     ? &o->module
                         : a == "--audio"    ? &o->audio
                         : a == "--trace"    ? &o->trace
                         : a == "--root"     ? &o->root
                         : a == "--plot"     ? &o->plot
                         : a == "--sim-root" ? &o->sim_root
                         : a == "--fltsim"   ? &o->fltsim
                         : a == "--frames"   ? &frames
                         : a == "--minutes"  ? &minutes
                         : a == "--seed"     ? &seed
                                             : nullptr;
    if (value) {
      if (!TakeValue(args, &i, value, error)) return false;
    } else if (a == "--wine") {
      o->wine = true;
    } else if (a[0] != '-' && o->command == "symbolize") {
      o->operands.push_back(a);
    } else if (a[0] != '-' && o->file.empty()) {
      o->file = a;
    } else {
      return *error = "unexpected argument '" + a + "'", false;
    }
    if (!frames.empty() && !ParseFrames(frames, &o->frames))
      return *error = "--frames needs a whole number", false;
    if (!minutes.empty() && !ParseFrames(minutes, &o->minutes))
      return *error = "--minutes needs a whole number", false;
    if (!seed.empty() && !ParseFrames(seed, &o->seed))
      return *error = "--seed needs a whole number", false;
  }
  if (o->command == "run" && o->file.empty()) return *error = "run needs a scenario file", false;
  if (o->command == "make-sounds" && o->file.empty())
    return *error = "make-sounds needs a folder", false;
  if (o->command == "soak" && o->frames >= 0 && o->minutes > 0)
    return *error = "soak takes --frames or --minutes, not both", false;
  if (o->command == "symbolize" && (o->operands.size() < 2 || o->operands.size() > 3))
    return *error = "symbolize needs a DLL, an offset and perhaps its debug file", false;
  if (o->command == "check-panel" && o->file.empty())
    return *error = "check-panel needs an aircraft folder", false;
  if (o->command != "session" && o->command != "run" && o->command != "measure" &&
      o->command != "soak" && o->command != "check-sounds" && o->command != "make-sounds" &&
      o->command != "symbolize" && o->command != "check-panel")
    return *error = "unknown command '" + o->command + "'", false;
  return true;
}

int RunCommand(const Options& o) {
  if (o.command == "run") return RunScenarioCommand(o);
  if (o.command == "measure" && o.wine) return RunUnderWine(o);
  if (o.command == "measure")
    return RunMeasurement(o.module, o.frames < 1 ? 100000 : o.frames,
                          o.root.empty() ? BesideProgram(o.self, "measure-root") : o.root);
  if (o.command == "soak") return RunSoakCommand(o);
  if (o.command == "check-sounds" && o.wine) return RunUnderWine(o);
  if (o.command == "check-sounds") return CheckSounds(o.file.empty() ? "Sound/KV3_R40" : o.file);
  if (o.command == "make-sounds") return MakeSoundsCommand(o.file);
  if (o.command == "symbolize") return Symbolize(o.operands);
  if (o.command == "check-panel") return panels::CheckPanel(o.file, {o.sim_root, o.fltsim});
  return RunBuiltIn(o);
}

}  // namespace bench
