#include "contact_blanks.h"

#include "phrase_data/phrase_catalogue.h"
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

QString ContactBlanks::fill(const QString& text, const QString& fieldName) const
{
    return m_filler.fill(text,
                         phrase_data::PhraseCatalogue::field(fieldName).value_or(phrase_data::LanguageField::Eng));
}

void ContactBlanks::take(phrase_data::BlankFiller next)
{
    if (next == m_filler) return;
    m_filler = std::move(next);
    emit changed();
}
