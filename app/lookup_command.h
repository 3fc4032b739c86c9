#pragma once

#include <QString>

// tarvolyn --lookup CALL [--from LOCATOR]: one line for the call, from the country file,
// call<TAB>country<TAB>continent<TAB>cq<TAB>itu<TAB>utc_offset_hours<TAB>bearing_deg<TAB>distance_km<TAB>field,
// with bearing and distance from --from or else the station profile's locator (empty without one).
class LookupCommand {
public:
    // 0 found; 1 for a call no country matches; 2 for a bad locator or a country file that
    // cannot be read (the message names it).
    [[nodiscard]] static int run(const QString& call, const QString& fromLocator);
};
