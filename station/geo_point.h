#pragma once

namespace station {

// A place on the earth in degrees: north and east positive.
struct GeoPoint {
    double latitude = 0;
    double longitude = 0;
};

} // namespace station
