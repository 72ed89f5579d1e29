// panel.cfg: its windows ([WindowNN], and [VCockpitNN] for the virtual cockpit), their gauge
// lines, and the alias a panel.cfg may hold instead of a panel of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/panels/findings.h"
#include "bench/panels/formats/ini_reader.h"

namespace bench::panels {

// gaugeNN=FILE!GAUGE, x, y[, w[, h[, parameter]]]. Two numbers place the gauge at its own size,
// a third gives the width, a fourth the box; any may be left empty.
struct GaugeLine {
  std::string key;  // "gauge07" as written
  int line = 0;
  std::string file;   // FILE as written; may hold a sub-folder path with '\' and spaces
  std::string gauge;  // GAUGE; empty when the line has no '!'
  std::optional<int> x, y, width, height;
  // The sixth field and anything after it, passed to the gauge as it stands (spaces around it
  // dropped, as around every field). Absent when the line stops before it.
  std::optional<std::string> parameter;

  std::string Name() const { return file + "!" + gauge; }
};

struct PanelWindow {
  size_t section = 0;  // its section in PanelCfg::ini, with every key it holds
  std::string name;    // the section name as written ("Window00", "VCockpit01")
  int line = 0;
  bool virtual_cockpit = false;
  std::string title;              // from [Window Titles], when it names this window
  std::vector<GaugeLine> gauges;  // in file order
};

struct PanelCfg {
  IniFile ini;
  std::vector<PanelWindow> windows;  // in file order
  // [fltsim] alias=<other aircraft folder>\panel: this panel.cfg stands for that one.
  std::string alias;
  int alias_line = 0;
};

// True when name is prefix (any case) followed by one or more digits ("gauge07").
bool IsNumbered(std::string_view name, std::string_view prefix);
// True for gaugeNN (any case, any number of digits).
bool IsGaugeKey(std::string_view key);

// Parses a panel.cfg read from file; reading problems go to findings.
PanelCfg ReadPanelCfg(std::string_view bytes, const std::string& file,
                      std::vector<Finding>* findings);

}  // namespace bench::panels
