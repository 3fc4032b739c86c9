#pragma once

#include "station/station_profile.h"

#include <QString>
#include <optional>

namespace station {

// What a station profile must be before it is saved: a call sign with an optional prefix or
// suffix ("DL1ABC", "F/DL1ABC", "DL1ABC/P"), a Maidenhead locator of 4, 6 or 8 characters, a
// power that is a number. Empty fields are allowed.
class ProfileCheck {
public:
    // None for a good profile; otherwise a message that names the refused field.
    [[nodiscard]] static std::optional<QString> problem(const StationProfile& profile);

    [[nodiscard]] static bool callSign(const QString& call);
    [[nodiscard]] static bool power(const QString& power);
};

} // namespace station
