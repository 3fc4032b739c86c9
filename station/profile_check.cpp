#include "profile_check.h"

#include "station/locator.h"

#include <QRegularExpression>

namespace station {

bool ProfileCheck::callSign(const QString& call)
{
    // A prefix of one or two characters with at least one letter, the call area's digits, a
    // suffix of letters; around it an optional "PREFIX/" and "/SUFFIX".
    static const QRegularExpression pattern(
        QStringLiteral(
            "^(?:[A-Z0-9]{1,4}/)?(?:[A-Z]{1,2}|[0-9][A-Z]|[A-Z][0-9])[0-9]{1,4}[A-Z]{1,4}(?:/[A-Z0-9]{1,4})?$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(call).hasMatch();
}

bool ProfileCheck::power(const QString& power)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,6}(?:[.,][0-9]{1,3})?$"));
    return pattern.match(power).hasMatch();
}

std::optional<QString> ProfileCheck::problem(const StationProfile& profile)
{
    if (!profile.call.isEmpty() && !callSign(profile.call))
        return QStringLiteral("Call sign: \"%1\" is not a call sign (such as DL1ABC, F/DL1ABC or DL1ABC/P).")
            .arg(profile.call);
    if (!profile.locator.isEmpty() && !Locator::valid(profile.locator.toStdString()))
        return QStringLiteral("Locator: \"%1\" is not a Maidenhead locator of 4, 6 or 8 characters (such as JO62qm).")
            .arg(profile.locator);
    if (!profile.power.isEmpty() && !power(profile.power))
        return QStringLiteral("Power: \"%1\" is not a number of watts.").arg(profile.power);
    return std::nullopt;
}

} // namespace station
