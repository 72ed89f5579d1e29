#include "bench/commands.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "bench/clickmap/click_map_command.h"
#include "bench/host/session.h"
#include "bench/measure/measure.h"
#include "bench/panels/checks/panel_checks.h"
#include "bench/scenarios/scenario_command.h"
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

int RunBuiltIn(const Options& o) {
  SessionResult result = RunBuiltInSession(o.module, o.frames < 0 ? 3 : o.frames);
  if (!result.loaded) return std::fprintf(stderr, "kv3-bench: %s\n", result.error.c_str()), 2;
  for (const std::string& line : result.trace) std::printf("%s\n", line.c_str());
  return 0;
}

int RunSoakCommand(const Options& given) {
  Options o = given;
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

int MeasureCommand(const Options& o) {
  if (o.wine) return RunUnderWine(o);
  return RunMeasurement(o.module, o.frames < 1 ? 100000 : o.frames,
                        o.root.empty() ? BesideProgram(o.self, "measure-root") : o.root);
}

int CheckSoundsCommand(const Options& o) {
  if (o.wine) return RunUnderWine(o);
  return CheckSounds(o.file.empty() ? "Sound/KV3_R40" : o.file);
}

int MakeSoundsCommand(const Options& o) {
  std::string why;
  if (!MakeSounds(o.file, &why))
    return std::fprintf(stderr, "kv3-bench: cannot write the sounds into %s: %s\n", o.file.c_str(),
                        why.c_str()),
           2;
  std::printf("%d sounds written to %s\n", sound::kSlotCount, o.file.c_str());
  return 0;
}

int CheckPanelCommand(const Options& o) {
  return panels::CheckPanel(o.file, {o.sim_root, o.fltsim});
}

int SymbolizeCommand(const Options& o) { return Symbolize(o.operands); }

const char* SoakLength(const Options& o) {
  return o.frames >= 0 && o.minutes > 0 ? "soak takes --frames or --minutes, not both" : nullptr;
}

const char* SymbolizeOperands(const Options& o) {
  return o.operands.size() < 2 || o.operands.size() > 3
             ? "symbolize needs a DLL, an offset and perhaps its debug file"
             : nullptr;
}

// An option: the value it takes as the usage shows it (none: a switch), and where it goes.
struct Flag {
  const char* name;
  const char* value;
  std::string Options::*text = nullptr;
  int Options::*number = nullptr;
  bool Options::*on = nullptr;
};

// clang-format off
const Flag kFlags[] = {
    {"--module",   "PATH",    &Options::module},
    {"--root",     "DIR",     &Options::root},
    {"--audio",    "OUT.wav", &Options::audio},
    {"--trace",    "OUT.txt", &Options::trace},
    {"--plot",     "OUT.svg", &Options::plot},
    {"--out",      "MAP.html", &Options::out},
    {"--sim-root", "DIR",     &Options::sim_root},
    {"--fltsim",   "SECTION", &Options::fltsim},
    {"--frames",   "N",       nullptr, &Options::frames},
    {"--minutes",  "M",       nullptr, &Options::minutes},
    {"--seed",     "S",       nullptr, &Options::seed},
    {"--wine",     nullptr,   nullptr, nullptr, &Options::wine},
};
// clang-format on

struct Command {
  const char* name;
  const char* operands;  // as the usage shows them
  // The options it reads, as the usage lists them; "A|B" takes one or the other. The parser
  // takes every option with every command: --wine passes --root and --trace on to whichever
  // command it runs.
  const char* options;
  const char* help;  // lines of text
  int (*run)(const Options&);
  const char* needs = nullptr;                     // the operand it cannot do without
  bool operand_list = false;                       // every operand goes into Options::operands
  const char* (*check)(const Options&) = nullptr;  // what is wrong with the options, or null
};

// The first is run when no command is named.
const Command kCommands[] = {
    {"session", "", "--module --frames",
     "The built-in panel session: prints every host call the module makes, one a line;\n"
     "lines starting with -- are the session's own steps.\n",
     RunBuiltIn},
    {"run", "FILE", "--wine --module --root --audio --trace --plot --sim-root --fltsim",
     "Runs a scenario file and checks its expectations. --root is the simulator folder the\n"
     "module finds Sound\\KV3_R40\\ in (default: the current directory); --audio writes what\n"
     "the cockpit sounded like; --trace writes every host call; --plot draws the session on\n"
     "a time axis (an SVG file for a browser); --wine runs kv3-bench.exe on KV3_Pelk.dll\n"
     "under Wine instead. --sim-root and --fltsim choose the panel a panel step reads, as\n"
     "for check-panel.\n",
     RunScenarioFile, "a scenario file"},
    {"soak", "", "--wine --frames|--minutes --seed --root",
     "Random panel activity (default 20000 frames, seed 1): all 28 slots with valid and odd\n"
     "values, traffic runs over a changing list, teardowns and reloads of the module. Fails\n"
     "(exit 1) when the module leaves files, buffers or devices open at a teardown, or, with\n"
     "--wine, when the process's handles or private memory grow. Sounds go into DIR\n"
     "(default soak-root beside kv3-bench).\n",
     RunSoakCommand, nullptr, false, SoakLength},
    {"check-sounds", "[DIR]", "--wine",
     "For each of the 28 sound files in DIR (default Sound/KV3_R40): ok with its format and\n"
     "length, or why the module will refuse it; --wine checks against Wine's mmio and\n"
     "DirectSound.\n",
     CheckSoundsCommand},
    {"make-sounds", "DIR", "", "Writes 28 synthetic demo sounds into DIR.\n", MakeSoundsCommand,
     "a folder"},
    {"check-panel", "AIRCRAFT_DIR", "--sim-root --fltsim",
     "Reads the aircraft's panel.cfg and XML gauges and reports what is wrong, one finding a\n"
     "line (FILE:LINE: error|warning|note: what; what to do), then a summary. --sim-root: the\n"
     "simulator's folder, whose Gauges folder holds gauges too and whose Sound\\KV3_R40 is\n"
     "checked; without it, the folder above the aircraft that holds SimObjects (or Aircraft)\n"
     "and Gauges. --fltsim: the aircraft.cfg section whose panel is read (default: the\n"
     "lowest [fltsim.N]). kv3-bench AIRCRAFT_DIR alone (a folder dropped on kv3-bench.exe)\n"
     "does the same.\n",
     CheckPanelCommand, "an aircraft folder"},
    {"click-map", "AIRCRAFT_DIR", "--wine --module --sim-root --fltsim --out",
     "Clicks every mouse area of the aircraft's panel with every mouse event it takes, each\n"
     "click from the state a second of frames settles the panel in, and lists what it did:\n"
     "the module's sounds it plays (with the simulator folder, whether the file will play),\n"
     "key events sent, variables changed; areas that do nothing, are hidden or cannot be\n"
     "reached. --out writes the map as a page any browser opens; --wine maps with\n"
     "kv3-bench.exe on KV3_Pelk.dll under Wine.\n",
     ClickMapCommand, "an aircraft folder"},
    {"measure", "", "--wine --module --frames --root",
     "Times N steady-state sound services (default 100000), the start-up load of the 28\n"
     "demo sounds (made in DIR, default measure-root beside kv3-bench) and traffic runs,\n"
     "each against a bare loop making the same host or file calls: prints the ratios. Exit 1\n"
     "when a figure could not be measured (no sound device). --wine measures KV3_Pelk.dll\n"
     "with kv3-bench.exe under Wine, in the bench's own Wine prefix.\n",
     MeasureCommand},
    {"symbolize", "DLL OFFSET [DEBUGFILE]", "",
     "Names the function and source line at the fault offset Windows reports for a crash in\n"
     "the module (Fault offset: 0x00001a2b), from its debug file (default DLL.debug).\n",
     SymbolizeCommand, nullptr, true, SymbolizeOperands},
};

const char* const kUsageEnd =
    "usage: kv3-bench --version\n"
    "  Prints the release: the version in the package's name and the DLL's product version.\n"
    "  --module PATH  the module to load (default: KV3_Pelk.so or KV3_Pelk.dll beside kv3-bench)\n"
    "exit: 0 done and every expectation held, 1 an expectation failed or a sound file will not\n"
    "play, 2 bad arguments, a bad scenario line or a module that does not load\n";

const Command* FindCommand(const std::string& name) {
  for (const Command& command : kCommands)
    if (name == command.name) return &command;
  return nullptr;
}

const Flag* FindFlag(const std::string& name) {
  for (const Flag& flag : kFlags)
    if (name == flag.name) return &flag;
  return nullptr;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// "[--frames N | --minutes M]" for "--frames|--minutes".
std::string OptionUsage(const std::string& names) {
  std::string usage;
  for (size_t start = 0, bar; start <= names.size(); start = bar + 1) {
    bar = names.find('|', start);
    if (bar == std::string::npos) bar = names.size();
    const Flag* flag = FindFlag(names.substr(start, bar - start));
    usage += std::string(usage.empty() ? "[" : " | ") + flag->name;
    if (flag->value) usage += std::string(" ") + flag->value;
  }
  return usage + "]";
}

// The usage line, wrapped under the command's name.
std::string Synopsis(const Command& command, bool named) {
  const std::string lead = "usage: kv3-bench ";
  std::vector<std::string> items = Words(command.operands);
  for (const std::string& names : Words(command.options)) items.push_back(OptionUsage(names));
  std::string text = lead + (named ? command.name : "");
  size_t line_start = 0;
  for (const std::string& item : items) {
    if (text.size() - line_start + 1 + item.size() > 90) {
      line_start = text.size() + 1;
      text += "\n" + std::string(lead.size(), ' ');
    } else if (text.size() > lead.size()) {
      text += " ";
    }
    text += item;
  }
  return text + "\n";
}

bool TakeValue(const std::vector<std::string>& args, size_t* i, std::string* value,
               std::string* error) {
  if (*i + 1 >= args.size()) return *error = args[*i] + " needs a value", false;
  *value = args[++*i];
  return true;
}

bool ParseNumber(const std::string& text, int* number) {
  char* end = nullptr;
  long n = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end || n < 0 || n > 100000000) return false;
  *number = static_cast<int>(n);
  return true;
}

bool TakeFlag(const Flag& flag, const std::vector<std::string>& args, size_t* i, Options* o,
              std::string* error) {
  if (flag.on) {
    o->*flag.on = true;
    return true;
  }
  std::string value;
  if (!TakeValue(args, i, &value, error)) return false;
  if (flag.text) return o->*flag.text = value, true;
  if (!ParseNumber(value, &(o->*flag.number)))
    return *error = std::string(flag.name) + " needs a whole number", false;
  return true;
}

}  // namespace

