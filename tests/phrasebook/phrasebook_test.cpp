// Content checks on the shipped phrase sources: what a careless edit of phrasebook/*.tsv could
// break. The phrases themselves are not asserted.

#include "data_file_name.h"
#include "file_contents.h"
#include "jet4/reader.h"
#include "phrase_data/phrase_catalogue.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using phrase_data::PhraseCatalogue;
using Row = std::vector<std::string>;

struct Source {
    std::string name; // "weath"
    std::vector<std::string> fields;
    std::size_t minimumRows;
    bool topic;

    friend void PrintTo(const Source& source, std::ostream* out) { *out << source.name << ".tsv"; }
};

std::vector<Source> sources()
{
    std::vector<Source> all;
    const std::vector<std::string> languages{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
    for (const auto& topic : PhraseCatalogue::topics()) {
        const std::string name = dataFileBaseName(topic.dataFile);
        all.push_back({name, languages, name == "phonet" ? 36u : 25u, true});
    }
    const std::map<std::string, std::size_t> minimum{{"clock", 30},  {"days", 30}, {"engmodal", 20}, {"eng", 60},
                                                     {"engsl", 100}, {"ger", 40},  {"gersl", 60}};
    for (const auto& entry : PhraseCatalogue::references()) {
        const std::string name = dataFileBaseName(entry.dataFile);
        all.push_back({name,
                       {PhraseCatalogue::fieldName(entry.leftField), PhraseCatalogue::fieldName(entry.rightField)},
                       minimum.at(name),
                       false});
    }
    return all;
}

std::vector<Row> parse(const std::string& text)
{
    std::vector<Row> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        Row cells;
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            cells.push_back(line.substr(start, tab - start));
        cells.push_back(line.substr(start));
        rows.push_back(cells);
    }
    return rows;
}

bool validUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : (lead >> 5) == 6  ? 2
                                   : (lead >> 4) == 14 ? 3
                                   : (lead >> 3) == 30 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size() || (length > 1 && lead < 0xC2 && length == 2)) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

class PhraseSource : public testing::TestWithParam<Source> {
protected:
    void SetUp() override
    {
        m_text = readText(std::filesystem::path(PHRASEBOOK_DIR) / (GetParam().name + ".tsv"));
        m_rows = parse(m_text);
        ASSERT_FALSE(m_rows.empty()) << GetParam().name << ".tsv is missing or empty";
    }
    std::string m_text;
    std::vector<Row> m_rows;
};

TEST_P(PhraseSource, IsCleanUtf8TextWithOneLinePerRow)
{
    EXPECT_TRUE(validUtf8(m_text));
    EXPECT_NE(m_text.rfind("\xEF\xBB\xBF", 0), 0u) << "byte-order mark";
    EXPECT_EQ(m_text.find('\r'), std::string::npos) << "carriage return";
    EXPECT_EQ(m_text.back(), '\n') << "no final newline";
    EXPECT_EQ(m_text.find("\n\n"), std::string::npos) << "empty line";
}

TEST_P(PhraseSource, HasTheFieldsItsEntryNeedsAndEnoughRows)
{
    EXPECT_EQ(m_rows.front(), GetParam().fields);
    EXPECT_GE(m_rows.size() - 1, GetParam().minimumRows);
}

TEST_P(PhraseSource, EveryCellIsFilledAndTidy)
{
    for (std::size_t line = 1; line < m_rows.size(); ++line) {
        const Row& row = m_rows[line];
        ASSERT_EQ(row.size(), GetParam().fields.size()) << "line " << line + 1;
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::string& cell = row[column];
            const std::string where = "line " + std::to_string(line + 1) + ", " + GetParam().fields[column];
            EXPECT_FALSE(cell.empty()) << where;
            if (cell.empty()) continue;
            EXPECT_NE(cell.front(), ' ') << where;
            EXPECT_NE(cell.back(), ' ') << where;
            EXPECT_EQ(cell.find("  "), std::string::npos) << where << ": doubled space";
            EXPECT_EQ(cell.find('"'), std::string::npos) << where << ": ASCII double quote";
            EXPECT_LE(cell.size(), 3u * 255u) << where; // the writer's limit is 255 characters
        }
    }
}

TEST_P(PhraseSource, HasNoDuplicateRows)
{
    std::set<Row> seen;
    for (std::size_t line = 1; line < m_rows.size(); ++line)
        EXPECT_TRUE(seen.insert(m_rows[line]).second) << "line " << line + 1 << " repeats an earlier row";
}

TEST_P(PhraseSource, BuildsIntoTheDataFileRowForRow)
{
    const std::filesystem::path built = std::filesystem::path(DSB_DIR) / (GetParam().name + ".dsb");
    const jet4::Database database = jet4::Database::open(built);
    const jet4::Table table = database.readTable("Dict");
    ASSERT_EQ(table.rowCount(), m_rows.size() - 1);
    ASSERT_EQ(table.columnCount(), GetParam().fields.size());
    for (std::size_t column = 0; column < table.columnCount(); ++column)
        EXPECT_EQ(table.columns()[column].name, GetParam().fields[column]);
    for (std::size_t row = 0; row < table.rowCount(); ++row)
        for (std::size_t column = 0; column < table.columnCount(); ++column)
            EXPECT_EQ(jet4::utf8::fromUtf16(table.cell(row, column).value_or(u"<NULL>")), m_rows[row + 1][column])
                << "row " << row + 1 << ", " << GetParam().fields[column];
}

