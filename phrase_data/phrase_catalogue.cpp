#include "phrase_catalogue.h"

#include <QString>
#include <array>

namespace phrase_data {

namespace {

constexpr std::array<TopicEntry, 17> Topics{{
    {"Callsign", "dsb\\phonet.dsb"},
    {"Start", "dsb\\start.dsb"},
    {"Thanks for Call", "dsb\\call.dsb"},
    {"Report", "dsb\\report.dsb"},
    {"Name, QTH", "dsb\\name.dsb"},
    {"Equipment", "dsb\\equip.dsb"},
    {"Antenna", "dsb\\ant.dsb"},
    {"Weather", "dsb\\weath.dsb"},
    {"Regulations", "dsb\\regul.dsb"},
    {"Operating", "dsb\\operating.dsb"},
    {"Signal Quality", "dsb\\rst.dsb"},
    {"Conditions", "dsb\\condit.dsb"},
    {"Contests, Awards", "dsb\\contest.dsb"},
    {"Personal", "dsb\\person.dsb"},
    {"QSL", "dsb\\qsl.dsb"},
    {"Address", "dsb\\address.dsb"},
    {"Ending", "dsb\\end.dsb"},
}};

using enum LanguageField;
using enum WidthRule;

// Both proverb dictionaries put the foreign language on the left although their captions
// name Russian first.
constexpr std::array<ReferenceEntry, PhraseCatalogue::ReferenceCount> References{{
    {"Reference-eng", "Clock", "dsb\\clock.dsb", Eng, Rus, HalfSplit},
    {"Reference-eng", "Days", "dsb\\days.dsb", Eng, Rus, HalfSplit},
    {"Reference-eng", "Modal Verbs", "dsb\\engmodal.dsb", Eng, Rus, HalfSplit},
    {"Dictionaries", "Proverbs Rus-Eng", "dsb\\eng.dsb", Eng, Rus, HalfSplit},
    {"Dictionaries", "Slang Eng-Rus", "dsb\\engsl.dsb", Eng, Rus, FifthSplit},
    {"Dictionaries", "Proverbs Rus-Ger", "dsb\\ger.dsb", Ger, Rus, HalfSplit},
    {"Dictionaries", "Slang Ger-Rus", "dsb\\gersl.dsb", Ger, Rus, HalfSplit},
}};

constexpr std::array<LanguageEntry, LanguageFieldCount> Languages{{
    {"Russian", Rus},
    {"Rus (Phonetic)", RusP},
    {"English", Eng},
    {"German", Ger},
    {"French", Fren},
    {"Italian", Ital},
    {"Spanish", Span},
    {"Portuguese", Port},
    {"Japanese", Jap},
}};

constexpr std::array<const char*, LanguageFieldCount> FieldNames{"Rus",  "RusP", "Eng",  "Ger", "Fren",
                                                                 "Ital", "Span", "Port", "Jap"};

} // namespace

std::span<const TopicEntry> PhraseCatalogue::topics()
{
    return Topics;
}

std::span<const ReferenceEntry> PhraseCatalogue::references()
{
    return References;
}

std::span<const LanguageEntry> PhraseCatalogue::languages()
{
    return Languages;
}

std::optional<QByteArray> PhraseCatalogue::topicFile(int index)
{
    if (index < 0 || index >= int(Topics.size())) return std::nullopt;
    return QByteArray(Topics[std::size_t(index)].dataFile);
}

const char* PhraseCatalogue::fieldName(LanguageField field)
{
    return FieldNames[std::size_t(field)];
}

bool PhraseCatalogue::sameFieldName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<LanguageField> PhraseCatalogue::field(const QString& name)
{
    for (const LanguageEntry& language : Languages)
        if (sameFieldName(name, QLatin1String(fieldName(language.field)))) return language.field;
    return std::nullopt;
}

} // namespace phrase_data
