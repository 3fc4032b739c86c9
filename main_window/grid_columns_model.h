#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <array>

namespace phrase_data {
class DataSource;
}

// The grid's three columns over the data source: each column names a field and shows that
// field's values. Binding is by name without regard to case; a column bound to a field the
// table lacks keeps its name as title and shows one empty cell per row.
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

private:
    struct Column {
        QString name;
        int field = -1; // column of the data source, -1 when the table lacks the field
    };
    void bind(Column& column) const;

    phrase_data::DataSource& m_source;
    std::array<Column, ColumnCount> m_columns;
};
