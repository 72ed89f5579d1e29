#include "bench/host/frame_loop.h"

#include "bench/host/host_clock.h"
#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"
#include "bench/panels/run/running_panel.h"

#if !defined(_WIN32)
#include "platform/platform.h"
#endif

namespace bench {

std::unique_ptr<LoadedModule> LoadIntoHost(HostEmulator& host, const std::string& module_path) {
#if !defined(_WIN32)
  // The host's main window exists before it loads gauge modules.
  standin::ClearWindows();
  standin::RegisterWindow("FS98MAIN", "Flight Simulator");
#endif
  auto module = std::make_unique<LoadedModule>(module_path);
  if (!module->loaded()) return module;
  module->import_table()->services.table = host.table();
  GaugeHeader** gauges = module->linkage()->gauges;
  for (GaugeHeader** g = gauges; *g; ++g) host.NameElement((*g)->elements[0], (*g)->name);
  host.Note("-- loaded: linkage id " + std::to_string(module->linkage()->module_id) +
            ", gauges \"" + gauges[kSoundGauge]->name + "\" and \"" + gauges[kTrafficGauge]->name +
            "\"");
  return module;
}

FrameLoop::FrameLoop(HostEmulator& host, FrameLoopOptions options)
    : host_(host), options_(options) {}

FrameLoop::~FrameLoop() = default;

bool FrameLoop::Load(const std::string& module_path) {
  // A module still loaded would be the one the loader hands back, in the state it was left in.
  module_.reset();
  module_ = LoadIntoHost(host_, module_path);
  if (!module_->loaded()) return error_ = module_->error(), false;
  for (int g = 0; g < kModuleGaugeCount; ++g) GiveParameter(g);
  return true;
}

void FrameLoop::Unload() { module_.reset(); }

GaugeHeader* FrameLoop::gauge(int gauge) const { return module_->linkage()->gauges[gauge]; }

void FrameLoop::SetParameter(int gauge, std::optional<std::string> text) {
  parameters_[gauge] = std::move(text);
  if (module_ && module_->loaded()) GiveParameter(gauge);
}

void FrameLoop::GiveParameter(int g) {
  gauge(g)->parameters = parameters_[g] ? parameters_[g]->c_str() : nullptr;
}

void FrameLoop::UsePanel(panels::RunningPanel& panel) {
  panel_ = &panel;
  const panels::ModuleLines& lines = panel.module_lines();
  for (int g = 0; g < kModuleGaugeCount; ++g) {
    SetInstances(g, lines.instances[g]);
    SetParameter(g, lines.parameter[g] ? std::optional(*lines.parameter[g]) : std::nullopt);
  }
  host_.Note("-- panel: " + std::to_string(panel.gauge_count()) + " XML gauges, " +
             std::to_string(instances_[kSoundGauge]) + " " + kModuleGaugeNames[kSoundGauge] + ", " +
             std::to_string(instances_[kTrafficGauge]) + " " + kModuleGaugeNames[kTrafficGauge]);
}

void FrameLoop::Frame() {
  ++frame_;
  if (host_.tracing()) host_.Note("-- frame " + std::to_string(frame_));
  if (panel_) panel_->Frame(frame_);
  for (int g = 0; g < kModuleGaugeCount; ++g) {
    Service(g, kServicePreUpdate);
    Service(g, kServicePreDraw);
  }
  if (options_.pass_time) PassOneFrame();
}

void FrameLoop::Run(long frames) {
  for (long i = 0; i < frames; ++i) Frame();
}

void FrameLoop::Teardown() { Service(kSoundGauge, kServicePreKill); }

void FrameLoop::Service(int g, int32_t code) {
  GaugeHeader* header = gauge(g);
  for (uint32_t i = 0; i < instances_[g]; ++i) {
    if (options_.note_services)
      host_.Note("-- service " + std::to_string(code) + " to " + header->name);
    header->callback(header, code, 0);
  }
}

}  // namespace bench
