#pragma once

#include <string>

namespace station {

// The last contact with a station, as the log has it. Dates are YYYYMMDD and times HHMM or
// HHMMSS, as ADIF writes them; name and QTH are ADIF's NAME and QTH, or their _INTL forms when
// the plain ones are missing.
struct AdifContact {
    std::string date;
    std::string time;
    std::string band;
    std::string mode;
    std::string name;
    std::string qth;
};

} // namespace station
