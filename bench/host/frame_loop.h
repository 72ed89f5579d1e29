// The host's side of every panel session (the built-in one, scenarios, the soak, the click
// map): the module loaded as the host loads it, then frame after frame the panel's XML gauges
// and the module's gauges serviced in the host's order, then the teardown.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "module/gauge_records.h"

namespace bench {

class HostEmulator;
class LoadedModule;
namespace panels {
class RunningPanel;
}

// Loads the module as the host does: the host's main window exists first, then the module is
// given the host's table; its gauges' elements are named in the trace. Check loaded().
std::unique_ptr<LoadedModule> LoadIntoHost(HostEmulator& host, const std::string& module_path);

struct FrameLoopOptions {
  // A frame of host time passes after each frame, so sounds play on (on Windows the bench
  // waits it out). The built-in session lists calls with nothing playing: no wait.
  bool pass_time = true;
  // Each service is named in the trace before it is made: "-- service 6 to XMLSound".
  bool note_services = false;
};

// A gauge argument is a ModuleGauge: kSoundGauge or kTrafficGauge.
class FrameLoop {
 public:
  explicit FrameLoop(HostEmulator& host, FrameLoopOptions options = {});
  ~FrameLoop();
  FrameLoop(const FrameLoop&) = delete;
  FrameLoop& operator=(const FrameLoop&) = delete;

  // False, with error() saying why, when the module does not load. Each load gives the gauges
  // the parameter texts set so far, as the host gives them whenever it loads the panel.
  bool Load(const std::string& module_path);
  // The module unloaded, as when the host closes the panel (after Teardown).
  void Unload();
  const std::string& error() const { return error_; }
  // Of the loaded module.
  GaugeHeader* gauge(int gauge) const;

  // Set-up before the first frame: how many instances of a gauge the host services (1 unless
  // set; 0 when the panel has no line for it), and its parameter text (none: null, as for a
  // gauge line without one).
  void SetInstances(int gauge, uint32_t count) { instances_[gauge] = count; }
  void SetParameter(int gauge, std::optional<std::string> text);
  // The panel's XML gauges run first in every frame; its lines for the module's gauges set
  // their instances and parameter texts. The panel outlives the frames.
  void UsePanel(panels::RunningPanel& panel);

  // One frame: the panel's gauges, then each of the module's gauges in Linkage order, every
  // instance pre-update, then every instance pre-draw.
  void Frame();
  void Run(long frames);
  long frame() const { return frame_; }
  // Back to an earlier frame number, with the state of that frame restored by the caller: the
  // panel's update frequencies and the clock go by it.
  void Rewind(long frame) { frame_ = frame; }
  // The panel closes: pre-kill to every instance of the sound gauge, which releases its sounds
  // and hands the radios over. The traffic gauge holds nothing to release.
  void Teardown();

 private:
  void Service(int gauge, int32_t code);
  void GiveParameter(int gauge);

  HostEmulator& host_;
  FrameLoopOptions options_;
  std::unique_ptr<LoadedModule> module_;
  std::string error_;
  panels::RunningPanel* panel_ = nullptr;
  uint32_t instances_[kModuleGaugeCount] = {1, 1};
  std::optional<std::string> parameters_[kModuleGaugeCount];
  long frame_ = 0;
};

}  // namespace bench
