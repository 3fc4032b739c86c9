#include "great_circle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace station {

namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

} // namespace

double GreatCircle::heading(GeoPoint from, GeoPoint to)
{
    const double phi1 = radians(from.latitude);
    const double phi2 = radians(to.latitude);
    const double lambda = radians(to.longitude - from.longitude);
    const double y = std::sin(lambda) * std::cos(phi2);
    const double x = std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(lambda);
    const double degrees = std::atan2(y, x) * 180.0 / std::numbers::pi;
    const double heading = std::fmod(degrees + 360.0, 360.0);
    return heading >= 360.0 ? 0.0 : heading;
}

double GreatCircle::distanceKm(GeoPoint from, GeoPoint to)
{
    // Haversine: stays accurate for short paths, where the law of cosines loses its digits.
    const double dPhi = radians(to.latitude - from.latitude);
    const double dLambda = radians(to.longitude - from.longitude);
    const double a = std::pow(std::sin(dPhi / 2), 2) + std::cos(radians(from.latitude)) *
                                                           std::cos(radians(to.latitude)) *
                                                           std::pow(std::sin(dLambda / 2), 2);
    return 2 * EarthRadiusKm * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

} // namespace station
