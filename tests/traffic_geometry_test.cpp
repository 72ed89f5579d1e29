// The great-circle geometry between the user's and the other aircraft, tested directly.
#include <gtest/gtest.h>

#include <cmath>

#include "traffic/traffic.h"

namespace {

using traffic::GreatCircleBearing;
using traffic::TrafficRecord;

TrafficRecord At(double latitude, double longitude, double variation = 0.0) {
  return {latitude, longitude, 0.0, variation};
}

// Within `relative` of the expected value; an expected 0 must be met exactly.
::testing::AssertionResult Near(double actual, double expected, double relative) {
  if (std::fabs(actual - expected) <= relative * std::fabs(expected))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actual << " is not within " << relative << " relative of " << expected;
}

struct GoldenPair {
  double user_latitude, user_longitude, user_variation;
  double other_latitude, other_longitude, other_variation;
  double bearing, distance;  // met within 1e-9
};

// Computed by tests/golden/great_circle.py from the formulas, not from the module's code.
// The first two rows are 1 degree north-east and south-west on the equator; the rows with
// variations -270 and 95 give exactly 360 (kept, not wrapped) and 355 (wrapped from -5).
const GoldenPair kGolden[] = {
    {0.0, 0.0, 0.0, 1.0, 1.0, 0.0, 44.99854542603186, 84.85065965712683},
    {0.0, 0.0, 0.0, -1.0, -1.0, 0.0, 224.99854542603185, 84.85065965712683},
    {47.4582, 8.5555, 2.5, 47.2, 8.9, 2.6, 135.32622329873246, 20.887219787943465},
    {51.47, -0.4543, -1.2, 51.6, -0.1, -1.0, 60.564862000810784, 15.35231550405398},
    {40.6413, -73.7781, -13.0, 40.7769, -73.874, -13.1, 344.85426347868923, 9.231412172861324},
    {-33.9399, 151.1753, 12.8, -33.7, 151.3, 12.7, 10.606820360786344, 15.678821976825024},
    {35.5494, 139.7798, -7.5, 35.7647, 140.3864, -7.6, 73.95304198957886, 32.27076628499721},
    {64.13, -21.94, -13.5, 64.0, -22.6, -13.9, 259.4544872659187, 18.994395574395437},
    {-54.8, -68.3, 13.0, -54.9, -68.0, 13.1, 107.02028852011775, 11.974565206740063},
    {1.3644, 103.9915, 0.2, 1.1, 103.7, 0.1, 227.6343274105291, 23.60984103292856},
    {0.0, 179.9, 6.0, 0.1, -179.9, 6.0, 57.43493718737435, 13.416402415830122},
    {10.0, -179.95, 9.0, 9.9, 179.95, 9.0, 215.56584375154011, 8.421708635264965},
    {-20.0, 180.0, 11.0, -20.2, -179.8, 11.0, 125.79905550762135, 16.461868608371965},
    {70.0, 25.0, 10.0, 70.1, 24.7, 10.5, 304.0819421857819, 8.585973542572935},
    {-77.85, 166.67, 150.0, -77.7, 166.2, 150.0, 176.43679273237836, 10.80073749516824},
    {33.9425, -118.4081, 12.0, 33.8, -118.1, 12.0, 107.11991112474189, 17.569491974042588},
    {12.5, 45.25, 2.0, 12.25, 45.1, 2.0, 208.3728184949972, 17.38619153804427},
    {-12.5, -45.25, -21.0, -12.25, -45.1, -21.0, 51.37281849499721, 17.38619153804427},
    {45.0, 5.0, 0.0, 45.2, 5.0, 0.0, 0.0, 12.000000000000398},
    {45.0, 5.0, 0.0, 44.8, 5.0001, 0.0, 179.97970760027718, 12.000000752614941},
    {0.0, 0.0, -270.0, 0.0, 0.25, -270.0, 360.0, 15.0},
    {0.0, 0.0, 95.0, 0.0, 0.25, 95.0, 355.0, 15.0},
    {60.0, -150.0, 20.0, 60.05, -150.3, 20.0, 268.4479698934978, 9.48036968318826},
    {-45.0, 100.0, -30.0, -45.3, 100.3, -30.0, 174.8066151340797, 22.026123228801186},
    {30.1, 31.4, 4.5, 30.1, 31.6, 4.4, 85.55, 10.38181572115951},
};

TEST(GreatCircle, MeetsTheGoldenTableOnThe32BitBuild) {
  for (const GoldenPair& g : kGolden) {
    SCOPED_TRACE(testing::Message() << g.user_latitude << "," << g.user_longitude << " to "
                                    << g.other_latitude << "," << g.other_longitude);
    traffic::BearingDistance r =
        GreatCircleBearing(At(g.user_latitude, g.user_longitude, g.user_variation),
                           At(g.other_latitude, g.other_longitude, g.other_variation));
    EXPECT_TRUE(Near(r.distance, g.distance, 1e-12));
    EXPECT_TRUE(Near(r.bearing, g.bearing, 1e-12));
  }
}

struct BearingCase {
  const char* what;
  TrafficRecord user, other;
  double bearing, distance;  // met within 1e-9
};

TEST(GreatCircle, BearingsAndWraps) {
  const BearingCase cases[] = {
      {"due east less the mean variation", At(0, 0, 4), At(0, 0.5, 6), 85, 30},
      {"due west", At(0, 0.5), At(0, 0), 270, 30},
      {"identical places, no correction", At(12, 34, 10), At(12, 34, 10), 0, 0},
      {"above 360 wraps once", At(0, 0, -280), At(0, 0.5, -280), 10, 30},
      {"half a degree above 360 wraps", At(0, 0, -270.5), At(0, 0.5, -270.5), 0.5, 30},
      {"exactly 0 is kept", At(0, 0, 90), At(0, 0.5, 90), 0, 30},
      {"half a degree below 0 wraps", At(0, 0, 90.5), At(0, 0.5, 90.5), 359.5, 30},
      {"east across the 180th meridian", At(0, 179.75), At(0, -179.75), 90, 30},
      {"west across the 180th meridian", At(0, -179.75), At(0, 179.75), 270, 30},
      {"exactly 180 degrees apart counts as east", At(0, 90), At(0, -90), 90, 10800},
  };
  for (const BearingCase& c : cases) {
    SCOPED_TRACE(c.what);
    traffic::BearingDistance r = GreatCircleBearing(c.user, c.other);
    EXPECT_NEAR(r.bearing, c.bearing, 1e-9);
    EXPECT_NEAR(r.distance, c.distance, 1e-9);
  }
}

// Rounding carries the north-south share a unit past 1 for many such pairs (the first two
// here among them), where the arcsine would give not-a-number.
TEST(GreatCircle, PairsOnOneMeridianGetAFiniteBearing) {
  EXPECT_EQ(GreatCircleBearing(At(-40, 0), At(-39.9, 0)).bearing, 0.0);
  EXPECT_EQ(GreatCircleBearing(At(-39.9, 0), At(-40, 0)).bearing, 180.0);
  for (int step = -160; step <= 160; ++step) {
    double latitude = step * 0.5;
    for (double apart : {0.05, 0.1, 0.25}) {
      double north = GreatCircleBearing(At(latitude, 7), At(latitude + apart, 7)).bearing;
      double south = GreatCircleBearing(At(latitude + apart, 7), At(latitude, 7)).bearing;
      ASSERT_NEAR(north, 0.0, 1e-6) << latitude << " + " << apart;
      ASSERT_NEAR(south, 180.0, 1e-6) << latitude << " + " << apart;
    }
  }
}

}  // namespace
