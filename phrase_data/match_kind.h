#pragma once

#include <cstdint>

namespace phrase_data {

// How a query word matched a word of a cell, best first; results rank in this order.
enum class MatchKind : std::uint8_t {
    Exact,   // the same word (a kana or kanji query: found within the cell's run)
    Prefix,  // the cell's word starts with the query word
    Fuzzy,   // one edit apart: an insertion, deletion, substitution or swap of neighbours
    Partial, // every query word but one matched, in a search that found no row with them all
};

} // namespace phrase_data
