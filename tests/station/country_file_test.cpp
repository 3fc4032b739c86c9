// The country lookup over a country file of the project's own (data/sample-cty.dat), its damaged
// lines, and the same rules over Debian's file when it is installed.
#include "station/beam_path.h"
#include "station/country_file.h"
#include "station/country_languages.h"
#include "station/locator.h"
#include "station/station_error.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using station::CountryFile;

namespace {

const CountryFile& sample()
{
    static const CountryFile file = CountryFile::load(STATION_TEST_DATA "/sample-cty.dat");
    return file;
}

struct CallCase {
    const char* call;
    const char* country; // nullptr: no country matches
    const char* continent;
    int cq;
    int itu;
    double utcOffset;
    const char* field;
};

void PrintTo(const CallCase& each, std::ostream* out)
{
    *out << each.call;
}

class Lookup : public testing::TestWithParam<CallCase> {};

TEST_P(Lookup, GivesTheCountryItsZonesAndTime)
{
    const CallCase& expected = GetParam();
    const auto found = sample().lookup(expected.call);
    if (expected.country == nullptr) {
        EXPECT_FALSE(found.has_value());
        return;
    }
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->country, expected.country);
    EXPECT_EQ(found->continent, expected.continent);
    EXPECT_EQ(found->cqZone, expected.cq);
    EXPECT_EQ(found->ituZone, expected.itu);
    EXPECT_DOUBLE_EQ(found->utcOffset, expected.utcOffset);
    EXPECT_EQ(found->field, expected.field);
}

