// Every click starts from one settled state: the host's variables, the gauges' G: variables and
// the frame number are put back before each, so the clicks' order does not matter. The module
// is not reloaded: a sound a click started stops when its variable goes back, and what a click
// does is read from the panel's side (its writes, key events and variables), which the module's
// state does not change. What the frames after a click do anyway (counters, clocks) is taken
// away: a run of the same frames without a click is the baseline.
#include "bench/clickmap/click_mapper.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/panels/checks/panel_checks.h"
#include "bench/panels/run/running_panel.h"
#include "sound/sound_slots.h"

namespace bench::clickmap {
namespace {

constexpr long kSettleFrames = 18;  // a second of the host's gauge cycles
// The panel reacts to a click in its next cycle, and the module reads the new value in the
// services that follow it.
constexpr long kAnswerFrames = 2;

using panels::AreaView;
using panels::MouseArea;

// What a run of frames left.
struct Outcome {
  std::vector<double> values;             // every variable's, by id
  std::map<int32_t, double> last_writes;  // the panel's last write to each variable it wrote
  std::vector<std::string> key_events;    // "NAME" or "NAME VALUE", in order sent
};

const sound::SoundSlot* SlotOf(const std::string& variable) {
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    if (variable == s->variable_name) return s;
  return nullptr;
}

// "WIDTH,HEIGHT" as size_mm and pixel_size write it; 0 where it does not read.
void ReadSize(const panels::IniSection& section, const char* key, double* width, double* height) {
  const panels::IniKey* value = section.Key(key);
  if (!value || *width > 0) return;
  size_t comma = value->value.find(',');
  if (comma == std::string::npos) return;
  *width = std::atof(value->value.substr(0, comma).c_str());
  *height = std::atof(value->value.substr(comma + 1).c_str());
}

// Where a gauge stands in its window, and how its own coordinates scale into the window's.
struct Placement {
  double left = 0, top = 0, width = 0, height = 0;
  double scale_x = 1, scale_y = 1;
  double own_width = 0, own_height = 0;  // the gauge's coordinates the areas are clipped to
};

Placement Place(const panels::GaugeLine& line, const panels::XmlGauge& gauge,
                const std::vector<AreaView>& areas) {
  Placement p;
  p.left = line.x.value_or(0), p.top = line.y.value_or(0);
  double gw = gauge.width, gh = gauge.height;
  p.width = line.width ? *line.width : gw;
  p.height = line.height ? *line.height : line.width && gw > 0 ? p.width * gh / gw : gh;
  if (gw > 0 && p.width > 0) p.scale_x = p.width / gw;
  if (gh > 0 && p.height > 0) p.scale_y = p.height / gh;
  p.own_width = gw > 0 ? gw : p.width / p.scale_x;
  p.own_height = gh > 0 ? gh : p.height / p.scale_y;
  // Without any size, the gauge reaches as far as its sized areas do.
  bool width_known = p.own_width > 0, height_known = p.own_height > 0;
  for (const AreaView& a : areas) {
    if (!width_known && std::isfinite(a.right)) p.own_width = std::max(p.own_width, a.right);
    if (!height_known && std::isfinite(a.bottom)) p.own_height = std::max(p.own_height, a.bottom);
  }
  if (p.width <= 0) p.width = p.own_width * p.scale_x;
  if (p.height <= 0) p.height = p.own_height * p.scale_y;
  return p;
}

class Mapper {
 public:
  // No host time passes: what a click does is read from the panel's side, not heard, so no
  // frame waits for a sound to play on.
  Mapper() : loop_(host_, {false, false}), panel_(host_, {}) {}

  bool Load(const MapOptions& options, std::string* error) {
    if (!loop_.Load(options.module)) return *error = loop_.error(), false;
    if (!panel_.Load(options.aircraft, options.panel, error)) return false;
    host_.KeepTrace(false);
    loop_.UsePanel(panel_);
    loop_.Run(kSettleFrames);
    settled_values_ = host_.SaveValues();
    settled_locals_ = panel_.SaveLocals();
    settled_frame_ = loop_.frame();
    sim_root_ = panel_.panel().sim_root;
    sound_folder_ = panels::SoundFolder(sim_root_);
    baseline_ = RunFrom([] {});
    return true;
  }

  ClickMap Map() {
    ClickMap map;
    const panels::Panel& panel = panel_.panel();
    map.panel_cfg = panel.panel_cfg;
    map.panel_dir = panel.panel_dir;
    map.sim_root = sim_root_;
    for (const panels::PanelWindow& window : panel.cfg.windows)
      map.windows.push_back(WindowOf(panel, window));
    for (size_t i = 0; i < panel_.gauge_count(); ++i)
      map.windows[panel_.gauge_line(i).window].gauges.push_back(MapGauge(i));
    map.problems = panel_.diagnostics();
    return map;
  }

