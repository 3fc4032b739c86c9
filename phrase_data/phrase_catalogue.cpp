#include "phrase_catalogue.h"

#include <QString>
#include <array>

namespace phrase_data {

namespace {

constexpr std::array<TopicEntry, 17> Topics{{
    {0, "Callsign", "dsb\\phonet.dsb"},
    {1, "Start", "dsb\\start.dsb"},
    {2, "Thanks for Call", "dsb\\call.dsb"},
    {3, "Report", "dsb\\report.dsb"},
    {4, "Name, QTH", "dsb\\name.dsb"},
    {5, "Equipment", "dsb\\equip.dsb"},
    {6, "Antenna", "dsb\\ant.dsb"},
    {7, "Weather", "dsb\\weath.dsb"},
    {8, "Regulations", "dsb\\regul.dsb"},
    {9, "Operating", "dsb\\operating.dsb"},
    {10, "Signal Quality", "dsb\\rst.dsb"},
    {11, "Conditions", "dsb\\condit.dsb"},
    {12, "Contests, Awards", "dsb\\contest.dsb"},
    {13, "Personal", "dsb\\person.dsb"},
    {14, "QSL", "dsb\\qsl.dsb"},
    {15, "Address", "dsb\\address.dsb"},
    {16, "Ending", "dsb\\end.dsb"},
}};

using enum LanguageField;
using enum WidthRule;

// Both proverb dictionaries put the foreign language on the left although their captions
// name Russian first.
constexpr std::array<ReferenceEntry, 7> References{{
    {"Reference-eng", "Clock", "dsb\\clock.dsb", Eng, Rus, HalfSplit},
    {"Reference-eng", "Days", "dsb\\days.dsb", Eng, Rus, HalfSplit},
    {"Reference-eng", "Modal Verbs", "dsb\\engmodal.dsb", Eng, Rus, HalfSplit},
    {"Dictionaries", "Proverbs Rus-Eng", "dsb\\eng.dsb", Eng, Rus, HalfSplit},
    {"Dictionaries", "Slang Eng-Rus", "dsb\\engsl.dsb", Eng, Rus, FifthSplit},
    {"Dictionaries", "Proverbs Rus-Ger", "dsb\\ger.dsb", Ger, Rus, HalfSplit},
    {"Dictionaries", "Slang Ger-Rus", "dsb\\gersl.dsb", Ger, Rus, HalfSplit},
}};

constexpr std::array<LanguageEntry, 9> Languages{{
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

constexpr std::array<const char*, 9> FieldNames{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};

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

const ReferenceEntry& PhraseCatalogue::reference(ReferenceCommand command)
{
    return References[std::size_t(command)];
}

const char* PhraseCatalogue::fieldName(LanguageField field)
{
    return FieldNames[std::size_t(field)];
}

std::optional<LanguageField> PhraseCatalogue::field(const QString& name)
{
    for (const LanguageEntry& language : Languages)
        if (name.compare(QLatin1String(fieldName(language.field)), Qt::CaseInsensitive) == 0) return language.field;
    return std::nullopt;
}

} // namespace phrase_data
