#include "phrase_grid.h"

#include "design_font.h"
#include "grid_accessible.h"
#include "grid_columns_model.h"
#include "indicator_header.h"
#include "phrase_data/phrase_catalogue.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

namespace {
const QString GridFace = QStringLiteral("Verdana");
constexpr int TitleFontHeight = -11;
const QColor CellColour = Qt::darkBlue; // navy
} // namespace

PhraseGrid::PhraseGrid(phrase_data::DataSource& source, QWidget* parent)
    : QTableView(parent)
    , m_columns(new GridColumnsModel(source, this))
{
    QAccessible::installFactory(&GridAccessible::factory); // once: a second install is ignored
    setVerticalHeader(new IndicatorHeader(this));
    setModel(m_columns);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setWordWrap(false);
    // Long phrases are cut at the column's edge, not shortened with an ellipsis.
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    colours.setColor(QPalette::AlternateBase, colours.color(QPalette::Button));
    colours.setColor(QPalette::Text, CellColour);
    setPalette(colours);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionsMovable(true);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setMinimumSectionSize(0);
    titles->setStretchLastSection(false);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setFont(designFont(GridFace, TitleFontHeight, {.bold = true}));
    titles->setFixedHeight(QFontMetrics(titles->font()).height() + 4);
    connect(titles, &QHeaderView::sectionMoved, this, &PhraseGrid::keepHiddenColumnFirst);
    // The user's dragging of a title border sets the width the column list keeps.
    connect(titles, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!m_settingSections && !horizontalHeader()->isSectionHidden(logical)) m_widths[std::size_t(logical)] = size;
    });

    using phrase_data::PhraseCatalogue;
    m_columns->setFieldName(int(GridPlace::Hidden), QString::fromLatin1(PhraseCatalogue::HiddenColumnField));
    m_columns->setFieldName(int(GridPlace::Left),
                            QString::fromLatin1(PhraseCatalogue::fieldName(phrase_data::LanguageField::Eng)));
    m_columns->setFieldName(int(GridPlace::Right),
                            QString::fromLatin1(PhraseCatalogue::fieldName(phrase_data::LanguageField::Rus)));
    for (int i = 0; i < GridColumnsModel::ColumnCount; ++i)
        titles->resizeSection(i, m_widths[std::size_t(i)]);

    // Every new table lays the grid out anew, binding each column again by its name.
    connect(m_columns, &QAbstractItemModel::modelReset, this, [this] {
        layOut();
        showFromTop();
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, verticalHeader()->viewport(),
            qOverload<>(&QWidget::update));
    setCellFont(m_cellFontHeight, m_cellFontBold);
}

int PhraseGrid::logicalAt(GridPlace place) const
{
    const int index = int(place);
    if (index >= GridColumnsModel::ColumnCount) throw std::out_of_range("grid column index out of range");
    return horizontalHeader()->logicalIndex(index);
}

QString PhraseGrid::columnFieldName(GridPlace place) const
{
    return m_columns->fieldName(logicalAt(place));
}

QString PhraseGrid::columnTitle(GridPlace place) const
{
    return m_columns->headerData(logicalAt(place), Qt::Horizontal).toString();
}

void PhraseGrid::bindColumn(GridPlace place, const QString& fieldName)
{
    m_columns->setFieldName(logicalAt(place), fieldName);
}

int PhraseGrid::columnWidthAt(GridPlace place) const
{
    return m_widths[std::size_t(logicalAt(place))];
}

void PhraseGrid::setColumnWidthAt(GridPlace place, int width)
{
    const int logical = logicalAt(place);
    m_widths[std::size_t(logical)] = width;
    if (!horizontalHeader()->isSectionHidden(logical)) {
        const QScopedValueRollback setting(m_settingSections, true);
        horizontalHeader()->resizeSection(logical, std::max(0, width));
    }
}

bool PhraseGrid::isColumnVisibleAt(GridPlace place) const
{
    return !horizontalHeader()->isSectionHidden(logicalAt(place));
}

void PhraseGrid::setColumnVisibleAt(GridPlace place, bool visible)
{
    const int logical = logicalAt(place);
    if (visible == isColumnVisibleAt(place)) return;
    {
        // A hidden column keeps its width for when it shows again.
        const QScopedValueRollback setting(m_settingSections, true);
        horizontalHeader()->setSectionHidden(logical, !visible);
        if (visible) horizontalHeader()->resizeSection(logical, std::max(0, m_widths[std::size_t(logical)]));
    }
    layOut();
}

