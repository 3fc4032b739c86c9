#pragma once

#include <QStringList>

// `tarvolyn --find WORDS...`: the phrase search without windows, over the catalogue's files in
// dsb/ of the working directory. One line per row found, best first:
// file<TAB>row<TAB>field<TAB>cell text, the row counted from 1 in the table's order. Files that
// cannot be read are named on stderr with their message, and the search goes on without them.
class FindCommand {
public:
    // 0 when something was found, 1 when nothing was.
    [[nodiscard]] static int run(const QStringList& words);
};
