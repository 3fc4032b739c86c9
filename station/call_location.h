#pragma once

#include "station/geo_point.h"

#include <string>
#include <string_view>

namespace station {

// What the country file says about one call sign: its country, with the zones, continent,
// place and time that an exact entry or a prefix may override for that call.
struct CallLocation {
    std::string country;
    std::string primaryPrefix;
    std::string continent;
    int cqZone = 0;
    int ituZone = 0;
    GeoPoint place;
    double utcOffset = 0;
    // The language field an operator there most likely speaks ("Jap", "Rus", ..., "Eng").
    std::string_view field;
};

} // namespace station
