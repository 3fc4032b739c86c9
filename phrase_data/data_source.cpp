#include "data_source.h"

#include "ado_table.h"

namespace phrase_data {

DataSource::DataSource(AdoTable& table, QObject* parent)
    : QAbstractTableModel(parent)
    , m_table(table)
{
    connect(&m_table, &AdoTable::aboutToChange, this, &DataSource::beginResetModel);
    connect(&m_table, &AdoTable::changed, this, &DataSource::endResetModel);
}

int DataSource::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.rows().rowCount();
}

int DataSource::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_table.rows().fieldCount();
}

QString DataSource::text(int row, int column) const
{
    return m_table.rows().text(row, column);
}

PhraseTexts DataSource::texts(int row) const
{
    return m_table.rows().texts(row);
}

QVariant DataSource::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
    if (role != Qt::DisplayRole) return {};
    return text(index.row(), index.column());
}

QVariant DataSource::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
    return fieldName(section);
}

Qt::ItemFlags DataSource::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

int DataSource::fieldIndex(const QString& name) const
{
    return m_table.rows().fieldIndex(name);
}

QString DataSource::fieldName(int column) const
{
    return m_table.rows().fieldName(column);
}

} // namespace phrase_data
