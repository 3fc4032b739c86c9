#include "country_languages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace station {

namespace {

using Entry = std::pair<std::string_view, std::string_view>;

// Sorted by prefix for the binary search below.
constexpr auto Table = std::to_array<Entry>({
    {"1A", "Ital"},    // Sovereign Military Order of Malta, in Rome
    {"3A", "Fren"},    // Monaco
    {"3C", "Span"},    // Equatorial Guinea
    {"3C0", "Span"},   // Annobon
    {"3X", "Fren"},    // Guinea
    {"5U", "Fren"},    // Niger
    {"5V", "Fren"},    // Togo
    {"6W", "Fren"},    // Senegal
    {"9Q", "Fren"},    // Dem. Rep. of the Congo
    {"C9", "Port"},    // Mozambique
    {"CE", "Span"},    // Chile
    {"CE0X", "Span"},  // San Felix & San Ambrosio
    {"CE0Y", "Span"},  // Easter Island
    {"CE0Z", "Span"},  // Juan Fernandez
    {"CM", "Span"},    // Cuba
    {"CP", "Span"},    // Bolivia
    {"CT", "Port"},    // Portugal
    {"CT3", "Port"},   // Madeira
    {"CU", "Port"},    // Azores
    {"CX", "Span"},    // Uruguay
    {"D2", "Port"},    // Angola
    {"D4", "Port"},    // Cape Verde
    {"DL", "Ger"},     // Germany
    {"EA", "Span"},    // Spain
    {"EA6", "Span"},   // Balearic Islands
    {"EA8", "Span"},   // Canary Islands
    {"EA9", "Span"},   // Ceuta & Melilla
    {"EU", "Rus"},     // Belarus
    {"EX", "Rus"},     // Kyrgyzstan
    {"F", "Fren"},     // France
    {"FG", "Fren"},    // Guadeloupe
    {"FH", "Fren"},    // Mayotte
    {"FJ", "Fren"},    // St. Barthelemy
    {"FK", "Fren"},    // New Caledonia
    {"FK/c", "Fren"},  // Chesterfield Islands
    {"FM", "Fren"},    // Martinique
    {"FO", "Fren"},    // French Polynesia
    {"FO/a", "Fren"},  // Austral Islands
    {"FO/c", "Fren"},  // Clipperton
    {"FO/m", "Fren"},  // Marquesas
    {"FP", "Fren"},    // St. Pierre & Miquelon
    {"FR", "Fren"},    // Reunion
    {"FS", "Fren"},    // St. Martin
    {"FT/g", "Fren"},  // Glorioso
    {"FT/j", "Fren"},  // Juan de Nova, Europa
    {"FT/t", "Fren"},  // Tromelin
    {"FT/w", "Fren"},  // Crozet
    {"FT/x", "Fren"},  // Kerguelen
    {"FT/z", "Fren"},  // Amsterdam & St. Paul
    {"FW", "Fren"},    // Wallis & Futuna
    {"FY", "Fren"},    // French Guiana
    {"HB", "Ger"},     // Switzerland: German is its most spoken language
    {"HB0", "Ger"},    // Liechtenstein
    {"HC", "Span"},    // Ecuador
    {"HC8", "Span"},   // Galapagos
    {"HH", "Fren"},    // Haiti
    {"HI", "Span"},    // Dominican Republic
    {"HK", "Span"},    // Colombia
    {"HK0/a", "Span"}, // San Andres & Providencia
    {"HK0/m", "Span"}, // Malpelo
    {"HP", "Span"},    // Panama
    {"HR", "Span"},    // Honduras
    {"HV", "Ital"},    // Vatican City
    {"I", "Ital"},     // Italy
    {"IG9", "Ital"},   // African Italy
    {"IS", "Ital"},    // Sardinia
    {"IT9", "Ital"},   // Sicily
    {"J5", "Port"},    // Guinea-Bissau
    {"JA", "Jap"},     // Japan
    {"JD/m", "Jap"},   // Minami Torishima
    {"JD/o", "Jap"},   // Ogasawara
    {"KP4", "Span"},   // Puerto Rico
    {"LU", "Span"},    // Argentina
    {"OA", "Span"},    // Peru
    {"OE", "Ger"},     // Austria
    {"PY", "Port"},    // Brazil
    {"PY0F", "Port"},  // Fernando de Noronha
    {"PY0S", "Port"},  // St. Peter & St. Paul
    {"PY0T", "Port"},  // Trindade & Martim Vaz
    {"R1FJ", "Rus"},   // Franz Josef Land
    {"S9", "Port"},    // Sao Tome & Principe
    {"T7", "Ital"},    // San Marino
    {"TG", "Span"},    // Guatemala
    {"TI", "Span"},    // Costa Rica
    {"TI9", "Span"},   // Cocos Island
    {"TK", "Fren"},    // Corsica
    {"TL", "Fren"},    // Central African Republic
    {"TN", "Fren"},    // Republic of the Congo
    {"TR", "Fren"},    // Gabon
    {"TT", "Fren"},    // Chad
    {"TU", "Fren"},    // Cote d'Ivoire
    {"TY", "Fren"},    // Benin
    {"TZ", "Fren"},    // Mali
    {"UA", "Rus"},     // European Russia
    {"UA2", "Rus"},    // Kaliningrad
    {"UA9", "Rus"},    // Asiatic Russia
    {"UN", "Rus"},     // Kazakhstan
    {"XE", "Span"},    // Mexico
    {"XF4", "Span"},   // Revillagigedo
    {"XT", "Fren"},    // Burkina Faso
    {"YN", "Span"},    // Nicaragua
    {"YS", "Span"},    // El Salvador
    {"YV", "Span"},    // Venezuela
    {"YV0", "Span"},   // Aves Island
    {"ZP", "Span"},    // Paraguay
});

static_assert(std::is_sorted(Table.begin(), Table.end()));

} // namespace

std::string_view CountryLanguages::field(std::string_view primaryPrefix)
{
    if (primaryPrefix.starts_with('*')) primaryPrefix.remove_prefix(1);
    const auto* found = std::lower_bound(Table.begin(), Table.end(), primaryPrefix,
                                         [](const Entry& entry, std::string_view key) { return entry.first < key; });
    return found != Table.end() && found->first == primaryPrefix ? found->second : std::string_view("Eng");
}

} // namespace station
