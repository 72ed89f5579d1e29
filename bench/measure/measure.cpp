// Steady-state cost of the "XMLSound" periodic service. The session starts with the host
// emulator (all 28 slot variables exist, the device and buffers are set up); for the timed
// services the table's variable entries are swapped for counting ones without a trace, so
// the figure is the module's own work and not the emulator's bookkeeping.
#include "bench/measure/measure.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"
#include "bench/host/session.h"
#include "sound/sound_slots.h"

namespace {

long allocations = 0;
long quiet_calls = 0;

double HOST_STDCALL QuietGet(int32_t, int32_t) { return ++quiet_calls, 0.0; }
int32_t HOST_STDCALL QuietFind(const char*) { return ++quiet_calls, -1; }
void HOST_STDCALL QuietSet(int32_t, double, int32_t) { ++quiet_calls; }

}  // namespace

// Every allocation of the process, the module's included, passes here natively.
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace bench {

int RunMeasurement(const std::string& module_path, int services) {
  HostEmulator host;
  std::unique_ptr<LoadedModule> module = LoadIntoHost(host, module_path);
  if (!module->loaded()) return std::fprintf(stderr, "kv3-bench: %s\n", module->error().c_str()), 2;
  GaugeHeader* sound = module->linkage()->gauges[0];
  for (const sound::SoundSlot* s = sound::SoundTable; s->variable_name; ++s)
    host.CreateVariable(s->variable_name);
  sound->callback(sound, 6, 0);  // start-up: device, 28 buffers, ids cached
  HostServices* table = host.table();
  table->GetNamedVariable = QuietGet;
  table->FindNamedVariable = QuietFind;
  table->SetNamedVariable = QuietSet;
  long allocations_before = allocations;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < services; ++i) sound->callback(sound, i % 2 ? 10 : 6, 0);
  auto elapsed = std::chrono::steady_clock::now() - start;
  double ns = std::chrono::duration<double, std::nano>(elapsed).count() / services;
  std::printf("XMLSound steady state, 28 idle slots, %d services:\n", services);
  std::printf("  host calls per service: %.2f\n", static_cast<double>(quiet_calls) / services);
  std::printf("  heap allocations per service: %.2f\n",
              static_cast<double>(allocations - allocations_before) / services);
  std::printf("  nanoseconds per service: %.1f\n", ns);
  return MeasureTraffic(module_path, services / 50 + 1);
}

}  // namespace bench
