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
    return parent.isValid() ? 0 : int(m_table.rows().rowCount());
}

int DataSource::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_table.rows().columnCount());
}

QString DataSource::text(int row, int column) const
{
    const auto cell = m_table.rows().cell(std::size_t(row), std::size_t(column));
    if (!cell) return {};
    return QString(reinterpret_cast<const QChar*>(cell->data()), qsizetype(cell->size()));
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
    const auto& columns = m_table.rows().columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (QString::fromStdString(columns[i].name).compare(name, Qt::CaseInsensitive) == 0) return int(i);
    }
    return -1;
}

QString DataSource::fieldName(int column) const
{
    const auto& columns = m_table.rows().columns();
    if (column < 0 || std::size_t(column) >= columns.size()) return {};
    return QString::fromStdString(columns[std::size_t(column)].name);
}

} // namespace phrase_data
