#include "beam_path.h"

#include "station/great_circle.h"
#include "station/locator.h"

#include <cmath>

namespace station {

std::optional<BeamPath> BeamPath::from(std::string_view locator, GeoPoint to)
{
    const auto here = Locator::centre(locator);
    if (!here) return std::nullopt;
    // 359.6° rounds to 360, which is north again.
    const int heading = int(std::lround(GreatCircle::heading(*here, to))) % 360;
    return BeamPath{heading, int(std::lround(GreatCircle::distanceKm(*here, to)))};
}

} // namespace station
