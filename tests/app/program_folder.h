#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A scratch working directory with an empty dsb/ in it, where the built program runs as a user
// would start it from a shell.
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
    [[nodiscard]] Run run(const QStringList& arguments) const;

private:
    QTemporaryDir m_dir;
};
