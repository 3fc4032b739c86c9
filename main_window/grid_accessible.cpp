#include "grid_accessible.h"

#include "grid_cell_accessible.h"
#include "phrase_grid.h"

#include <QHeaderView>

GridAccessible::GridAccessible(PhraseGrid* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

GridAccessible::~GridAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* GridAccessible::factory(const QString& className, QObject* object)
{
    if (className != QLatin1String("PhraseGrid")) return nullptr;
    auto* grid = qobject_cast<PhraseGrid*>(object);
    return grid ? new GridAccessible(grid) : nullptr;
}

QList<int> GridAccessible::shownColumns(const PhraseGrid& grid)
{
    const QHeaderView* titles = grid.horizontalHeader();
    QList<int> shown;
    for (int place = 0; place < titles->count(); ++place) {
        const int logical = titles->logicalIndex(place);
        if (!titles->isSectionHidden(logical)) shown << logical;
    }
    return shown;
}

int GridAccessible::childIndex(const PhraseGrid& grid, const QModelIndex& index)
{
    if (!index.isValid() || index.model() != grid.model()) return -1;
    const QList<int> shown = shownColumns(grid);
    const qsizetype column = shown.indexOf(index.column());
    return column < 0 ? -1 : index.row() * int(shown.size()) + int(column);
}

PhraseGrid& GridAccessible::grid() const
{
    return *static_cast<PhraseGrid*>(widget());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int GridAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* GridAccessible::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount()) return nullptr;
    return cellAt(index / columns, index % columns);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (auto cell = m_cells.cbegin(); cell != m_cells.cend(); ++cell)
        if (QAccessible::accessibleInterface(cell.value()) == child)
            return childIndex(grid(), grid().model()->index(cell.key().first, cell.key().second));
    return -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const
{
    const QPoint local = grid().viewport()->mapFromGlobal(QPoint(x, y));
    return cellFor(grid().indexAt(local));
}

QAccessibleInterface* GridAccessible::focusChild() const
{
    return grid().hasFocus() ? cellFor(grid().currentIndex()) : nullptr;
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const
{
    const QList<int> shown = shownColumns(grid());
    if (row < 0 || row >= rowCount() || column < 0 || column >= shown.size()) return nullptr;
    return cellFor(grid().model()->index(row, shown[column]));
}

QAccessibleInterface* GridAccessible::cellFor(const QModelIndex& index) const
{
    if (childIndex(grid(), index) < 0) return nullptr;
    const QPair<int, int> key(index.row(), index.column());
    if (const auto known = m_cells.constFind(key); known != m_cells.cend())
        return QAccessible::accessibleInterface(known.value());
    auto* cell = new GridCellAccessible(&grid(), index.row(), index.column());
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int GridAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (const QModelIndex& index : grid().selectionModel()->selectedIndexes())
        if (QAccessibleInterface* cell = cellFor(index)) cells << cell;
    return cells;
}

QString GridAccessible::columnDescription(int column) const
{
    const QList<int> shown = shownColumns(grid());
    if (column < 0 || column >= shown.size()) return {};
    return grid().model()->headerData(shown[column], Qt::Horizontal).toString();
}

QString GridAccessible::rowDescription(int) const
{
    return {};
}

int GridAccessible::columnCount() const
{
    return int(shownColumns(grid()).size());
}

int GridAccessible::rowCount() const
{
    return grid().model()->rowCount();
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent*)
{
    // The cells read the table as it now is; the ones a reader holds keep answering.
}
