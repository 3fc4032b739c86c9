#include "country_file.h"

#include "station/country_languages.h"
#include "station/file_bytes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace station {

namespace {

constexpr std::size_t LongestCall = 32;
constexpr std::array<std::string_view, 7> Continents{"AF", "AN", "AS", "EU", "NA", "OC", "SA"};
// Portable, mobile, maritime and aeronautical mobile, low power: none says where the station is.
constexpr std::array<std::string_view, 5> IgnoredSuffixes{"P", "M", "MM", "AM", "QRP"};

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

template <typename Number> std::optional<Number> number(std::string_view text, Number lowest, Number highest)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value >= lowest) ||
        !(value <= highest))
        return std::nullopt;
    return value;
}

bool callCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/';
}

// The call in capitals, or empty for anything that is not made of call-sign characters.
std::string normalisedCall(std::string_view call)
{
    call = trimmed(call);
    if (call.size() > LongestCall) return {};
    std::string result;
    result.reserve(call.size());
    for (char c : call) {
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        if (!callCharacter(c)) return {};
        result += c;
    }
    return result;
}

bool singleDigit(std::string_view part)
{
    return part.size() == 1 && part[0] >= '0' && part[0] <= '9';
}

// The call moved to another call area: its last digit, the one before the suffix, replaced.
std::string inCallArea(std::string_view call, char area)
{
    std::string moved(call);
    const auto digit = moved.find_last_of("0123456789");
    if (digit != std::string::npos) moved[digit] = area;
    return moved;
}

} // namespace

std::filesystem::path CountryFile::defaultPath()
{
    const char* chosen = std::getenv("TARVOLYN_COUNTRY_FILE");
    return chosen != nullptr && *chosen != '\0' ? std::filesystem::path(chosen) : std::filesystem::path(DebianPath);
}

CountryFile CountryFile::load(const std::filesystem::path& path)
{
    return parse(fileBytes(path, "the country file"), path.string());
}

CountryFile CountryFile::parse(std::string_view text, const std::string& fileName)
{
    CountryFile file;
    const auto problem = [&](std::size_t line, const std::string& what) {
        file.m_problems.push_back(fileName + ":" + std::to_string(line) + ": " + what);
    };

    bool inCountry = false; // between a country's line and its ";"
    bool skipping = false;  // the country's line was damaged: its prefixes go with it
    std::size_t countryLine = 0;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (trimmed(line).empty()) continue;

        // A country's line starts at the margin; its prefixes are indented.
        if (line.front() != ' ' && line.front() != '\t') {
            if (inCountry && !skipping) problem(countryLine, "the country's list of prefixes does not end with \";\"");
            inCountry = true;
            countryLine = lineNumber;
            skipping = !file.addCountry(line);
            if (skipping) problem(lineNumber, "damaged country line");
            continue;
        }
        if (!inCountry) {
            problem(lineNumber, "prefixes without a country line");
            continue;
        }

        const auto semicolon = line.find(';');
        if (semicolon != std::string_view::npos) {
            line = line.substr(0, semicolon);
            inCountry = false;
        }
        if (skipping) continue;
        const auto country = std::uint16_t(file.m_countries.size() - 1);
        bool damaged = false;
        while (!line.empty()) {
            const auto comma = line.find(',');
            const std::string_view token = trimmed(line.substr(0, comma));
            line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
            if (token.empty()) continue;
            if (!file.addEntry(token, country)) damaged = true;
        }
        if (damaged) problem(lineNumber, "damaged prefix or call skipped");
    }
    if (inCountry && !skipping) problem(countryLine, "the country's list of prefixes does not end with \";\"");
    return file;
}

bool CountryFile::addCountry(std::string_view line)
{
    if (m_countries.size() > std::numeric_limits<std::uint16_t>::max()) return false;
    std::array<std::string_view, 8> fields;
    std::size_t count = 0;
    std::string_view rest = line;
    for (auto colon = rest.find(':'); colon != std::string_view::npos && count < fields.size();
         colon = rest.find(':')) {
        fields.at(count++) = trimmed(rest.substr(0, colon));
        rest.remove_prefix(colon + 1);
    }
    const auto cq = number(fields[1], 1, 40);
    const auto itu = number(fields[2], 1, 90);
    const auto latitude = number(fields[4], -90.0, 90.0);
    const auto longitude = number(fields[5], -180.0, 180.0);
    const auto offset = number(fields[6], -14.0, 14.0);
    const bool continent = std::find(Continents.begin(), Continents.end(), fields[3]) != Continents.end();
    if (count != fields.size() || !trimmed(rest).empty() || fields[0].empty() || fields[7].empty() || !cq || !itu ||
        !continent || !latitude || !longitude || !offset)
        return false;
    // The file writes longitudes and time zones west positive.
    m_countries.push_back(Country{std::string(fields[0]), std::string(fields[7]), std::string(fields[3]), *cq, *itu,
                                  *latitude, -*longitude, -*offset});
    return true;
}

