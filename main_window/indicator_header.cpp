#include "indicator_header.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QPainterPath>

IndicatorHeader::IndicatorHeader(QWidget* parent)
    : QHeaderView(Qt::Vertical, parent)
{
    setSectionsClickable(false);
    setSectionResizeMode(QHeaderView::Fixed);
    setFixedWidth(IndicatorWidth);
    setMinimumSectionSize(0);
}

QSize IndicatorHeader::sizeHint() const
{
    return {IndicatorWidth, QHeaderView::sizeHint().height()};
}

void IndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    painter->save();
    painter->fillRect(rect, palette().button());
    painter->setPen(palette().color(QPalette::Dark));
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->drawLine(rect.topRight(), rect.bottomRight());
    const QItemSelectionModel* selection = selectionModel();
    if (selection && selection->currentIndex().row() == logicalIndex) {
        const QPointF centre = QRectF(rect).center();
        const qreal half = qMin<qreal>(4.0, rect.height() / 2.0 - 1.0);
        if (half > 0) {
            QPainterPath triangle;
            triangle.moveTo(centre.x() - half / 2, centre.y() - half);
            triangle.lineTo(centre.x() + half / 2 + 1, centre.y());
            triangle.lineTo(centre.x() - half / 2, centre.y() + half);
            triangle.closeSubpath();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->fillPath(triangle, palette().windowText());
        }
    }
    painter->restore();
}
