#pragma once

#include "phrase_data/language_field.h"

#include <QAbstractTableModel>
#include <QString>
#include <array>

namespace phrase_data {
class DataSource;
}
class ContactBlanks;

// The grid's three columns over the data source: each column names a field and shows that
// field's values. Binding is by name without regard to case; a column bound to a field the
// table lacks keeps its name as title and shows one empty cell per row. A cell shows its text
// with the blanks filled from the contact's values, "..." where one has none.
class GridColumnsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 3;

    explicit GridColumnsModel(phrase_data::DataSource& source, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    [[nodiscard]] QString fieldName(int column) const { return m_columns.at(std::size_t(column)).name; }
    // Names the column's field and binds it at once.
    void setFieldName(int column, const QString& name);
    // Binds every column again by its name (after the table changed).
    void bindAll();
    // The values the cells' blanks are filled from; every cell is shown again when they change.
    void setBlanks(const ContactBlanks* blanks);

private:
    struct Column {
        QString name;
        int field = -1; // column of the data source, -1 when the table lacks the field
        // The language whose forms fill the column's blanks; Latin for a field of no language.
        phrase_data::LanguageField language = phrase_data::LanguageField::Eng;
    };
    void bind(Column& column) const;

    phrase_data::DataSource& m_source;
    const ContactBlanks* m_blanks = nullptr;
    std::array<Column, ColumnCount> m_columns;
};
