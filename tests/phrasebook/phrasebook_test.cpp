// Content checks on the shipped phrase sources: what a careless edit of phrasebook/*.tsv could
// break. The phrases themselves are not asserted.

#include "data_file_name.h"
#include "file_contents.h"
#include "jet4/reader.h"
#include "phrase_data/blank_filler.h"
#include "phrase_data/phrase_catalogue.h"
#include "phrase_data/text_folding.h"

#include <QCryptographicHash>
#include <QString>
#include <algorithm>
#include <array>
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

// The romaji's reading (the search's: every long vowel once) and the kana runs of the text,
// each read the same way.
struct JapaneseReading {
    std::array<std::u16string, 3> romaji; // long vowels once within words, across them, or kept
    std::vector<std::u16string> kanaRuns;
};

JapaneseReading japaneseReading(const std::string& japanese, const std::string& romanised)
{
    const phrase_data::TextFolding folding;
    JapaneseReading reading;
    const std::u16string romaji = QString::fromStdString(romanised).toStdU16String();
    std::u16string words;
    folding.split(romaji, [&](phrase_data::TextFolding::TokenKind kind, const std::u16string& token) {
        if (kind == phrase_data::TextFolding::TokenKind::Word) words += token + u' ';
    });
    using phrase_data::TextFolding;
    reading.romaji = {TextFolding::reading(words, TextFolding::LongVowels::WithinWords),
                      TextFolding::reading(words, TextFolding::LongVowels::AcrossWords),
                      TextFolding::reading(words, TextFolding::LongVowels::Kept)};
    // Kana runs end at kanji, punctuation and anything else that is not kana.
    std::u16string run;
    const auto flush = [&] {
        if (!run.empty()) reading.kanaRuns.push_back(phrase_data::TextFolding::kanaReading(run));
        run.clear();
    };
    for (const char16_t c : QString::fromStdString(japanese).toStdU16String()) {
        if ((c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC)
            run += c;
        else
            flush();
    }
    flush();
    return reading;
}

// Whether kana, read as written, stands in reading from `from` on; the particles は, へ and を
// are romanised as they sound (wa, e, o), and づ and ぢ as ず and じ (zu, ji). The end of the
// match, or npos.
std::size_t findReading(const std::u16string& reading, const std::u16string& kana, std::size_t from)
{
    const auto same = [](char16_t written, char16_t read) {
        return written == read || (written == u'は' && read == u'わ') || (written == u'へ' && read == u'え') ||
               (written == u'を' && read == u'お') || (written == u'づ' && read == u'ず') ||
               (written == u'ぢ' && read == u'じ');
    };
    for (std::size_t at = from; at + kana.size() <= reading.size(); ++at)
        if (std::equal(kana.begin(), kana.end(), reading.begin() + std::ptrdiff_t(at), same)) return at + kana.size();
    return std::u16string::npos;
}

// The kana a Japanese cell writes are read, in their order, in its romaji (by the program's own
// romaji-to-kana conversion, as the search and the voice use it).
TEST_P(TopicSource, JapaneseKanaAgreeWithTheRomaji)
{
    for (std::size_t line = 1; line < m_rows.size(); ++line) {
        const std::string& cell = m_rows[line].back();
        const std::size_t open = cell.rfind(" (");
        if (open == std::string::npos || cell.back() != ')') continue; // JapaneseCellsCarryTheirRomanisation
        const JapaneseReading reading = japaneseReading(cell.substr(0, open), cell.substr(open + 2));
        // Each run in order, in either reading.
        std::array<std::size_t, 3> from{};
        for (const std::u16string& kana : reading.kanaRuns) {
            bool found = false;
            for (std::size_t way = 0; way < reading.romaji.size(); ++way) {
                const std::size_t end = findReading(reading.romaji[way], kana, from[way]);
                if (end == std::u16string::npos) continue;
                from[way] = end;
                found = true;
            }
            EXPECT_TRUE(found) << "line " << line + 1 << ": " << QString::fromStdU16String(kana).toStdString()
                               << " is not read in " << QString::fromStdU16String(reading.romaji[0]).toStdString()
                               << " (" << cell << ")";
        }
    }
}

// Words in kanji whose reading is easily mistaken: where a cell writes one, its romaji says it.
TEST_P(TopicSource, KanjiWordsCarryTheirReading)
{
    const struct {
        const char* written;
        const char* romaji;
    } words[] = {
        {"途切れ途切れ", "togire-togire"}, // not "togiregire"
        {"今夏", "konka"},                 // "this summer"; "ima, natsu" is written 今、夏
    };
    for (std::size_t line = 1; line < m_rows.size(); ++line) {
        const std::string& cell = m_rows[line].back();
        const std::string lower = QString::fromStdString(cell).toLower().toStdString();
        for (const auto& word : words) {
            if (cell.find(word.written) == std::string::npos) continue;
            EXPECT_NE(lower.find(word.romaji), std::string::npos)
                << "line " << line + 1 << ": " << word.written << " reads " << word.romaji << " (" << cell << ")";
        }
    }
}

// A brace stands only around a slot of the vocabulary: with every blank shown as "...", none is left.
TEST_P(PhraseSource, BracesOnlyNameSlotsOfTheVocabulary)
{
    for (std::size_t line = 1; line < m_rows.size(); ++line)
        for (std::size_t column = 0; column < m_rows[line].size(); ++column) {
            const QString shown = phrase_data::BlankFiller::unfilled(QString::fromStdString(m_rows[line][column]));
            EXPECT_FALSE(shown.contains(u'{') || shown.contains(u'}'))
                << "line " << line + 1 << ", " << GetParam().fields[column] << ": " << m_rows[line][column];
        }
}

// The slots a text names, in their order, and as a set.
std::vector<std::string> slotList(const std::string& text)
{
    std::vector<std::string> names;
    for (const QString& slot : phrase_data::BlankFiller::slotsOf(QString::fromStdString(text)))
        names.push_back(slot.toStdString());
    return names;
}

std::set<std::string> slotSet(const std::string& text)
{
    const std::vector<std::string> names = slotList(text);
    return {names.begin(), names.end()};
}

// A row says the same in every language, so it names the same facts of the contact in every
// cell: the Japanese and its romaji each name them all, and Rus and RusP in the same order (the
// speech aligns their words).
TEST_P(TopicSource, EveryCellNamesTheSameBlanks)
{
    const auto& fields = GetParam().fields;
    for (std::size_t line = 1; line < m_rows.size(); ++line) {
        const Row& row = m_rows[line];
        ASSERT_EQ(row.size(), fields.size()) << "line " << line + 1;
        const std::set<std::string> named = slotSet(row.front());
        for (std::size_t column = 0; column < row.size(); ++column) {
            const std::string where = "line " + std::to_string(line + 1) + ", " + fields[column] + ": " + row[column];
            if (fields[column] != "Jap") {
                EXPECT_EQ(slotSet(row[column]), named) << where;
                continue;
            }
            const std::size_t open = row[column].rfind(" (");
            if (open == std::string::npos) continue; // JapaneseCellsCarryTheirRomanisation says so
            EXPECT_EQ(slotSet(row[column].substr(0, open)), named) << where << " (the Japanese)";
            EXPECT_EQ(slotSet(row[column].substr(open)), named) << where << " (the romaji)";
        }
        EXPECT_EQ(slotList(row[0]), slotList(row[1]))
            << "line " << line + 1 << ": Rus and RusP name their blanks in another order";
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

struct TopicRow {
    std::string where; // "weath.tsv line 5"
    Row cells;
};

// Every row of every topic, with the columns as the header names them.
std::vector<TopicRow> topicRows()
{
    std::vector<TopicRow> all;
    for (const Source& source : topicSources()) {
        const std::vector<Row> rows = parse(readText(std::filesystem::path(PHRASEBOOK_DIR) / (source.name + ".tsv")));
        for (std::size_t line = 1; line < rows.size(); ++line)
            all.push_back({source.name + ".tsv line " + std::to_string(line + 1), rows[line]});
    }
    return all;
}

constexpr std::size_t RusColumn = 0;
constexpr std::size_t RusPColumn = 1;
constexpr std::size_t JapColumn = 8;

// Lower case for the Latin and Cyrillic letters RusP and the Russian cell use.
char32_t lower(char32_t c)
{
    if (c >= U'A' && c <= U'Z') return c + 32;
    if (c >= U'А' && c <= U'Я') return c + 32;
    if (c == U'Ё') return U'ё';
    if (c == U'Á' || c == U'É' || c == U'Í' || c == U'Ó' || c == U'Ú' || c == U'Ý') return c + 32;
    return c;
}

std::u32string lowered(const std::string& text)
{
    std::u32string out = toUtf32(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

// The consonants after which RusP writes no y glide: ж ш ц are always hard, ч щ always soft.
struct Consonant {
    char32_t letter;
    std::u32string latin;

    friend void PrintTo(const Consonant& consonant, std::ostream* out)
    {
        *out << std::string(consonant.latin.begin(), consonant.latin.end());
    }
};

const std::vector<Consonant>& glideFreeConsonants()
{
    static const std::vector<Consonant> all{
        {U'ж', U"zh"}, {U'ш', U"sh"}, {U'ч', U"ch"}, {U'щ', U"shch"}, {U'ц', U"ts"}};
    return all;
}

// Where each ё of the Russian cell stands in the lower-cased RusP cell: the offset of its
// accented ó, written "yó", or "zhó", "shó", "chó", "shchó", "tsó" after those consonants;
// npos for one that is not written so. The renderings are looked for in the order of the ё.
std::vector<std::size_t> yoPositions(const std::string& russian, const std::u32string& pronounced)
{
    const std::u32string text = lowered(russian);
    std::vector<std::size_t> found;
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != U'ё') continue;
        std::u32string expected = U"yó";
        for (const Consonant& consonant : glideFreeConsonants())
            if (i > 0 && text[i - 1] == consonant.letter) expected = consonant.latin + U"ó";
        const std::size_t at = pronounced.find(expected, from);
        found.push_back(at == std::u32string::npos ? at : at + expected.size() - 1);
        if (at != std::u32string::npos) from = at + expected.size();
    }
    return found;
}

bool isLatinVowel(char32_t c)
{
    return std::u32string_view(U"aeiouyáéíóúý").find(c) != std::u32string_view::npos;
}

// RusP marks the stress: a word of two or more syllables carries one accent, unless it is joined
// by a hyphen ("iz-za"); a word with ё carries its accent there, and may carry one more where
// it is a compound (tryókhdiapazónnaya). Words the Russian cell holds as they are (Latin names,
// Q-codes) are left alone.
TEST(Pronunciation, EveryWordOfSeveralSyllablesShowsItsStress)
{
    const std::u32string accented = U"áéíóúý";
    for (const TopicRow& row : topicRows()) {
        const std::string& russian = row.cells[RusColumn];
        const std::u32string pronounced = lowered(row.cells[RusPColumn]);
        const std::vector<std::size_t> yos = yoPositions(russian, pronounced);
        std::istringstream words(row.cells[RusPColumn]);
        std::size_t offset = 0;
        for (std::string token; words >> token;) {
            const std::u32string word = lowered(token);
            const std::size_t begin = pronounced.find(word, offset);
            offset = begin + word.size();
            if (russian.find(token.substr(0, token.find_last_not_of(".,!?:;)") + 1)) != std::string::npos) continue;
            const auto accents = std::count_if(word.begin(), word.end(),
                                               [&](char32_t c) { return accented.find(c) != std::u32string::npos; });
            // A digit in the Russian cell can stand for a ё too (3-элементная tryókheleméntnaya).
            const auto yoAccents = std::max<std::ptrdiff_t>(
                std::count_if(yos.begin(), yos.end(), [&](std::size_t at) { return at >= begin && at < offset; }),
                word.find(U"yó") != std::u32string::npos);
            int syllables = 0;
            for (std::size_t i = 0; i < word.size(); ++i)
                if (isLatinVowel(word[i]) && (i == 0 || !isLatinVowel(word[i - 1]))) ++syllables;
            const std::string where = row.where + ": " + token;
            EXPECT_LE(accents, 1 + yoAccents) << where;
            if (syllables >= 2 && word.find(U'-') == std::u32string::npos) {
                EXPECT_GE(accents, 1) << where;
            }
        }
    }
}

// ё is always stressed, so RusP writes it with its accent, whatever the length of the word.
TEST(Pronunciation, EveryYoIsWrittenWithItsAccent)
{
    for (const TopicRow& row : topicRows()) {
        const std::vector<std::size_t> yos = yoPositions(row.cells[RusColumn], lowered(row.cells[RusPColumn]));
        for (std::size_t i = 0; i < yos.size(); ++i)
            EXPECT_NE(yos[i], std::u32string::npos)
                << row.where << ": ё number " << i + 1
                << " is not written yó (zhó, shó, chó, tsó after ж ш ч щ ц): " << row.cells[RusPColumn];
    }
}

class GlideFreeConsonant : public testing::TestWithParam<Consonant> {};

// Where the Russian has the consonant before е, ё, ю or я, RusP writes no y between them.
TEST_P(GlideFreeConsonant, TakesNoYBeforeAVowel)
{
    const Consonant& consonant = GetParam();
    for (const TopicRow& row : topicRows()) {
        const std::u32string russian = lowered(row.cells[RusColumn]);
        bool softVowelFollows = false;
        for (std::size_t i = 1; i < russian.size(); ++i)
            if (russian[i - 1] == consonant.letter &&
                std::u32string_view(U"еёюя").find(russian[i]) != std::u32string::npos)
                softVowelFollows = true;
        if (!softVowelFollows) continue;
        const std::u32string pronounced = lowered(row.cells[RusPColumn]);
        const std::u32string glide = consonant.latin + U"y";
        for (std::size_t at = pronounced.find(glide); at != std::u32string::npos; at = pronounced.find(glide, at + 1))
            EXPECT_FALSE(at + glide.size() < pronounced.size() && isLatinVowel(pronounced[at + glide.size()]))
                << row.where << ": " << row.cells[RusPColumn];
    }
}

INSTANTIATE_TEST_SUITE_P(Pronunciation, GlideFreeConsonant, testing::ValuesIn(glideFreeConsonants()),
                         [](const testing::TestParamInfo<Consonant>& consonant) {
                             return std::string(consonant.param.latin.begin(), consonant.param.latin.end());
                         });

// The reading aids say numbers in words. Only a code that mixes letters and digits (a call
// sign such as QZ7KV, FT8, S9) keeps its digits, written as the phrase itself writes it; and
// the spelling table's cells open with the character they spell.
void expectNoSpokenDigits(const std::string& where, const std::string& aid, const std::string& phrase, bool keyed)
{
    std::istringstream words(aid);
    std::size_t index = 0;
    for (std::string token; words >> token; ++index) {
        if (keyed && index == 0) continue;
        const std::size_t first = token.find_first_not_of('(');
        const std::size_t last = token.find_last_not_of(".,!?:;)");
        if (first == std::string::npos || last == std::string::npos || last < first) continue;
        const std::string word = token.substr(first, last - first + 1);
        if (word.find_first_of("0123456789") == std::string::npos) continue;
        const bool code =
            std::any_of(word.begin(), word.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
        EXPECT_TRUE(code && phrase.find(word) != std::string::npos) << where << ": " << word << " in " << aid;
    }
}

TEST(ReadingAids, SayNumbersInWords)
{
    for (const TopicRow& row : topicRows()) {
        const bool keyed = row.where.starts_with("phonet.tsv");
        expectNoSpokenDigits(row.where + ", RusP", row.cells[RusPColumn], row.cells[RusColumn], keyed);
        const std::string& japanese = row.cells[JapColumn];
        const std::size_t open = japanese.rfind(" (");
        if (open == std::string::npos) continue; // JapaneseCellsCarryTheirRomanisation says so
        expectNoSpokenDigits(row.where + ", Jap", japanese.substr(open + 1), japanese.substr(0, open), keyed);
    }
}

// The reference lists and the spelling table are texts as they were written: they name no
// blank, and a change to them is a deliberate one that updates the sums here.
struct ReferenceText {
    std::string name; // "clock"
    std::string sha256;

    friend void PrintTo(const ReferenceText& text, std::ostream* out) { *out << text.name << ".tsv"; }
};

class ReferenceSource : public testing::TestWithParam<ReferenceText> {};

TEST_P(ReferenceSource, IsUnchangedAndNamesNoBlank)
{
    const std::string text = readText(std::filesystem::path(PHRASEBOOK_DIR) / (GetParam().name + ".tsv"));
    ASSERT_FALSE(text.empty()) << GetParam().name << ".tsv is missing or empty";
    EXPECT_EQ(
        QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha256).toHex().toStdString(),
        GetParam().sha256);
    for (const Row& row : parse(text))
        for (const std::string& cell : row)
            EXPECT_TRUE(slotList(cell).empty()) << cell;
}

INSTANTIATE_TEST_SUITE_P(
    Phrasebook, ReferenceSource,
    testing::Values(ReferenceText{"clock", "7d9e221d03bdca398ae23890ebd361b41ae7eea0f5a24d2c3712623817d29bca"},
                    ReferenceText{"days", "054936269f215650460e0a649f5593beeaf3c8480861714163843e1fb1a33c8e"},
                    ReferenceText{"engmodal", "b6d22b2b952c14b24ee488efdec4167f5b3c9b201694f519141ed44bacddf8eb"},
                    ReferenceText{"eng", "048714c29e83b746c2f8e6343c51ed17fc8be4b8165ce3385418ce2cadb15ece"},
                    ReferenceText{"engsl", "b6454dc7328d786f0e5f97238b5163b3f8b9e3ff84bfd0204dd1d4b3770a533d"},
                    ReferenceText{"ger", "7fe3696e8c8dc332a413589b8ca5eb7494c13c03d36997d41c016018bd2b650f"},
                    ReferenceText{"gersl", "197802dc686101be3b86cca7b9e29bad27ebc692353ccb67332ad2747d72994c"},
                    ReferenceText{"phonet", "e5202ee26c296667a5869f1801ab4579b9c39b3181cb711c1973529b9315b397"}),
    [](const testing::TestParamInfo<ReferenceText>& text) { return text.param.name; });

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
