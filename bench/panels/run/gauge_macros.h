// A gauge's macros as the script compiler looks them up, and the one way a gauge's script is
// compiled, shared by the checks and the runner so they judge the same text the same way.
#pragma once

#include <deque>

#include "bench/panels/findings.h"
#include "bench/panels/gauges/gauge_model.h"
#include "bench/script/program.h"
#include "bench/script/text/text_program.h"

namespace bench::panels {

class GaugeMacros {
 public:
  explicit GaugeMacros(const XmlGauge& gauge);
  GaugeMacros(const GaugeMacros&) = delete;
  GaugeMacros& operator=(const GaugeMacros&) = delete;

  // A macro's body is compiled where it is used, not on its own.
  bool IsMacro(const Script& script) const;
  script::Program Compile(const Script& script, script::VariableResolver& resolver,
                          script::DiagnosticSink& sink) const;
  // A text (ScriptKind::kText): its pieces compiled as scripts are.
  script::TextProgram CompileText(const Script& text, script::VariableResolver& resolver,
                                  script::DiagnosticSink& sink) const;

 private:
  const XmlGauge& gauge_;
  std::deque<script::MacroText> texts_;
  script::MacroLookup lookup_;
};

// A compiler or runtime report as a finding: on the line that uses a macro, naming it.
Finding DiagnosticFinding(const script::Diagnostic& diagnostic);

}  // namespace bench::panels
