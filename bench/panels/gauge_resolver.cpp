#include "bench/panels/gauge_resolver.h"

#include <map>
#include <set>

#include "bench/common/names.h"
#include "bench/panels/formats/cabinet.h"
#include "bench/panels/gauges/gauge_reader.h"

namespace bench::panels {
namespace {

class Resolver {
 public:
  Resolver(const fs::path& panel_dir, Panel* panel) : panel_dir_(panel_dir), panel_(panel) {
    if (!IsFolder(panel->sim_root)) return;  // none known, or the loader said it is no folder
    gauges_dir_ = FindEntry(panel->sim_root, "Gauges");
    if (!IsFolder(gauges_dir_)) {
      Add(panel->sim_root, 0, Severity::kNote,
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

  // A module found in no place looked in. The same words on every line that names it, so the
  // report gives the module once with its lines. Without a simulator folder, a gauge missing
  // from the panel folder may well be one of the simulator's own: a note, not an error.
  Resolution Missing(const std::string& written) {
    Resolution nothing;
    nothing.reason = NotFound(written);
    Add(panel_->panel_cfg, line_->line, gauges_dir_.empty() ? Severity::kNote : Severity::kError,
        nothing.reason);
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
    return Missing(line_->file);
  }

  // written is FILE as the line writes it, sub-folders and all ("LVLD\B767oh").
  std::string NotFound(const std::string& written) const {
    std::string panel = "the panel folder (" + Shown(panel_dir_) + ")";
    bool ours = SameName(written.substr(written.find_last_of("\\/") + 1), kModuleName);
    std::string what = ours ? written + ".dll" : written;
    if (gauges_dir_.empty())
      return what + " is not in " + panel +
             (ours ? "; copy it there, or give"
                   : "; it may be one of the simulator's gauges: give") +
             " --sim-root with the simulator's folder to look in its Gauges folder too";
    std::string places =
        "neither in " + panel + " nor in the Gauges folder (" + Shown(gauges_dir_) + ")";
    if (ours) return what + " is " + places + "; copy it into one of them";
    return what + " is " + places + ": no " + written + ".gau, .dll or .cab and no folder " +
           written + "; correct the name or install the gauge";
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
    return Nothing(std::string(kModuleName) + " offers the gauges " + kModuleGauges[kSoundGauge] +
                   " and " + kModuleGauges[kTrafficGauge] + ", not '" + line_->gauge +
                   "'; write one of them");
  }

  // A gauge file's outcome, worked out once however many lines name it.
  struct Loaded {
    int index = -1;     // into xml_gauges; -1: it does not load
    std::string shown;  // the gauge file as findings name it, spelt as it is stored
    std::string reason;
    bool report = false;  // false: the cause is reported where it lies
  };

  void Unreadable(const fs::path& file, const std::error_code& error) {
    panel_->unreadable = true;
    Add(file, 0, Severity::kError,
        "cannot be read (" + Why(error) + "); make it a file you may read");
  }

  Resolution FromFolder(const fs::path& folder) {
    fs::path file = FindEntry(folder, line_->gauge + ".xml");
    if (!IsFile(file))
      return Nothing("the folder " + Shown(folder) + " holds no " + line_->gauge +
                     ".xml; correct the gauge name or add the file");
    return XmlGaugeAt(Shown(file), [&](std::string* bytes, Loaded* loaded) {
      loaded->shown = Shown(file);
      std::error_code error;
      return ReadBytes(file, bytes, &error) || (Unreadable(file, error), false);
    });
  }

  Resolution FromCabinet(const fs::path& cabinet) {
    std::string member = line_->gauge + ".xml";
    return XmlGaugeAt(
        Shown(cabinet) + "/" + Lower(member), [&](std::string* bytes, Loaded* loaded) {
          std::string packed, error, stored = member;
          std::error_code cause;
          if (!ReadBytes(cabinet, &packed, &cause)) return Unreadable(cabinet, cause), false;
          CabinetRead read = ReadCabinetMember(packed, member, bytes, &error, &stored);
          loaded->shown = Shown(cabinet / stored);
          if (read == CabinetRead::kBroken)
            Add(cabinet, 0, Severity::kError, error + "; pack the gauge's files into it again");
          if (read == CabinetRead::kNoMember)
            loaded->reason = "the cabinet " + Shown(cabinet) + " holds no " + member +
                             "; correct the gauge name or add the file to the cabinet",
            loaded->report = true;
          return read == CabinetRead::kRead;
        });
  }

  // read(bytes, loaded) fills bytes and loaded->shown, or says why not in loaded and returns
  // false. key names the gauge file whatever case a line writes it in.
  template <typename ReadFn>
  Resolution XmlGaugeAt(const std::string& key, ReadFn read) {
    auto cached = loaded_.find(key);
    if (cached == loaded_.end()) {
      Loaded loaded;
      std::string bytes;
      XmlGauge gauge;
      bool ok = read(&bytes, &loaded);
      if (ok && ReadXmlGauge(bytes, loaded.shown, &gauge, &panel_->findings)) {
        loaded.index = static_cast<int>(panel_->xml_gauges.size());
        panel_->xml_gauges.push_back(std::move(gauge));
      } else if (loaded.reason.empty()) {
        loaded.reason = loaded.shown + " does not load (see the finding there)";
      }
      cached = loaded_.emplace(key, loaded).first;
    }
    const Loaded& loaded = cached->second;
    if (loaded.index < 0) return Nothing(loaded.reason, loaded.report);
    Resolution found;
    found.target = GaugeTarget::kXmlGauge;
    found.path = loaded.shown;
    found.xml_gauge = loaded.index;
    return found;
  }

  fs::path panel_dir_, gauges_dir_;
  Panel* panel_;
  const GaugeLine* line_ = nullptr;
  std::map<std::string, Loaded> loaded_;  // by the key XmlGaugeAt is given
  std::set<std::string> warned_;
};

}  // namespace

void ResolveGauges(const fs::path& panel_dir, Panel* panel) {
  Resolver(panel_dir, panel).ResolveAll();
}

}  // namespace bench::panels
