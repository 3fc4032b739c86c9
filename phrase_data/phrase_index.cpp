#include "phrase_index.h"

#include "blank_filler.h"
#include "phrase_catalogue.h"
#include "phrase_table.h"

#include <algorithm>
#include <limits>
#include <malloc.h>
#include <memory>
#include <optional>
#include <queue>
#include <set>
#include <tuple>

namespace phrase_data {

namespace {

// A row's cells are addressed as the bits of one machine word.
constexpr std::size_t MaxFields = 64;

int fieldIndex(const QStringList& fields, const QString& name)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (PhraseCatalogue::sameFieldName(fields[i], name)) return int(i);
    return -1;
}

// Appends text as UTF-8; a NUL, which separates the cells, becomes a space.
void appendUtf8(std::string& out, std::u16string_view text)
{
    std::size_t ascii = 0;
    while (ascii < text.size() && text[ascii] < 0x80 && text[ascii] != 0)
        ++ascii;
    out.append(text.begin(), text.begin() + std::ptrdiff_t(ascii));
    for (std::size_t i = ascii; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c == 0)
            out += ' ';
        else if (c < 0x80)
            out += char(c);
        else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

std::u16string_view viewOf(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// What the search reads of a cell: its text as it shows with no value set, every named blank as
// "...", so that a slot's name ({their_name}) is never found. The buffer holds the text when it
// differs from the cell's.
std::u16string_view searchedText(std::u16string_view cell, std::u16string& buffer)
{
    if (cell.find(u'{') == std::u16string_view::npos) return cell;
    buffer = BlankFiller::unfilled(QString::fromUtf16(cell.data(), qsizetype(cell.size()))).toStdU16String();
    return buffer;
}

// Rows rank by their best cell's key: its weakest match kind, then its length, then the cell's
// place in the sources' order.
std::uint64_t rankKey(unsigned kind, std::size_t length, std::uint32_t cell)
{
    return (std::uint64_t(kind) << 40) | (std::uint64_t(std::min<std::size_t>(length, 255)) << 32) | cell;
}

// The rows a search finds: how many, and the limit's best.
class RowRanking {
public:
    explicit RowRanking(std::size_t limit)
        : m_limit(limit)
    {
    }

    // Counts a row; true when it is among the best so far.
    bool add(std::uint64_t key)
    {
        ++m_count;
        if (m_best.size() < m_limit) {
            m_best.push(key);
            return true;
        }
        if (m_limit == 0 || key >= m_best.top()) return false;
        m_best.pop();
        m_best.push(key);
        return true;
    }

    [[nodiscard]] std::size_t count() const { return m_count; }
    // Whether a row whose key is at least this could still be among the best.
    [[nodiscard]] bool mayTake(std::uint64_t lowest) const
    {
        return m_best.size() < m_limit || (m_limit > 0 && lowest < m_best.top());
    }
    // Counts a row that is not among the best.
    void countOnly() { ++m_count; }

    // The best keys, best first.
    [[nodiscard]] std::vector<std::uint64_t> take()
    {
        // The queue gives the worst first.
        std::vector<std::uint64_t> keys;
        keys.reserve(m_best.size());
        for (; !m_best.empty(); m_best.pop())
            keys.push_back(m_best.top());
        std::reverse(keys.begin(), keys.end());
        return keys;
    }

private:
    std::size_t m_limit;
    std::size_t m_count = 0;
    std::priority_queue<std::uint64_t> m_best; // the worst on top
};

} // namespace

struct PhraseIndex::IndexedFile {
    QStringList fields;
    std::uint32_t fieldCount = 0; // the fields searched, at most MaxFields
    std::uint32_t rowCount = 0;
    std::uint32_t cellBase = 0;
    int japanese = -1;                    // the field whose words are romaji
    std::string text;                     // every cell in UTF-8, each followed by a NUL
    std::vector<std::uint32_t> rowStarts; // where each row's text starts, and the end
};

struct PhraseIndex::QueryWord {
    TextFolding::TokenKind kind;
    std::u16string folded;
    std::u16string romaji; // as the Japanese field's words are compared
    bool fuzzy = false;
    bool unknown = false;   // three or four letters: one edit away counts when the sources lack the word
    std::u16string reading; // a kana run's, as the Japanese field's romaji reads
};

std::vector<PhraseSource> PhraseIndex::catalogueSources()
{
    std::vector<PhraseSource> sources;
    for (const TopicEntry& topic : PhraseCatalogue::topics())
        sources.push_back({QString::fromLatin1(topic.caption), QString::fromLatin1(topic.dataFile)});
    for (const ReferenceEntry& entry : PhraseCatalogue::references())
        sources.push_back({QString::fromLatin1(entry.caption), QString::fromLatin1(entry.dataFile)});
    return sources;
}

PhraseIndex::PhraseIndex(std::vector<PhraseSource> sources, Mode mode)
    : m_sources(std::move(sources))
    , m_mode(mode)
{
}

PhraseIndex::~PhraseIndex() = default;

void PhraseIndex::addSource(PhraseSource source)
{
    m_sources.push_back(std::move(source));
    invalidate();
}

void PhraseIndex::invalidate()
{
    m_built = false;
    m_files = {};
    m_skipped.clear();
    m_words = {};
    m_romaji = {};
    m_kanji = {};
    m_reading = {};
    m_lengths = {};
}

void PhraseIndex::build()
{
    if (m_built || m_mode == Mode::Scan) return;
    invalidate();
    m_files.resize(m_sources.size());
    for (std::size_t source = 0; source < m_sources.size(); ++source)
        read(int(source));
    m_words.finish();
    m_romaji.finish();
    m_kanji.finish();
    m_reading.finish();
    m_lengths.shrink_to_fit();
    // The word lists grew by doubling and were then copied to their size: give the memory they
    // left behind back to the system rather than keep it for nothing.
    malloc_trim(0);
    m_built = true;
}

std::unique_ptr<PhraseTable> PhraseIndex::open(int source)
{
    IndexedFile& file = m_files[std::size_t(source)];
    file.cellBase = std::uint32_t(source == 0 ? 0
                                              : m_files[std::size_t(source) - 1].cellBase +
                                                    m_files[std::size_t(source) - 1].rowCount *
                                                        m_files[std::size_t(source) - 1].fieldCount);
    file.rowStarts = {0};
    std::unique_ptr<PhraseTable> table;
    try {
        table = std::make_unique<PhraseTable>(PhraseTable::read(m_sources[std::size_t(source)].path.toLocal8Bit()));
    } catch (const std::exception& error) {
        m_skipped << QString::fromUtf8(error.what());
        return nullptr;
    }
    for (int column = 0; column < table->fieldCount(); ++column)
        file.fields << table->fieldName(column);
    file.japanese = table->column(LanguageField::Jap);
    file.fieldCount = std::uint32_t(std::min(std::size_t(table->fieldCount()), MaxFields));
    file.rowCount = std::uint32_t(table->rowCount());
    return table;
}

void PhraseIndex::read(int source)
{
    const std::unique_ptr<PhraseTable> table = open(source);
    if (!table) return;
    IndexedFile& file = m_files[std::size_t(source)];
    file.rowStarts.reserve(file.rowCount + 1);
    std::u16string unfilled;
    for (std::uint32_t row = 0; row < file.rowCount; ++row) {
        for (std::uint32_t field = 0; field < file.fieldCount; ++field) {
            const auto cell = std::uint32_t(m_lengths.size());
            // The stored text keeps its blanks, for the window to fill; the words are the shown ones.
            const std::u16string_view stored = table->cell(int(row), int(field)).value_or(std::u16string_view());
            appendUtf8(file.text, stored);
            file.text += '\0';
            const std::u16string_view text = searchedText(stored, unfilled);
            m_lengths.push_back(std::uint8_t(std::min<std::size_t>(text.size(), 255)));
            const bool romaji = int(field) == file.japanese;
            m_folding.split(text, [&](TextFolding::TokenKind kind, const std::u16string& token) {
                if (kind == TextFolding::TokenKind::Cjk) {
                    // Each character with the next, and the last alone: every character of the
                    // run starts one of these terms.
                    for (std::size_t i = 0; i < token.size(); ++i)
                        m_kanji.add(token.substr(i, 2), cell);
                } else if (romaji)
                    m_romaji.add(TextFolding::romaji(token), cell);
                else
                    m_words.add(token, cell);
            });
            if (romaji) {
                const std::u16string reading = readingOf(text);
                for (std::size_t i = 0; i < reading.size(); ++i)
                    m_reading.add(reading.substr(i, 2), cell);
            }
        }
        file.rowStarts.push_back(std::uint32_t(file.text.size()));
    }
    file.text.shrink_to_fit();
}

const PhraseIndex::IndexedFile& PhraseIndex::fileOf(std::uint32_t cell) const
{
    const auto it = std::upper_bound(m_files.begin(), m_files.end(), cell,
                                     [](std::uint32_t id, const IndexedFile& file) { return id < file.cellBase; });
    return *std::prev(it);
}

PhraseHit PhraseIndex::hitAt(std::uint64_t key, QString text) const
{
    const auto cell = std::uint32_t(key);
    const IndexedFile& file = fileOf(cell);
    const std::uint32_t local = cell - file.cellBase;
    return {int(&file - m_files.data()), int(local / file.fieldCount), int(local % file.fieldCount),
            MatchKind((key >> 40) & 3u), std::move(text)};
}

std::u16string PhraseIndex::cellText(std::uint32_t cell) const
{
    const IndexedFile& file = fileOf(cell);
    const std::uint32_t local = cell - file.cellBase;
    std::size_t begin = file.rowStarts[local / file.fieldCount];
    for (std::uint32_t field = 0; field < local % file.fieldCount; ++field)
        begin = file.text.find('\0', begin) + 1;
    const std::size_t end = file.text.find('\0', begin);
    return QString::fromUtf8(file.text.data() + begin, qsizetype(end - begin)).toStdU16String();
}

std::u16string PhraseIndex::readingOf(std::u16string_view cellText) const
{
    std::u16string words;
    m_folding.split(cellText, [&](TextFolding::TokenKind kind, const std::u16string& token) {
        if (kind == TextFolding::TokenKind::Word) words += token + u' ';
    });
    // Both ways of writing long vowels once, parted by a character no kana query holds.
    return TextFolding::reading(words, TextFolding::LongVowels::WithinWords) + u'|' +
           TextFolding::reading(words, TextFolding::LongVowels::AcrossWords);
}

bool PhraseIndex::runWithin(std::u16string_view cellText, std::u16string_view run) const
{
    bool found = false;
    m_folding.split(cellText, [&](TextFolding::TokenKind kind, const std::u16string& token) {
        found = found || (kind == TextFolding::TokenKind::Cjk && token.find(run) != std::u16string::npos);
    });
    return found;
}

QStringList PhraseIndex::fieldNames(int source) const
{
    return source >= 0 && std::size_t(source) < m_files.size() ? m_files[std::size_t(source)].fields : QStringList();
}

QString PhraseIndex::text(int source, int row, int field) const
{
    if (m_mode == Mode::Scan || source < 0 || std::size_t(source) >= m_files.size()) return {};
    const IndexedFile& file = m_files[std::size_t(source)];
    if (row < 0 || field < 0 || std::uint32_t(row) >= file.rowCount || std::uint32_t(field) >= file.fieldCount)
        return {};
    return QString::fromStdU16String(
        cellText(file.cellBase + std::uint32_t(row) * file.fieldCount + std::uint32_t(field)));
}

QString PhraseIndex::text(int source, int row, const QString& fieldName) const
{
    return text(source, row, fieldIndex(fieldNames(source), fieldName));
}

std::size_t PhraseIndex::memoryBytes() const
{
    std::size_t bytes = m_words.memoryBytes() + m_romaji.memoryBytes() + m_kanji.memoryBytes() +
                        m_reading.memoryBytes() + m_lengths.capacity();
    for (const IndexedFile& file : m_files)
        bytes += file.text.capacity() + file.rowStarts.capacity() * sizeof(std::uint32_t);
    return bytes;
}

void PhraseIndex::findIndexed(const QueryWord& word, CellSet& exact, CellSet& prefix, CellSet& fuzzy) const
{
    if (word.kind == TextFolding::TokenKind::Word) {
        std::vector<TermTable::Match> matches;
        m_words.match(word.folded, word.fuzzy, matches);
        m_romaji.match(word.romaji, word.fuzzy, matches);
        for (const TermTable::Match& match : matches) {
            CellSet& cells = match.kind == MatchKind::Exact ? exact : match.kind == MatchKind::Prefix ? prefix : fuzzy;
            for (const std::uint32_t cell : *match.cells)
                cells.insert(cell);
        }
        return;
    }
    findRun(m_kanji, word.folded, false, exact);
    if (!word.reading.empty()) findRun(m_reading, word.reading, true, exact);
}

bool PhraseIndex::unknownMayEdit(const QueryWord& word) const
{
    std::vector<TermTable::Match> matches;
    m_words.match(word.folded, false, matches);
    m_romaji.match(word.romaji, false, matches);
    if (!matches.empty()) return false;
    m_words.match(word.folded, true, matches);
    m_romaji.match(word.romaji, true, matches);
    return matches.size() <= MaxUnknownChoices;
}

void PhraseIndex::findRun(const TermTable& table, std::u16string_view run, bool reading, CellSet& cells) const
{
    // A single character: the terms it starts. A longer run: the cells holding each of its
    // pairs, which hold the run itself when it is a pair.
    if (run.size() == 1) {
        std::vector<TermTable::Match> matches;
        table.match(run, false, matches);
        for (const TermTable::Match& match : matches)
            for (const std::uint32_t cell : *match.cells)
                cells.insert(cell);
        return;
    }
    std::vector<std::uint32_t> candidates;
    for (std::size_t i = 0; i + 1 < run.size(); ++i) {
        const std::vector<std::uint32_t>* found = table.find(run.substr(i, 2));
        if (!found) return;
        if (i == 0) {
            candidates = *found;
            continue;
        }
        std::vector<std::uint32_t> both;
        std::set_intersection(candidates.begin(), candidates.end(), found->begin(), found->end(),
                              std::back_inserter(both));
        candidates = std::move(both);
    }
    std::u16string unfilled;
    for (const std::uint32_t cell : candidates) {
        if (run.size() == 2) {
            cells.insert(cell);
            continue;
        }
        const std::u16string stored = cellText(cell);
        const std::u16string_view text = searchedText(stored, unfilled);
        if (reading ? readingOf(text).find(run) != std::u16string::npos : runWithin(text, run)) cells.insert(cell);
    }
}

SearchResult PhraseIndex::scan(const std::vector<QueryWord>& words, std::size_t limit)
{
    invalidate();
    m_files.resize(m_sources.size());
    RowRanking ranking(limit);
    // The text of each row that was among the best when found.
    std::vector<std::pair<std::uint32_t, QString>> texts;
    std::vector<int> kinds(words.size());
    // An unknown short word may match with an edit only when no word of the files is it
    // or starts with it, and few are one edit away; that is known at the end, so the rows that
    // need such an edit wait until then, each with the words it needs so.
    struct Waiting {
        std::uint64_t key;
        QString text;
        std::vector<bool> needs;
    };
    std::vector<Waiting> waiting;
    std::vector<bool> known(words.size());
    std::vector<std::set<std::u16string>> choices(words.size());
    std::u16string unfilled;
    for (std::size_t source = 0; source < m_sources.size(); ++source) {
        const std::unique_ptr<PhraseTable> table = open(int(source));
        if (!table) continue;
        const IndexedFile& file = m_files[source];
        for (std::uint32_t row = 0; row < file.rowCount; ++row) {
            std::uint64_t rowKey = std::numeric_limits<std::uint64_t>::max();
            std::u16string_view rowText;
            std::optional<Waiting> rowWaiting;
            for (std::uint32_t field = 0; field < file.fieldCount; ++field) {
                const std::u16string_view stored = table->cell(int(row), int(field)).value_or(std::u16string_view());
                const std::u16string_view text = searchedText(stored, unfilled);
                const bool romaji = int(field) == file.japanese;
                std::fill(kinds.begin(), kinds.end(), -1);
                m_folding.split(text, [&](TextFolding::TokenKind kind, const std::u16string& token) {
                    const std::u16string romajiToken = romaji ? TextFolding::romaji(token) : std::u16string();
                    for (std::size_t i = 0; i < words.size(); ++i) {
                        const QueryWord& word = words[i];
                        if (word.kind != kind || kinds[i] == int(MatchKind::Exact)) continue;
                        std::optional<MatchKind> found;
                        if (kind == TextFolding::TokenKind::Cjk)
                            found = token.find(word.folded) != std::u16string::npos ? std::optional(MatchKind::Exact)
                                                                                    : std::nullopt;
                        else {
                            const std::u16string& term = romaji ? romajiToken : token;
                            found =
                                TermTable::kindOf(romaji ? word.romaji : word.folded, term, word.fuzzy || word.unknown);
                            if (word.unknown && found) {
                                if (*found != MatchKind::Fuzzy)
                                    known[i] = true;
                                else if (choices[i].size() <= MaxUnknownChoices)
                                    choices[i].insert((romaji ? u"\1" : u"") + term);
                            }
                        }
                        if (found && (kinds[i] < 0 || int(*found) < kinds[i])) kinds[i] = int(*found);
                    }
                });
                if (romaji) {
                    std::optional<std::u16string> reading;
                    for (std::size_t i = 0; i < words.size(); ++i) {
                        if (words[i].reading.empty() || kinds[i] == int(MatchKind::Exact)) continue;
                        if (!reading) reading = readingOf(text);
                        if (reading->find(words[i].reading) != std::u16string::npos) kinds[i] = int(MatchKind::Exact);
                    }
                }
                if (std::find(kinds.begin(), kinds.end(), -1) != kinds.end()) continue;
                const std::uint64_t key = rankKey(unsigned(*std::max_element(kinds.begin(), kinds.end())), text.size(),
                                                  file.cellBase + row * file.fieldCount + field);
                std::vector<bool> needs(words.size());
                for (std::size_t i = 0; i < words.size(); ++i)
                    needs[i] = words[i].unknown && kinds[i] == int(MatchKind::Fuzzy);
                if (std::ranges::find(needs, true) != needs.end()) {
                    if (!rowWaiting || key < rowWaiting->key)
                        rowWaiting = Waiting{key, QString::fromUtf16(stored.data(), qsizetype(stored.size())), needs};
                } else if (key < rowKey) {
                    rowKey = key;
                    rowText = stored;
                }
            }
            if (rowKey != std::numeric_limits<std::uint64_t>::max()) {
                if (ranking.add(rowKey))
                    texts.emplace_back(std::uint32_t(rowKey),
                                       QString::fromUtf16(rowText.data(), qsizetype(rowText.size())));
            } else if (rowWaiting)
                waiting.push_back(std::move(*rowWaiting));
        }
    }
    for (Waiting& row : waiting) {
        bool mayEdit = true;
        for (std::size_t i = 0; i < words.size(); ++i)
            mayEdit = mayEdit && (!row.needs[i] || (!known[i] && choices[i].size() <= MaxUnknownChoices));
        if (mayEdit && ranking.add(row.key)) texts.emplace_back(std::uint32_t(row.key), std::move(row.text));
    }
    std::ranges::sort(texts, {}, &std::pair<std::uint32_t, QString>::first);
    SearchResult result;
    result.skipped = m_skipped;
    result.count = ranking.count();
    for (const std::uint64_t key : ranking.take()) {
        const auto cell = std::uint32_t(key);
        const auto text = std::lower_bound(texts.begin(), texts.end(), cell,
                                           [](const auto& entry, std::uint32_t id) { return entry.first < id; });
        result.hits.push_back(hitAt(key, text->second));
    }
    return result;
}

SearchResult PhraseIndex::search(const QString& query, std::size_t limit)
{
    build();
    std::vector<QueryWord> words;
    m_folding.split(viewOf(query), [&](TextFolding::TokenKind kind, const std::u16string& token) {
        const bool word = kind == TextFolding::TokenKind::Word;
        words.push_back({kind, token, TextFolding::romaji(token), word && token.size() >= FuzzyFrom,
                         word && token.size() >= FuzzyFromUnknown && token.size() < FuzzyFrom,
                         word ? std::u16string() : TextFolding::kanaReading(token)});
    });
    if (words.empty()) {
        SearchResult result;
        result.skipped = m_skipped;
        return result;
    }
    if (m_mode == Mode::Indexed)
        for (QueryWord& word : words)
            if (word.unknown) {
                word.fuzzy = unknownMayEdit(word);
                word.unknown = false;
            }
    SearchResult result = find(words, limit);
    if (result.count == 0 && words.size() >= PartialFrom) return findAllButOne(words, limit);
    return result;
}

SearchResult PhraseIndex::findAllButOne(const std::vector<QueryWord>& words, std::size_t limit)
{
    SearchResult merged;
    for (std::size_t left = 0; left < words.size(); ++left) {
        std::vector<QueryWord> fewer = words;
        fewer.erase(fewer.begin() + std::ptrdiff_t(left));
        SearchResult part = find(fewer, limit);
        merged.skipped = part.skipped;
        std::ranges::move(part.hits, std::back_inserter(merged.hits));
    }
    // Ranked as a full search ranks its rows, each row once, by its best cell.
    const auto rank = [](const PhraseHit& hit) {
        return std::tuple(int(hit.kind), std::min<qsizetype>(BlankFiller::unfilled(hit.text).size(), 255), hit.source,
                          hit.row, hit.field);
    };
    std::ranges::sort(merged.hits, {}, rank);
    std::vector<PhraseHit> rows;
    std::set<std::pair<int, int>> seen;
    for (PhraseHit& hit : merged.hits) {
        if (!seen.emplace(hit.source, hit.row).second) continue;
        hit.kind = MatchKind::Partial;
        rows.push_back(std::move(hit));
    }
    merged.count = rows.size();
    if (rows.size() > limit) rows.resize(limit);
    merged.hits = std::move(rows);
    return merged;
}

SearchResult PhraseIndex::find(const std::vector<QueryWord>& words, std::size_t limit)
{
    if (m_mode == Mode::Scan) return scan(words, limit);
    SearchResult result;
    result.skipped = m_skipped;

    // The cells every word matches, and among them those where the weakest match is a prefix
    // or worse, and those where it is fuzzy.
    const std::size_t cells = m_lengths.size();
    std::optional<CellSet> all;
    CellSet weak(cells);
    CellSet weakest(cells);
    for (const QueryWord& word : words) {
        CellSet exact(cells);
        CellSet prefix(cells);
        CellSet fuzzy(cells);
        findIndexed(word, exact, prefix, fuzzy);
        // A cell counts by the best way the word matches it.
        prefix.subtract(exact);
        fuzzy.subtract(exact);
        fuzzy.subtract(prefix);
        weak.unite(prefix);
        weak.unite(fuzzy);
        weakest.unite(fuzzy);
        exact.unite(prefix);
        exact.unite(fuzzy);
        if (all)
            all->intersect(exact);
        else
            all = std::move(exact);
    }

    // Every row counts once, by its best cell.
    RowRanking ranking(limit);
    for (const IndexedFile& file : m_files) {
        if (file.fieldCount == 0) continue;
        const std::uint64_t end = std::uint64_t(file.cellBase) + std::uint64_t(file.rowCount) * file.fieldCount;
        std::uint32_t row = 0;
        while (row < file.rowCount) {
            const std::uint64_t first = file.cellBase + std::uint64_t(row) * file.fieldCount;
            std::uint64_t bits = all->bitsAt(first, file.fieldCount);
            if (bits == 0) {
                // Long stretches without a match are skipped a machine word at a time.
                const std::uint64_t next = all->next(first + file.fieldCount, end);
                if (next == end) break;
                row = std::uint32_t((next - file.cellBase) / file.fieldCount);
                continue;
            }
            // The row's best cells are those with its best kind; the shortest of them counts.
            unsigned kind = 0;
            std::uint64_t best = bits & ~weak.bitsAt(first, file.fieldCount);
            if (best == 0) {
                kind = 1;
                best = bits & ~weakest.bitsAt(first, file.fieldCount);
            }
            if (best == 0) {
                kind = 2;
                best = bits;
            }
            ++row;
            if (!ranking.mayTake(rankKey(kind, 0, 0))) {
                ranking.countOnly();
                continue;
            }
            std::uint64_t rowKey = std::numeric_limits<std::uint64_t>::max();
            for (; best != 0; best &= best - 1) {
                const auto cell = std::uint32_t(first + unsigned(std::countr_zero(best)));
                rowKey = std::min(rowKey, rankKey(kind, m_lengths[cell], cell));
            }
            ranking.add(rowKey);
        }
    }
    result.count = ranking.count();
    for (const std::uint64_t key : ranking.take())
        result.hits.push_back(hitAt(key, QString::fromStdU16String(cellText(std::uint32_t(key)))));
    return result;
}

} // namespace phrase_data
