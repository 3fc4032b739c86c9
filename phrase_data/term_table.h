#pragma once

#include "match_kind.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace phrase_data {

// The words of the indexed cells, each with the cells that hold it (in ascending order, each
// cell once). Filled while the index is built, then sorted for prefix look-ups.
class TermTable {
public:
    struct Match {
        const std::vector<std::uint32_t>* cells;
        MatchKind kind;
    };

    // The longest word kindOf edits only by a letter left out.
    static constexpr std::size_t ShortWord = 3;

    void add(const std::u16string& term, std::uint32_t cell);
    // Ends the filling: sorts the words and gives back the room the lists grew into.
    void finish();

    // The cells holding exactly this word; null when none does.
    [[nodiscard]] const std::vector<std::uint32_t>* find(std::u16string_view term) const;
    // Appends every word that word matches: itself, the words it starts, and, when fuzzy, the
    // words one edit away.
    void match(std::u16string_view word, bool fuzzy, std::vector<Match>& out) const;

    [[nodiscard]] std::size_t memoryBytes() const;

    // How word matches term, if it does: the same, a prefix of it, or (when fuzzy) one edit away.
    // A word of three letters is one edit only from the words it lacks a letter of ("nme", name):
    // changing one of three letters or swapping two makes too many other words.
    [[nodiscard]] static std::optional<MatchKind> kindOf(std::u16string_view word, std::u16string_view term,
                                                         bool fuzzy);
    // One insertion, deletion, substitution or swap of neighbours turns a into b (or a is b).
    [[nodiscard]] static bool withinOneEdit(std::u16string_view a, std::u16string_view b);

private:
    std::unordered_map<std::u16string, std::uint32_t> m_ids; // while filling
    std::vector<std::u16string> m_terms;
    std::vector<std::vector<std::uint32_t>> m_cells;
};

} // namespace phrase_data
