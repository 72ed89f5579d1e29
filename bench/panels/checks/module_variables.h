// The panel variables the module reads and writes, taken from the module's own tables (its
// sound slots, the traffic gauge's variables, the radios it hands off), so the checks judge a
// panel against exactly what the module looks up.
#pragma once

#include <string>

namespace bench::panels {

struct ModuleVariable {
  const char* name;
  const char* units;   // as the module asks the host for them ("ENUM", "MHz")
  bool module_reads;   // the panel writes it for the module
  bool module_output;  // the module writes it for the panel to read
  const char* gauge;   // the module's gauge that serves it: one of kModuleGauges
  bool one_shot;       // a sound slot: any command digit but 0 and 2 plays it once
};

// The module's variable named exactly name; else the one name almost is (other case or
// spacing, or a typo of one or two letters), with *exact false; nullptr when neither.
const ModuleVariable* FindModuleVariable(const std::string& name, bool* exact);

// Whether units written in a script are the module's units (or another name the host has for
// them: "number" for "ENUM", "nautical miles" for "NMILES").
bool SameUnits(const std::string& written, const char* module_units);
// The module's units as a panel author writes them ("ENUM" -> "enum", "MHz" stays).
std::string ShownUnits(const char* module_units);

}  // namespace bench::panels
