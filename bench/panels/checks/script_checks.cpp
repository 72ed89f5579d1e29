// The panel's scripts, compiled as the runner compiles them. The simulator reports none of
// this: a script that does not compile does nothing. Their variable references go on to the
// variable checks.
#include <cstring>
#include <deque>
#include <set>

#include "bench/panels/checks/panel_checks.h"

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
    panel_->findings.push_back(
        {std::string(d.file), d.line,
         d.severity == script::Severity::kError ? Severity::kError : Severity::kWarning, message});
  }

 private:
  Panel* panel_;
};

void CompileGauge(const XmlGauge& gauge, CheckResolver& resolver, FindingSink& sink,
                  std::vector<ScriptReference>* references) {
  std::set<const Script*> every_frame;
  ForEachFrameScript(gauge, [&](const Script& s) { every_frame.insert(&s); });
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
    script::Program program =
        script::Compile(s.text, {s.origin.file, s.origin.line}, macros, resolver, sink);
    for (script::VariableFact& v : program.variables)
      references->push_back({s.origin.file, std::move(v), every_frame.count(&s) > 0});
  });
}

}  // namespace

std::vector<ScriptReference> CheckScripts(Panel* panel) {
  FindingSink sink(panel);
  CheckResolver resolver;
  std::vector<ScriptReference> references;
  for (const XmlGauge& gauge : panel->xml_gauges) CompileGauge(gauge, resolver, sink, &references);
  return references;
}

}  // namespace bench::panels
