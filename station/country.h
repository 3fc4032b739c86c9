#pragma once

#include <string>

namespace station {

// One country of the country file (a DXCC entity, or a WAE one), with the file's west-positive
// longitude and UTC offset turned around: east and local-time-ahead are positive here.
struct Country {
    std::string name;
    std::string primaryPrefix;
    std::string continent;
    int cqZone = 0;
    int ituZone = 0;
    double latitude = 0;
    double longitude = 0;
    // Local standard time minus UTC, in hours: 9 for Japan, -5 for the eastern United States.
    double utcOffset = 0;
};

} // namespace station
