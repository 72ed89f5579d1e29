// Great-circle distance (haversine) and bearing between two aircraft.
#include <algorithm>
#include <cmath>

#include "traffic/traffic.h"

namespace traffic {
namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
// Twice the nautical miles in one radian when a minute of arc is a nautical mile:
// 2 x 60 x 180 / pi. This is the exact double; 21600 / pi rounds one unit higher.
constexpr double kNauticalMilesPerHalfRadian = 6875.493541569878;
// Closer than this the two aircraft count as one place and no bearing is given.
constexpr double kSamePlace = 0.0001;

// A longitude difference brought into (-180, 180], so that a pair across the 180th meridian
// is seen on the short side.
double WrapLongitude(double degrees) {
  return degrees + 360.0 * std::floor((180.0 - degrees) / 360.0);
}

}  // namespace

BearingDistance GreatCircleBearing(const TrafficRecord& from, const TrafficRecord& to) {
  double phi1 = from.latitude * kRadiansPerDegree, phi2 = to.latitude * kRadiansPerDegree;
  double delta_phi = phi2 - phi1;
  double delta_lambda = to.longitude * kRadiansPerDegree - from.longitude * kRadiansPerDegree;
  double s1 = std::sin(delta_phi / 2), s2 = std::sin(delta_lambda / 2);
  // sin^2 is periodic in 360 degrees of longitude difference, so the plain difference gives
  // the right distance; only the east/west choice below needs the wrapped one.
  double h = std::cos(phi2) * std::cos(phi1) * s2 * s2 + s1 * s1;
  double distance = std::asin(std::sqrt(h)) * kNauticalMilesPerHalfRadian;
  if (!(distance > kSamePlace)) return {0.0, distance};
  // North-south separation over the distance. On one meridian rounding can carry it a unit
  // past 1, where the arcsine has no value; the aircraft is then due north or south.
  double ratio = delta_phi * kDegreesPerRadian * 60 / distance;
  double b = std::asin(std::min(1.0, std::max(-1.0, ratio))) * kDegreesPerRadian;
  double east_west = WrapLongitude(to.longitude - from.longitude);
  double bearing = east_west < 0 || std::isnan(east_west) ? 270 + b : 90 - b;
  bearing -= (from.magnetic_variation + to.magnetic_variation) / 2;
  if (bearing > 360) {
    bearing -= 360;
  } else if (bearing < 0) {
    bearing += 360;
  }
  return {bearing, distance};
}

}  // namespace traffic
