#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QList>
#include <QPair>

class PhraseGrid;
class QModelIndex;

// The phrase grid as a screen reader meets it: a table of the columns the user sees, in the
// order they stand; the hidden column is no part of it. Its children are the cells, row by row,
// made when first asked for and kept as long as the grid, so that each keeps one identity while
// a reader holds it.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(PhraseGrid* grid);
    ~GridAccessible() override;
    GridAccessible(const GridAccessible&) = delete;
    GridAccessible& operator=(const GridAccessible&) = delete;

    // Installed with QAccessible::installFactory: answers for the phrase grid only.
    static QAccessibleInterface* factory(const QString& className, QObject* object);
    // The child number of a model index, as this interface counts its cells; -1 when the index
    // is no shown cell.
    [[nodiscard]] static int childIndex(const PhraseGrid& grid, const QModelIndex& index);
    // The model columns shown, in the order they stand.
    [[nodiscard]] static QList<int> shownColumns(const PhraseGrid& grid);

    [[nodiscard]] void* interface_cast(QAccessible::InterfaceType type) override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

    [[nodiscard]] QAccessibleInterface* caption() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* summary() const override { return nullptr; }
    [[nodiscard]] QAccessibleInterface* cellAt(int row, int column) const override;
    [[nodiscard]] int selectedCellCount() const override;
    [[nodiscard]] QList<QAccessibleInterface*> selectedCells() const override;
    [[nodiscard]] QString columnDescription(int column) const override;
    [[nodiscard]] QString rowDescription(int row) const override;
    [[nodiscard]] int selectedColumnCount() const override { return 0; }
    [[nodiscard]] int selectedRowCount() const override { return 0; }
    [[nodiscard]] int columnCount() const override;
    [[nodiscard]] int rowCount() const override;
    [[nodiscard]] QList<int> selectedColumns() const override { return {}; }
    [[nodiscard]] QList<int> selectedRows() const override { return {}; }
    [[nodiscard]] bool isColumnSelected(int) const override { return false; }
    [[nodiscard]] bool isRowSelected(int) const override { return false; }
    // The grid selects single cells: whole rows and columns are not offered.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    [[nodiscard]] PhraseGrid& grid() const;
    [[nodiscard]] QAccessibleInterface* cellFor(const QModelIndex& index) const;

    // Cells by model row and model column.
    mutable QHash<QPair<int, int>, QAccessible::Id> m_cells;
};
