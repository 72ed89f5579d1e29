#include "bench/host/session.h"

#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"

#if !defined(_WIN32)
#include "platform/platform.h"
#endif

namespace bench {
namespace {

struct PanelVariable {
  const char* name;
  double value;
};
const PanelVariable kPanelVariables[] = {
    {"Sound toggle switch", 0}, {"Sound gear warning", 0}, {"NAV1 frequency", 110.5},
    {"COM1 frequency", 128.2},  {"ATC traffic update", 1}, {"ATC traffic state", 0}};

void Service(HostEmulator& host, GaugeHeader* gauge, int32_t service) {
  host.Note("-- service " + std::to_string(service) + " to " + gauge->name);
  gauge->callback(gauge, service, 0);
}

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
            ", gauges \"" + gauges[0]->name + "\" and \"" + gauges[1]->name + "\"");
  return module;
}

SessionResult RunBuiltInSession(const std::string& module_path, int frames) {
  SessionResult result;
  HostEmulator host;
  {
    std::unique_ptr<LoadedModule> module = LoadIntoHost(host, module_path);
    if (!module->loaded()) {
      result.error = module->error();
      return result;
    }
    result.loaded = true;
    GaugeHeader** gauges = module->linkage()->gauges;
    for (const PanelVariable& v : kPanelVariables) host.CreateVariable(v.name, v.value);
    host.SetModuleVariable(109, 500);  // in range: teardown sends no range-checked event
    for (int frame = 1; frame <= frames; ++frame) {
      host.Note("-- frame " + std::to_string(frame));
      for (GaugeHeader** g = gauges; *g; ++g) {
        Service(host, *g, 6);
        Service(host, *g, 10);
      }
    }
    for (GaugeHeader** g = gauges; *g; ++g) CallStandardRoutines(host, *g);
    Service(host, gauges[0], 12);
    host.Note("-- unloaded");
  }
  result.trace = host.trace();
  return result;
}

}  // namespace bench
