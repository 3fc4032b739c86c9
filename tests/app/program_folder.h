#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A scratch working directory with an empty dsb/ in it, where the built program runs as a user
// would start it from a shell; its data folder (XDG_DATA_HOME) is data/ in there, so that the
// user's own My phrases stay out of the tests.
class ProgramFolder {
public:
    struct Run {
        int exitCode = -1; // -1: it crashed or did not finish
        QString out;
        QString err;
    };

    ProgramFolder();

    [[nodiscard]] bool isValid() const;
    [[nodiscard]] QString path() const { return m_dir.path(); }
    [[nodiscard]] QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Copies the phrase files the build made into dsb/.
    [[nodiscard]] bool copyShippedFiles() const;
    // Where the program keeps My phrases in this folder.
    [[nodiscard]] QString myPhrasesPath() const { return m_dir.filePath(QStringLiteral("data/Tarvolyn/my.dsb")); }
    [[nodiscard]] Run run(const QStringList& arguments) const;
    // Saves, in the settings under configHome (what XDG_CONFIG_HOME names), a station profile
    // whose name is Ivan, Иван in Cyrillic and イワン in katakana.
    static void saveProfileNamedIvan(const QString& configHome);

private:
    QTemporaryDir m_dir;
};
