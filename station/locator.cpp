#include "locator.h"

namespace station {

namespace {

// Each pair of characters divides the square of the pair before it: fields of 20°×10° (A–R),
// squares of 2°×1° (0–9), subsquares of 5'×2.5' (A–X), extended squares of 30"×15" (0–9).
struct Division {
    char first;
    int count;
};
constexpr Division Divisions[] = {{'A', 18}, {'0', 10}, {'A', 24}, {'0', 10}};

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

std::optional<GeoPoint> Locator::centre(std::string_view locator)
{
    if (locator.size() != 4 && locator.size() != 6 && locator.size() != 8) return std::nullopt;
    double longitude = -180;
    double latitude = -90;
    double width = 360;
    double height = 180;
    for (std::size_t pair = 0; pair < locator.size() / 2; ++pair) {
        const Division division = Divisions[pair];
        const int east = upper(locator[2 * pair]) - division.first;
        const int north = upper(locator[2 * pair + 1]) - division.first;
        if (east < 0 || east >= division.count || north < 0 || north >= division.count) return std::nullopt;
        width /= division.count;
        height /= division.count;
        longitude += east * width;
        latitude += north * height;
    }
    return GeoPoint{latitude + height / 2, longitude + width / 2};
}

} // namespace station
