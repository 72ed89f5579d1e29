// Names the gauge formats do not have, or have in another case or another place. The simulator
// skips an element or attribute it does not know without a word: a misspelt <Visible> leaves
// its element always shown, a misspelt Kind= leaves a switch that answers the default click
// only. The references do not say whether it compares names without regard to case; every
// shipped gauge writes them one way, so another case is a risk worth a warning.
#include "bench/panels/checks/panel_checks.h"

namespace bench::panels {
namespace {

// A name as the gauge file writes it: <Element> or Attribute=.
std::string Spelt(const std::string& name, bool attribute) {
  return attribute ? name + "=" : "<" + name + ">";
}

Finding Judge(const XmlGauge& gauge, const NameProblem& n) {
  const char* format = VocabularyOf(gauge.format).format_name();
  std::string what = Spelt(n.name, n.attribute);
  std::string where =
      n.parent.empty() ? "" : (n.attribute ? " of <" : " inside <") + n.parent + ">";
  switch (n.kind) {
    case NameProblem::kUnknown:
      return {gauge.file, n.line, Severity::kWarning,
              what + where + " is not part of the " + format +
                  " gauge format, and the simulator skips it; " +
                  (n.known.empty() ? "check its spelling"
                                   : "did you mean " + Spelt(n.known, n.attribute) + "?")};
    case NameProblem::kOtherCase:
      return {gauge.file, n.line, Severity::kWarning,
              what + where + " is written " + Spelt(n.known, n.attribute) + " in the " + format +
                  " gauge format; the bench reads it so, but a simulator that compares names "
                  "exactly skips it: write " +
                  Spelt(n.known, n.attribute)};
    case NameProblem::kAttribute:
      return {gauge.file, n.line, Severity::kWarning,
              what + where + " is an attribute in the " + format +
                  " gauge format, not an element, and the simulator most likely skips it; write "
                  "it as " +
                  n.known + "=\"...\" on <" + n.parent + ">"};
    case NameProblem::kMisplaced:
      break;
  }
  return {gauge.file, n.line, Severity::kNote,
          what + where +
              " stands where the references do not put it; the simulator may skip it "
              "there"};
}

}  // namespace

void CheckGaugeNames(Panel* panel) {
  for (const XmlGauge& gauge : panel->xml_gauges)
    for (const NameProblem& name : gauge.names) panel->findings.push_back(Judge(gauge, name));
}

}  // namespace bench::panels