bool CountryFile::addEntry(std::string_view token, std::uint16_t country)
{
    const bool isExact = token.front() == '=';
    if (isExact) token.remove_prefix(1);
    const auto overrides = token.find_first_of("([<{~");
    const std::string call = normalisedCall(token.substr(0, overrides));
    if (call.empty()) return false;

    Entry entry{country, {}, {}, {}, {}, {}};
    std::string_view rest = overrides == std::string_view::npos ? std::string_view() : token.substr(overrides);
    while (!rest.empty()) {
        const char open = rest.front();
        const char close = open == '(' ? ')' : open == '[' ? ']' : open == '<' ? '>' : open == '{' ? '}' : '~';
        const auto closing = rest.find(close, 1);
        if (closing == std::string_view::npos) return false;
        const std::string_view value = rest.substr(1, closing - 1);
        rest.remove_prefix(closing + 1);
        if (open == '(') {
            entry.cqZone = number(value, 1, 40);
            if (!entry.cqZone) return false;
        } else if (open == '[') {
            entry.ituZone = number(value, 1, 90);
            if (!entry.ituZone) return false;
        } else if (open == '<') {
            const auto slash = value.find('/');
            const auto latitude = number(value.substr(0, slash), -90.0, 90.0);
            const auto longitude =
                slash == std::string_view::npos ? std::nullopt : number(value.substr(slash + 1), -180.0, 180.0);
            if (!latitude || !longitude) return false;
            entry.place = GeoPoint{*latitude, -*longitude};
        } else if (open == '{') {
            if (std::find(Continents.begin(), Continents.end(), value) == Continents.end()) return false;
            entry.continent = std::string(value);
        } else if (open == '~') {
            const auto offset = number(value, -14.0, 14.0);
            if (!offset) return false;
            entry.utcOffset = -*offset;
        } else {
            return false;
        }
    }
    if (isExact) {
        m_exact.emplace(call, std::move(entry));
    } else {
        m_longestPrefix = std::max(m_longestPrefix, call.size());
        m_prefixes.emplace(call, std::move(entry));
    }
    return true;
}

const CountryFile::Entry* CountryFile::exact(std::string_view call) const
{
    const auto found = m_exact.find(std::string(call));
    return found == m_exact.end() ? nullptr : &found->second;
}

const CountryFile::Entry* CountryFile::longestPrefix(std::string_view call) const
{
    std::string prefix(call.substr(0, std::min(call.size(), m_longestPrefix)));
    for (; !prefix.empty(); prefix.pop_back()) {
        const auto found = m_prefixes.find(prefix);
        if (found != m_prefixes.end()) return &found->second;
    }
    return nullptr;
}

const CountryFile::Entry* CountryFile::find(std::string_view call) const
{
    const Entry* entry = exact(call);
    return entry != nullptr ? entry : longestPrefix(call);
}

std::optional<CallLocation> CountryFile::lookup(std::string_view text) const
{
    const std::string call = normalisedCall(text);
    if (call.empty()) return std::nullopt;
    if (const Entry* entry = exact(call)) return location(*entry);

    std::vector<std::string_view> parts;
    for (std::string_view rest = call; !rest.empty();) {
        const auto slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest.remove_prefix(slash == std::string_view::npos ? rest.size() : slash + 1);
        const bool ignored =
            !parts.empty() && std::find(IgnoredSuffixes.begin(), IgnoredSuffixes.end(), part) != IgnoredSuffixes.end();
        if (!part.empty() && !ignored) parts.push_back(part);
    }
    if (parts.empty()) return std::nullopt;

    const Entry* entry = nullptr;
    if (parts.size() == 1) {
        entry = find(parts[0]);
    } else if (singleDigit(parts[1])) {
        entry = find(inCallArea(parts[0], parts[1][0]));
    } else {
        // Of a prefix and a call, the prefix is the shorter part; a tie goes to the first.
        const bool firstIsPrefix = parts[0].size() <= parts[1].size();
        const std::string_view prefix = firstIsPrefix ? parts[0] : parts[1];
        entry = longestPrefix(prefix);
        if (entry == nullptr) entry = find(firstIsPrefix ? parts[1] : parts[0]);
    }
    if (entry == nullptr) return std::nullopt;
    return location(*entry);
}

CallLocation CountryFile::location(const Entry& entry) const
{
    const Country& country = m_countries[entry.country];
    return CallLocation{country.name,
                        country.primaryPrefix,
                        entry.continent.value_or(country.continent),
                        entry.cqZone.value_or(country.cqZone),
                        entry.ituZone.value_or(country.ituZone),
                        entry.place.value_or(GeoPoint{country.latitude, country.longitude}),
                        entry.utcOffset.value_or(country.utcOffset),
                        CountryLanguages::field(country.primaryPrefix)};
}

} // namespace station
