#pragma once

#include <QHeaderView>

// The narrow column at the grid's left that marks the current row with a triangle.
class IndicatorHeader : public QHeaderView {
    Q_OBJECT

public:
    static constexpr int IndicatorWidth = 11;

    explicit IndicatorHeader(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    [[nodiscard]] QSize sizeHint() const override;
};
