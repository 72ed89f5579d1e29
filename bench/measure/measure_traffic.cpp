// What one "TrafficInfo" run costs over a full list of 128 aircraft, the
// worst case: 127 other aircraft that all qualify, and the user's aircraft listed last, so the
// scan reads every property of every aircraft. The host emulator counts the host calls of one
// such run; the timed runs then go through counting entries without the trace, so the figure
// is the module's own work. The bare run makes the same 903 calls through the same tables.
#include <cstdio>
#include <string>

#include "bench/host/frame_loop.h"
#include "bench/host/host_emulator.h"
#include "bench/host/module_loader.h"
#include "bench/measure/measure.h"
#include "bench/measure/timing.h"

namespace {

constexpr uint32_t kListed = 128;
constexpr uint32_t kUser = kListed;  // ids 1 to 127 are other aircraft

long quiet_calls = 0;
uint32_t is_user_property = 0;

double HOST_STDCALL QuietGet(int32_t, int32_t) { return ++quiet_calls, 128.0; }
void HOST_STDCALL QuietSet(int32_t, double, int32_t) { ++quiet_calls; }
uint32_t HOST_THISCALL QuietList(TrafficInfo*, double, uint32_t max_count, uint32_t* ids) {
  ++quiet_calls;
  for (uint32_t i = 0; i < max_count && i < kListed; ++i) ids[i] = i + 1;
  return max_count < kListed ? max_count : kListed;
}
int32_t HOST_THISCALL QuietValue(TrafficInfo*, uint32_t aircraft, uint32_t property, int32_t,
                                 double* value, int32_t) {
  ++quiet_calls;
  *value = property == is_user_property ? aircraft == kUser : aircraft * 1e-3;
  return 1;
}
int32_t HOST_THISCALL QuietFlag(TrafficInfo*) { return ++quiet_calls, 0; }

// The run's host calls without the module: the schedule read, the list, each aircraft's
// reads in the module's order (the user's aircraft, last, without its engine), the outputs.
void BareTrafficRun(HostServices* host, TrafficInfo* info) {
  const TrafficInfoTable* t = info->table;
  double value = host->GetNamedVariable(0, 2);
  uint32_t ids[kListed];
  uint32_t count = t->ListAircraftInRadius(info, 37040, kListed, ids);
  for (uint32_t i = 0; i < count; ++i) {
    t->GetAircraftValue(info, ids[i], is_user_property, 1, &value, 0);
    t->TrafficFlag(info);
    if (value == 0.0) t->GetAircraftValue(info, ids[i], 4, 1, &value, 1);
    for (uint32_t property : {1u, 2u, 3u, 6u})
      t->GetAircraftValue(info, ids[i], property, 4, &value, 0);
  }
  for (int32_t output : {2, 3, 4}) host->SetNamedVariable(output, value, 4);
  t->TrafficFlag(info);
  host->SetNamedVariable(1, 1.0, 2);
  host->SetNamedVariable(0, 1.0, 2);
}

TrafficInfo* Interface(bench::HostEmulator& host) {
  auto* object = static_cast<RegisteredCallback*>(host.traffic().CallbackFor("ITrafficInfo"));
  return static_cast<TrafficInfo*>(object->table->GetInterface(object, "ITrafficInfo"));
}

}  // namespace

namespace bench {

int MeasureTraffic(const std::string& module_path, long runs) {
  HostEmulator host;
  std::unique_ptr<LoadedModule> module = LoadIntoHost(host, module_path);
  if (!module->loaded()) return std::fprintf(stderr, "kv3-bench: %s\n", module->error().c_str()), 2;
  for (const char* name : {"ATC traffic update", "ATC traffic state", "ATC traffic dir",
                           "ATC traffic dist", "ATC traffic alt"})
    host.CreateVariable(name, 128);
  for (uint32_t id = 1; id <= kListed; ++id) host.traffic().AddAircraft(id, id * 1e-3, 0, 0);
  host.traffic().SetUser(kUser);
  GaugeHeader* traffic = module->linkage()->gauges[kTrafficGauge];
  // Runs with 8, 16, 32 and 64 ids find no user, so each one doubles the query to 128.
  for (int warm = 0; warm < 5; ++warm) {
    host.SetVariable("ATC traffic update", 128);
    traffic->callback(traffic, kServicePreUpdate, 0);
  }
  int before = host.host_calls();
  host.SetVariable("ATC traffic update", 128);
  traffic->callback(traffic, kServicePreUpdate, 0);
  int calls = host.host_calls() - before;

  TrafficInfo* info = Interface(host);
  is_user_property = info->table->LookupProperty(info, "IS USER SIM");
  host.table()->GetNamedVariable = QuietGet;
  host.table()->SetNamedVariable = QuietSet;
  TrafficInfoTable* table = host.traffic().interface_table();
  table->ListAircraftInRadius = QuietList;
  table->GetAircraftValue = QuietValue;
  table->TrafficFlag = QuietFlag;
  auto run = [traffic](long) { traffic->callback(traffic, kServicePreUpdate, 0); };
  auto bare = [&host, info](long) { BareTrafficRun(host.table(), info); };
  long before_bare = quiet_calls;
  bare(0);
  long bare_calls = quiet_calls - before_bare;
  TimedPair t = TimeAgainstBare(runs, run, bare);
  std::printf("TrafficInfo run over %u listed aircraft, user listed last, %ld runs a round:\n",
              kListed, runs);
  std::printf("  host calls per run: %d (emulator), %ld (bare run)\n", calls, bare_calls);
  std::printf("  the emulator run wrote state %g, dist %.6g nm\n",
              host.Variable("ATC traffic state"), host.Variable("ATC traffic dist"));
  PrintRatio(t, "microseconds per run", 1000);
  return 0;
}

}  // namespace bench
