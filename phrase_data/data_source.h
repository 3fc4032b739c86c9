#pragma once

#include "phrase_texts.h"

#include <QAbstractTableModel>

namespace phrase_data {

class AdoTable;

// The link from the table to the grid: a read-only model with one row per table row and one
// column per field, titled with the field's name as the table writes it. NULL shows as an
// empty cell.
class DataSource : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DataSource(AdoTable& table, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The column of the field with this name, matched without regard to case; -1 if none.
    [[nodiscard]] int fieldIndex(const QString& name) const;
    // The field's name as the table writes it.
    [[nodiscard]] QString fieldName(int column) const;
    // The text of one cell; empty for NULL.
    [[nodiscard]] QString text(int row, int column) const;
    // A row's nine texts, empty where the table lacks the language.
    [[nodiscard]] PhraseTexts texts(int row) const;

private:
    AdoTable& m_table;
};

} // namespace phrase_data
