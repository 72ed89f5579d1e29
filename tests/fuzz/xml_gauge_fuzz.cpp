// One gauge file of any bytes through the gauge reader, then every script of the gauge through
// the compiler as check-panel compiles them: nothing escapes as an exception or reads out of
// bounds; every finding, the reader's and the compiler's, names a line the file has (0 for
// the whole file); a file refused comes with an error saying why; and reading the same bytes
// again gives the same answer, findings and scripts.
#include <cstdint>
#include <string>
#include <vector>

#include "bench/panels/checks/panel_checks.h"
#include "bench/panels/gauges/gauge_reader.h"
#include "tests/fuzz/input_file.h"

namespace {

using bench::panels::Finding;
using bench::panels::Script;
using bench::panels::XmlGauge;

const char kTarget[] = "xml_gauge";
const char kFile[] = "fuzz.xml";

// Lines as XML counts them: CR LF, a lone CR and LF each end one.
int LineCount(const std::string& bytes) {
  int lines = 1;
  for (size_t i = 0; i < bytes.size(); ++i)
    lines +=
        bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
  return lines;
}

std::vector<Script> ScriptsOf(const XmlGauge& gauge) {
  std::vector<Script> scripts;
  ForEachScript(gauge, [&](const Script& s) { scripts.push_back(s); });
  return scripts;
}

void RequireLines(const std::vector<Finding>& findings, int lines) {
  for (const Finding& f : findings)
    fuzz::Require(
        f.file == kFile && f.line >= 0 && f.line <= lines, kTarget,
        "a finding outside the file's " + std::to_string(lines) + " lines: " + FormatFinding(f));
}

bool HasError(const std::vector<Finding>& findings) {
  for (const Finding& f : findings)
    if (f.severity == bench::panels::Severity::kError) return true;
  return false;
}

void RequireSameScripts(const std::vector<Script>& first, const std::vector<Script>& second) {
  fuzz::Require(first.size() == second.size(), kTarget,
                "a second reading gave " + std::to_string(second.size()) + " scripts, not " +
                    std::to_string(first.size()));
  for (size_t i = 0; i < first.size(); ++i)
    fuzz::Require(
        first[i].text == second[i].text && first[i].origin.line == second[i].origin.line &&
            first[i].role == second[i].role,
        kTarget,
        "a second reading changed script " + std::to_string(i) + " (" + first[i].role + ")");
}

void CheckGauge(const std::string& bytes) {
  const int lines = LineCount(bytes);
  bench::panels::Panel panel;
  panel.xml_gauges.emplace_back();
  bool read = ReadXmlGauge(bytes, kFile, &panel.xml_gauges[0], &panel.findings);
  fuzz::Require(read || HasError(panel.findings), kTarget, "a file refused with no error");
  const size_t reader_findings = panel.findings.size();
  if (read) CheckScripts(&panel);
  RequireLines(panel.findings, lines);

  XmlGauge again;
  std::vector<Finding> findings;
  fuzz::Require(
      ReadXmlGauge(bytes, kFile, &again, &findings) == read && findings.size() == reader_findings,
      kTarget, "a second reading of the same bytes gave another answer");
  if (read) RequireSameScripts(ScriptsOf(panel.xml_gauges[0]), ScriptsOf(again));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fuzz::RequireNoException(kTarget, [&] { CheckGauge(bytes); });
  return 0;
}
