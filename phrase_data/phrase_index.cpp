#include "phrase_index.h"

#include "ado_connection.h"
#include "ado_table.h"
#include "data_file.h"
#include "phrase_catalogue.h"

#include <QStringView>
#include <algorithm>
#include <limits>
#include <queue>

namespace phrase_data {

namespace {

// A search looks at this many query words at most: the per-cell count has four bits.
constexpr std::size_t MaxQueryWords = 15;
constexpr std::uint16_t CountMask = 0xF;

int fieldIndex(const QStringList& fields, const QString& name)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        if (fields[i].compare(name, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

constexpr std::uint16_t packState(std::uint16_t count, unsigned weakest, unsigned sum)
{
    return std::uint16_t(count | (weakest << 4) | (sum << 6));
}

} // namespace

struct PhraseIndex::IndexedFile {
    QStringList fields;
    std::uint32_t fieldCount = 0;
    std::uint32_t rowCount = 0;
    std::uint32_t cellBase = 0;
    std::string text;                // every cell in UTF-8, row by row
    std::vector<std::uint32_t> ends; // where each cell's text ends
};

struct PhraseIndex::QueryWord {
    TextFolding::TokenKind kind;
    std::u16string folded;
    std::vector<TermTable::Match> matches; // words: the terms it matches, best first
    std::vector<std::uint32_t> cells;      // kana and kanji: the cells holding all its characters
    std::size_t total = 0;
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

PhraseIndex::PhraseIndex(std::vector<PhraseSource> sources)
    : m_sources(std::move(sources))
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
    m_lengths = {};
    m_state = {};
}

void PhraseIndex::build()
{
    if (m_built) return;
    invalidate();
    m_files.resize(m_sources.size());
    for (std::size_t source = 0; source < m_sources.size(); ++source)
        read(int(source));
    m_words.finish();
    m_romaji.finish();
    m_kanji.finish();
    m_lengths.shrink_to_fit();
    m_state.assign(m_lengths.size(), 0);
    m_built = true;
}

void PhraseIndex::read(int source)
{
    IndexedFile& file = m_files[std::size_t(source)];
    file.cellBase = std::uint32_t(m_lengths.size());
    AdoConnection connection;
    connection.setConnectionString(BuildConnectionString(m_sources[std::size_t(source)].path.toLocal8Bit()));
    AdoTable table(connection);
    try {
        table.setActive(true);
    } catch (const std::exception& error) {
        m_skipped << QString::fromUtf8(error.what());
        return;
    }
    const jet4::Table& rows = table.rows();
    for (const jet4::Column& column : rows.columns())
        file.fields << QString::fromStdString(column.name);
    const int japanese = fieldIndex(file.fields, QString::fromLatin1(PhraseCatalogue::fieldName(LanguageField::Jap)));
    file.fieldCount = std::uint32_t(rows.columnCount());
    file.rowCount = std::uint32_t(rows.rowCount());
    file.ends.reserve(std::size_t(file.fieldCount) * file.rowCount);
    for (std::uint32_t row = 0; row < file.rowCount; ++row) {
        for (std::uint32_t field = 0; field < file.fieldCount; ++field) {
            const std::uint32_t cell = std::uint32_t(m_lengths.size());
            const std::u16string_view text = rows.cell(row, field).value_or(std::u16string_view());
            file.text += QStringView(text.data(), qsizetype(text.size())).toUtf8().toStdString();
            file.ends.push_back(std::uint32_t(file.text.size()));
            m_lengths.push_back(std::uint8_t(std::min<std::size_t>(text.size(), 255)));
            const bool romaji = int(field) == japanese;
            m_folding.split(text, [&](TextFolding::TokenKind kind, const std::u16string& token) {
                if (kind == TextFolding::TokenKind::Cjk) {
                    for (const char16_t c : token)
                        m_kanji.add(std::u16string(1, c), cell);
                } else if (romaji)
                    m_romaji.add(TextFolding::romaji(token), cell);
                else
                    m_words.add(token, cell);
            });
        }
    }
    file.text.shrink_to_fit();
}

const PhraseIndex::IndexedFile& PhraseIndex::fileOf(std::uint32_t cell) const
{
    const auto it = std::upper_bound(m_files.begin(), m_files.end(), cell,
                                     [](std::uint32_t id, const IndexedFile& file) { return id < file.cellBase; });
    return *std::prev(it);
}

std::u16string PhraseIndex::cellText(std::uint32_t cell) const
{
    const IndexedFile& file = fileOf(cell);
    const std::uint32_t local = cell - file.cellBase;
    const std::uint32_t begin = local == 0 ? 0 : file.ends[local - 1];
    return QString::fromUtf8(file.text.data() + begin, qsizetype(file.ends[local] - begin)).toStdU16String();
}

bool PhraseIndex::runWithin(std::uint32_t cell, std::u16string_view run) const
{
    bool found = false;
    m_folding.split(cellText(cell), [&](TextFolding::TokenKind kind, const std::u16string& token) {
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
    if (source < 0 || std::size_t(source) >= m_files.size()) return {};
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
    std::size_t bytes = m_words.memoryBytes() + m_romaji.memoryBytes() + m_kanji.memoryBytes() + m_lengths.capacity() +
                        m_state.capacity() * sizeof(std::uint16_t);
    for (const IndexedFile& file : m_files)
        bytes += file.text.capacity() + file.ends.capacity() * sizeof(std::uint32_t);
    return bytes;
}

void PhraseIndex::mark(const QueryWord& word, std::uint8_t done, std::uint32_t& low, std::uint32_t& high)
{
    const auto promote = [&](std::uint32_t cell, MatchKind kind) {
        const std::uint16_t state = m_state[cell];
        if ((state & CountMask) != done) return;
        const unsigned weakest = std::max(unsigned(state >> 4) & 3u, unsigned(kind));
        m_state[cell] = packState(std::uint16_t(done + 1), weakest, (state >> 6) + unsigned(kind));
        if (done == 0) {
            low = std::min(low, cell);
            high = std::max(high, cell);
        }
    };
    // The matches come best first, so the first that reaches a cell gives its kind.
    for (const TermTable::Match& match : word.matches)
        for (const std::uint32_t cell : *match.cells)
            promote(cell, match.kind);
    for (const std::uint32_t cell : word.cells)
        if ((m_state[cell] & CountMask) == done && runWithin(cell, word.folded)) promote(cell, MatchKind::Exact);
}

SearchResult PhraseIndex::search(const QString& query, std::size_t limit)
{
    build();
    SearchResult result;
    result.skipped = m_skipped;

    std::vector<QueryWord> words;
    m_folding.split(query.toStdU16String(), [&](TextFolding::TokenKind kind, const std::u16string& token) {
        if (words.size() < MaxQueryWords) words.push_back({kind, token, {}, {}, 0});
    });
    if (words.empty()) return result;
    for (QueryWord& word : words) {
        if (word.kind == TextFolding::TokenKind::Word) {
            const bool fuzzy = word.folded.size() >= FuzzyFrom;
            m_words.match(word.folded, fuzzy, word.matches);
            m_romaji.match(TextFolding::romaji(word.folded), fuzzy, word.matches);
            std::stable_sort(word.matches.begin(), word.matches.end(),
                             [](const TermTable::Match& a, const TermTable::Match& b) { return a.kind < b.kind; });
            for (const TermTable::Match& match : word.matches)
                word.total += match.cells->size();
        } else {
            // Only a cell that holds every character can hold the run.
            bool first = true;
            for (const char16_t c : word.folded) {
                const std::vector<std::uint32_t>* cells = m_kanji.find(std::u16string(1, c));
                if (!cells) {
                    word.cells.clear();
                    break;
                }
                if (first)
                    word.cells = *cells;
                else {
                    std::vector<std::uint32_t> both;
                    std::set_intersection(word.cells.begin(), word.cells.end(), cells->begin(), cells->end(),
                                          std::back_inserter(both));
                    word.cells = std::move(both);
                }
                first = false;
            }
            word.total = word.cells.size();
        }
    }
    // The rarest word first: the others then only look at the cells it reached.
    std::stable_sort(words.begin(), words.end(),
                     [](const QueryWord& a, const QueryWord& b) { return a.total < b.total; });
    std::uint32_t low = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t high = 0;
    for (std::size_t i = 0; i < words.size(); ++i)
        mark(words[i], std::uint8_t(i), low, high);

    // One pass over the reached cells: every row counts once, by its best cell, and the pass
    // clears the cells for the next search.
    const auto all = std::uint16_t(words.size());
    std::priority_queue<std::uint64_t> best; // the limit's best rows, the worst on top
    for (const IndexedFile& file : m_files) {
        const std::uint32_t end = file.cellBase + file.rowCount * file.fieldCount;
        if (file.fieldCount == 0 || low > high || end <= low || file.cellBase > high) continue;
        const std::uint32_t firstRow = low > file.cellBase ? (low - file.cellBase) / file.fieldCount : 0;
        const std::uint32_t lastRow = std::min(file.rowCount, (high - file.cellBase) / file.fieldCount + 1);
        for (std::uint32_t row = firstRow; row < lastRow; ++row) {
            std::uint64_t rowKey = std::numeric_limits<std::uint64_t>::max();
            const std::uint32_t rowBase = file.cellBase + row * file.fieldCount;
            for (std::uint32_t cell = rowBase; cell < rowBase + file.fieldCount; ++cell) {
                const std::uint16_t state = m_state[cell];
                if (state == 0) continue;
                m_state[cell] = 0;
                if ((state & CountMask) != all) continue;
                // Weakest kind, then the sum of kinds, then length, then the sources' order.
                const std::uint64_t key = (std::uint64_t((state >> 4) & 3u) << 45) | (std::uint64_t(state >> 6) << 40) |
                                          (std::uint64_t(m_lengths[cell]) << 32) | cell;
                rowKey = std::min(rowKey, key);
            }
            if (rowKey == std::numeric_limits<std::uint64_t>::max()) continue;
            ++result.count;
            if (best.size() < limit)
                best.push(rowKey);
            else if (limit > 0 && rowKey < best.top()) {
                best.pop();
                best.push(rowKey);
            }
        }
    }
    result.hits.resize(best.size());
    for (auto hit = result.hits.rbegin(); hit != result.hits.rend(); ++hit) {
        const auto cell = std::uint32_t(best.top());
        const auto kind = MatchKind((best.top() >> 45) & 3u);
        best.pop();
        const IndexedFile& file = fileOf(cell);
        const std::uint32_t local = cell - file.cellBase;
        *hit = {int(&file - m_files.data()), int(local / file.fieldCount), int(local % file.fieldCount), kind};
    }
    return result;
}

} // namespace phrase_data
