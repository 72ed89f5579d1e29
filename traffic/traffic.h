// The "TrafficInfo" gauge's parts: the scan that picks the user's aircraft and one other from
// the host's traffic list, and the great-circle geometry between them. The gauge's set-up,
// schedule and outputs (traffic_gauge.cpp) drive them.
#pragma once

#include <cstdint>

#include "host/traffic_info.h"

namespace traffic {

// One aircraft as the scan read it.
struct TrafficRecord {
  double latitude;            // degrees
  double longitude;           // degrees
  double altitude;            // metres
  double magnetic_variation;  // degrees; kNoVariation when the host gave none
};

// Above any real variation, so a record without one is told apart.
constexpr double kNoVariation = 361.0;

// Ids the gauge got from the interface at set-up; the scan reads with them.
struct TrafficUnits {
  int32_t boolean, enumeration, meters, degrees, nautical_miles;
};
struct TrafficProperties {
  uint32_t latitude, longitude, altitude, combustion, is_user, magnetic_variation;
};
struct TrafficBinding {
  TrafficInfo* info;
  TrafficUnits units;
  TrafficProperties properties;
};

constexpr uint32_t kIdCapacity = 128;

// What one scan leaves: the ids the host listed, how many of them were taken, and the two
// picks. A record is written only when an aircraft is chosen for it.
struct TrafficScanState {
  uint32_t ids[kIdCapacity];
  uint32_t count;
  int user_found, other_found;
  TrafficRecord user, other;
};

// Lists up to query_count aircraft within radius_m and picks, in the host's order, the user's
// aircraft and another whose engine runs (any other while the traffic flag is set). Stops
// as soon as both are found.
void TrafficScan(const TrafficBinding& host, double radius_m, uint32_t query_count,
                 TrafficScanState* scan);

struct BearingDistance {
  double bearing;   // magnetic, degrees, in [0, 360]
  double distance;  // nautical miles
};

// From `from` to `to` on a sphere where one minute of arc is one nautical mile. The bearing
// is corrected by the mean of both records' variations, which must both be real by now.
BearingDistance GreatCircleBearing(const TrafficRecord& from, const TrafficRecord& to);

}  // namespace traffic
