#include "grid_columns_model.h"

#include "contact_blanks.h"
#include "phrase_data/blank_filler.h"
#include "phrase_data/data_source.h"
#include "phrase_data/phrase_catalogue.h"

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
    const Column& column = m_columns[std::size_t(index.column())];
    if (column.field < 0) return QString();
    const QString text = m_source.text(index.row(), column.field);
    // Most cells have no blank: they go out as they are, at the cost of one scan for a brace.
    if (!text.contains(u'{')) return text;
    return m_blanks ? m_blanks->fill(text, column.language) : phrase_data::BlankFiller::unfilled(text);
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

void GridColumnsModel::setBlanks(const ContactBlanks* blanks)
{
    if (m_blanks) disconnect(m_blanks, nullptr, this, nullptr);
    m_blanks = blanks;
    const auto showAgain = [this] {
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::DisplayRole});
    };
    if (m_blanks) connect(m_blanks, &ContactBlanks::changed, this, showAgain);
    showAgain();
}

void GridColumnsModel::bind(Column& column) const
{
    column.language = phrase_data::PhraseCatalogue::field(column.name).value_or(phrase_data::LanguageField::Eng);
    column.field = m_source.fieldIndex(column.name);
    // A bound column takes over the name as the table writes it.
    if (column.field >= 0) column.name = m_source.fieldName(column.field);
}
