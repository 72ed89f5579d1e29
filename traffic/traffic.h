// The "TrafficInfo" gauge's parts: the scan that picks the user's aircraft and one other from
// the host's traffic list, and the great-circle geometry between them. The gauge's set-up,
// schedule and outputs (traffic_gauge.cpp) drive them.
#pragma once

#include <cstdint>

#include "host/traffic_info.h"

namespace traffic {

constexpr double kMetresPerNauticalMile = 1852.0;

// Interval in the panel's units of "ATC traffic update"; the search radius around the user.
struct TrafficConfig {
  uint32_t interval;
  double radius_m;
};
constexpr TrafficConfig kDefaultConfig = {128, 20 * kMetresPerNauticalMile};

// Reads the gauge's parameter text ("128020": interval 128, 20 nautical miles) into config.
// A text that is absent or not all digits leaves config as it is; 0 when the text gives a
// zero interval or radius, which switches the gauge off.
int ConfigureFromParameters(const char* parameters, TrafficConfig* config);

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

// The units the gauge asks the traffic interface for, by their host names.
constexpr char kBoolUnits[] = "BOOL";
constexpr char kEnumUnits[] = "ENUM";
constexpr char kMetresUnits[] = "METERS";
constexpr char kDegreesUnits[] = "DEGREES";
constexpr char kNauticalMilesUnits[] = "NMILES";

// The panel's variables, in the units the gauge reads (update) or writes each in. The panel
// creates them; the gauge only looks them up.
struct PanelVariable {
  const char* name;
  const char* units;
};
enum PanelVariableIndex { kUpdate, kState, kDir, kDist, kAlt, kPanelVariableCount };
constexpr PanelVariable kPanelVariables[kPanelVariableCount] = {
    {"ATC traffic update", kEnumUnits},
    {"ATC traffic state", kEnumUnits},
    {"ATC traffic dir", kDegreesUnits},
    {"ATC traffic dist", kNauticalMilesUnits},
    {"ATC traffic alt", kMetresUnits}};

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
