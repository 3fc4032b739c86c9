#pragma once

#include "grid_columns_model.h"

#include <QFont>
#include <QTableView>
#include <array>

// The read-only phrase grid. Its three columns live as long as the grid and are addressed by
// their place in the column list, which follows the user's dragging of titles: place 0 is the
// hidden column, 1 the left language, 2 the right one.
class PhraseGrid : public QTableView {
    Q_OBJECT

public:
    explicit PhraseGrid(phrase_data::DataSource& source, QWidget* parent = nullptr);

    [[nodiscard]] QString columnFieldName(int place) const;
    [[nodiscard]] QString columnTitle(int place) const;
    // Names the field the column shows and binds it at once; nothing is read again.
    void bindColumn(int place, const QString& fieldName);
    [[nodiscard]] int columnWidthAt(int place) const;
    void setColumnWidthAt(int place, int width);
    [[nodiscard]] bool isColumnVisibleAt(int place) const;
    void setColumnVisibleAt(int place, bool visible);

    // The cell font as designed: face, height (negative: character height in pixels), bold.
    [[nodiscard]] int cellFontHeight() const { return m_cellFontHeight; }
    [[nodiscard]] bool cellFontBold() const { return m_cellFontBold; }
    void setCellFont(int height, bool bold);
    [[nodiscard]] int dataRowHeight() const;
    [[nodiscard]] int titleRowHeight() const;

    void repaintGrid();

private:
    [[nodiscard]] int logicalAt(int place) const;
    void keepHiddenColumnFirst();
    void layOut();
    void showFromTop();

    GridColumnsModel* const m_columns;
    std::array<int, GridColumnsModel::ColumnCount> m_widths{64, 64, 64};
    int m_cellFontHeight = -12;
    bool m_cellFontBold = false;
    bool m_settingSections = false;
};
