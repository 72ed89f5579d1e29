#include "bench/panels/panel_cfg.h"

#include <cstdlib>

namespace bench::panels {
namespace {

const char* const kFieldNames[] = {"x", "y", "width", "height"};

void ReadNumber(const std::string& text, int field, const GaugeLine& gauge, const std::string& file,
                std::optional<int>* number, std::vector<Finding>* findings) {
  if (text.empty()) return;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  if (*end == '\0' && value > -1000000 && value < 1000000) {
    *number = static_cast<int>(value);
    return;
  }
  findings->push_back({file, gauge.line, Severity::kWarning,
                       gauge.key + ": the " + kFieldNames[field] + " '" + text +
                           "' is not a whole number; write pixels as digits"});
}

GaugeLine ReadGaugeLine(const IniKey& key, const std::string& file,
                        std::vector<Finding>* findings) {
  GaugeLine gauge;
  gauge.key = key.name;
  gauge.line = key.line;
  std::string_view rest = key.value;
  std::string fields[5];
  int count = 0;
  for (; count < 5 && !rest.empty(); ++count) {
    size_t comma = rest.find(',');
    fields[count] = Trim(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    if (comma != std::string_view::npos && count == 4) gauge.parameter = Trim(rest);
  }
  size_t bang = fields[0].find('!');
  gauge.file = Trim(fields[0].substr(0, bang));
  if (bang != std::string::npos) gauge.gauge = Trim(fields[0].substr(bang + 1));
  if (gauge.file.empty() || gauge.gauge.empty())
    findings->push_back({file, key.line, Severity::kError,
                         gauge.key + "=" + key.value +
                             " names no gauge; write FILE!GAUGE, x, y (the file, '!', the gauge)"});
  std::optional<int>* numbers[] = {&gauge.x, &gauge.y, &gauge.width, &gauge.height};
  for (int i = 0; i < 4; ++i) ReadNumber(fields[i + 1], i, gauge, file, numbers[i], findings);
  return gauge;
}

PanelWindow ReadWindow(const PanelCfg& cfg, size_t index, const std::string& file,
                       std::vector<Finding>* findings) {
  const IniSection& section = cfg.ini.sections[index];
  PanelWindow window;
  window.section = index;
  window.name = section.name;
  window.line = section.line;
  window.virtual_cockpit = IsNumbered(section.name, "VCockpit");
  if (const IniSection* titles = cfg.ini.Section("Window Titles"))
    if (const IniKey* title = titles->Key(section.name)) window.title = title->value;
  for (const IniKey& key : section.keys)
    if (IsGaugeKey(key.name)) window.gauges.push_back(ReadGaugeLine(key, file, findings));
  return window;
}

}  // namespace

bool IsNumbered(std::string_view name, std::string_view prefix) {
  if (name.size() <= prefix.size() || !SameName(name.substr(0, prefix.size()), prefix))
    return false;
  for (char c : name.substr(prefix.size()))
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsGaugeKey(std::string_view key) { return IsNumbered(key, "gauge"); }

PanelCfg ReadPanelCfg(std::string_view bytes, const std::string& file,
                      std::vector<Finding>* findings) {
  PanelCfg cfg;
  cfg.ini = ParseIni(bytes, file, findings);
  for (size_t i = 0; i < cfg.ini.sections.size(); ++i) {
    const std::string& name = cfg.ini.sections[i].name;
    if (IsNumbered(name, "Window") || IsNumbered(name, "VCockpit"))
      cfg.windows.push_back(ReadWindow(cfg, i, file, findings));
  }
  if (const IniSection* fltsim = cfg.ini.Section("fltsim"))
    if (const IniKey* alias = fltsim->Key("alias")) {
      cfg.alias = alias->value;
      cfg.alias_line = alias->line;
    }
  return cfg;
}

}  // namespace bench::panels
