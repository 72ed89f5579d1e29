// What the scripts' variable references say about the panel's use of the module. The module
// looks its variables up by their exact names and reads them in fixed units, so a name that
// is almost the module's is a variable nobody reads, and the simulator says nothing of it.
#include <cstdlib>
#include <set>

#include "bench/host/host_emulator.h"
#include "bench/panels/checks/module_variables.h"
#include "bench/panels/checks/panel_checks.h"

namespace bench::panels {
namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

std::string UnitsOf(const script::VariableFact& v) {
  return v.units.empty() ? std::string("no units") : v.units;
}

// A one-shot command (any last digit but 0, stop, and 2, loop) written on every cycle.
bool ReplaysForever(const ScriptReference& r, const ModuleVariable& m) {
  const script::VariableFact& v = r.fact;
  long long command = std::llabs(static_cast<long long>(v.value)) % 10;
  return m.one_shot && r.every_frame && v.write && v.unconditional && v.constant && command != 0 &&
         command != 2;
}

void CheckModuleReference(const ScriptReference& r, const ModuleVariable& m,
                          std::vector<Finding>* findings) {
  const script::VariableFact& v = r.fact;
  auto add = [&](Severity severity, const std::string& message) {
    findings->push_back({r.file, v.line, severity, message});
  };
  std::string units = ShownUnits(m.units);
  if (v.write && m.module_reads && !SameUnits(v.units, m.units))
    add(Severity::kWarning, Quoted(v.name) + " is written in " + UnitsOf(v) +
                                " but the module reads it in " + units + "; write it in " + units);
  if (!v.write && m.module_output && !SameUnits(v.units, m.units))
    add(Severity::kWarning, Quoted(v.name) + " is read in " + UnitsOf(v) +
                                " but the module writes it in " + units +
                                " and the bench does not convert; read it in " + units);
  if (ReplaysForever(r, m))
    add(Severity::kWarning, Quoted(v.name) +
                                " is set to play once on every update, so it "
                                "replays without end; write it only when its "
                                "condition changes");
}

void CheckReference(const ScriptReference& r, std::vector<Finding>* findings) {
  const script::VariableFact& v = r.fact;
  if (v.write && v.constant && SameUnits(v.units, "bool") && v.value != 0 && v.value != 1)
    findings->push_back({r.file, v.line, Severity::kWarning,
                         "(>" + std::string(1, v.prefix) + ":" + v.name + ", bool) is given " +
                             FormatValue(v.value) +
                             ", which bool units turn into 1; write it in enum or number units"});
  if (v.prefix != 'L') return;
  bool exact = false;
  const ModuleVariable* m = FindModuleVariable(v.name, &exact);
  if (m && !exact)
    findings->push_back({r.file, v.line, Severity::kWarning,
                         Quoted(v.name) + " is not the module's " + Quoted(m->name) +
                             ", so the module never sees it; write " + Quoted(m->name)});
  else if (m)
    CheckModuleReference(r, *m, findings);
}

// A module variable the panel uses while no line loads the gauge that serves it: reported
// once per gauge, on its first use.
void CheckModuleGaugesLoaded(const std::vector<ScriptReference>& references, Panel* panel) {
  std::set<std::string> reported;
  for (const ScriptReference& r : references) {
    bool exact = false;
    const ModuleVariable* m =
        r.fact.prefix == 'L' ? FindModuleVariable(r.fact.name, &exact) : nullptr;
    if (!m || !exact || FirstModuleLine(*panel, m->gauge) || !reported.insert(m->gauge).second)
      continue;
    std::string gauge = std::string(kModuleName) + "!" + m->gauge;
    panel->findings.push_back(
        {r.file, r.fact.line, Severity::kWarning,
         Quoted(r.fact.name) + " belongs to the module's " + gauge +
             ", which no gauge line loads, so nothing serves it; add gaugeNN=" + gauge +
             ", 0,0,1,1 to a window of panel.cfg"});
  }
}

}  // namespace

void CheckVariables(const std::vector<ScriptReference>& references, Panel* panel) {
  for (const ScriptReference& r : references) CheckReference(r, &panel->findings);
  CheckModuleGaugesLoaded(references, panel);
}

}  // namespace bench::panels
