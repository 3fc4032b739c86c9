#pragma once

#include <QString>

namespace phrase_data {

// A data file the search reads: its caption (the topic or list it stands for) and its path as
// the window writes it, "dsb\name.dsb", relative to the working directory.
struct PhraseSource {
    QString caption;
    QString path;
};

} // namespace phrase_data
