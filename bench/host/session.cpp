#include "bench/host/session.h"

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"

namespace bench {
namespace {

struct PanelVariable {
  const char* name;
  double value;
};
const PanelVariable kPanelVariables[] = {{"Sound toggle switch", 0}, {"Sound gear warning", 0},
                                         {"NAV1 frequency", 110.5},  {"COM1 frequency", 128.2},
                                         {"ATC traffic update", 1},  {"ATC traffic state", 0}};

void CallStandardRoutines(HostEmulator& host, GaugeHeader* gauge) {
  host.Note(std::string("-- standard routines of ") + gauge->name);
  gauge->query();
  gauge->install(0x10);
  gauge->initialize();
  gauge->update();
  gauge->generate(0x20);
  gauge->plot();
  gauge->kill();
}

}  // namespace

SessionResult RunBuiltInSession(const std::string& module_path, int frames) {
  SessionResult result;
  HostEmulator host;
  FrameLoopOptions options;
  options.pass_time = false;
  options.note_services = true;
  FrameLoop loop(host, options);
  if (!loop.Load(module_path)) {
    result.error = loop.error();
    return result;
  }
  result.loaded = true;
  for (const PanelVariable& v : kPanelVariables) host.CreateVariable(v.name, v.value);
  host.SetModuleVariable(109, 500);  // in range: teardown sends no range-checked event
  loop.Run(frames);
  for (int g = 0; g < kModuleGaugeCount; ++g) CallStandardRoutines(host, loop.gauge(g));
  loop.Teardown();
  loop.Unload();
  host.Note("-- unloaded");
  result.trace = host.trace();
  return result;
}

}  // namespace bench
