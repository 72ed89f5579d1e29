// The traffic scan: the host's list of nearby aircraft, walked in the host's order, yields the
// user's aircraft and one other aircraft.
#include <algorithm>

#include "traffic/traffic.h"

namespace traffic {
namespace {

constexpr int32_t kSingleValue = 0;
constexpr int32_t kFirstEngine = 1;

int ReadValue(const TrafficBinding& host, uint32_t aircraft, uint32_t property, int32_t units,
              double* value, int32_t index = kSingleValue) {
  *value = 0.0;
  return host.info->table->GetAircraftValue(host.info, aircraft, property, units, value, index) !=
         0;
}

// Whether the aircraft counts as traffic: a user aircraft always does (it is never asked for
// its engine), another one only with its engine running unless the host's flag is set.
int IsCandidate(const TrafficBinding& host, uint32_t aircraft, double is_user) {
  if (host.info->table->TrafficFlag(host.info) != 0 || is_user != 0.0) return 1;
  double combustion;
  return ReadValue(host, aircraft, host.properties.combustion, host.units.boolean, &combustion,
                   kFirstEngine) &&
         combustion != 0.0;
}

int ReadPosition(const TrafficBinding& host, uint32_t aircraft, TrafficRecord* record) {
  const TrafficProperties& p = host.properties;
  const TrafficUnits& u = host.units;
  if (!ReadValue(host, aircraft, p.latitude, u.degrees, &record->latitude) ||
      !ReadValue(host, aircraft, p.longitude, u.degrees, &record->longitude) ||
      !ReadValue(host, aircraft, p.altitude, u.meters, &record->altitude))
    return 0;
  if (!ReadValue(host, aircraft, p.magnetic_variation, u.degrees, &record->magnetic_variation))
    record->magnetic_variation = kNoVariation;
  return 1;
}

}  // namespace

void TrafficScan(const TrafficBinding& host, double radius_m, uint32_t query_count,
                 TrafficScanState* scan) {
  uint32_t asked = std::min(query_count, kIdCapacity);
  uint32_t listed = host.info->table->ListAircraftInRadius(host.info, radius_m, asked, scan->ids);
  // A host that reports more than it was asked for has written no more than that (or has
  // already overrun the array): only the asked-for entries are ids.
  scan->count = std::min(listed, asked);
  scan->user_found = scan->other_found = 0;
  for (uint32_t i = 0; i < scan->count; ++i) {
    uint32_t aircraft = scan->ids[i];
    double is_user;
    if (!ReadValue(host, aircraft, host.properties.is_user, host.units.boolean, &is_user)) continue;
    if (!IsCandidate(host, aircraft, is_user)) continue;
    // Read into a scratch record: a read that fails half-way must not spoil an earlier pick.
    TrafficRecord position;
    if (!ReadPosition(host, aircraft, &position)) continue;
    // Only an exact 0 is "not the user"; any other value, not-a-number too, is the user.
    bool user = is_user != 0.0;
    (user ? scan->user : scan->other) = position;
    (user ? scan->user_found : scan->other_found) = 1;
    if (scan->user_found && scan->other_found) return;
  }
}

}  // namespace traffic
