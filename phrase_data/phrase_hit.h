#pragma once

#include "match_kind.h"

#include <QString>

namespace phrase_data {

// One row found by the search: the source it is in (its place in the index's sources), the row
// counted from 0 in the table's order, and the field whose cell matched best.
struct PhraseHit {
    int source = 0;
    int row = 0;
    int field = 0;
    MatchKind kind = MatchKind::Exact; // the weakest match among the query's words
    QString text;                      // the matched cell's
};

} // namespace phrase_data
