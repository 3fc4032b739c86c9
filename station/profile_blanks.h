#pragma once

#include "phrase_data/blank_filler.h"
#include "station/station_profile.h"

namespace station {

// The blanks the operator's own station fills: my_call, my_name, my_qth, my_region,
// my_locator, my_rig, my_antenna and my_power.
class ProfileBlanks {
public:
    static void fill(const StationProfile& profile, phrase_data::BlankFiller& filler);
};

} // namespace station
