#pragma once

#include "station/geo_point.h"

#include <optional>
#include <string_view>

namespace station {

// Maidenhead locators of 4, 6 or 8 characters ("JO62", "KO85ts", "PM95vr42"), in either case.
class Locator {
public:
    // The centre of the square the locator names; none for anything that is not a locator.
    [[nodiscard]] static std::optional<GeoPoint> centre(std::string_view locator);
    [[nodiscard]] static bool valid(std::string_view locator) { return centre(locator).has_value(); }
};

} // namespace station