void PhraseGrid::setCellFont(int height, bool bold)
{
    m_cellFontHeight = height;
    m_cellFontBold = bold;
    // Only the cells change; the title row keeps its font and height.
    QFont titleFont = horizontalHeader()->font();
    setFont(designFont(GridFace, height, {.bold = bold}));
    horizontalHeader()->setFont(titleFont);
    layOut();
    // Taller or shorter rows move the current one: it stays in view.
    if (currentIndex().isValid()) scrollTo(currentIndex());
}

int PhraseGrid::dataRowHeight() const
{
    return QFontMetrics(font()).height() + 4;
}

int PhraseGrid::titleRowHeight() const
{
    return horizontalHeader()->height();
}

void PhraseGrid::setBlanks(const ContactBlanks& blanks)
{
    m_columns->setBlanks(&blanks);
}

void PhraseGrid::repaintGrid()
{
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

void PhraseGrid::showRow(int row)
{
    if (row < 0 || row >= m_columns->rowCount()) return;
    const QModelIndex index = m_columns->index(row, logicalAt(GridPlace::Left));
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void PhraseGrid::tellReader(QAccessible::Event type, const QModelIndex& index)
{
    const int child = GridAccessible::childIndex(*this, index);
    if (!QAccessible::isActive() || child < 0) return;
    QAccessibleEvent event(this, type);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

void PhraseGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (hasFocus()) tellReader(QAccessible::Focus, current);
    // The table view would number the cells with the hidden column and the titles among them.
    // NOLINTNEXTLINE(bugprone-parent-virtual-call)
    QAbstractItemView::currentChanged(current, previous);
}

void PhraseGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    tellReader(QAccessible::SelectionAdd, selected.indexes().value(0));
    tellReader(QAccessible::SelectionRemove, deselected.indexes().value(0));
    // NOLINTNEXTLINE(bugprone-parent-virtual-call)
    QAbstractItemView::selectionChanged(selected, deselected);
}

void PhraseGrid::focusInEvent(QFocusEvent* event)
{
    if (!currentIndex().isValid() && m_columns->rowCount() > 0)
        setCurrentIndex(m_columns->index(0, logicalAt(GridPlace::Left)));
    QTableView::focusInEvent(event);
    // The grid's own focus is told after this event; the cell's comes after it, so that the
    // reader lands on the cell.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) tellReader(QAccessible::Focus, currentIndex());
        },
        Qt::QueuedConnection);
}

void PhraseGrid::keyPressEvent(QKeyEvent* event)
{
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (tab && event->modifiers().testFlag(Qt::ControlModifier)) {
        const bool back = event->key() == Qt::Key_Backtab || event->modifiers().testFlag(Qt::ShiftModifier);
        // Past the grid's own use of Tab, to the next control of the window.
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        QWidget::focusNextPrevChild(!back);
        return;
    }
    QTableView::keyPressEvent(event);
}

bool PhraseGrid::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data().toString();
    const QRect shown = visualRect(index) & viewport()->rect();
    // The cell's text starts after the style's margin on each side.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    if (index.isValid() && QFontMetrics(font()).horizontalAdvance(text) + 2 * margin > shown.width())
        QToolTip::showText(help->globalPos(), text, viewport(), shown);
    else
        QToolTip::hideText();
    return true;
}

void PhraseGrid::layOut()
{
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(dataRowHeight());
    m_columns->bindAll();
}

void PhraseGrid::showFromTop()
{
    // A freshly opened table starts on its first row, shown from the top.
    if (m_columns->rowCount() > 0) setCurrentIndex(m_columns->index(0, logicalAt(GridPlace::Left)));
    scrollToTop();
}

void PhraseGrid::keepHiddenColumnFirst()
{
    // The hidden column stays in front: a language column dragged before it takes the left place.
    QHeaderView* titles = horizontalHeader();
    for (int logical = 0; logical < GridColumnsModel::ColumnCount; ++logical) {
        if (titles->isSectionHidden(logical) && titles->visualIndex(logical) != 0) {
            const QSignalBlocker blocker(titles);
            titles->moveSection(titles->visualIndex(logical), 0);
        }
    }
}
