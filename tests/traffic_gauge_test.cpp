// The "TrafficInfo" gauge's set-up, schedule and outputs, driven through the loaded module.
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "tests/traffic_panel.h"

namespace {

using Lines = std::vector<std::string>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

const Lines kSetUp = {
    "FindNamedVariable(\"ATC traffic update\") -> 0",
    "GetRegisteredCallback(\"ITrafficInfo\") -> object",
    "GetInterface(\"ITrafficInfo\") -> interface",
    "LookupUnits(\"BOOL\") -> 1",
    "LookupUnits(\"ENUM\") -> 2",
    "LookupUnits(\"METERS\") -> 3",
    "LookupUnits(\"DEGREES\") -> 4",
    "LookupUnits(\"NMILES\") -> 5",
    "LookupProperty(\"PLANE LATITUDE\") -> 1",
    "LookupProperty(\"PLANE LONGITUDE\") -> 2",
    "LookupProperty(\"PLANE ALTITUDE\") -> 3",
    "LookupProperty(\"ENG COMBUSTION\") -> 4",
    "LookupProperty(\"IS USER SIM\") -> 5",
    "LookupProperty(\"MAGVAR\") -> 6",
};

class TrafficGauge : public TrafficPanel {
 protected:
  // The user at 0 N 0 E and one other aircraft 8.5 nautical miles to the north-east.
  void ScriptTwoAircraft() {
    aircraft().AddAircraft(1, 0, 0, 300);
    aircraft().SetUser(1);
    aircraft().AddAircraft(2, 0.1, 0.1, 1500);
  }
};

TEST_F(TrafficGauge, FirstServiceSetsUpInOrderThenReadsTheSchedule) {
  CreateTrafficVariables();
  Lines expected = kSetUp;
  expected.push_back("GetNamedVariable(0 \"ATC traffic update\", units 2 \"ENUM\") -> 1");
  EXPECT_EQ(Service(), expected);
  EXPECT_EQ(Service(10), Lines(expected.end() - 1, expected.end()));
}

TEST_F(TrafficGauge, ARunReadsEachAircraftAndWritesEveryOutput) {
  CreateTrafficVariables();
  ScriptTwoAircraft();
  Service();
  auto value = [](int aircraft, const char* property, const char* units, const char* result) {
    return "GetAircraftValue(aircraft " + std::to_string(aircraft) + ", " + property + ", " +
           units + ", index 0) -> 1 value " + result;
  };
  const char* kBool = "units 1 \"BOOL\"";
  const char* kDegrees = "units 4 \"DEGREES\"";
  const char* kMetres = "units 3 \"METERS\"";
  Lines expected = {
      "GetNamedVariable(0 \"ATC traffic update\", units 2 \"ENUM\") -> 128",
      "FindNamedVariable(\"ATC traffic state\") -> 1",
      "FindNamedVariable(\"ATC traffic dir\") -> 2",
      "FindNamedVariable(\"ATC traffic dist\") -> 3",
      "FindNamedVariable(\"ATC traffic alt\") -> 4",
      "ListAircraftInRadius(37040, 8) -> 2 [1, 2]",
      value(1, "property 5 \"IS USER SIM\"", kBool, "1"),
      "TrafficFlag() -> 0",
      value(1, "property 1 \"PLANE LATITUDE\"", kDegrees, "0"),
      value(1, "property 2 \"PLANE LONGITUDE\"", kDegrees, "0"),
      value(1, "property 3 \"PLANE ALTITUDE\"", kMetres, "300"),
      value(1, "property 6 \"MAGVAR\"", kDegrees, "0"),
      value(2, "property 5 \"IS USER SIM\"", kBool, "0"),
      "TrafficFlag() -> 0",
      "GetAircraftValue(aircraft 2, property 4 \"ENG COMBUSTION\", units 1 \"BOOL\", index 1) "
      "-> 1 value 1",
      value(2, "property 1 \"PLANE LATITUDE\"", kDegrees, "0.1"),
      value(2, "property 2 \"PLANE LONGITUDE\"", kDegrees, "0.1"),
      value(2, "property 3 \"PLANE ALTITUDE\"", kMetres, "1500"),
      value(2, "property 6 \"MAGVAR\"", kDegrees, "0"),
      "SetNamedVariable(2 \"ATC traffic dir\", 44.99998546, units 4 \"DEGREES\")",
      "SetNamedVariable(3 \"ATC traffic dist\", 8.48527922, units 5 \"NMILES\")",
      "SetNamedVariable(4 \"ATC traffic alt\", 1500, units 3 \"METERS\")",
      "TrafficFlag() -> 0",
      "SetNamedVariable(1 \"ATC traffic state\", 1, units 2 \"ENUM\")",
      "SetNamedVariable(0 \"ATC traffic update\", 1, units 2 \"ENUM\")",
  };
  EXPECT_EQ(Run(), expected);
}

TEST_F(TrafficGauge, RunsWhenTheUpdateVariableHasReachedTheInterval) {
  struct Case {
    double update;
    bool runs;
  } cases[] = {{127, false}, {128, true}, {127.999, false},   {1e9, true},
               {kNaN, true}, {-1, false}, {-INFINITY, false}, {INFINITY, true}};
  CreateTrafficVariables();
  ScriptTwoAircraft();
  Service();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.update);
    Lines calls = Run(c.update);
    EXPECT_EQ(Starting(calls, "ListAircraftInRadius").size(), c.runs ? 1u : 0u);
    if (c.runs) {
      EXPECT_EQ(host.Variable("ATC traffic update"), 1.0);
    } else {
      EXPECT_EQ(calls.size(), 1u);  // only the schedule was read
    }
  }
}

