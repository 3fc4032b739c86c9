#pragma once

#include "station/geo_point.h"

#include <optional>
#include <string_view>

namespace station {

// Where to turn the antenna from the operator's locator: the short-path heading in whole
// degrees (0–359) and the distance in whole kilometres.
struct BeamPath {
    int heading = 0;
    int distanceKm = 0;

    // None when the locator is empty or not a locator.
    [[nodiscard]] static std::optional<BeamPath> from(std::string_view locator, GeoPoint to);
};

} // namespace station
