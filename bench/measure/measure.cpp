// Steady-state cost of the "XMLSound" periodic service. The session starts with the host
// emulator (all 28 slot variables exist, the device and buffers are set up); for the timed
// services the table's variable entries are swapped for counting ones without a trace, so
// the figure is the module's own work and not the emulator's bookkeeping. The bare loop makes
// the same 28 reads through the same table.
#include "bench/measure/measure.h"

#include <cstdio>
#include <filesystem>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"
#include "bench/measure/counting_allocator.h"  // the module's allocations too, natively
#include "bench/measure/timing.h"
#include "bench/sounds/sound_files.h"
#include "sound/sound_slots.h"

namespace {

long quiet_calls = 0;

double HOST_STDCALL QuietGet(int32_t, int32_t) { return ++quiet_calls, 0.0; }
int32_t HOST_STDCALL QuietFind(const char*) { return ++quiet_calls, -1; }
void HOST_STDCALL QuietSet(int32_t, double, int32_t) { ++quiet_calls; }

}  // namespace

namespace bench {
namespace {

int MeasureService(const std::string& module_path, int services) {
  HostEmulator host;
  std::unique_ptr<LoadedModule> module = LoadIntoHost(host, module_path);
  if (!module->loaded()) return std::fprintf(stderr, "kv3-bench: %s\n", module->error().c_str()), 2;
  GaugeHeader* sound = module->linkage()->gauges[kSoundGauge];
  int32_t ids[sound::kSlotCount];
  for (int s = 0; s < sound::kSlotCount; ++s)
    ids[s] = host.CreateVariable(sound::SoundTable[s].variable_name);
  sound->callback(sound, kServicePreUpdate, 0);  // start-up: device, 28 buffers, ids cached
  HostServices* table = host.table();
  table->GetNamedVariable = QuietGet;
  table->FindNamedVariable = QuietFind;
  table->SetNamedVariable = QuietSet;
  auto service = [sound](long i) {
    sound->callback(sound, i % 2 ? kServicePreDraw : kServicePreUpdate, 0);
  };
  auto bare = [table, &ids](long) {
    for (int32_t id : ids) table->GetNamedVariable(id, 1);
  };
  long allocations_before = allocations;
  for (long i = 0; i < services; ++i) service(i);
  long calls = quiet_calls, allocated = allocations - allocations_before;
  // A gauge that found no sound device at start-up switches itself off and reads nothing:
  // timing that would measure an empty call.
  if (calls == 0) {
    std::printf(
        "XMLSound steady state: not measured, the gauge switched itself off at start-up "
        "(no sound device?)\n");
    return 1;
  }
  TimedPair t = TimeAgainstBare(services, service, bare);
  std::printf("XMLSound steady state, 28 idle slots, %d services a round:\n", services);
  std::printf("  host calls per service: %.2f\n", static_cast<double>(calls) / services);
  std::printf("  heap allocations per service: %.2f\n", static_cast<double>(allocated) / services);
  PrintRatio(t, "nanoseconds per service", 1);
  return 0;
}

}  // namespace

int RunMeasurement(const std::string& module_path, int services, const std::string& root) {
  namespace fs = std::filesystem;
  std::string module = fs::absolute(module_path).string();
  std::error_code error;
  if (!MakeSounds((fs::path(root) / "Sound" / "KV3_R40").string()))
    return std::fprintf(stderr, "kv3-bench: cannot make the sounds in %s\n", root.c_str()), 2;
  fs::current_path(root, error);
  if (error) return std::fprintf(stderr, "kv3-bench: cannot enter %s\n", root.c_str()), 2;
  int service = MeasureService(module, services);
  if (service == 2) return service;
  int load = MeasureStartUpLoad(services / 2000 + 1);
  int traffic = MeasureTraffic(module, services / 50 + 1);
  return traffic ? traffic : service ? service : load;
}

}  // namespace bench
