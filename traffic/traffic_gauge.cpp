// The "TrafficInfo" gauge: whenever the panel has raised "ATC traffic update" to the gauge's
// interval, scan the host's traffic, write bearing, distance and altitude of another aircraft
// and a state code, and set "ATC traffic update" back to 1. The panel owns the timing.
#include "host/host.h"
#include "module/gauges.h"
#include "traffic/traffic.h"

namespace traffic_gauge {
namespace {

using traffic::kPanelVariables;
using traffic::TrafficRecord;

constexpr int32_t kNotSetUp = 0;
constexpr int32_t kReady = 1;
constexpr int32_t kOff = -1;

constexpr uint32_t kFewestQueried = 2;
constexpr uint32_t kMostQueried = traffic::kIdCapacity;

struct TrafficVariables {
  int32_t update, state, dir, dist, alt;
};

// Everything the gauge keeps, shared by all its instances for the module's life.
struct TrafficGauge {
  int32_t state = kNotSetUp;
  traffic::TrafficConfig config = traffic::kDefaultConfig;
  // How many aircraft to ask for: a power of two that follows what the host lists.
  uint32_t QueryCount = 8;
  TrafficVariables variables = {host::kAbsent, host::kAbsent, host::kAbsent, host::kAbsent,
                                host::kAbsent};
  RegisteredCallback* callback = nullptr;
  traffic::TrafficBinding binding = {};
  traffic::TrafficScanState scan = {};
};

TrafficGauge Gauge;

int BindInterface() {
  Gauge.callback = host::GetRegisteredCallback("ITrafficInfo");
  if (!Gauge.callback) return 0;
  void* info = Gauge.callback->table->GetInterface(Gauge.callback, "ITrafficInfo");
  if (!info) return 0;
  TrafficInfo* i = static_cast<TrafficInfo*>(info);
  traffic::TrafficBinding& b = Gauge.binding;
  b.info = i;
  auto units = [i](const char* name) { return i->table->LookupUnits(i, name); };
  b.units = {units(traffic::kBoolUnits), units(traffic::kEnumUnits), units(traffic::kMetresUnits),
             units(traffic::kDegreesUnits), units(traffic::kNauticalMilesUnits)};
  // The host gives an id for any name, so there is nothing to check here.
  auto property = [i](const char* name) { return i->table->LookupProperty(i, name); };
  b.properties = {property("PLANE LATITUDE"), property("PLANE LONGITUDE"),
                  property("PLANE ALTITUDE"), property("ENG COMBUSTION"),
                  property("IS USER SIM"),    property("MAGVAR")};
  return 1;
}

int SetUp(const char* parameters) {
  if (!traffic::ConfigureFromParameters(parameters, &Gauge.config)) return 0;
  Gauge.variables.update = host::FindVariable(kPanelVariables[traffic::kUpdate].name);
  return Gauge.variables.update != host::kAbsent && BindInterface();
}

// "ATC traffic state" is looked up on every run until a panel gauge has created it; the
// three outputs are looked up once, together with it, and a missing one is never written.
int FindOutputs() {
  TrafficVariables& v = Gauge.variables;
  if (v.state != host::kAbsent) return 1;
  v.state = host::FindVariable(kPanelVariables[traffic::kState].name);
  if (v.state == host::kAbsent) return 0;
  v.dir = host::FindVariable(kPanelVariables[traffic::kDir].name);
  v.dist = host::FindVariable(kPanelVariables[traffic::kDist].name);
  v.alt = host::FindVariable(kPanelVariables[traffic::kAlt].name);
  return 1;
}

void WriteOutput(int32_t id, double value, int32_t units) {
  if (id != host::kAbsent) host::SetVariable(id, value, units);
}

// A missing variation (the scan's marker) counts as none for the user's aircraft and as the
// user's for the other one, so the mean correction stays meaningful.
void FillMissingVariations(TrafficRecord& user, TrafficRecord& other) {
  if (user.magnetic_variation > 360) user.magnetic_variation = 0;
  if (other.magnetic_variation > 360) other.magnetic_variation = user.magnetic_variation;
}

// The state code: 0 no traffic found, 1 found, 2 found with the host's traffic flag set.
double ReportTraffic() {
  traffic::TrafficScanState& scan = Gauge.scan;
  const traffic::TrafficBinding& b = Gauge.binding;
  FillMissingVariations(scan.user, scan.other);
  traffic::BearingDistance result = traffic::GreatCircleBearing(scan.user, scan.other);
  WriteOutput(Gauge.variables.dir, result.bearing, b.units.degrees);
  WriteOutput(Gauge.variables.dist, result.distance, b.units.nautical_miles);
  WriteOutput(Gauge.variables.alt, scan.other.altitude, b.units.meters);
  return b.info->table->TrafficFlag(b.info) != 0 ? 2.0 : 1.0;
}

// Asks for more aircraft only while nothing was found in a full list, and for fewer when the
// list came back less than half full.
uint32_t NextQueryCount(uint32_t query_count, uint32_t count, bool found) {
  if (!found && count == query_count)
    return query_count < kMostQueried ? query_count * 2 : query_count;
  if (count < query_count / 2 && query_count > kFewestQueried) return query_count / 2;
  return query_count;
}

void ScheduledRun() {
  const int32_t enumeration = Gauge.binding.units.enumeration;
  // Not-a-number never holds the run back.
  if (static_cast<double>(Gauge.config.interval) >
      host::GetVariable(Gauge.variables.update, enumeration))
    return;
  if (FindOutputs()) {
    traffic::TrafficScanState& scan = Gauge.scan;
    traffic::TrafficScan(Gauge.binding, Gauge.config.radius_m, Gauge.QueryCount, &scan);
    bool found = scan.user_found && scan.other_found;
    double state = found ? ReportTraffic() : 0.0;
    Gauge.QueryCount = NextQueryCount(Gauge.QueryCount, scan.count, found);
    host::SetVariable(Gauge.variables.state, state, enumeration);
  }
  host::SetVariable(Gauge.variables.update, 1.0, enumeration);
}

}  // namespace

void PeriodicService(const char* parameters) {
  if (Gauge.state == kOff) return;
  if (Gauge.state == kNotSetUp) Gauge.state = SetUp(parameters) ? kReady : kOff;
  if (Gauge.state == kReady) ScheduledRun();
}

}  // namespace traffic_gauge
