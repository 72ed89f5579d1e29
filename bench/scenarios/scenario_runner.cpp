// The scenario's steps on the host's timeline. Expectations are checked where they stand in
// the file, against the emulator's variables and its trace of what the module did.
#include "bench/scenarios/scenario_runner.h"

#include <cmath>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/panels/run/running_panel.h"

namespace bench {
namespace {

bool Matches(double actual, double expected, double tolerance) {
  if (std::isnan(expected)) return std::isnan(actual);
  if (actual == expected) return true;  // infinities, whose difference is not a number
  return std::fabs(actual - expected) <= tolerance;
}

class Session {
 public:
  Session(const Scenario& scenario, const panels::PanelOptions& panel_options, FrameLoop& loop,
          HostEmulator& host, ScenarioResult* result)
      : scenario_(scenario),
        panel_options_(panel_options),
        loop_(loop),
        host_(host),
        result_(result),
        panel_(host, scenario.valued_key_events) {}
  void Run() {
    for (const Step& step : scenario_.steps) {
      if (step.kind == StepKind::kPanel && !LoadPanel(step)) return;
      RunStep(step);
    }
    result_->panel_diagnostics = panel_.diagnostics();
  }

 private:
  void RunStep(const Step& step);
  bool LoadPanel(const Step& step);
  void RunPanelStep(const Step& step);
  void Click(const Step& step, panels::RunningGauge* gauge);
  bool KeyEventSent(const Step& step);
  void Check(const Step& step, bool held, const std::string& what) {
    ++result_->expectations;
    if (!held)
      result_->failures.push_back(scenario_.path + ":" + std::to_string(step.line) + ": " + what);
  }
  bool EventSent(uint32_t code, const uint32_t* value) const {
    std::string prefix =
        "TriggerEvent(" + HexText(code) + ", " + (value ? HexText(*value) + ")" : "");
    for (const std::string& line : host_.trace())
      if (line.rfind(prefix, 0) == 0) return true;
    return false;
  }
  bool Written(const std::string& name) const {
    for (const std::string& line : host_.trace())
      if (line.rfind("SetNamedVariable(", 0) == 0 &&
          line.find(" \"" + name + "\", ") != std::string::npos)
        return true;
    return false;
  }
  void AddAircraft(const AircraftScript& a) {
    TrafficHost& traffic = host_.traffic();
    traffic.AddAircraft(a.id, a.latitude, a.longitude, a.altitude);
    traffic.SetUser(a.id, a.user);
    traffic.SetEngine(a.id, a.engine);
    traffic.SetValue(a.id, "MAGVAR", a.variation);
    if (!a.magvar) traffic.FailRead(a.id, "MAGVAR");
    for (const std::string& property : a.failing) traffic.FailRead(a.id, property);
  }
  void Wait(const Step& step) {
    for (uint32_t i = 0; i < step.number && !Matches(host_.Variable(step.name), step.value, 0); ++i)
      loop_.Frame();
    Check(step, Matches(host_.Variable(step.name), step.value, 0),
          "\"" + step.name + "\" did not become " + FormatValue(step.value) + " in " +
              std::to_string(step.number) + " frames (it is " +
              FormatValue(host_.Variable(step.name)) + ")");
  }

