#pragma once

#include "phrase_data/ado_connection.h"
#include "phrase_data/ado_table.h"
#include "phrase_data/data_source.h"
#include "phrase_data/language_field.h"

#include <QByteArray>
#include <QString>

namespace speech {

// One phrase file read whole through the same connection, table and data source the window
// uses, for the engines that read phrases without a window.
class PhraseFile {
public:
    // The path as the window gives it ("dsb\phonet.dsb"). Throws jet4::Error naming the file
    // when it is missing or broken.
    explicit PhraseFile(const QByteArray& dataFilePath);

    [[nodiscard]] int rowCount() const { return m_source.rowCount(); }
    // The cell of a language field; empty when the file lacks the field or the cell is NULL.
    [[nodiscard]] QString text(int row, phrase_data::LanguageField field) const;

private:
    phrase_data::AdoConnection m_connection;
    phrase_data::AdoTable m_table;
    phrase_data::DataSource m_source;
};

} // namespace speech