INSTANTIATE_TEST_SUITE_P(
    Sample, Lookup,
    testing::Values(
        // Plain prefixes, across the continents; the longest one wins.
        CallCase{"JA1ABC", "Japan", "AS", 25, 45, 9, "Jap"}, CallCase{"7k1xyz", "Japan", "AS", 25, 45, 9, "Jap"},
        CallCase{"JD1ABC", "Ogasawara", "AS", 27, 45, 9, "Jap"},
        CallCase{"UA3ABC", "European Russia", "EU", 16, 29, 4, "Rus"},
        CallCase{"UA2FZ", "Kaliningrad", "EU", 15, 29, 3, "Rus"},
        CallCase{"RA9ABC", "Asiatic Russia", "AS", 17, 30, 7, "Rus"},
        CallCase{"DL1ABC", "Fed. Rep. of Germany", "EU", 14, 28, 1, "Ger"},
        CallCase{"OE1XYZ", "Austria", "EU", 15, 28, 1, "Ger"}, CallCase{"F5ABC", "France", "EU", 14, 27, 1, "Fren"},
        CallCase{"TK5XX", "Corsica", "EU", 15, 28, 1, "Fren"}, CallCase{"I2ABC", "Italy", "EU", 15, 28, 1, "Ital"},
        CallCase{"IT9ABC", "Sicily", "EU", 15, 28, 1, "Ital"}, CallCase{"EA4ABC", "Spain", "EU", 14, 37, 1, "Span"},
        CallCase{"EA8XYZ", "Canary Islands", "AF", 33, 36, 0, "Span"},
        CallCase{"CT1ABC", "Portugal", "EU", 14, 37, 0, "Port"}, CallCase{"PY2ABC", "Brazil", "SA", 11, 15, -3, "Port"},
        CallCase{"LU1ABC", "Argentina", "SA", 13, 14, -3, "Span"},
        CallCase{"XE1ABC", "Mexico", "NA", 6, 10, -6, "Span"},
        CallCase{"XF4ABC", "Revillagigedo", "NA", 6, 10, -7, "Span"},
        CallCase{"W1AW", "United States of America", "NA", 5, 8, -5, "Eng"},
        CallCase{"KH6ABC", "Hawaii", "OC", 31, 61, -10, "Eng"}, CallCase{"KL7ABC", "Alaska", "NA", 1, 1, -8, "Eng"},
        CallCase{"VE3ABC", "Canada", "NA", 5, 9, -5, "Eng"}, CallCase{"G4ABC", "England", "EU", 14, 27, 0, "Eng"},
        CallCase{"ZS6ABC", "South Africa", "AF", 38, 57, 2, "Eng"}, CallCase{"5Z4ABC", "Kenya", "AF", 37, 48, 3, "Eng"},
        CallCase{"BY1ABC", "China", "AS", 24, 44, 8, "Eng"}, CallCase{"VU2ABC", "India", "AS", 22, 41, 5.5, "Eng"},
        CallCase{"VK2ABC", "Australia", "OC", 30, 55, 10, "Eng"},
        CallCase{"ZL1ABC", "New Zealand", "OC", 32, 60, 12, "Eng"},
        CallCase{"VK9XA", "Christmas Island", "OC", 29, 54, 7, "Eng"},
        CallCase{"KC4AAA", "Antarctica", "SA", 13, 74, 0, "Eng"},
        // Exact calls win over every prefix, with their own overrides.
        CallCase{"JD1YAA", "Ogasawara", "AS", 27, 45, 9, "Jap"},
        CallCase{"UA9XYZ", "European Russia", "EU", 16, 29, 4, "Rus"},
        CallCase{"R25EMW", "European Russia", "EU", 17, 19, 4, "Rus"},
        CallCase{"KH6ZZZ", "United States of America", "NA", 5, 8, -5, "Eng"},
        CallCase{"VK9ZZZ", "Christmas Island", "OC", 29, 54, 7, "Eng"},
        CallCase{"DP0GVN", "Antarctica", "SA", 38, 67, 0, "Eng"},
        CallCase{"TM0ZZZ/ZZ", "France", "EU", 14, 27, 1, "Fren"},
        CallCase{"UA0AB/6", "Kaliningrad", "EU", 15, 29, 3, "Rus"},
        // Zone, continent and time overrides of prefixes.
        CallCase{"UA0ABC", "Asiatic Russia", "AS", 19, 34, 10, "Rus"},
        CallCase{"RA0ABC", "Asiatic Russia", "AS", 19, 33, 7, "Rus"},
        CallCase{"K6ABC", "United States of America", "NA", 3, 6, -8, "Eng"},
        CallCase{"W7ABC", "United States of America", "NA", 3, 6, -5, "Eng"},
        CallCase{"PY7ABC", "Brazil", "SA", 13, 15, -3, "Port"}, CallCase{"BA9ABC", "China", "AS", 23, 43, 8, "Eng"},
        CallCase{"VK6ABC", "Australia", "OC", 29, 58, 8, "Eng"}, CallCase{"VY1ABC", "Canada", "NA", 1, 2, -8, "Eng"},
        // Calls with "/": the prefix part, before or after; ignored suffixes; a call area.
        CallCase{"F/DL1ABC", "France", "EU", 14, 27, 1, "Fren"},
        CallCase{"DL1ABC/F", "France", "EU", 14, 27, 1, "Fren"},
        CallCase{"F/DL1ABC/P", "France", "EU", 14, 27, 1, "Fren"},
        CallCase{"W1AW/KH6", "Hawaii", "OC", 31, 61, -10, "Eng"},
        CallCase{"KH6/W1AW", "Hawaii", "OC", 31, 61, -10, "Eng"},
        CallCase{"DL1ABC/P", "Fed. Rep. of Germany", "EU", 14, 28, 1, "Ger"},
        CallCase{"M0ABC/M", "England", "EU", 14, 27, 0, "Eng"}, CallCase{"G4ABC/MM", "England", "EU", 14, 27, 0, "Eng"},
        CallCase{"W1AW/AM", "United States of America", "NA", 5, 8, -5, "Eng"},
        CallCase{"JA1ABC/QRP", "Japan", "AS", 25, 45, 9, "Jap"},
        CallCase{"W1AW/6", "United States of America", "NA", 3, 6, -8, "Eng"},
        CallCase{"UA3ABC/9", "Asiatic Russia", "AS", 17, 30, 7, "Rus"},
        CallCase{"UA9ABC/3", "European Russia", "EU", 16, 29, 4, "Rus"},
        // Nothing matches.
        CallCase{"QQ1ABC", nullptr, nullptr, 0, 0, 0, nullptr}, CallCase{"", nullptr, nullptr, 0, 0, 0, nullptr},
        CallCase{"DL1@BC", nullptr, nullptr, 0, 0, 0, nullptr}, CallCase{"/", nullptr, nullptr, 0, 0, 0, nullptr}));

struct PathCase {
    const char* from;
    const char* call;
    double heading; // hand-computed on the sphere, from the locator square's centre
    double distanceKm;
};

void PrintTo(const PathCase& each, std::ostream* out)
{
    *out << each.from << " to " << each.call;
}

class Path : public testing::TestWithParam<PathCase> {};

