#include "bench/panels/gauge_resolver.h"

#include <map>
#include <set>

#include "bench/panels/formats/cabinet.h"
#include "bench/panels/gauges/gauge_reader.h"

namespace bench::panels {
namespace {

class Resolver {
 public:
  Resolver(const fs::path& panel_dir, const PanelOptions& options, Panel* panel)
      : panel_dir_(panel_dir), panel_(panel) {
    if (options.sim_root.empty()) return;
    if (!IsFolder(options.sim_root)) {
      Add(options.sim_root, 0, Severity::kError,
          "--sim-root names no folder; give the simulator's folder");
      return;
    }
    gauges_dir_ = FindEntry(options.sim_root, "Gauges");
    if (!IsFolder(gauges_dir_)) {
      Add(options.sim_root, 0, Severity::kNote,
          "holds no Gauges folder; gauges are looked for in the panel folder only");
      gauges_dir_.clear();
    }
  }

  void ResolveAll() {
    const std::vector<PanelWindow>& windows = panel_->cfg.windows;
    for (size_t w = 0; w < windows.size(); ++w)
      for (const GaugeLine& line : windows[w].gauges) {
        line_ = &line;
        panel_->gauges.push_back({w, line, Resolve()});
      }
  }

 private:
  void Add(const fs::path& file, int line, Severity severity, std::string message) {
    panel_->findings.push_back({Shown(file), line, severity, std::move(message)});
  }

  // A line that loads nothing. Reported on the panel.cfg line unless the cause is already
  // reported where it lies (a gauge file that is not well-formed, a damaged cabinet).
  Resolution Nothing(const std::string& reason, bool report = true) {
    if (report)
      Add(panel_->panel_cfg, line_->line, Severity::kError,
          line_->key + "=" + line_->Name() + " loads nothing: " + reason);
    Resolution nothing;
    nothing.reason = reason;
    return nothing;
  }

  Resolution Resolve() {
    if (line_->file.empty() || line_->gauge.empty())
      return Nothing("the line names no FILE!GAUGE", false);  // reported as the line was read
    std::string folder, base;
    SplitWritten(line_->file, &folder, &base);
    Resolution found;
    for (const fs::path& place : {panel_dir_, gauges_dir_}) {
      fs::path dir = place.empty() ? fs::path() : FindPath(place, folder);
      if (IsFolder(dir) && FindIn(dir, base, &found)) return found;
    }
    return Nothing(NotFound(base));
  }

  std::string Places() const {
    std::string places = "the panel folder (" + Shown(panel_dir_) + ")";
    return gauges_dir_.empty() ? places
                               : places + " or the Gauges folder (" + Shown(gauges_dir_) + ")";
  }

  std::string NotFound(const std::string& base) const {
    std::string hint = gauges_dir_.empty()
                           ? " (or give --sim-root to look in the simulator's Gauges folder too)"
                           : "";
    if (SameName(base, kModuleName))
      return std::string(kModuleName) + ".dll is not in " + Places() + "; copy it there" + hint;
    return "no " + base + ".gau, " + base + ".dll, folder " + base + " or " + base + ".cab in " +
           Places() + "; correct the name or install the gauge" + hint;
  }

  // True when dir holds something named base: the first such thing decides the line.
  bool FindIn(const fs::path& dir, const std::string& base, Resolution* found) {
    for (const char* extension : {".gau", ".dll"}) {
      fs::path module = FindEntry(dir, base + extension);
      if (IsFile(module)) return *found = CodeModule(module, base), true;
    }
    fs::path folder = FindEntry(dir, base), cabinet = FindEntry(dir, base + ".cab");
    if (IsFolder(folder)) {
      if (IsFile(cabinet) && warned_.insert(Shown(folder)).second)
        Add(panel_->panel_cfg, line_->line, Severity::kWarning,
            "both the folder " + Shown(folder) + " and the cabinet " + Shown(cabinet) +
                " exist; the bench reads the folder (simulators differ), remove one");
      return *found = FromFolder(folder), true;
    }
    if (IsFile(cabinet)) return *found = FromCabinet(cabinet), true;
    return false;
  }

