// From the folder the author points at to the panel.cfg that is read: the panel variant
// aircraft.cfg chooses, then any aliases.
#include <algorithm>
#include <cstdlib>

#include "bench/panels/folders.h"
#include "bench/panels/gauge_resolver.h"
#include "bench/panels/panel.h"

namespace bench::panels {
namespace {

// Aliases chain rarely more than once; a longer chain is a loop the path compare missed.
constexpr int kMaxAliases = 16;

void Add(Panel* panel, const fs::path& file, int line, Severity severity, std::string message) {
  panel->findings.push_back({Shown(file), line, severity, std::move(message)});
}

bool ReadInto(const fs::path& path, std::string* bytes, Panel* panel) {
  std::error_code error;
  if (ReadBytes(path, bytes, &error)) return true;
  panel->unreadable = true;
  Add(panel, path, 0, Severity::kError,
      "cannot be read (" + Why(error) + "); make it a file you may read");
  return false;
}

// Looks name up in dir; a folder that cannot be listed is a finding of its own, with its cause,
// rather than taken for one that lacks the name.
fs::path Lookup(const fs::path& dir, const std::string& name, Panel* panel) {
  std::error_code error;
  fs::path found = FindEntry(dir, name, &error);
  if (error) {
    panel->unreadable = true;
    Add(panel, dir, 0, Severity::kError,
        "cannot be listed (" + Why(error) + "); make it a folder you may read");
  }
  return found;
}

// "B737/" and "B737/./" as "B737".
fs::path Normal(const std::string& dir) {
  fs::path path = fs::path(dir).lexically_normal();
  return path.has_filename() || !path.has_parent_path() ? path : path.parent_path();
}

bool IsFltsim(const std::string& name, long* number) {
  if (name.size() < 8 || !SameName(name.substr(0, 7), "fltsim.")) return false;
  char* end = nullptr;
  *number = std::strtol(name.c_str() + 7, &end, 10);
  return *end == '\0';
}

// The [fltsim.N] section that picks the panel: the one asked for, or the lowest N.
const IniSection* ChooseFltsim(const IniFile& aircraft, const PanelOptions& options) {
  const IniSection* chosen = nullptr;
  long lowest = 0, number;
  for (const IniSection& section : aircraft.sections) {
    if (!IsFltsim(section.name, &number)) continue;
    if (options.fltsim.empty() ? !chosen || number < lowest
                               : SameName(section.name, options.fltsim))
      chosen = &section, lowest = number;
  }
  return chosen;
}

void NoteOtherVariants(const IniFile& aircraft, const IniSection& chosen, const fs::path& file,
                       Panel* panel) {
  const IniKey* key = chosen.Key("panel");
  std::string mine = key ? key->value : "";
  long number;
  for (const IniSection& section : aircraft.sections) {
    const IniKey* other = section.Key("panel");
    if (IsFltsim(section.name, &number) && !SameName(other ? other->value : "", mine))
      return Add(panel, file, chosen.line, Severity::kNote,
                 "the liveries of aircraft.cfg use more than one panel; reading the one of [" +
                     chosen.name + "] (choose another with --fltsim SECTION)");
  }
}

// The panel folder of an aircraft folder: "panel", or "panel.<key>" when aircraft.cfg says so.
fs::path PanelFolderOf(const fs::path& aircraft, const PanelOptions& options, Panel* panel) {
  fs::path cfg = Lookup(aircraft, "aircraft.cfg", panel);
  if (panel->unreadable) return {};
  std::string bytes, key;
  const IniKey* panel_key = nullptr;
  IniFile ini;
  if (IsFile(cfg) && ReadInto(cfg, &bytes, panel)) {
    std::vector<Finding> ignored;  // aircraft.cfg is the simulator's business, not the panel's
    ini = ParseIni(bytes, Shown(cfg), &ignored);
    const IniSection* fltsim = ChooseFltsim(ini, options);
    if (!fltsim && !options.fltsim.empty())
      return Add(panel, cfg, 0, Severity::kError,
                 "has no [" + options.fltsim + "] section; name one of its [fltsim.N] sections"),
             fs::path();
    if (fltsim) {
      panel->fltsim = fltsim->name;
      panel_key = fltsim->Key("panel");
      if (panel_key) key = panel_key->value;
      NoteOtherVariants(ini, *fltsim, cfg, panel);
    }
  }
  fs::path folder = FindEntry(aircraft, key.empty() ? "panel" : "panel." + key);
  panel->variant = key;
  if (IsFolder(folder)) return folder;
  if (!key.empty())
    Add(panel, cfg, panel_key->line, Severity::kError,
        "panel=" + key + " but " + Shown(aircraft) + " has no folder panel." + key +
            "; create it or correct the key");
  else
    Add(panel, aircraft, 0, Severity::kError,
        "holds no panel folder; point at an aircraft folder (one holding panel\\panel.cfg) or "
        "at a panel folder");
  return {};
}

// The folder whose panel.cfg is read, following aliases; empty when none is reached.
fs::path FollowAliases(fs::path folder, Panel* panel) {
  std::vector<fs::path> seen;
  while (true) {
    fs::path cfg = Lookup(folder, "panel.cfg", panel);
    if (panel->unreadable) return {};
    if (!IsFile(cfg))
      return Add(panel, folder, 0, Severity::kError,
                 "holds no panel.cfg; point at an aircraft folder or a panel folder"),
             fs::path();
    std::error_code error;
    fs::path identity = fs::weakly_canonical(cfg, error);
    bool loop = std::find(seen.begin(), seen.end(), identity) != seen.end();
    if (loop || static_cast<int>(seen.size()) > kMaxAliases)
      return Add(panel, panel->aliases.back(), panel->cfg.alias_line, Severity::kError,
                 "the aliases lead back to " + Shown(cfg) +
                     "; point one of them at a panel of its own"),
             fs::path();
    seen.push_back(identity);
    std::string bytes;
    if (!ReadInto(cfg, &bytes, panel)) return {};
    panel->cfg = ReadPanelCfg(bytes, Shown(cfg), &panel->findings);
    panel->panel_cfg = Shown(cfg);
    if (panel->cfg.alias.empty()) return folder;
    const PanelCfg& alias = panel->cfg;
    if (!alias.windows.empty())
      Add(panel, cfg, alias.alias_line, Severity::kWarning,
          "this panel.cfg is an alias, so its windows are never read; remove them or the alias");
    panel->aliases.push_back(Shown(cfg));
    // The alias names another aircraft folder beside this aircraft's own.
    fs::path aircraft_parent = (folder / ".." / "..").lexically_normal();
    fs::path target = FindPath(aircraft_parent, alias.alias);
    if (!IsFolder(target))
      return Add(panel, cfg, alias.alias_line, Severity::kError,
                 "alias=" + alias.alias + " names no folder in " + Shown(aircraft_parent) +
                     "; write the other aircraft's folder and its panel folder (Other\\panel)"),
             fs::path();
    folder = target;
  }
}

// A simulator keeps its aircraft in SimObjects (Aircraft in older ones) beside its Gauges.
bool IsSimulatorFolder(const fs::path& dir) {
  return IsFolder(FindEntry(dir, "Gauges")) &&
         (IsFolder(FindEntry(dir, "SimObjects")) || IsFolder(FindEntry(dir, "Aircraft")));
}

// The nearest folder above the aircraft that is a simulator's, shown as the user named the
// aircraft (relative when it lies below the current folder); empty when there is none.
fs::path FindSimulatorFolder(const fs::path& aircraft) {
  std::error_code error;
  fs::path absolute = fs::absolute(aircraft, error).lexically_normal();
  fs::path shown = aircraft;
  for (fs::path at = absolute; !error && at.has_relative_path(); at = at.parent_path()) {
    shown = (shown / "..").lexically_normal();
    if (IsSimulatorFolder(at.parent_path()))
      return aircraft.is_absolute() || *shown.begin() == ".." ? at.parent_path() : shown;
  }
  return {};
}

// The simulator folder the user gave, or the one the aircraft sits in (said once, so the user
// knows where gauges and sounds are looked for).
void ChooseSimulatorFolder(const PanelOptions& options, Panel* panel) {
  if (!options.sim_root.empty()) {
    panel->sim_root = options.sim_root;
    if (!IsFolder(options.sim_root))
      Add(panel, options.sim_root, 0, Severity::kError,
          "--sim-root names no folder; give the simulator's folder");
    return;
  }
  fs::path found = FindSimulatorFolder(panel->aircraft_dir);
  if (found.empty()) return;
  panel->sim_root = Shown(found);
  Add(panel, found, 0, Severity::kNote,
      "the aircraft sits in this simulator folder: gauges are looked for in its Gauges folder "
      "after the panel folder, and the module's sounds in its Sound\\KV3_R40; give --sim-root "
      "to choose another");
}

}  // namespace

const char* const kModuleName = "KV3_Pelk";

int ModuleGaugeOf(const GaugeLine& line) {
  std::string base = line.file.substr(line.file.find_last_of("\\/") + 1);
  if (!SameName(base, kModuleName)) return -1;
  for (int i = 0; i < kModuleGaugeCount; ++i)
    if (SameName(line.gauge, kModuleGauges[i])) return i;
  return -1;
}

Panel LoadPanel(const std::string& dir, const PanelOptions& options) {
  Panel panel;
  fs::path start = Normal(dir);
  if (!IsFolder(start)) {
    std::error_code error;
    bool there = fs::exists(start, error);
    Add(&panel, start, 0, Severity::kError,
        (error   ? "cannot be reached (" + Why(error) + ")"
         : there ? std::string("is not a folder")
                 : std::string("does not exist")) +
            "; point at an aircraft folder");
    return panel;
  }
  fs::path folder;
  fs::path cfg = Lookup(start, "panel.cfg", &panel);
  if (panel.unreadable) return panel;
  if (IsFile(cfg)) {
    folder = start;
    std::string name = start.filename().string();
    if (name.size() > 6 && SameName(name.substr(0, 6), "panel.")) panel.variant = name.substr(6);
    panel.aircraft_dir = Shown((start / "..").lexically_normal());
  } else {
    panel.aircraft_dir = Shown(start);
    folder = PanelFolderOf(start, options, &panel);
  }
  if (!folder.empty()) folder = FollowAliases(folder, &panel);
  if (folder.empty()) return panel;
  panel.found = true;
  panel.panel_dir = Shown(folder);
  ChooseSimulatorFolder(options, &panel);
  ResolveGauges(folder, &panel);
  return panel;
}

}  // namespace bench::panels
