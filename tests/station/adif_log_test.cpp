// ADIF logs written here in the shapes loggers write them, and the damage the parser skips.
#include "station/adif_log.h"
#include "station/station_error.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using station::AdifLog;

namespace {

std::string field(const std::string& name, const std::string& value)
{
    return "<" + name + ":" + std::to_string(value.size()) + ">" + value;
}

std::vector<std::size_t> offsets(const AdifLog& log)
{
    std::vector<std::size_t> result;
    for (const auto& problem : log.problems())
        result.push_back(problem.offset);
    return result;
}

TEST(AdifLog, ReadsAHeaderAndLowerCaseTagsAndKeepsTheLastContact)
{
    const std::string text = "Written by a logger\n<adif_ver:5>3.1.4 <programid:7>Logbook\n<EOH>\n"
                             "<call:6>DL1ABC <qso_date:8>20240105 <time_on:4>1200 <band:3>20m <mode:3>SSB "
                             "<name:4>Hans <qth:6>Berlin <eor>\n"
                             "<CALL:6:S>dl1abc<QSO_DATE:8:D>20251120<TIME_ON:6>083015<BAND:3>40m<MODE:2>CW<NAME:5>Hansi"
                             "<eOr>\n"
                             "<call:6>DL1ABC <qso_date:8>20230101 <time_on:4>0000 <band:3>80m <mode:3>FT8 <eor>\n";
    const AdifLog log = AdifLog::parse(text);
    EXPECT_TRUE(log.problems().empty());
    EXPECT_EQ(log.recordCount(), 3U);
    EXPECT_EQ(log.stationCount(), 1U);
    const auto* last = log.lastContact("Dl1Abc");
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->date, "20251120");
    EXPECT_EQ(last->time, "083015");
    EXPECT_EQ(last->band, "40m");
    EXPECT_EQ(last->mode, "CW");
    EXPECT_EQ(last->name, "Hansi");
    EXPECT_EQ(last->qth, ""); // the last contact's QTH, not an earlier one
    EXPECT_EQ(log.lastContact("DL2XYZ"), nullptr);
}

TEST(AdifLog, TakesTheIntlFormsWhenThePlainOnesAreMissing)
{
    const std::string name = "Иван";
    const std::string qth = "Москва";
    const std::string text = field("CALL", "UA3ABC") + field("NAME_INTL", name) + field("QTH_INTL", qth) + "<EOR>" +
                             field("CALL", "UA9XYZ") + field("NAME", "Petr") + field("NAME_INTL", "Пётр") + "<EOR>";
    const AdifLog log = AdifLog::parse(text);
    EXPECT_TRUE(log.problems().empty());
    EXPECT_EQ(log.lastContact("UA3ABC")->name, name);
    EXPECT_EQ(log.lastContact("UA3ABC")->qth, qth);
    EXPECT_EQ(log.lastContact("UA9XYZ")->name, "Petr");
}

struct DamageCase {
    const char* what;
    std::string text;
    std::vector<std::size_t> problemOffsets;
    std::vector<const char*> found;
    std::vector<const char*> skipped;
};

void PrintTo(const DamageCase& each, std::ostream* out)
{
    *out << each.what;
}

class AdifDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(AdifDamage, IsSkippedAndReportedAtItsBytePosition)
{
    const DamageCase& damage = GetParam();
    const AdifLog log = AdifLog::parse(damage.text);
    EXPECT_EQ(offsets(log), damage.problemOffsets);
    for (const char* call : damage.found)
        EXPECT_NE(log.lastContact(call), nullptr) << call;
    for (const char* call : damage.skipped)
        EXPECT_EQ(log.lastContact(call), nullptr) << call;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, AdifDamage,
    testing::Values(
        DamageCase{"a missing <EOR> before the next record",
                   "<CALL:4>K1AB<BAND:3>20m\n<CALL:4>K2CD<EOR>",
                   {0},
                   {"K2CD"},
                   {"K1AB"}},
        DamageCase{"a length that is not a number",
                   "<CALL:4>K1AB<NAME:x4>Bill<EOR><CALL:4>K2CD<EOR>",
                   {12},
                   {"K1AB", "K2CD"},
                   {}},
        DamageCase{"a length without digits", "<CALL:>K1AB<EOR><CALL:4>K2CD<EOR>", {0, 11}, {"K2CD"}, {"K1AB"}},
        DamageCase{"a length too large to be true",
                   "<CALL:99999999999999999999>K1AB<EOR><CALL:4>K2CD<EOR>",
                   {0, 31},
                   {"K2CD"},
                   {"K1AB"}},
        DamageCase{
            "a field running past the end", "<CALL:4>K1AB<EOR><CALL:4>K2CD<NAME:50>Bob", {29, 17}, {"K1AB"}, {"K2CD"}},
        DamageCase{"a truncated file", "<CALL:4>K1AB<EOR><CALL:4>K2", {17}, {"K1AB"}, {"K2"}},
        DamageCase{"a last record without <EOR>", "<CALL:4>K1AB<EOR><CALL:4>K2CD", {17}, {"K1AB"}, {"K2CD"}},
        DamageCase{"a header without <EOH>", "ADIF export\n<CALL:4>K1AB<EOR>", {0}, {"K1AB"}, {}},
        DamageCase{"a record without CALL", "<NAME:3>Bob<EOR><CALL:4>K2CD<EOR>", {0}, {"K2CD"}, {}},
        DamageCase{"a CALL that is not a call sign",
                   "<CALL:4>K\x01"
                   "AB<EOR><CALL:4>K2CD<EOR>",
                   {0},
                   {"K2CD"},
                   {}},
        DamageCase{"binary junk in a tag",
                   std::string("<CA\xff\x00L:4>K1AB<EOR>", 18) + field("CALL", "K2CD") + "<EOR>",
                   {0, 13},
                   {"K2CD"},
                   {"K1AB"}},
        DamageCase{"a stray <EOR>", "<EOR><CALL:4>K2CD<EOR>", {0}, {"K2CD"}, {}},
        DamageCase{"an unclosed tag at the end", "<CALL:4>K1AB<EOR><CALL", {17}, {"K1AB"}, {}}));

TEST(AdifLog, KeepsOnlySoManyProblemsButCountsThemAll)
{
    std::string junk;
    for (int i = 0; i < 500; ++i)
        junk += "<x:y>";
    const AdifLog log = AdifLog::parse(junk);
    EXPECT_EQ(log.problems().size(), AdifLog::KeptProblems);
    EXPECT_EQ(log.problemCount(), 500U);
}

TEST(AdifLog, IndexesAHundredThousandContacts)
{
    std::string text = "Generated log\n<ADIF_VER:5>3.1.4<EOH>\n";
    for (int i = 0; i < 100000; ++i) {
        const std::string call = "K" + std::to_string(i % 10) + "A" + std::to_string(i / 10);
        const std::string date = "2024" + std::string(i % 2 == 0 ? "01" : "02") + "15";
        text += field("call", call) + field("qso_date", date) + field("time_on", "1200") + field("band", "20m") +
                field("mode", "SSB") + field("name", "Op" + std::to_string(i)) + "<eor>\n";
    }
    // The same stations again, earlier: they must not replace the contacts above.
    text += field("call", "K0A0") + field("qso_date", "20200101") + field("name", "Old") + "<eor>\n";
    const AdifLog log = AdifLog::parse(text);
    EXPECT_TRUE(log.problems().empty());
    EXPECT_EQ(log.recordCount(), 100001U);
    EXPECT_EQ(log.stationCount(), 100000U);
    EXPECT_EQ(log.lastContact("K0A0")->name, "Op0");
    EXPECT_EQ(log.lastContact("K9A9999")->name, "Op99999");
    EXPECT_EQ(log.lastContact("k5a1234")->date, "20240215");
}

TEST(AdifLog, AMissingFileIsNamed)
{
    EXPECT_THROW((void)AdifLog::load("/nonexistent/log.adi"), station::StationError);
}

} // namespace
