#include "bench/panels/run/gauge_macros.h"

namespace bench::panels {

GaugeMacros::GaugeMacros(const XmlGauge& gauge) : gauge_(gauge) {
  for (const Macro& m : gauge.macros) texts_.push_back({m.body.text, m.body.origin});
  lookup_ = [this](std::string_view name) -> const script::MacroText* {
    for (size_t i = 0; i < gauge_.macros.size(); ++i)
      if (gauge_.macros[i].name == name) return &texts_[i];
    return nullptr;
  };
}

bool GaugeMacros::IsMacro(const Script& script) const {
  for (const Macro& m : gauge_.macros)
    if (&script == &m.body) return true;
  return false;
}

script::Program GaugeMacros::Compile(const Script& s, script::VariableResolver& resolver,
                                     script::DiagnosticSink& sink) const {
  return script::Compile(s.text, s.origin, lookup_, resolver, sink);
}

script::TextProgram GaugeMacros::CompileText(const Script& t, script::VariableResolver& resolver,
                                             script::DiagnosticSink& sink) const {
  return script::CompileText(t.text, t.origin, lookup_, resolver, sink);
}

Finding DiagnosticFinding(const script::Diagnostic& d) {
  std::string message(d.message);
  if (!d.macro.empty()) message += " (in macro @" + std::string(d.macro) + ")";
  return {std::string(d.file), d.line, d.severity, message};
}

}  // namespace bench::panels