  Resolution CodeModule(const fs::path& module, const std::string& base) {
    Resolution found;
    found.path = Shown(module);
    if (!SameName(base, kModuleName)) {
      found.target = GaugeTarget::kOtherModule;
      return found;
    }
    for (const char* gauge : kModuleGauges) {
      if (!SameName(line_->gauge, gauge)) continue;
      if (line_->gauge != gauge)
        Add(panel_->panel_cfg, line_->line, Severity::kWarning,
            line_->key + ": the module spells its gauge " + gauge + "; write it so");
      found.target = GaugeTarget::kOurModule;
      found.module_gauge = gauge;
      return found;
    }
    return Nothing(std::string(kModuleName) + " offers the gauges " + kModuleGauges[0] + " and " +
                   kModuleGauges[1] + ", not '" + line_->gauge + "'; write one of them");
  }

  // A gauge file's outcome, worked out once however many lines name it.
  struct Loaded {
    int index = -1;  // into xml_gauges; -1: it does not load
    std::string reason;
    bool report = false;  // false: the cause is reported where it lies
  };

  void Unreadable(const fs::path& file) {
    panel_->unreadable = true;
    Add(file, 0, Severity::kError, "cannot be read; make it a file you may read");
  }

  Resolution FromFolder(const fs::path& folder) {
    fs::path file = FindEntry(folder, line_->gauge + ".xml");
    if (!IsFile(file))
      return Nothing("the folder " + Shown(folder) + " holds no " + line_->gauge +
                     ".xml; correct the gauge name or add the file");
    return XmlGaugeAt(Shown(file), [&](std::string* bytes, Loaded*) {
      return ReadBytes(file, bytes) || (Unreadable(file), false);
    });
  }

  Resolution FromCabinet(const fs::path& cabinet) {
    std::string member = line_->gauge + ".xml";
    return XmlGaugeAt(Shown(cabinet) + "/" + member, [&](std::string* bytes, Loaded* failed) {
      std::string packed, error;
      if (!ReadBytes(cabinet, &packed)) return Unreadable(cabinet), false;
      CabinetRead read = ReadCabinetMember(packed, member, bytes, &error);
      if (read == CabinetRead::kBroken)
        Add(cabinet, 0, Severity::kError, error + "; pack the gauge's files into it again");
      if (read == CabinetRead::kNoMember)
        *failed = {-1,
                   "the cabinet " + Shown(cabinet) + " holds no " + member +
                       "; correct the gauge name or add the file to the cabinet",
                   true};
      return read == CabinetRead::kRead;
    });
  }

  // read(bytes, failed) fills bytes, or says why not in failed and returns false.
  template <typename ReadFn>
  Resolution XmlGaugeAt(const std::string& shown, ReadFn read) {
    auto cached = loaded_.find(shown);
    if (cached == loaded_.end()) {
      Loaded loaded{-1, shown + " does not load (see the finding there)", false};
      std::string bytes;
      XmlGauge gauge;
      if (read(&bytes, &loaded) && ReadXmlGauge(bytes, shown, &gauge, &panel_->findings)) {
        loaded.index = static_cast<int>(panel_->xml_gauges.size());
        panel_->xml_gauges.push_back(std::move(gauge));
      }
      cached = loaded_.emplace(shown, loaded).first;
    }
    if (cached->second.index < 0) return Nothing(cached->second.reason, cached->second.report);
    Resolution found;
    found.target = GaugeTarget::kXmlGauge;
    found.path = shown;
    found.xml_gauge = cached->second.index;
    return found;
  }

  fs::path panel_dir_, gauges_dir_;
  Panel* panel_;
  const GaugeLine* line_ = nullptr;
  std::map<std::string, Loaded> loaded_;  // by the gauge file as shown
  std::set<std::string> warned_;
};

}  // namespace

void ResolveGauges(const fs::path& panel_dir, const PanelOptions& options, Panel* panel) {
  Resolver(panel_dir, options, panel).ResolveAll();
}

}  // namespace bench::panels
