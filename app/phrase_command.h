#pragma once

#include <QStringList>

// tarvolyn --phrase FILE ROW [--set SLOT=VALUE]...: one row of a phrase file in dsb/, a line
// field<TAB>text for each language the file carries (nine for a topic, two for a list), with
// its blanks filled from the station profile and the --set values, "..." where unset.
class PhraseCommand {
public:
    // FILE is a base name ("name.dsb"); ROW counts from 1 in the table's order, as --find
    // prints it; each setting is SLOT=VALUE, the value in Latin letters. 0 done; 1 for no such
    // file or row, or a file that cannot be read; 2 for a bad FILE, ROW or setting, an unknown
    // slot, or no dsb/ in the working directory.
    [[nodiscard]] static int run(const QString& file, const QStringList& rowArguments, const QStringList& settings);
};