 private:
  static MappedWindow WindowOf(const panels::Panel& panel, const panels::PanelWindow& window) {
    MappedWindow mapped;
    mapped.name = window.name;
    mapped.title = window.title;
    mapped.virtual_cockpit = window.virtual_cockpit;
    const panels::IniSection& section = panel.cfg.ini.sections[window.section];
    if (window.virtual_cockpit) ReadSize(section, "pixel_size", &mapped.width, &mapped.height);
    ReadSize(section, "size_mm", &mapped.width, &mapped.height);
    if (const panels::IniKey* file = section.Key("file"); file && !window.virtual_cockpit)
      mapped.background = file->value;
    return mapped;
  }

  void Restore() {
    host_.RestoreValues(settled_values_);
    panel_.RestoreLocals(settled_locals_);
    loop_.Rewind(settled_frame_);
  }

  // From the settled state: the click (if any), then the frames that answer it.
  template <typename Click>
  Outcome RunFrom(Click click) {
    Restore();
    std::vector<std::pair<int32_t, double>> writes;
    size_t events_before = panel_.world().key_events().size();
    host_.RecordPanelWrites(&writes);
    click();
    loop_.Run(kAnswerFrames);
    host_.RecordPanelWrites(nullptr);
    Outcome outcome;
    outcome.values = host_.SaveValues().values;
    for (const auto& [id, value] : writes) outcome.last_writes[id] = value;
    const std::vector<panels::KeyEvent>& events = panel_.world().key_events();
    for (size_t i = events_before; i < events.size(); ++i)
      outcome.key_events.push_back(events[i].name +
                                   (events[i].has_value ? " " + FormatValue(events[i].value) : ""));
    return outcome;
  }

  MappedGauge MapGauge(size_t index) {
    const panels::PanelGauge& line = panel_.gauge_line(index);
    const panels::XmlGauge& xml = panel_.panel().xml_gauges[line.resolved.xml_gauge];
    Restore();
    std::vector<AreaView> areas = panel_.gauge(index).Areas(panel_.runner());
    Placement place = Place(line.line, xml, areas);
    MappedGauge gauge{line.line.Name(), line.line.line, place.left, place.top,
                      place.width,      place.height,   {}};
    for (const AreaView& view : areas) gauge.areas.push_back(MapArea(index, xml, view, place));
    return gauge;
  }

  MappedArea MapArea(size_t index, const panels::XmlGauge& xml, const AreaView& view,
                     const Placement& place) {
    MappedArea area;
    area.file = xml.file;
    area.line = view.area->line;
    area.tooltip = view.tooltip;
    double right = std::min(view.right, place.own_width),
           bottom = std::min(view.bottom, place.own_height);
    area.left = place.left + view.left * place.scale_x;
    area.top = place.top + view.top * place.scale_y;
    area.width = std::max(0.0, (right - view.left) * place.scale_x);
    area.height = std::max(0.0, (bottom - view.top) * place.scale_y);
    if (!view.visible) return area.kind = AreaKind::kHidden, area;
    double x, y;
    if (!FindPoint(index, view, right, bottom, &x, &y, &area.covered_by, xml.file))
      return area.kind = AreaKind::kUnreachable, area;
    for (const std::string& event : EventsOf(*view.area))
      area.clicks.push_back(Click(index, x, y, event));
    area.kind = KindOf(area);
    return area;
  }

  // A point of the area's box that a click reaches it at, preferring one where it is the
  // deepest area; false when every point of it is another area's, which covered_by names.
  bool FindPoint(size_t index, const AreaView& view, double right, double bottom, double* x,
                 double* y, std::string* covered_by, const std::string& file) {
    static const double kAt[] = {0.5, 0.125, 0.375, 0.625, 0.875};
    bool found = false;
    const MouseArea* cover = nullptr;
    for (double fy : kAt)
      for (double fx : kAt) {
        double px = view.left + fx * (right - view.left), py = view.top + fy * (bottom - view.top);
        Restore();
        std::vector<const MouseArea*> path = panel_.gauge(index).HitPath(px, py, panel_.runner());
        auto on = std::find(path.begin(), path.end(), view.area);
        if (on == path.end()) {
          if (!cover && !path.empty()) cover = Covering(path, view);
          continue;
        }
        if (!found || on + 1 == path.end()) *x = px, *y = py;
        if (on + 1 == path.end()) return true;
        found = true;
      }
    if (!found && cover) *covered_by = file + ":" + std::to_string(cover->line);
    return found;
  }

