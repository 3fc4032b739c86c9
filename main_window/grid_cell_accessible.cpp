#include "grid_cell_accessible.h"

#include "grid_accessible.h"
#include "phrase_grid.h"

#include <QHeaderView>
#include <QWindow>

GridCellAccessible::GridCellAccessible(PhraseGrid* grid, int row, int column)
    : m_grid(grid)
    , m_row(row)
    , m_column(column)
{
}

QModelIndex GridCellAccessible::modelIndex() const
{
    if (!m_grid) return {};
    return m_grid->model()->index(m_row, m_column);
}

bool GridCellAccessible::isValid() const
{
    // Valid while the grid lives: a reader may hold a cell across a new table, and the bridge
    // warns about every query to an invalid object. A cell the table no longer has is defunct.
    return !m_grid.isNull();
}

bool GridCellAccessible::shown() const
{
    return m_grid && GridAccessible::childIndex(*m_grid, modelIndex()) >= 0;
}

QWindow* GridCellAccessible::window() const
{
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const
{
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid.data()) : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text type) const
{
    if (!shown()) return {};
    const QModelIndex index = modelIndex();
    switch (type) {
    case QAccessible::Name:
    case QAccessible::Value:
        return index.data().toString();
    case QAccessible::Description:
        return m_grid->model()->headerData(m_column, Qt::Horizontal).toString();
    default:
        return {};
    }
}

QRect GridCellAccessible::rect() const
{
    if (!shown()) return {};
    const QRect shown = m_grid->visualRect(modelIndex());
    return QRect(m_grid->viewport()->mapToGlobal(shown.topLeft()), shown.size());
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State state;
    if (!shown()) {
        state.invalid = true;
        return state;
    }
    const QModelIndex index = modelIndex();
    state.focusable = true;
    state.selectable = true;
    state.readOnly = true;
    state.selected = isSelected();
    state.focused = m_grid->hasFocus() && m_grid->currentIndex() == index;
    state.offscreen = !m_grid->viewport()->rect().intersects(m_grid->visualRect(index));
    return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
}

bool GridCellAccessible::isSelected() const
{
    return shown() && m_grid->selectionModel()->isSelected(modelIndex());
}

int GridCellAccessible::columnIndex() const
{
    return m_grid ? int(GridAccessible::shownColumns(*m_grid).indexOf(m_column)) : -1;
}