  const Scenario& scenario_;
  const panels::PanelOptions& panel_options_;
  FrameLoop& loop_;
  HostEmulator& host_;
  ScenarioResult* result_;
  panels::RunningPanel panel_;
};

bool Session::LoadPanel(const Step& step) {
  std::string error;
  if (!panel_.Load(step.text, panel_options_, &error)) {
    result_->error = scenario_.path + ":" + std::to_string(step.line) + ": " + error;
    result_->loaded = false;
    return false;
  }
  loop_.UsePanel(panel_);
  return true;
}

void Session::RunPanelStep(const Step& step) {
  panels::RunningGauge* gauge = nullptr;
  if (step.kind == StepKind::kClick || step.kind == StepKind::kKey) gauge = panel_.Gauge(step.name);
  switch (step.kind) {
    case StepKind::kClick:
      return Click(step, gauge);
    case StepKind::kKey:
      if (!gauge)
        return Check(step, false, "no gauge line of the panel loads \"" + step.name + "\"");
      host_.Note("-- key " + step.name + " " + step.text);
      if (!gauge->Key(step.text, panel_.runner())) host_.Note("-- nothing handles the key");
      return;
    case StepKind::kSim:
      host_.Note("-- sim " + step.name + " " + FormatValue(step.value));
      return panel_.world().SetAircraft(step.name, step.value);
    case StepKind::kExpectKeyEvent:
      return Check(step, KeyEventSent(step),
                   "expected key event " + step.name +
                       (step.with_value ? " " + FormatValue(step.value) : "") + ", not sent");
    default:
      return Check(step, !KeyEventSent(step), "key event " + step.name + " was sent");
  }
}

void Session::Click(const Step& step, panels::RunningGauge* gauge) {
  if (!gauge) return Check(step, false, "no gauge line of the panel loads \"" + step.name + "\"");
  host_.Note("-- click " + step.name + " " +
             (step.by_tooltip ? "tooltip \"" + step.text + "\""
                              : "at " + FormatValue(step.x) + " " + FormatValue(step.y)) +
             " " + step.mouse);
  panels::ClickOutcome outcome = step.by_tooltip
                                     ? gauge->ClickTooltip(step.text, step.mouse, panel_.runner())
                                     : gauge->ClickAt(step.x, step.y, step.mouse, panel_.runner());
  if (!outcome.taken) host_.Note("-- nothing takes the click");
  if (step.by_tooltip)
    Check(step, outcome.found,
          "no visible area of " + step.name + " has the tooltip \"" + step.text + "\"");
}

bool Session::KeyEventSent(const Step& step) {
  for (const panels::KeyEvent& event : panel_.world().key_events())
    if (event.name == step.name &&
        (step.kind != StepKind::kExpectKeyEvent || !step.with_value || event.value == step.value))
      return true;
  return false;
}

// One step a line: the switch reads as the table of steps.
// clang-format off
void Session::RunStep(const Step& step) {
  switch (step.kind) {
    case StepKind::kInstances: loop_.SetInstances(step.gauge, step.number); break;
    case StepKind::kParameter: loop_.SetParameter(step.gauge, step.text); break;
    case StepKind::kCreate: host_.CreateVariable(step.name, step.value); break;
    case StepKind::kSet: host_.SetVariable(step.name, step.value); break;
    case StepKind::kModuleVariable: host_.SetModuleVariable(step.number, step.value); break;
    case StepKind::kFrames: loop_.Run(step.number); break;
    case StepKind::kWait: Wait(step); break;
    case StepKind::kTeardown: host_.Note("-- teardown"), loop_.Teardown(); break;
    case StepKind::kExpectValue: {
      double actual = host_.Variable(step.name);
      Check(step, Matches(actual, step.value, step.tolerance),
            "expected \"" + step.name + "\" == " + FormatValue(step.value) + " but it is " + FormatValue(actual));
      break;
    }
    case StepKind::kExpectEvent:
      Check(step, EventSent(step.number, &step.event_value),
            "expected event " + HexText(step.number) + " with " + HexText(step.event_value) + ", not sent");
      break;
    case StepKind::kExpectNoEvent:
      Check(step, !EventSent(step.number, nullptr), "event " + HexText(step.number) + " was sent");
      break;
    case StepKind::kExpectUnwritten:
      Check(step, !Written(step.name), "the module wrote \"" + step.name + "\"");
      break;
    case StepKind::kAircraft: AddAircraft(step.aircraft); break;
    case StepKind::kTrafficFlag: host_.traffic().SetTrafficFlag(step.traffic_flag); break;
    case StepKind::kPanel: break;  // loaded before this step runs
    case StepKind::kClick:
    case StepKind::kKey:
    case StepKind::kSim:
    case StepKind::kExpectKeyEvent:
    case StepKind::kExpectNoKeyEvent: RunPanelStep(step); break;
  }
}
// clang-format on

}  // namespace

ScenarioResult RunScenario(const Scenario& scenario, const std::string& module_path,
                           const panels::PanelOptions& panel_options) {
  ScenarioResult result;
  HostEmulator host;
  FrameLoop loop(host);
  if (!loop.Load(module_path)) {
    result.error = loop.error();
    return result;
  }
  result.loaded = true;
  Session(scenario, panel_options, loop, host, &result).Run();
  result.trace = host.trace();
  return result;
}

}  // namespace bench