TEST_P(Path, IsTheShortGreatCircleWithinOneDegreeAndOnePercent)
{
    const PathCase& expected = GetParam();
    const auto found = sample().lookup(expected.call);
    ASSERT_TRUE(found.has_value());
    const auto path = station::BeamPath::from(expected.from, found->place);
    ASSERT_TRUE(path.has_value());
    const double turn = std::fmod(std::abs(path->heading - expected.heading), 360.0);
    EXPECT_LE(std::min(turn, 360.0 - turn), 1.0);
    EXPECT_NEAR(path->distanceKm, expected.distanceKm, expected.distanceKm / 100);
}

INSTANTIATE_TEST_SUITE_P(Sample, Path,
                         testing::Values(PathCase{"JO62", "JA1ABC", 41.9, 8809},  // Berlin to Japan: north-east
                                         PathCase{"FN31", "G4ABC", 50.7, 5320},   // Connecticut to England
                                         PathCase{"JO62", "W1AW", 304.6, 7654},   // the file's west-positive longitude
                                         PathCase{"PM95", "VK2ABC", 187.1, 6620}, // Tokyo to Australia: south
                                         PathCase{"KO85", "ZS6ABC", 192.6, 9503},
                                         PathCase{"JO62", "PY0FF", 230.0, 7572}, // an override's own place
                                         PathCase{"IO91", "VU2ABC", 84.0, 7293},
                                         PathCase{"re78", "KL7ABC", 17.2, 11897})); // across the date line

TEST(Path, NeedsALocator)
{
    EXPECT_FALSE(station::BeamPath::from("", {36.4, 138.38}).has_value());
    EXPECT_FALSE(station::BeamPath::from("JO6", {36.4, 138.38}).has_value());
}

struct LocatorCase {
    const char* locator;
    std::optional<station::GeoPoint> centre;
};

class LocatorCentre : public testing::TestWithParam<LocatorCase> {};

TEST_P(LocatorCentre, IsTheSquaresMiddle)
{
    const LocatorCase& expected = GetParam();
    const auto centre = station::Locator::centre(expected.locator);
    ASSERT_EQ(centre.has_value(), expected.centre.has_value()) << expected.locator;
    if (!centre) return;
    EXPECT_NEAR(centre->latitude, expected.centre->latitude, 1e-6) << expected.locator;
    EXPECT_NEAR(centre->longitude, expected.centre->longitude, 1e-6) << expected.locator;
}

INSTANTIATE_TEST_SUITE_P(Squares, LocatorCentre,
                         testing::Values(LocatorCase{"JO62", station::GeoPoint{52.5, 13.0}},
                                         LocatorCase{"jo62QM", station::GeoPoint{52.0 + 0.5 + 1.0 / 48, 13.375}},
                                         LocatorCase{"JO62qm05", station::GeoPoint{52.5 + 5.0 / 240 + 1.0 / 480,
                                                                                   12.0 + 16.0 / 12 + 1.0 / 240}},
                                         LocatorCase{"AA00", station::GeoPoint{-89.5, -179.0}},
                                         LocatorCase{"RR99xx99", station::GeoPoint{90 - 1.0 / 480, 180 - 1.0 / 240}},
                                         LocatorCase{"JO6", std::nullopt}, LocatorCase{"SS00", std::nullopt},
                                         LocatorCase{"JO62y", std::nullopt}, LocatorCase{"JO62ym", std::nullopt},
                                         LocatorCase{"JO62qmA5", std::nullopt}, LocatorCase{"JO62qm05aa", std::nullopt},
                                         LocatorCase{"", std::nullopt}));

struct LanguageCase {
    const char* primaryPrefix;
    const char* field;
};

class Language : public testing::TestWithParam<LanguageCase> {};

TEST_P(Language, IsTheCountrysMainOneOfOurNine)
{
    EXPECT_EQ(station::CountryLanguages::field(GetParam().primaryPrefix), GetParam().field) << GetParam().primaryPrefix;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Language,
    testing::Values(LanguageCase{"JA", "Jap"}, LanguageCase{"UA", "Rus"}, LanguageCase{"UA9", "Rus"},
                    LanguageCase{"DL", "Ger"}, LanguageCase{"OE", "Ger"}, LanguageCase{"F", "Fren"},
                    LanguageCase{"I", "Ital"}, LanguageCase{"*IT9", "Ital"}, LanguageCase{"EA", "Span"},
                    LanguageCase{"XE", "Span"}, LanguageCase{"LU", "Span"}, LanguageCase{"CE", "Span"},
                    LanguageCase{"PY", "Port"}, LanguageCase{"CT", "Port"}, LanguageCase{"K", "Eng"},
                    LanguageCase{"G", "Eng"}, LanguageCase{"VK", "Eng"}, LanguageCase{"BY", "Eng"},
                    LanguageCase{"", "Eng"}, LanguageCase{"ZZZ", "Eng"}));

