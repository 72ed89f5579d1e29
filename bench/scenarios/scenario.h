// Scenario files: a panel session on the host's timeline, one step per line.
//
//   # comment                              blank lines and comments are ignored
//   instances TrafficInfo 2                gauge instances (before the first frame)
//   parameter TrafficInfo "128020"         a gauge's parameter text (before the first frame)
//   create "Sound toggle switch" 0         a panel variable, with its first value
//   set "Sound toggle switch" 1            the panel writes a variable
//   module-variable 109 500                a host module variable
//   frames 3 | run 2.5s | run 300ms        frames at the host's cadence, 18 a second
//   wait "Sound toggle switch" == 0 within 2s
//   teardown                               service 12 to every XMLSound instance
//   expect "ATC traffic dist" == 84.85 tolerance 0.01
//   expect event 0x100AC 0x11050 | expect no event 0x1024C
//   expect unwritten "Sound gear warning"
//   aircraft 2 lat 47.1 lon 8.1 alt 1200 [user] [engine off] [magvar DEG | no-magvar]
//            [fail "PROPERTY"]                 an aircraft in the host's traffic list
//   traffic-flag on|off
//
// Panel sessions: the panel's XML gauges run every frame beside the module.
//   panel DIR                              an aircraft or panel folder (before the first frame)
//   click "FILE!GAUGE" at X Y [KIND]       a mouse event at a point of the gauge
//   click "FILE!GAUGE" tooltip "TEXT" [KIND]   ... on the area with that tooltip
//   key "FILE!GAUGE" KEY                   a key handled by the gauge's <Keys>
//   sim "NAME" VALUE                       an aircraft variable (A:) from now on
//   expect key-event NAME [VALUE] | expect no key-event NAME
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "module/gauge_records.h"

namespace bench {

// clang-format off
enum class StepKind {
  kInstances, kParameter, kCreate, kSet, kModuleVariable, kFrames, kWait, kTeardown,
  kExpectValue, kExpectEvent, kExpectNoEvent, kExpectUnwritten, kAircraft, kTrafficFlag,
  kPanel, kClick, kKey, kSim, kExpectKeyEvent, kExpectNoKeyEvent,
};
// clang-format on

struct AircraftScript {
  uint32_t id = 0;
  bool user = false;
  double latitude = 0, longitude = 0, altitude = 0;
  bool engine = true;
  bool magvar = true;                // false: the host has no variation for it
  double variation = 0;              // degrees, "MAGVAR"
  std::vector<std::string> failing;  // properties whose reads fail
};

struct Step {
  StepKind kind;
  int line;
  std::string name;         // variable, "FILE!GAUGE", aircraft variable or key event
  std::string text;         // parameter text, panel folder, tooltip or key
  int gauge = kSoundGauge;  // the module's gauge that instances and parameter set up
  double value = 0;         // value, tolerance's subject, module-variable or key event value
  double tolerance = 0;
  uint32_t number = 0;  // frames, instances, module variable, event code
  uint32_t event_value = 0;
  bool traffic_flag = false;  // traffic-flag: on
  bool by_tooltip = false;    // click: the area is the one with the tooltip in text
  bool with_value = false;    // expect key-event: sent with value, not just sent
  double x = 0, y = 0;        // a click's point in the gauge's coordinates
  std::string mouse;          // a click's mouse event, LeftSingle unless the step names one
  AircraftScript aircraft;
};

struct Scenario {
  std::string path;
  std::vector<Step> steps;
  bool has_panel = false;  // variables may then come from the panel's gauges
  // Key events that take a value (popped from the script's stack): those the scenario
  // expects with one.
  std::vector<std::string> valued_key_events;
};

// Reads a scenario; on a bad line returns false with "FILE:LINE: what is wrong" in error.
bool ParseScenario(const std::string& path, const std::string& text, Scenario* scenario,
                   std::string* error);

}  // namespace bench
