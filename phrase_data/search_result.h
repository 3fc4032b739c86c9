#pragma once

#include "phrase_hit.h"

#include <QStringList>
#include <cstddef>
#include <vector>

namespace phrase_data {

// What one search found: the best rows, best first, how many rows matched in all, and the
// message of every file that could not be read and was left out.
struct SearchResult {
    std::vector<PhraseHit> hits;
    std::size_t count = 0;
    QStringList skipped;
};

} // namespace phrase_data
