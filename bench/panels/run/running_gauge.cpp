#include "bench/panels/run/running_gauge.h"

#include <cctype>
#include <cmath>
#include <limits>

#include "bench/common/names.h"
#include "bench/host/host_clock.h"

namespace bench::panels {
namespace {

constexpr double kNoEdge = std::numeric_limits<double>::infinity();

bool UpdateDue(double frequency, long frame) {
  if (frequency <= 0 || frequency >= kFramesPerSecond) return true;
  long n = frame - 1;  // the first frame always updates
  return n == 0 || std::floor(n * frequency / kFramesPerSecond) !=
                       std::floor((n - 1) * frequency / kFramesPerSecond);
}

bool Takes(const Click& click, const std::string& event) {
  if (click.kinds.empty()) return event == "LeftSingle";
  for (const std::string& kind : click.kinds)
    if (SameName(kind, event)) return true;
  return false;
}

// A key trap names its key, or a class of keys: AlphaNumeric takes any one letter or digit.
bool Handles(const std::string& trap, const std::string& key) {
  if (SameName(trap, key)) return true;
  return SameName(trap, "AlphaNumeric") && key.size() == 1 &&
         std::isalnum(static_cast<unsigned char>(key[0]));
}

// White space runs as one space, none at either end: a tooltip's line breaks and tabs part
// words the way a space does.
std::string Words(std::string_view text) {
  std::string words;
  for (char c : text) {
    bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
    if (!space)
      words += c;
    else if (!words.empty() && words.back() != ' ')
      words += ' ';
  }
  if (!words.empty() && words.back() == ' ') words.pop_back();
  return words;
}

}  // namespace

RunningGauge::RunningGauge(const XmlGauge& gauge, PanelWorld& world, script::DiagnosticSink& sink)
    : gauge_(gauge), world_(world), sink_(sink), macros_(gauge) {
  has_update_ = !gauge.update.Empty();
  if (has_update_) update_ = Compile(gauge.update);
  root_ = CompileElement(gauge.root);
  for (const MouseArea& area : gauge.areas) areas_.push_back(CompileArea(area));
  for (const KeyHandler& key : gauge.keys)
    keys_.push_back({&key, CompileGate(key.visible), Compile(key.script)});
}

script::Binding RunningGauge::Resolve(const script::VariableUse& use) {
  return world_.Resolve(use, &locals_);
}

script::Program RunningGauge::Compile(const Script& script) {
  return macros_.Compile(script, *this, sink_);
}

RunningGauge::Gate RunningGauge::CompileGate(const Script& script) {
  Gate gate;
  gate.gated = !script.Empty();
  if (gate.gated) gate.program = Compile(script);
  return gate;
}

RunningGauge::Element RunningGauge::CompileElement(const GaugeElement& element) {
  Element compiled;
  compiled.visible = CompileGate(element.visible);
  for (const Script& script : element.scripts) {
    if (script.Empty()) continue;
    bool text = script.kind == ScriptKind::kText;
    compiled.scripts.push_back(
        {script.kind, text ? script::Program() : Compile(script),
         text ? macros_.CompileText(script, *this, sink_) : script::TextProgram()});
  }
  for (const GaugeElement& child : element.children)
    compiled.children.push_back(CompileElement(child));
  return compiled;
}

RunningGauge::Area RunningGauge::CompileArea(const MouseArea& area) {
  Area compiled{
      &area, CompileGate(area.visible), macros_.CompileText(area.tooltip, *this, sink_), {}, {}};
  for (const Click& click : area.clicks) compiled.clicks.push_back(Compile(click.script));
  for (const MouseArea& child : area.children) compiled.children.push_back(CompileArea(child));
  return compiled;
}

bool RunningGauge::Visible(Gate& gate, ScriptRunner& run) {
  return !gate.gated || run.Run(gate.program).number != 0;
}

void RunningGauge::Frame(long frame, ScriptRunner& run) {
  run.BeginPass();
  if (has_update_ && UpdateDue(gauge_.update_frequency, frame)) run.Run(update_);
  RunElement(root_, run);
}

void RunningGauge::RunElement(Element& element, ScriptRunner& run) {
  if (!Visible(element.visible, run)) return;
  for (Runnable& script : element.scripts)
    script.kind == ScriptKind::kText ? void(run.Show(script.text)) : void(run.Run(script.script));
  for (Element& child : element.children) RunElement(child, run);
}

RunningGauge::Box RunningGauge::BoxOf(const MouseArea& a, const Box& parent) {
  Box box{parent.left + a.left, parent.top + a.top, parent.right, parent.bottom};
  if (a.sized) box.right = box.left + a.width, box.bottom = box.top + a.height;
  return box;
}

bool RunningGauge::Hit(std::vector<Area>& areas, const Box& parent, double x, double y,
                       ScriptRunner& run, Path* path) {
  for (Area& area : areas) {
    Box box = BoxOf(*area.source, parent);
    bool holds = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
    if (!holds || !Visible(area.visible, run)) continue;
    path->push_back({&area, box});
    Hit(area.children, box, x, y, run, path);
    return true;
  }
  return false;
}

bool RunningGauge::Find(std::vector<Area>& areas, const Box& parent, const std::string& tooltip,
                        ScriptRunner& run, Path* path) {
  for (Area& area : areas) {
    Box box = BoxOf(*area.source, parent);
    if (!Visible(area.visible, run)) continue;
    path->push_back({&area, box});
    if (Reads(area, tooltip, run) || Find(area.children, box, tooltip, run, path)) return true;
    path->pop_back();
  }
  return false;
}

bool RunningGauge::Reads(Area& area, const std::string& text, ScriptRunner& run) {
  const MouseArea& source = *area.source;
  if (!source.tooltip_id.empty() && text == source.tooltip_id) return true;
  if (source.tooltip.Empty()) return false;
  std::string wanted = Words(text);
  std::string written = Words(source.tooltip.text.substr(0, source.tooltip.text.find("%(")));
  return wanted == Words(run.Show(area.tooltip)) || (!written.empty() && wanted == written);
}

ClickOutcome RunningGauge::Deliver(const Path& path, double x, double y, const std::string& event,
                                   ScriptRunner& run) {
  for (auto step = path.rbegin(); step != path.rend(); ++step) {
    Area& area = *step->first;
    const std::vector<Click>& clicks = area.source->clicks;
    bool taken = false;
    world_.SetMouse(event, x - step->second.left, y - step->second.top);
    for (size_t i = 0; i < clicks.size(); ++i) {
      if (!Takes(clicks[i], event)) continue;
      taken = true;
      if (!clicks[i].key_event.empty()) world_.SendKeyEvent(clicks[i].key_event);
      if (!clicks[i].script.Empty()) run.Run(area.clicks[i]);
    }
    world_.SetMouse({}, 0, 0);
    if (taken) return {true, true, area.source};
  }
  return {};
}

RunningGauge::Box RunningGauge::GaugeBox() const {
  return {0, 0, gauge_.width > 0 ? gauge_.width : kNoEdge,
          gauge_.height > 0 ? gauge_.height : kNoEdge};
}

void RunningGauge::ViewAreas(std::vector<Area>& areas, const Box& parent,
                             const MouseArea* parent_area, bool visible, ScriptRunner& run,
                             std::vector<AreaView>* views) {
  for (Area& area : areas) {
    Box box = BoxOf(*area.source, parent);
    bool shown = visible && Visible(area.visible, run);
    std::string tooltip(Words(run.Show(area.tooltip)));
    views->push_back({area.source, parent_area, box.left, box.top, box.right, box.bottom, shown,
                      std::move(tooltip)});
    ViewAreas(area.children, box, area.source, shown, run, views);
  }
}

std::vector<AreaView> RunningGauge::Areas(ScriptRunner& run) {
  run.BeginPass();
  std::vector<AreaView> views;
  ViewAreas(areas_, GaugeBox(), nullptr, true, run, &views);
  return views;
}

std::vector<const MouseArea*> RunningGauge::HitPath(double x, double y, ScriptRunner& run) {
  run.BeginPass();
  Path path;
  Hit(areas_, GaugeBox(), x, y, run, &path);
  std::vector<const MouseArea*> areas;
  for (const auto& step : path) areas.push_back(step.first->source);
  return areas;
}

ClickOutcome RunningGauge::ClickAt(double x, double y, const std::string& event,
                                   ScriptRunner& run) {
  run.BeginPass();
  Path path;
  Hit(areas_, GaugeBox(), x, y, run, &path);
  return Deliver(path, x, y, event, run);
}

ClickOutcome RunningGauge::ClickTooltip(const std::string& text, const std::string& event,
                                        ScriptRunner& run) {
  run.BeginPass();
  Path path;
  if (!Find(areas_, GaugeBox(), text, run, &path)) return {false, false};
  const Box& box = path.back().second;
  return Deliver(path, box.left, box.top, event, run);
}

bool RunningGauge::Key(const std::string& key, ScriptRunner& run) {
  run.BeginPass();
  for (KeyHandlerPrograms& handler : keys_) {
    if (!Handles(handler.source->key, key) || !Visible(handler.visible, run)) continue;
    world_.SetKey(key);
    run.Run(handler.script);
    world_.SetKey({});
    return true;
  }
  return false;
}

}  // namespace bench::panels
