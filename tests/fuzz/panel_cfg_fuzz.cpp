// A panel.cfg of any bytes through the INI reader and the panel.cfg reader: nothing escapes as
// an exception or reads out of bounds, and every finding, section, key and gauge line names a
// line the file has (0 only for a finding on the whole file), in file order.
#include <cstdint>
#include <string>
#include <vector>

#include "bench/panels/panel_cfg.h"
#include "tests/fuzz/input_file.h"

namespace {

using bench::panels::Finding;

const char kTarget[] = "panel_cfg";
const char kFile[] = "fuzz/panel.cfg";

// The INI reader ends a line at LF only; a CR is part of the line.
int LineCount(const std::string& bytes) {
  int lines = 1;
  for (char c : bytes) lines += c == '\n';
  return lines;
}

void RequireLine(int line, int previous, int lines, const std::string& what) {
  fuzz::Require(line >= previous && line >= 1 && line <= lines, kTarget,
                what + " on line " + std::to_string(line) + " (after line " +
                    std::to_string(previous) + ", of " + std::to_string(lines) + ")");
}

void CheckPanelCfg(const std::string& bytes) {
  const int lines = LineCount(bytes);
  std::vector<Finding> findings;
  bench::panels::PanelCfg cfg = bench::panels::ReadPanelCfg(bytes, kFile, &findings);
  for (const Finding& f : findings)
    fuzz::Require(f.file == kFile && f.line >= 0 && f.line <= lines, kTarget,
                  "a finding outside the file: " + FormatFinding(f));
  int previous = 1;
  for (const bench::panels::IniSection& section : cfg.ini.sections) {
    RequireLine(section.line, previous, lines, "section [" + section.name + "]");
    previous = section.line;
    for (const bench::panels::IniKey& key : section.keys) {
      RequireLine(key.line, previous + 1, lines, "key " + key.name);
      previous = key.line;
    }
  }
  for (const bench::panels::PanelWindow& window : cfg.windows) {
    fuzz::Require(window.section < cfg.ini.sections.size() &&
                      window.line == cfg.ini.sections[window.section].line,
                  kTarget, "window " + window.name + " is not its section");
    int after = window.line + 1;
    for (const bench::panels::GaugeLine& gauge : window.gauges) {
      RequireLine(gauge.line, after, lines, "gauge line " + gauge.key);
      after = gauge.line + 1;
    }
  }
  if (!cfg.alias.empty()) RequireLine(cfg.alias_line, 1, lines, "the alias");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  fuzz::RequireNoException(kTarget, [&] { CheckPanelCfg(bytes); });
  return 0;
}