// The topics: every one carries Japanese.
class TopicSource : public PhraseSource {};

// A Japanese cell is the phrase as written in Japan, one space, and its romanisation in brackets.
TEST_P(TopicSource, JapaneseCellsCarryTheirRomanisation)
{
    const auto& fields = GetParam().fields;
    const std::size_t column = std::size_t(std::find(fields.begin(), fields.end(), "Jap") - fields.begin());
    ASSERT_LT(column, fields.size());
    for (std::size_t line = 1; line < m_rows.size(); ++line) {
        const std::string& cell = m_rows[line][column];
        const std::size_t open = cell.rfind(" (");
        ASSERT_NE(open, std::string::npos) << "line " << line + 1 << ": " << cell;
        EXPECT_EQ(cell.back(), ')') << "line " << line + 1;
        const std::string japanese = cell.substr(0, open);
        const std::string romanised = cell.substr(open + 2);
        EXPECT_TRUE(
            std::any_of(japanese.begin(), japanese.end(), [](char c) { return static_cast<unsigned char>(c) >= 0xE3; }))
            << "line " << line + 1 << ": no Japanese script before the romanisation";
        EXPECT_TRUE(std::none_of(romanised.begin(), romanised.end(),
                                 [](char c) { return static_cast<unsigned char>(c) >= 0xE3; }))
            << "line " << line + 1 << ": Japanese script inside the romanisation";
    }
}

std::vector<Source> topicSources()
{
    std::vector<Source> topics = sources();
    std::erase_if(topics, [](const Source& source) { return !source.topic; });
    return topics;
}

std::string sourceName(const testing::TestParamInfo<Source>& source)
{
    return source.param.name;
}

INSTANTIATE_TEST_SUITE_P(Phrasebook, PhraseSource, testing::ValuesIn(sources()), sourceName);
INSTANTIATE_TEST_SUITE_P(Phrasebook, TopicSource, testing::ValuesIn(topicSources()), sourceName);

std::u32string toUtf32(const std::string& text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + std::size_t(k) < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + std::size_t(k)]) & 0x3F);
        out += c;
        i += std::size_t(length);
    }
    return out;
}

// RusP marks the stress: no word carries two accents, and a word of two or more syllables
// carries one, unless its stress is the always-stressed yo or it is joined by a hyphen
// ("iz-za"). Words the Russian cell holds as they are (Latin names, Q-codes) are left alone.
TEST(Pronunciation, EveryWordOfSeveralSyllablesShowsItsStress)
{
    const std::u32string accented = U"áéíóúýÁÉÍÓÚÝ";
    const std::u32string vowels = U"aeiouyAEIOUYáéíóúýÁÉÍÓÚÝ";
    for (const Source& source : sources()) {
        if (!source.topic) continue;
        const std::vector<Row> rows = parse(readText(std::filesystem::path(PHRASEBOOK_DIR) / (source.name + ".tsv")));
        for (std::size_t line = 1; line < rows.size(); ++line) {
            const std::string& russian = rows[line][0];
            std::istringstream words(rows[line][1]);
            for (std::string token; words >> token;) {
                std::u32string word;
                for (const char32_t c : toUtf32(token))
                    if ((c < 0x80 && (std::isalpha(int(c)) || c == U'\'' || c == U'-')) ||
                        accented.find(c) != std::u32string::npos)
                        word += c;
                if (word.empty() || token.find_first_of("0123456789") != std::string::npos ||
                    russian.find(token.substr(0, token.find_last_not_of(".,!?:;)") + 1)) != std::string::npos)
                    continue;
                const auto accents = std::count_if(
                    word.begin(), word.end(), [&](char32_t c) { return accented.find(c) != std::u32string::npos; });
                int syllables = 0;
                for (std::size_t i = 0; i < word.size(); ++i)
                    if (vowels.find(word[i]) != std::u32string::npos &&
                        (i == 0 || vowels.find(word[i - 1]) == std::u32string::npos))
                        ++syllables;
                const bool hasYo = token.find("yo") != std::string::npos || token.find("Yo") != std::string::npos;
                const std::string where = source.name + ".tsv line " + std::to_string(line + 1) + ": " + token;
                EXPECT_LE(accents, 1) << where;
                if (syllables >= 2 && !hasYo && word.find(U'-') == std::u32string::npos) {
                    EXPECT_EQ(accents, 1) << where;
                }
            }
        }
    }
}

// The spelling table: one row per letter A-Z and digit 0-9, each cell "X — Word" for the same X.
TEST(SpellingTable, CoversEveryLetterAndDigitOnce)
{
    const std::vector<Row> rows = parse(readText(std::filesystem::path(PHRASEBOOK_DIR) / "phonet.tsv"));
    std::string characters;
    for (std::size_t line = 1; line < rows.size(); ++line) {
        const char character = rows[line][0].empty() ? '?' : rows[line][0][0];
        characters += character;
        for (const std::string& cell : rows[line])
            EXPECT_EQ(cell.rfind(std::string(1, character) + " \u2014 ", 0), 0u) << "line " << line + 1 << ": " << cell;
    }
    EXPECT_EQ(characters, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
}

} // namespace
