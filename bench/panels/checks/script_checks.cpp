// The panel's scripts, compiled as the runner compiles them, and what their variable
// references say about the panel's use of the module's sound variables. The simulator
// reports none of this: a script that does not compile does nothing, and a name the module
// does not use is a variable nobody reads.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "bench/panels/checks/panel_checks.h"
#include "bench/host/host_emulator.h"
#include "bench/script/program.h"
#include "sound/sound_slots.h"

namespace bench::panels {
namespace {

const char kValidPrefixes[] = "LAKGEPMC";

// Accepts every reference a panel may make; the values do not matter, nothing runs.
class CheckResolver : public script::VariableResolver, public script::VariableStore {
 public:
  script::Binding Resolve(const script::VariableUse& use) override {
    script::Binding binding;
    binding.store = this;
    binding.text = use.prefix == 'M' && use.name == "Event";
    if (!std::strchr(kValidPrefixes, use.prefix))
      binding.error = std::string("no variables start ") + use.prefix +
                      ": (L: A: K: G: E: P: M: C: do); correct the prefix";
    else if (use.prefix == 'K' && !use.write)
      binding.error = "a key event can only be sent, (>K:NAME); it cannot be read";
    return binding;
  }
  bool Read(int32_t, double* value) override { return *value = 0, true; }
  bool Write(int32_t, double) override { return true; }
};

class FindingSink : public script::DiagnosticSink {
 public:
  explicit FindingSink(Panel* panel) : panel_(panel) {}
  void Report(const script::Diagnostic& d) override {
    std::string message(d.message);
    if (!d.macro.empty()) message += " (in macro @" + std::string(d.macro) + ")";
    panel_->findings.push_back({std::string(d.file), d.line,
                                d.severity == script::Severity::kError ? Severity::kError
                                                                       : Severity::kWarning,
                                message});
  }

 private:
  Panel* panel_;
};

std::string Folded(const std::string& name) {
  std::string folded;
  for (char c : name)
    if (c != ' ' && c != '_') folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded;
}

// The module's sound variable this name is, or almost is; nullptr when neither.
const char* SoundVariable(const std::string& name, bool* exact) {
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s) {
    if (name == s->variable_name) return *exact = true, s->variable_name;
  }
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s) {
    if (Folded(name) == Folded(s->variable_name) || EditDistance(name, s->variable_name) <= 2)
      return *exact = false, s->variable_name;
  }
  return nullptr;
}

bool SameUnits(const std::string& units, const char* wanted) {
  return Folded(units) == Folded(wanted);
}

void CheckReference(const std::string& file, const script::VariableFact& v, bool in_update,
                    std::vector<Finding>* findings) {
  auto add = [&](Severity severity, const std::string& message) {
    findings->push_back({file, v.line, severity, message});
  };
  if (v.write && v.constant && SameUnits(v.units, "bool") && v.value != 0 && v.value != 1)
    add(Severity::kWarning, "(>" + std::string(1, v.prefix) + ":" + v.name +
                                ", bool) is given " + FormatValue(v.value) +
                                ", which bool units turn into 1; write it in enum or number units");
  if (v.prefix != 'L') return;
  bool exact = false;
  const char* sound = SoundVariable(v.name, &exact);
  if (!sound) return;
  if (!exact) {
    add(Severity::kWarning, "\"" + v.name + "\" is not the module's \"" + sound +
                                "\", so the module never sees it; write \"" + sound + "\"");
    return;
  }
  if (v.write && !SameUnits(v.units, "enum"))
    add(Severity::kWarning, "\"" + v.name + "\" is written in " +
                                (v.units.empty() ? std::string("no units") : v.units) +
                                " but the module reads it in enum; write it in enum");
  long long command = v.constant ? std::llabs(static_cast<long long>(v.value)) % 10 : 0;
  if (in_update && v.write && v.unconditional && v.constant && command != 0 && command != 2)
    add(Severity::kWarning, "\"" + v.name + "\" is set to play once on every update, so it "
                                "replays without end; write it only when its condition changes");
}

}  // namespace

void CheckScripts(Panel* panel) {
  FindingSink sink(panel);
  CheckResolver resolver;
  for (const XmlGauge& gauge : panel->xml_gauges) {
    std::deque<script::MacroText> texts;
    for (const Macro& m : gauge.macros)
      texts.push_back({m.body.text, {m.body.origin.file, m.body.origin.line}});
    script::MacroLookup macros = [&](std::string_view name) -> const script::MacroText* {
      for (size_t i = 0; i < gauge.macros.size(); ++i)
        if (gauge.macros[i].name == name) return &texts[i];
      return nullptr;
    };
    ForEachScript(gauge, [&](const Script& s) {
      for (const Macro& m : gauge.macros)
        if (&s == &m.body) return;  // a macro is checked where it is used
      script::Program program = script::Compile(s.text, {s.origin.file, s.origin.line}, macros,
                                                resolver, sink);
      bool in_update = &s == &gauge.update;
      for (const script::VariableFact& v : program.variables)
        CheckReference(s.origin.file, v, in_update, &panel->findings);
    });
  }
}

}  // namespace bench::panels
