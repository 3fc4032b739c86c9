#include "data_folder.h"

#include "data_file_name.h"
#include "jet4/writer.h"
#include "phrase_data/phrase_catalogue.h"

#include <QDir>
#include <QFile>
#include <filesystem>
#include <stdexcept>

namespace {

void writeGenerated(const QString& name, const std::vector<std::string>& fields)
{
    std::vector<std::vector<std::string>> rows;
    rows.reserve(DataFolder::RowsPerFile);
    for (int row = 1; row <= DataFolder::RowsPerFile; ++row) {
        std::vector<std::string> cells;
        cells.reserve(fields.size());
        for (const std::string& field : fields)
            cells.push_back(DataFolder::cell(name, QString::fromStdString(field), row).toStdString());
        rows.push_back(cells);
    }
    DataFolder::write(name, fields, rows);
}

} // namespace

DataFolder::DataFolder()
    : m_previous(QDir::currentPath())
{
    if (!m_dir.isValid() || !QDir::setCurrent(m_dir.path()))
        throw std::runtime_error("cannot make a working directory for the test");
    QDir().mkpath(QStringLiteral("dsb"));
    using phrase_data::PhraseCatalogue;
    std::vector<std::string> languages;
    for (const auto& language : PhraseCatalogue::languages())
        languages.emplace_back(PhraseCatalogue::fieldName(language.field));
    for (const auto& topic : PhraseCatalogue::topics())
        writeGenerated(DataFolder::baseName(topic.dataFile), languages);
    for (const auto& entry : PhraseCatalogue::references())
        writeGenerated(DataFolder::baseName(entry.dataFile),
                       {PhraseCatalogue::fieldName(entry.leftField), PhraseCatalogue::fieldName(entry.rightField)});
}

DataFolder::~DataFolder()
{
    QDir::setCurrent(m_previous);
}

void DataFolder::write(const QString& name, const std::vector<std::string>& fields,
                       const std::vector<std::vector<std::string>>& rows, const std::string& table)
{
    jet4::DatabaseWriter writer(fields, table);
    for (const auto& row : rows)
        writer.addRow(row);
    writer.writeFile(std::filesystem::path("dsb") / (name.toStdString() + ".dsb"));
}

QString DataFolder::cell(const QString& name, const QString& field, int row)
{
    return QStringLiteral("%1 %2 %3").arg(name, field).arg(row);
}

void DataFolder::remove(const QString& name)
{
    QFile::remove(QStringLiteral("dsb/%1.dsb").arg(name));
}

QString DataFolder::baseName(const char* dataFile)
{
    return QString::fromStdString(dataFileBaseName(dataFile));
}
