#include "grid_columns_model.h"

#include "phrase_data/data_source.h"

GridColumnsModel::GridColumnsModel(phrase_data::DataSource& source, QObject* parent)
    : QAbstractTableModel(parent)
    , m_source(source)
{
    connect(&m_source, &QAbstractItemModel::modelAboutToBeReset, this, &GridColumnsModel::beginResetModel);
    connect(&m_source, &QAbstractItemModel::modelReset, this, [this] {
        for (Column& column : m_columns)
            bind(column);
        endResetModel();
    });
}

int GridColumnsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_source.rowCount();
}

int GridColumnsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant GridColumnsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int field = m_columns[std::size_t(index.column())].field;
    return field < 0 ? QString() : m_source.text(index.row(), field);
}

QVariant GridColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    return m_columns[std::size_t(section)].name;
}

Qt::ItemFlags GridColumnsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void GridColumnsModel::setFieldName(int column, const QString& name)
{
    Column& target = m_columns.at(std::size_t(column));
    target.name = name;
    bind(target);
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rowCount() > 0) emit dataChanged(index(0, column), index(rowCount() - 1, column), {Qt::DisplayRole});
}

void GridColumnsModel::bindAll()
{
    for (int i = 0; i < ColumnCount; ++i)
        setFieldName(i, m_columns[std::size_t(i)].name);
}

void GridColumnsModel::bind(Column& column) const
{
    column.field = m_source.fieldIndex(column.name);
    // A bound column takes over the name as the table writes it.
    if (column.field >= 0) column.name = m_source.fieldName(column.field);
}
