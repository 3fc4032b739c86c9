#include "profile_blanks.h"

namespace station {

void ProfileBlanks::fill(const StationProfile& profile, phrase_data::BlankFiller& filler)
{
    filler.set(u"my_call", {profile.call, {}, {}});
    filler.set(u"my_name", {profile.name, profile.nameCyrillic, profile.nameKatakana});
    filler.set(u"my_qth", {profile.qth, profile.qthCyrillic, profile.qthKatakana});
    filler.set(u"my_region", {profile.region, profile.regionCyrillic, profile.regionKatakana});
    filler.set(u"my_locator", {profile.locator, {}, {}});
    filler.set(u"my_rig", {profile.rig, {}, {}});
    filler.set(u"my_antenna", {profile.antenna, {}, {}});
    filler.set(u"my_power", {profile.power, {}, {}});
}

} // namespace station
