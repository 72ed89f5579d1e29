#!/usr/bin/env python3
"""Expected great-circle distances and magnetic bearings for tests/traffic_geometry_test.cpp.

Evaluates the gauge's formulas in Python's doubles, written out here from the formulas and not
from the module's code: the haversine on a sphere where one minute of arc is one nautical mile,
the bearing from the arcsine of the north-south share (clamped to [-1, 1]), east or west by the
longitude difference brought into (-180, 180], less the mean magnetic variation, wrapped once.
Prints the C++ rows of the golden table; rerun and paste when a pair is added.
"""
import math

RAD = 0.017453292519943295
DEG = 57.29577951308232
NM_PER_HALF_RADIAN = 6875.493541569878

# user lat, lon, variation; other lat, lon, variation (degrees)
PAIRS = [
    (0, 0, 0, 1, 1, 0),
    (0, 0, 0, -1, -1, 0),
    (47.4582, 8.5555, 2.5, 47.2, 8.9, 2.6),
    (51.47, -0.4543, -1.2, 51.6, -0.1, -1.0),
    (40.6413, -73.7781, -13.0, 40.7769, -73.874, -13.1),
    (-33.9399, 151.1753, 12.8, -33.7, 151.3, 12.7),
    (35.5494, 139.7798, -7.5, 35.7647, 140.3864, -7.6),
    (64.13, -21.94, -13.5, 64.0, -22.6, -13.9),
    (-54.8, -68.3, 13.0, -54.9, -68.0, 13.1),
    (1.3644, 103.9915, 0.2, 1.1, 103.7, 0.1),
    (0, 179.9, 6.0, 0.1, -179.9, 6.0),
    (10, -179.95, 9.0, 9.9, 179.95, 9.0),
    (-20, 180, 11.0, -20.2, -179.8, 11.0),
    (70, 25, 10.0, 70.1, 24.7, 10.5),
    (-77.85, 166.67, 150.0, -77.7, 166.2, 150.0),
    (33.9425, -118.4081, 12.0, 33.8, -118.1, 12.0),
    (12.5, 45.25, 2.0, 12.25, 45.1, 2.0),
    (-12.5, -45.25, -21.0, -12.25, -45.1, -21.0),
    (45, 5, 0, 45.2, 5, 0),
    (45, 5, 0, 44.8, 5.0001, 0),
    (0, 0, -270, 0, 0.25, -270),
    (0, 0, 95, 0, 0.25, 95),
    (60, -150, 20, 60.05, -150.3, 20),
    (-45, 100, -30, -45.3, 100.3, -30),
    (30.1, 31.4, 4.5, 30.1, 31.6, 4.4),
]


def great_circle(lat1, lon1, var1, lat2, lon2, var2):
    phi1, phi2 = lat1 * RAD, lat2 * RAD
    dphi = phi2 - phi1
    dlambda = lon2 * RAD - lon1 * RAD
    s1, s2 = math.sin(dphi / 2), math.sin(dlambda / 2)
    h = math.cos(phi2) * math.cos(phi1) * s2 * s2 + s1 * s1
    distance = math.asin(math.sqrt(h)) * NM_PER_HALF_RADIAN
    if not distance > 0.0001:
        return 0.0, distance
    ratio = dphi * DEG * 60 / distance
    b = math.asin(min(1.0, max(-1.0, ratio))) * DEG
    east_west = (lon2 - lon1) + 360.0 * math.floor((180.0 - (lon2 - lon1)) / 360.0)
    bearing = 270 + b if east_west < 0 else 90 - b
    bearing -= (var1 + var2) / 2
    if bearing > 360:
        bearing -= 360
    elif bearing < 0:
        bearing += 360
    return bearing, distance


for pair in PAIRS:
    bearing, distance = great_circle(*pair)
    args = ", ".join(repr(float(v)) for v in pair)
    print(f"    {{{args}, {bearing!r}, {distance!r}}},")
