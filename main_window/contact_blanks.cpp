#include "contact_blanks.h"

#include "station/profile_blanks.h"

ContactBlanks::ContactBlanks(QObject* parent)
    : QObject(parent)
{
}

void ContactBlanks::setProfile(const station::StationProfile& profile)
{
    phrase_data::BlankFiller next = m_filler;
    station::ProfileBlanks::fill(profile, next);
    take(std::move(next));
}

bool ContactBlanks::setContact(QStringView slot, const QString& value)
{
    phrase_data::BlankFiller next = m_filler;
    if (!next.set(slot, {value.trimmed(), {}, {}})) return false;
    take(std::move(next));
    return true;
}

void ContactBlanks::take(phrase_data::BlankFiller next)
{
    if (next == m_filler) return;
    m_filler = std::move(next);
    emit changed();
}
