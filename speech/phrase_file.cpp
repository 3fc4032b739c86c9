#include "phrase_file.h"

#include "phrase_data/data_file.h"
#include "phrase_data/phrase_catalogue.h"

namespace speech {

PhraseFile::PhraseFile(const QByteArray& dataFilePath)
    : m_table(m_connection)
    , m_source(m_table)
{
    phrase_data::LoadDataFile(m_connection, m_table, dataFilePath);
}

QString PhraseFile::text(int row, phrase_data::LanguageField field) const
{
    const int column = m_source.fieldIndex(QLatin1String(phrase_data::PhraseCatalogue::fieldName(field)));
    return column < 0 ? QString() : m_source.text(row, column);
}

} // namespace speech
