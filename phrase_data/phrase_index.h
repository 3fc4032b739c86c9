#pragma once

#include "cell_set.h"
#include "phrase_source.h"
#include "search_result.h"
#include "term_table.h"
#include "text_folding.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace phrase_data {

class PhraseTable;

// The search over every phrase of the sources, in every field. A query is split into words as
// the cells are (TextFolding); a row is found when one of its cells matches every query word,
// in any order: the same word, a word it starts, or a word one edit away, for a query word of
// five letters or more (counted after folding, so "ß" counts two), and for one of three or four
// letters that is no word of the sources nor begins one, when at most a few words lie one edit
// from it (from a three-letter word, only the words with one letter more: "nme", name).
// Kana and kanji are found within the cell's runs, and kana also within the reading of the
// Japanese field's romaji (TextFolding::reading), so that なまえ finds 名前 (namae). Rows rank
// by their best cell: the cell's weakest match (exact before prefix before fuzzy), then shorter
// cells, then the sources' order. A query of three words or more that finds nothing finds the
// rows that match every word but one, ranked the same way among themselves.
//
// The files are read once, through the data layer, on the first search; a file that cannot be
// read is left out and reported by its message. A table's first 64 fields are searched.
class PhraseIndex {
public:
    static constexpr std::size_t DefaultLimit = 200;
    static constexpr std::size_t FuzzyFrom = 5;
    static constexpr std::size_t FuzzyFromUnknown = 3;
    static constexpr std::size_t MaxUnknownChoices = 3; // the words an unknown short word may mean
    static constexpr std::size_t PartialFrom = 3;       // the query words from which all but one may do

    enum class Mode : std::uint8_t {
        Indexed, // lists the cells of every word once, so each search looks only at what it finds
        Scan,    // reads every file again in each search and keeps nothing: for a single search,
                 // where listing the words would cost more than it saves (the command line)
    };

    // Every topic and list of the catalogue, in menu order.
    [[nodiscard]] static std::vector<PhraseSource> catalogueSources();

    explicit PhraseIndex(std::vector<PhraseSource> sources = catalogueSources(), Mode mode = Mode::Indexed);
    ~PhraseIndex();
    PhraseIndex(const PhraseIndex&) = delete;
    PhraseIndex& operator=(const PhraseIndex&) = delete;

    [[nodiscard]] const std::vector<PhraseSource>& sources() const { return m_sources; }
    void addSource(PhraseSource source);
    // Forgets what was read: the next search reads the files again.
    void invalidate();
    // Reads the files now, unless they have been read.
    void build();

    [[nodiscard]] SearchResult search(const QString& query, std::size_t limit = DefaultLimit);

    // What the last reading found in a source: its field names, and one cell's text (empty for
    // a field the source lacks or a row beyond it, and always in the Scan mode).
    [[nodiscard]] QStringList fieldNames(int source) const;
    [[nodiscard]] QString text(int source, int row, int field) const;
    [[nodiscard]] QString text(int source, int row, const QString& fieldName) const;

    // The memory the built index takes, text included.
    [[nodiscard]] std::size_t memoryBytes() const;

private:
    struct IndexedFile;
    struct QueryWord;

    // Opens a source's table and notes its fields; null when it cannot be read (then skipped).
    [[nodiscard]] std::unique_ptr<PhraseTable> open(int source);
    void read(int source);
    [[nodiscard]] SearchResult find(const std::vector<QueryWord>& words, std::size_t limit);
    [[nodiscard]] SearchResult scan(const std::vector<QueryWord>& words, std::size_t limit);
    // The rows that match every word but one, best first, each marked Partial.
    [[nodiscard]] SearchResult findAllButOne(const std::vector<QueryWord>& words, std::size_t limit);
    // Whether a three- or four-letter word the word lists lack may match with one edit.
    [[nodiscard]] bool unknownMayEdit(const QueryWord& word) const;
    // The reading of a Japanese cell's romaji, as kana: its long vowels written once within
    // words, then across them.
    [[nodiscard]] std::u16string readingOf(std::u16string_view cellText) const;
    // The cells whose run (in the pairs of table) holds run.
    void findRun(const TermTable& table, std::u16string_view run, bool reading, CellSet& cells) const;
    [[nodiscard]] const IndexedFile& fileOf(std::uint32_t cell) const;
    [[nodiscard]] std::u16string cellText(std::uint32_t cell) const;
    // The hit a ranking key stands for.
    [[nodiscard]] PhraseHit hitAt(std::uint64_t key, QString text) const;
    [[nodiscard]] bool runWithin(std::u16string_view cellText, std::u16string_view run) const;
    // The cells word matches, by their best match kind.
    void findIndexed(const QueryWord& word, CellSet& exact, CellSet& prefix, CellSet& fuzzy) const;

    std::vector<PhraseSource> m_sources;
    Mode m_mode;
    TextFolding m_folding;
    bool m_built = false;
    std::vector<IndexedFile> m_files;
    QStringList m_skipped;
    TermTable m_words;                   // every field but Japanese
    TermTable m_romaji;                  // the Japanese field's words, long vowels collapsed
    TermTable m_kanji;                   // kana and kanji: each character with the next, and a run's last alone
    TermTable m_reading;                 // the same for the reading of the Japanese field's romaji
    std::vector<std::uint8_t> m_lengths; // each cell's length in characters, at most 255
};

} // namespace phrase_data
