#pragma once

#include "station/call_location.h"
#include "station/country.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace station {

// The country file in the format of hamradio-files' cty.dat: each country is a line of eight
// colon-separated fields (name, CQ zone, ITU zone, continent, latitude, longitude west positive,
// UTC offset west positive, primary prefix) followed by its prefixes and exact calls ("=CALL"),
// comma-separated, up to a ";". A prefix or call may override, for itself, the CQ zone "(n)",
// the ITU zone "[n]", the place "<lat/lon>", the continent "{XX}" and the UTC offset "~h~".
//
// Lookup follows the file's rules: an exact call wins over the prefixes, otherwise the longest
// prefix wins. A call with "/" is read as loggers read it: "/P", "/M", "/MM", "/AM" and "/QRP"
// are dropped, "/digit" moves the call to that call area, and of two parts the shorter is the
// prefix that gives the country (F/DL1ABC and DL1ABC/F are both in France).
class CountryFile {
public:
    static constexpr const char* DebianPath = "/usr/share/hamradio-files/cty.dat";
    // The file the environment's TARVOLYN_COUNTRY_FILE names, else Debian's.
    [[nodiscard]] static std::filesystem::path defaultPath();

    // Reads the file. A file that cannot be read throws StationError naming it; a damaged line
    // is skipped and named in problems() by its line number.
    [[nodiscard]] static CountryFile load(const std::filesystem::path& path);
    [[nodiscard]] static CountryFile parse(std::string_view text, const std::string& fileName);

    [[nodiscard]] std::optional<CallLocation> lookup(std::string_view call) const;

    [[nodiscard]] const std::vector<Country>& countries() const { return m_countries; }
    [[nodiscard]] const std::vector<std::string>& problems() const { return m_problems; }

private:
    // A prefix or exact call with what it overrides of its country.
    struct Entry {
        std::uint16_t country = 0;
        std::optional<int> cqZone;
        std::optional<int> ituZone;
        std::optional<GeoPoint> place;
        std::optional<std::string> continent;
        std::optional<double> utcOffset;
    };

    // Adds the country of a country line; false for a damaged one.
    bool addCountry(std::string_view line);
    // Adds one prefix or exact call of the file; false for a damaged one.
    bool addEntry(std::string_view token, std::uint16_t country);
    [[nodiscard]] const Entry* exact(std::string_view call) const;
    [[nodiscard]] const Entry* longestPrefix(std::string_view call) const;
    [[nodiscard]] const Entry* find(std::string_view call) const;
    [[nodiscard]] CallLocation location(const Entry& entry) const;

    std::vector<Country> m_countries;
    std::unordered_map<std::string, Entry> m_exact;
    std::unordered_map<std::string, Entry> m_prefixes;
    std::size_t m_longestPrefix = 0;
    std::vector<std::string> m_problems;
};

} // namespace station
