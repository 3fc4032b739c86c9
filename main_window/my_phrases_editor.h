#pragma once

#include "phrase_data/my_phrase_file.h"

#include <QFont>
#include <optional>

class QWidget;

// The commands on the user's own phrase file, between the main window and the file: opening it
// (saying so when another copy has it, offering the backup when it cannot be read) and the add,
// edit and delete dialogs. Each change returns the row to show next, none when nothing changed.
class MyPhrasesEditor {
public:
    MyPhrasesEditor(std::filesystem::path file, QWidget* window);

    // Reads the file again, taking its lock if this copy has not got it, and says what it found:
    // a file moved aside, or that another copy has the lock.
    void open();
    // open(), and whether the file may be changed here.
    [[nodiscard]] bool openForEditing();
    [[nodiscard]] const phrase_data::MyPhraseFile& file() const { return m_file; }
    // Why the file cannot be changed here, empty when it can; when another copy had the lock,
    // it is tried again first, so that the commands come back as soon as that copy quits.
    [[nodiscard]] QString readOnlyReason();

    [[nodiscard]] std::optional<int> add(const QString& title, const phrase_data::PhraseTexts& start,
                                         const QFont& font);
    [[nodiscard]] std::optional<int> edit(int row, const QFont& font);
    [[nodiscard]] std::optional<int> remove(int row);
    // Lists the backup and the copies kept beside it, with their phrase counts, and saves the
    // one chosen as the file.
    [[nodiscard]] std::optional<int> restoreBackup();

private:
    void offerBackup(const phrase_data::MyPhraseFile::MovedAside& moved);
    // Says what the last save warned of, if anything.
    void showWarning();

    phrase_data::MyPhraseFile m_file;
    QWidget* m_window;
    bool m_opened = false;
};
