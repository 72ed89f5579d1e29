// The panel reader's front door: an aircraft folder (or a panel folder) in, the panel out, with
// every gauge line resolved and every reading problem as a finding.
//
// Where the panel is: the aircraft folder's "panel" folder, or "panel.<key>" when the chosen
// [fltsim.N] section of aircraft.cfg says panel=<key>; a panel.cfg holding
// [fltsim] alias=<aircraft>\panel stands for that folder's panel (relative to the folder the
// aircraft folders sit in), followed until a real panel is reached.
//
// How FILE!GAUGE resolves, in the panel folder first and then in the simulator's Gauges
// folder: a code module FILE.gau or FILE.dll; else a folder FILE holding GAUGE.xml; else a
// cabinet FILE.cab holding GAUGE.xml. Where the folder and the cabinet both exist the folder
// wins and a warning says so. FILE may hold sub-folders ("LVLD\B767eicas").
#pragma once

#include <string>
#include <vector>

#include "bench/panels/findings.h"
#include "bench/panels/gauges/gauge_model.h"
#include "bench/panels/panel_cfg.h"
#include "module/gauge_records.h"

namespace bench::panels {

// The module this project builds, and the gauges it offers (by kSoundGauge, kTrafficGauge).
extern const char* const kModuleName;  // "KV3_Pelk"
inline constexpr const auto& kModuleGauges = kModuleGaugeNames;

struct PanelOptions {
  // The simulator folder, whose Gauges folder is searched after the panel folder. Empty: the
  // nearest folder above the aircraft that holds SimObjects (or Aircraft) and Gauges, if any.
  std::string sim_root;
  std::string fltsim;  // the aircraft.cfg section choosing the panel; empty: the lowest N
};

enum class GaugeTarget {
  kNothing,      // the line loads nothing; reason says why
  kOurModule,    // a gauge of KV3_Pelk: module_gauge names it
  kOtherModule,  // a code module the bench cannot run
  kXmlGauge,     // an XML gauge: xml_gauge indexes Panel::xml_gauges
};

struct Resolution {
  GaugeTarget target = GaugeTarget::kNothing;
  std::string path;          // the module, or the gauge file (".../Switches.cab/Battery.xml")
  std::string module_gauge;  // kOurModule: the gauge as the module spells it
  int xml_gauge = -1;
  std::string reason;  // kNothing: what is wrong and what to do
};

struct PanelGauge {
  size_t window = 0;  // index into Panel::cfg.windows
  GaugeLine line;
  Resolution resolved;
};

struct Panel {
  // false: no panel.cfg was reached, the folder is not an aircraft (the checks exit 2).
  bool found = false;
  // true: a file that exists could not be read (the checks exit 2).
  bool unreadable = false;
  std::string aircraft_dir;
  std::string sim_root;   // the simulator folder given or found; empty: none is known
  std::string panel_dir;  // the folder whose panel.cfg was read, after aliases
  std::string panel_cfg;
  std::string variant;  // <key> of panel.<key>; empty for the plain panel folder
  std::string fltsim;   // the aircraft.cfg section that chose it; empty without aircraft.cfg
  std::vector<std::string> aliases;  // the panel.cfg files that aliased to it, in order
  PanelCfg cfg;
  std::vector<PanelGauge> gauges;    // every gauge line, in panel.cfg order
  std::vector<XmlGauge> xml_gauges;  // each gauge file read once, however many lines use it
  std::vector<Finding> findings;
};

Panel LoadPanel(const std::string& dir, const PanelOptions& options);

// Which of kModuleGauges a gauge line names (0 or 1), or -1. By name alone: a line whose
// module is not installed yet is still the panel's intent.
int ModuleGaugeOf(const GaugeLine& line);

}  // namespace bench::panels
