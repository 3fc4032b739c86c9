#pragma once

#include <QString>

// tarvolyn --say FIELD TEXT --wav FILE: the cell's speech as a WAV file (16-bit mono PCM).
// tarvolyn --say FIELD TEXT --spoken: the words said, one line in the voice's script.
class SayCommand {
public:
    // TEXT is a cell as stored. For RusP it is looked up among the RusP cells of dsb/, and that
    // row's Rus cell is said, stressed as TEXT marks it; a Rus cell found there is stressed by
    // its row's RusP. Exit codes as CommandLine's.
    [[nodiscard]] static int run(const QString& fieldName, const QString& text, const QString& wavPath,
                                 bool spoken = false);
};
