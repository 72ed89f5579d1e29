// The panel's scripts and texts, compiled as the runner compiles them. The simulator reports none
// of this: a script that does not compile does nothing. Their variable references go on to the
// variable checks.
#include <set>

#include "bench/panels/checks/panel_checks.h"
#include "bench/panels/run/gauge_macros.h"

namespace bench::panels {
namespace {

// Serves every reference the rule serves, as the runner does (script/references.h); the
// values do not matter, nothing runs.
class CheckResolver : public script::VariableResolver, public script::VariableStore {
 public:
  script::Binding Resolve(const script::VariableUse&) override {
    script::Binding binding;
    binding.store = this;
    return binding;
  }
  bool Read(int32_t, double* value) override { return *value = 0, true; }
  bool Write(int32_t, double) override { return true; }
};

class FindingSink : public script::DiagnosticSink {
 public:
  explicit FindingSink(Panel* panel) : panel_(panel) {}
  void Report(const script::Diagnostic& d) override {
    panel_->findings.push_back(DiagnosticFinding(d));
  }

 private:
  Panel* panel_;
};

void CompileGauge(const XmlGauge& gauge, CheckResolver& resolver, FindingSink& sink,
                  std::vector<ScriptReference>* references) {
  std::set<const Script*> every_frame;
  ForEachFrameScript(gauge, [&](const Script& s) { every_frame.insert(&s); });
  GaugeMacros macros(gauge);
  ForEachScript(gauge, [&](const Script& s) {
    if (macros.IsMacro(s)) return;
    auto add = [&](script::Program& program) {
      for (script::Reference& r : program.references)
        references->push_back({s.origin.file, std::move(r.fact), every_frame.count(&s) > 0});
    };
    if (s.kind == ScriptKind::kScript) {
      script::Program program = macros.Compile(s, resolver, sink);
      return add(program);
    }
    script::TextProgram text = macros.CompileText(s, resolver, sink);
    for (script::Program& piece : text.pieces) add(piece);
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