TEST(CountryFileDamage, AMissingFileIsNamed)
{
    try {
        (void)CountryFile::load("/nonexistent/cty.dat");
        FAIL() << "a missing file loaded";
    } catch (const station::StationError& error) {
        EXPECT_NE(std::string(error.what()).find("/nonexistent/cty.dat"), std::string::npos);
    }
}

TEST(CountryFileDamage, ADamagedLineIsSkippedAndNamedByItsNumber)
{
    const CountryFile file = CountryFile::parse("Japan:   25:  45:  AS:   36.40:  -138.38:    -9.0:  JA:\n"
                                                "    JA,JE;\n"
                                                "Broken:  99:  45:  XX:   junk:  -138.38:    -9.0:  JB:\n"
                                                "    JB;\n"
                                                "Germany: 14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
                                                "    DL,D\x01X,DA(1x),DB<1/2,DC{ZZ};\n"
                                                "   stray,prefixes;\n"
                                                "Cut:     14:  28:  EU:   51.00:   -10.00:\n"
                                                "Tail:    14:  28:  EU:   51.00:   -10.00:    -1.0:  TT:\n"
                                                "    TT,\n",
                                                "test.dat");
    EXPECT_EQ(file.lookup("JA1ABC")->country, "Japan");
    EXPECT_EQ(file.lookup("DL1ABC")->country, "Germany");
    EXPECT_FALSE(file.lookup("JB1ABC").has_value());
    EXPECT_FALSE(file.lookup("DA1ABC").has_value());
    EXPECT_EQ(file.lookup("TT1ABC")->country, "Tail");
    const std::vector<std::string> expected{
        "test.dat:3: damaged country line", "test.dat:6: damaged prefix or call skipped",
        "test.dat:7: prefixes without a country line", "test.dat:8: damaged country line",
        "test.dat:9: the country's list of prefixes does not end with \";\""};
    EXPECT_EQ(file.problems(), expected);
}

TEST(CountryFileDamage, BinaryJunkNeverCrashes)
{
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 7919) % 256);
    const CountryFile file = CountryFile::parse(junk, "junk");
    EXPECT_FALSE(file.problems().empty());
    EXPECT_FALSE(file.lookup("DL1ABC").has_value());
}

// Debian's file, when installed: its sign conventions against places we know.
class DebianFile : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(CountryFile::DebianPath)) GTEST_SKIP() << "hamradio-files is not installed";
        m_file = CountryFile::load(CountryFile::DebianPath);
    }
    std::optional<CountryFile> m_file;
};

TEST_F(DebianFile, ReadsWithoutDamageAndKnowsThePlaces)
{
    EXPECT_TRUE(m_file->problems().empty());
    EXPECT_GT(m_file->countries().size(), 300U);
    const auto japan = m_file->lookup("JA1ABC");
    ASSERT_TRUE(japan.has_value());
    EXPECT_EQ(japan->utcOffset, 9);
    EXPECT_GT(japan->place.longitude, 130); // east of Greenwich
    EXPECT_EQ(japan->field, "Jap");
    const auto usa = m_file->lookup("W1AW");
    ASSERT_TRUE(usa.has_value());
    EXPECT_EQ(usa->utcOffset, -5);
    EXPECT_LT(usa->place.longitude, -60); // west of Greenwich
    EXPECT_EQ(m_file->lookup("UA9ABC")->field, "Rus");
    EXPECT_EQ(m_file->lookup("UA3ABC")->field, "Rus");
    EXPECT_EQ(m_file->lookup("DL1ABC")->field, "Ger");
    EXPECT_EQ(m_file->lookup("PY1ABC")->field, "Port");
    EXPECT_EQ(m_file->lookup("F/DL1ABC")->country, "France");
    EXPECT_EQ(m_file->lookup("DL1ABC/P")->country, "Fed. Rep. of Germany");
}

} // namespace