TEST_F(TrafficGauge, WithoutTheStateVariableOnlyTheScheduleIsReset) {
  host.CreateVariable("ATC traffic update", 1);
  ScriptTwoAircraft();
  Service();
  Lines expected = {"GetNamedVariable(0 \"ATC traffic update\", units 2 \"ENUM\") -> 128",
                    "FindNamedVariable(\"ATC traffic state\") -> -1",
                    "SetNamedVariable(0 \"ATC traffic update\", 1, units 2 \"ENUM\")"};
  EXPECT_EQ(Run(), expected);
  EXPECT_EQ(Run(), expected);  // looked up again on the next run
  host.CreateVariable("ATC traffic state");
  EXPECT_EQ(Starting(Run(), "SetNamedVariable(1 \"ATC traffic state\", 1,").size(), 1u);
}

TEST_F(TrafficGauge, OutputsAreLookedUpOnceTogetherWithTheState) {
  host.CreateVariable("ATC traffic update", 1);
  host.CreateVariable("ATC traffic state");
  host.CreateVariable("ATC traffic alt");
  ScriptTwoAircraft();
  Service();
  Lines first = Run();
  EXPECT_EQ(Starting(first, "FindNamedVariable").size(), 4u);
  EXPECT_EQ(Starting(first, "SetNamedVariable").size(), 3u);  // alt, state, update
  EXPECT_EQ(host.Variable("ATC traffic alt"), 1500);
  // Created after the state was found: never looked up, never written.
  host.CreateVariable("ATC traffic dir");
  Lines later = Run();
  EXPECT_TRUE(Starting(later, "FindNamedVariable").empty());
  EXPECT_TRUE(Starting(later, "SetNamedVariable(3 \"ATC traffic dir\"").empty());
  EXPECT_EQ(host.Variable("ATC traffic dir"), 0.0);
}

TEST_F(TrafficGauge, AnotherInstancesParameterTextIsNeverRead) {
  CreateTrafficVariables();
  ScriptTwoAircraft();
  GaugeHeader second = *traffic();
  traffic()->parameters = "016005";
  second.parameters = "5";  // would switch the gauge off
  Service();
  host.SetVariable("ATC traffic update", 16);
  second.callback(&second, 6, 0);
  EXPECT_EQ(Starting(host.trace(), "ListAircraftInRadius(9260, 8)").size(), 1u);
}

// The parameter text: interval x 1000 + radius in nautical miles.
struct ParameterCase {
  const char* text;
  bool off;
  double interval, radius_m;
};

class TrafficParameter : public TrafficGauge,
                         public ::testing::WithParamInterface<ParameterCase> {};

TEST_P(TrafficParameter, GivesTheIntervalAndRadiusOrSwitchesTheGaugeOff) {
  const ParameterCase& c = GetParam();
  SCOPED_TRACE(c.text ? c.text : "no text");
  CreateTrafficVariables();
  ScriptTwoAircraft();
  traffic()->parameters = c.text;
  Lines setup = Service();
  if (c.off) {
    EXPECT_TRUE(setup.empty());
    EXPECT_TRUE(Run(1e9).empty());
    return;
  }
  EXPECT_TRUE(Starting(Run(c.interval - 1), "ListAircraftInRadius").empty());
  char listed[64];
  std::snprintf(listed, sizeof listed, "ListAircraftInRadius(%.10g, 8)", c.radius_m);
  EXPECT_EQ(Starting(Run(c.interval), listed).size(), 1u) << listed;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TrafficParameter,
    ::testing::Values(
        ParameterCase{nullptr, false, 128, 37040}, ParameterCase{"128020", false, 128, 37040},
        ParameterCase{"016005", false, 16, 9260}, ParameterCase{"015005", false, 16, 9260},
        ParameterCase{"8010", false, 16, 18520}, ParameterCase{"200999", false, 200, 1850148},
        ParameterCase{"12a", false, 128, 37040}, ParameterCase{"", false, 128, 37040},
        ParameterCase{" 16005", false, 128, 37040}, ParameterCase{"5", true, 0, 0},
        ParameterCase{"3000", true, 0, 0}, ParameterCase{"4294967296", true, 0, 0},
        ParameterCase{"4294983297", false, 16, 1852}));

// A set-up step that fails leaves the gauge off: no host call on any later service.
class TrafficSetUpFailure : public TrafficGauge, public ::testing::WithParamInterface<size_t> {};

TEST_P(TrafficSetUpFailure, SwitchesTheGaugeOffForGood) {
  const size_t failing_call = GetParam();  // 1 no update variable, 2 no object, 3 no interface
  if (failing_call != 1) CreateTrafficVariables();
  if (failing_call == 2) aircraft().WithholdCallback();
  if (failing_call == 3) aircraft().WithholdInterface();
  ScriptTwoAircraft();
  Lines expected(kSetUp.begin(), kSetUp.begin() + failing_call);
  expected.back() = expected.back().substr(0, expected.back().find("-> ")) +
                    (failing_call == 1 ? "-> -1" : "-> null");
  EXPECT_EQ(Service(), expected);
  CreateTrafficVariables();
  host.SetVariable("ATC traffic update", 1000);
  for (int32_t code : {6, 10, 6}) EXPECT_TRUE(Service(code).empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, TrafficSetUpFailure, ::testing::Values(1, 2, 3));

}  // namespace