  // The area a point reaches in place of the one looked for: the first on its path that is not
  // one the area is nested in.
  static const MouseArea* Covering(const std::vector<const MouseArea*>& path,
                                   const AreaView& view) {
    for (const MouseArea* area : path)
      if (area != view.parent) return area;
    return path.back();
  }

  // The mouse events the area's clicks take, in the order written; LeftSingle where a click
  // names none, as the host's default.
  static std::vector<std::string> EventsOf(const MouseArea& area) {
    std::vector<std::string> events;
    for (const panels::Click& click : area.clicks) {
      std::vector<std::string> kinds = click.kinds;
      if (kinds.empty()) kinds.push_back("LeftSingle");
      for (const std::string& kind : kinds)
        if (std::find(events.begin(), events.end(), kind) == events.end()) events.push_back(kind);
    }
    return events;
  }

  ClickEffect Click(size_t index, double x, double y, const std::string& event) {
    panels::RunningGauge& gauge = panel_.gauge(index);
    Outcome after = RunFrom([&] { gauge.ClickAt(x, y, event, panel_.runner()); });
    ClickEffect effect;
    effect.event = event;
    for (const auto& [id, value] : after.last_writes) {
      const sound::SoundSlot* slot = SlotOf(host_.VariableName(id));
      if (slot && value != Before(id)) effect.sounds.push_back(Command(*slot, value));
    }
    for (size_t id = 0; id < after.values.size() && id < baseline_.values.size(); ++id) {
      const std::string& name = host_.VariableName(static_cast<int32_t>(id));
      if (after.values[id] == baseline_.values[id] || SlotOf(name)) continue;
      effect.changes.push_back(name + " " + FormatValue(baseline_.values[id]) + " -> " +
                               FormatValue(after.values[id]));
    }
    effect.key_events = Without(after.key_events, baseline_.key_events);
    return effect;
  }

  // What the panel would have written into a variable without the click: its last write in
  // the baseline, or the settled value.
  double Before(int32_t id) const {
    auto written = baseline_.last_writes.find(id);
    return written != baseline_.last_writes.end() ? written->second : settled_values_.values[id];
  }

  // The events sent but for those the frames send anyway.
  static std::vector<std::string> Without(std::vector<std::string> events,
                                          const std::vector<std::string>& anyway) {
    for (const std::string& e : anyway) {
      auto found = std::find(events.begin(), events.end(), e);
      if (found != events.end()) events.erase(found);
    }
    return events;
  }

  SoundCommand Command(const sound::SoundSlot& slot, double value) const {
    SoundCommand command;
    command.variable = slot.variable_name;
    command.sound = command.variable.substr(command.variable.find(' ') + 1);
    sound::ControlValue split = sound::SplitControlValue(value);
    command.kind = split.command == 0   ? SoundCommand::kStop
                   : split.command == 2 ? SoundCommand::kLoop
                                        : SoundCommand::kOnce;
    command.decibels = -std::fabs(static_cast<double>(split.volume_part)) / 100;
    if (sim_root_.empty() || command.kind == SoundCommand::kStop) return command;
    panels::SlotFile file =
        sound_folder_.empty()
            ? panels::SlotFile{panels::Shown(panels::fs::path(sim_root_) / "Sound" / "KV3_R40" /
                                             SlotFileName(slot)),
                               false,
                               {}}
            : panels::JudgeSlotFile(sound_folder_, slot);
    command.file = file.shown;
    command.playable = file.found && file.verdict.kind == WaveVerdict::kOk;
    if (!command.playable)
      command.refusal = file.found ? "refused: " + file.verdict.text : "missing";
    return command;
  }

  static AreaKind KindOf(const MappedArea& area) {
    bool plays = false, broken = false, acts = false;
    for (const ClickEffect& click : area.clicks) {
      for (const SoundCommand& s : click.sounds) {
        bool stop = s.kind == SoundCommand::kStop;
        plays |= !stop && s.playable, broken |= !stop && !s.playable, acts |= stop;
      }
      acts |= !click.key_events.empty() || !click.changes.empty();
    }
    return plays    ? AreaKind::kPlays
           : broken ? AreaKind::kSoundBroken
           : acts   ? AreaKind::kActs
                    : AreaKind::kNothing;
  }

  HostEmulator host_;
  FrameLoop loop_;
  panels::RunningPanel panel_;
  HostEmulator::Values settled_values_;
  std::vector<panels::GaugeLocals> settled_locals_;
  long settled_frame_ = 0;
  std::string sim_root_;
  panels::fs::path sound_folder_;
  Outcome baseline_;
};

}  // namespace

bool MapClicks(const MapOptions& options, ClickMap* map, std::string* error) {
  Mapper mapper;
  if (!mapper.Load(options, error)) return false;
  *map = mapper.Map();
  return true;
}

}  // namespace bench::clickmap
