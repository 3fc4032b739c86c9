#pragma once

#include "phrase_data/blank_filler.h"
#include "phrase_data/language_field.h"

#include <QStringList>
#include <optional>

// The program without windows: with any argument of its own (anything but Qt's options, which
// start the windows) it runs one command of the engines and prints to the terminal instead of
// opening the splash and the main window.
class CommandLine {
public:
    // True when the arguments ask for the command line rather than the windows.
    [[nodiscard]] static bool wanted(int argc, char** argv);
    // Runs the command that the arguments name; the result is the process's exit code:
    // 0 done, 1 nothing found or a failure, 2 a usage error.
    [[nodiscard]] static int run(const QStringList& arguments);

    // The language field a command names; none, after saying so on stderr, for a bad name.
    [[nodiscard]] static std::optional<phrase_data::LanguageField> field(const QString& name);
    // Whether dsb/ is in the working directory; when not, says so on stderr, naming the folder.
    [[nodiscard]] static bool dataFolderPresent();
    // The blanks the station profile fills, as the windows read it; a profile that cannot be
    // read is said on stderr and fills nothing.
    [[nodiscard]] static phrase_data::BlankFiller profileFiller();
    // A cell's text on one line: a tab or line break inside it would break the columns.
    [[nodiscard]] static QString oneLine(QString text);

    // The bounds of a command's text: a phrase holds at most 255 characters in a field, so
    // more would find or say nothing more, only take longer.
    static constexpr int MaxFindWords = 32;
    static constexpr int MaxTextLength = 4096;

    static constexpr int Done = 0;
    static constexpr int Failed = 1;
    static constexpr int UsageError = 2;
};
