#pragma once

#include "station/geo_point.h"

namespace station {

// The short path between two places on a sphere of the earth's mean radius.
class GreatCircle {
public:
    static constexpr double EarthRadiusKm = 6371.0;

    // The beam heading at from, in degrees clockwise from true north, 0 ≤ heading < 360.
    [[nodiscard]] static double heading(GeoPoint from, GeoPoint to);
    [[nodiscard]] static double distanceKm(GeoPoint from, GeoPoint to);
};

} // namespace station
