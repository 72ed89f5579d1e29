// Which aircraft the traffic scan picks from the host's list, and how much it asks for.
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "tests/traffic_panel.h"

namespace {

using Lines = std::vector<std::string>;
using Ids = std::vector<uint32_t>;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// One scripted aircraft. Its altitude is 100 x id, so "ATC traffic alt" tells which one the
// gauge chose.
struct Plane {
  uint32_t id;
  bool user;
  bool engine;
  const char* failing = nullptr;  // a property whose reads fail
};

class TrafficScan : public TrafficPanel {
 protected:
  void SetUp() override {
    TrafficPanel::SetUp();
    CreateTrafficVariables();
    Service();
  }
  void Script(const std::vector<Plane>& planes) {
    for (const Plane& p : planes) {
      aircraft().AddAircraft(p.id, p.id * 0.001, 0, p.id * 100.0);
      aircraft().SetUser(p.id, p.user);
      aircraft().SetEngine(p.id, p.engine);
      if (p.failing) aircraft().FailRead(p.id, p.failing);
    }
  }
  // Aircraft in the order the scan asked whether they are the user's.
  static Ids Visited(const Lines& calls) {
    Ids ids;
    for (const std::string& line : calls)
      if (line.find("\"IS USER SIM\"") != std::string::npos)
        ids.push_back(std::strtoul(line.c_str() + line.find("aircraft ") + 9, nullptr, 10));
    return ids;
  }
  // The count asked of each ListAircraftInRadius call.
  static Ids Asked(const Lines& calls) {
    Ids asked;
    for (const std::string& line : Starting(calls, "ListAircraftInRadius("))
      asked.push_back(std::strtoul(line.c_str() + line.find(", ") + 2, nullptr, 10));
    return asked;
  }
};

const bool U = true, O = false, On = true, Off = false;

struct SelectionCase {
  const char* what;
  std::vector<Plane> planes;
  bool traffic_flag;
  double state;
  double altitude;  // of the chosen other aircraft; -5 (the panel's own value) when unwritten
  Ids visited;
  size_t combustion_reads;
};

class TrafficSelection : public TrafficScan, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(TrafficSelection, PicksTheUserAndOneOtherAircraftInTheHostsOrder) {
  const SelectionCase& c = GetParam();
  SCOPED_TRACE(c.what);
  Script(c.planes);
  aircraft().SetTrafficFlag(c.traffic_flag);
  Lines calls = Run();
  EXPECT_EQ(Visited(calls), c.visited);
  EXPECT_EQ(Starting(calls, "ListAircraftInRadius").size(), 1u);
  size_t combustion = 0;
  for (const std::string& line : calls) combustion += line.find("COMBUSTION") != std::string::npos;
  EXPECT_EQ(combustion, c.combustion_reads);
  EXPECT_EQ(host.Variable("ATC traffic state"), c.state);
  EXPECT_EQ(host.Variable("ATC traffic alt"), c.altitude);
  // Nothing found: dir, dist and alt keep the panel's values.
  if (c.state == 0) {
    EXPECT_EQ(Starting(calls, "SetNamedVariable").size(), 2u);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TrafficSelection,
    ::testing::Values(SelectionCase{"two others before the user: the second",
                                    {{2, O, On}, {3, O, On}, {1, U, On}},
                                    false,
                                    1,
                                    300,
                                    {2, 3, 1},
                                    2},
                      SelectionCase{"user first: the first other after it, then stop",
                                    {{1, U, On}, {2, O, On}, {3, O, On}},
                                    false,
                                    1,
                                    200,
                                    {1, 2},
                                    1},
                      SelectionCase{"an engine that is off is skipped",
                                    {{1, U, On}, {2, O, Off}, {3, O, On}},
                                    false,
                                    1,
                                    300,
                                    {1, 2, 3},
                                    2},
                      SelectionCase{"the user's engine is never asked",
                                    {{1, U, Off}, {2, O, On}},
                                    false,
                                    1,
                                    200,
                                    {1, 2},
                                    1},
                      SelectionCase{"traffic flag: no engine asked, state 2",
                                    {{1, U, On}, {2, O, Off}},
                                    true,
                                    2,
                                    200,
                                    {1, 2},
                                    0},
                      SelectionCase{"no user: the list to its end, nothing written",
                                    {{2, O, On}, {3, O, On}},
                                    false,
                                    0,
                                    -5,
                                    {2, 3},
                                    2},
                      SelectionCase{"no aircraft", {}, false, 0, -5, {}, 0},
                      SelectionCase{"a failed position read skips it, the earlier pick stays",
                                    {{2, O, On}, {3, O, On, "PLANE ALTITUDE"}, {1, U, On}},
                                    false,
                                    1,
                                    200,
                                    {2, 3, 1},
                                    2},
                      SelectionCase{"a failed user read skips it",
                                    {{1, U, On, "IS USER SIM"}, {2, O, On}},
                                    false,
                                    0,
                                    -5,
                                    {1, 2},
                                    1},
                      SelectionCase{"a failed engine read skips it",
                                    {{1, U, On}, {2, O, On, "ENG COMBUSTION"}, {3, O, On}},
                                    false,
                                    1,
                                    300,
                                    {1, 2, 3},
                                    2},
                      SelectionCase{"a failed variation read does not skip it",
                                    {{1, U, On}, {2, O, On, "MAGVAR"}},
                                    false,
                                    1,
                                    200,
                                    {1, 2},
                                    1},
                      SelectionCase{"a failed latitude read skips the user",
                                    {{1, U, On, "PLANE LATITUDE"}, {2, O, On}},
                                    false,
                                    0,
                                    -5,
                                    {1, 2},
                                    1}));

TEST_F(TrafficScan, TheUserRecordIsTheLastUserBeforeTheFirstOther) {
  // Three aircraft on the equator, 0, 6 and 18 nautical miles east of the first, on which the
  // host centres: 1 to 2 and 2 to 3 are told apart by their distance.
  aircraft().AddAircraft(1, 0, 0, 0);
  aircraft().AddAircraft(2, 0, 0.1, 0);
  aircraft().AddAircraft(3, 0, 0.3, 0);
  aircraft().SetUser(1);
  aircraft().SetValue(2, "IS USER SIM", kNaN);  // anything but an exact 0 is the user
  Run();
  EXPECT_NEAR(host.Variable("ATC traffic dist"), 12.0, 1e-9);
  EXPECT_NEAR(host.Variable("ATC traffic dir"), 90.0, 1e-9);
}

TEST_F(TrafficScan, AMissingVariationIsTheUsersOrNone) {
  struct Case {
    double user, other;  // NaN: the host gives none
    double bearing;      // due east less the mean
  } cases[] = {{10, 20, 75}, {kNaN, 20, 80}, {10, kNaN, 80}, {kNaN, kNaN, 90}, {-10, kNaN, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.user << " " << c.other);
    aircraft().AddAircraft(1, 0, 0, 0);
    aircraft().AddAircraft(2, 0, 0.1, 0);
    aircraft().SetUser(1);
    for (uint32_t id : {1u, 2u}) {
      double variation = id == 1 ? c.user : c.other;
      aircraft().SetValue(id, "MAGVAR", variation);
      if (std::isnan(variation)) aircraft().FailRead(id, "MAGVAR");
    }
    Run();
    EXPECT_NEAR(host.Variable("ATC traffic dir"), c.bearing, 1e-9);
  }
}

// The ids each run asks for, as the host's answers steer them.
struct QueryCase {
  const char* what;
  uint32_t others;  // listed before the user
  bool user;
  Ids asked;
};

class TrafficQueryCount : public TrafficScan, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(TrafficQueryCount, FollowsHowFullTheListCameBack) {
  const QueryCase& c = GetParam();
  SCOPED_TRACE(c.what);
  for (uint32_t id = 1; id <= c.others; ++id) aircraft().AddAircraft(id, 0, id * 1e-4, 0);
  if (c.user) {
    aircraft().AddAircraft(1000, 0, 0, 0);
    aircraft().SetUser(1000);
  }
  Lines calls;
  for (size_t run = 0; run < c.asked.size(); ++run) {
    Lines one = Run();
    calls.insert(calls.end(), one.begin(), one.end());
  }
  EXPECT_EQ(Asked(calls), c.asked);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TrafficQueryCount,
    ::testing::Values(
        QueryCase{
            "nothing found in full lists: doubles to 128", 200, false, {8, 16, 32, 64, 128, 128}},
        QueryCase{"found in a full list: never doubles", 7, true, {8, 8, 8}},
        QueryCase{"the user alone: halves to 2", 0, true, {8, 4, 2, 2}},
        QueryCase{"an empty list: halves to 2, never below", 0, false, {8, 4, 2, 2}},
        QueryCase{"found in a short list: halves while under half", 1, true, {8, 4, 4}}));

// A misbehaving host reports more ids than it was asked for (and wrote); the scan visits only
// the asked-for entries, also when the array is full, and counts the list as full.
TEST_F(TrafficScan, MoreIdsThanAskedAreNotRead) {
  for (uint32_t id = 1; id <= 200; ++id) aircraft().AddAircraft(id, 0, id * 1e-4, 0);
  aircraft().ReturnExtraIds(7);
  for (uint32_t asked : {8u, 16u, 32u, 64u, 128u, 128u}) {
    Lines calls = Run();
    Ids expected;
    for (uint32_t id = 1; id <= asked; ++id) expected.push_back(id);
    EXPECT_EQ(Visited(calls), expected);
    EXPECT_EQ(Asked(calls), Ids{asked});
  }
}

}  // namespace