std::string UsageText() {
  std::string text;
  for (const Command& command : kCommands) {
    text += Synopsis(command, &command != kCommands);
    std::istringstream help(command.help);
    for (std::string line; std::getline(help, line);) text += "  " + line + "\n";
  }
  return text + kUsageEnd;
}

bool ParseOptions(const char* argv0, const std::vector<std::string>& args, Options* o,
                  std::string* error) {
  o->self = argv0;
  o->module = BesideProgram(o->self, kDefaultModule);
  size_t i = 0;
  o->command = kCommands[0].name;
  std::error_code error_code;
  if (args.size() == 1 && std::filesystem::is_directory(args[0], error_code)) {
    o->command = "check-panel", o->file = args[0], o->dropped = true;
    return true;
  }
  if (!args.empty() && args[0].rfind("-", 0) != 0) o->command = args[i++];
  const Command* command = FindCommand(o->command);
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (const Flag* flag = FindFlag(a)) {
      if (!TakeFlag(*flag, args, &i, o, error)) return false;
    } else if (a[0] != '-' && command && command->operand_list) {
      o->operands.push_back(a);
    } else if (a[0] != '-' && o->file.empty()) {
      o->file = a;
    } else {
      return *error = "unexpected argument '" + a + "'", false;
    }
  }
  if (!command) return *error = "unknown command '" + o->command + "'", false;
  if (command->needs && o->file.empty())
    return *error = o->command + " needs " + command->needs, false;
  if (const char* wrong = command->check ? command->check(*o) : nullptr)
    return *error = wrong, false;
  return true;
}

int RunCommand(const Options& o) { return FindCommand(o.command)->run(o); }

}  // namespace bench
