#pragma once

#include <QStringList>

// `tarvolyn --find WORDS...`: the phrase search without windows, over the catalogue's files in
// dsb/ of the working directory and the user's My phrases file. One line per row found, best
// first: file<TAB>row<TAB>field<TAB>cell text, the row counted from 1 in the table's order (the
// file is my.dsb's whole path). Files that cannot be read are named on stderr with their
// message, and the search goes on without them.
class FindCommand {
public:
    // 0 when something was found, 1 when nothing was, 2 for words that are only spaces and
    // punctuation or a working directory without dsb/.
    [[nodiscard]] static int run(const QStringList& words);
};
