#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

// A working directory for window tests holding dsb/ with every file the catalogue names. Each
// file's cells say where they come from ("weath Rus 2"), reference files have no Jap field, and
// the working directory is restored when the folder goes.
class DataFolder {
public:
    static constexpr int RowsPerFile = 3;

    DataFolder();
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    // Writes dsb/<name>.dsb with these fields and rows (replacing any file of that name).
    static void write(const QString& name, const std::vector<std::string>& fields,
                      const std::vector<std::vector<std::string>>& rows, const std::string& table = "Dict");
    // "dsb\weath.dsb" -> "weath".
    [[nodiscard]] static QString baseName(const char* dataFile);
    // The text a generated file holds in a field's cell.
    [[nodiscard]] static QString cell(const QString& name, const QString& field, int row);
    static void remove(const QString& name);

private:
    QTemporaryDir m_dir;
    QString m_previous;
};
