#pragma once

#include "grid_columns_model.h"
#include "grid_place.h"

#include <QAccessible>
#include <QFont>
#include <QTableView>
#include <array>

// The read-only phrase grid. Its three columns live as long as the grid and are addressed by
// their place in the column list, which follows the user's dragging of titles.
class PhraseGrid : public QTableView {
    Q_OBJECT

public:
    explicit PhraseGrid(phrase_data::DataSource& source, QWidget* parent = nullptr);

    // The model column shown at a place.
    [[nodiscard]] int logicalAt(GridPlace place) const;
    [[nodiscard]] QString columnFieldName(GridPlace place) const;
    [[nodiscard]] QString columnTitle(GridPlace place) const;
    // Names the field the column shows and binds it at once; nothing is read again.
    void bindColumn(GridPlace place, const QString& fieldName);
    [[nodiscard]] int columnWidthAt(GridPlace place) const;
    void setColumnWidthAt(GridPlace place, int width);
    [[nodiscard]] bool isColumnVisibleAt(GridPlace place) const;
    void setColumnVisibleAt(GridPlace place, bool visible);

    // The cell font as designed: face, height (negative: character height in pixels), bold.
    [[nodiscard]] int cellFontHeight() const { return m_cellFontHeight; }
    [[nodiscard]] bool cellFontBold() const { return m_cellFontBold; }
    void setCellFont(int height, bool bold);
    [[nodiscard]] int dataRowHeight() const;
    [[nodiscard]] int titleRowHeight() const;

    // The contact's values the cells' blanks are filled from.
    void setBlanks(const ContactBlanks& blanks);

    void repaintGrid();
    // Makes a row current, in the left language's column, and scrolls it into view.
    void showRow(int row);

protected:
    // The screen reader counts only the shown cells: the focus and the selection are told to it
    // by that count.
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    // Entering the grid makes a cell current, the first row's when none is, and has it read.
    void focusInEvent(QFocusEvent* event) override;
    // Tab moves between the cells; Ctrl+Tab and Ctrl+Shift+Tab leave the grid.
    void keyPressEvent(QKeyEvent* event) override;
    // A cell cut off at the column's or the grid's edge shows its whole text as a tooltip.
    bool viewportEvent(QEvent* event) override;

private:
    void keepHiddenColumnFirst();
    void layOut();
    void showFromTop();
    void tellReader(QAccessible::Event type, const QModelIndex& index);

    GridColumnsModel* const m_columns;
    std::array<int, GridColumnsModel::ColumnCount> m_widths{64, 64, 64};
    int m_cellFontHeight = -12;
    bool m_cellFontBold = false;
    bool m_settingSections = false;
};
