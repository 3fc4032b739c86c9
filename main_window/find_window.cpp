#include "find_window.h"

#include "phrase_data/phrase_index.h"
#include "phrase_grid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { TopicColumn, LeftColumn, RightColumn, MatchColumn };
constexpr int SourceRole = Qt::UserRole;
constexpr int RowRole = Qt::UserRole + 1;

} // namespace

FindWindow::FindWindow(phrase_data::PhraseIndex& index, const PhraseGrid& grid, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_index(index)
    , m_grid(grid)
    , m_query(new QLineEdit(this))
    , m_count(new QLabel(this))
    , m_results(new QTreeWidget(this))
    , m_skipped(new QLabel(this))
{
    setObjectName(QStringLiteral("FindWindow"));
    setWindowTitle(QStringLiteral("Find"));
    resize(720, 400);

    m_query->setObjectName(QStringLiteral("FindQuery"));
    m_query->setPlaceholderText(QStringLiteral("Words in any language"));
    m_query->setClearButtonEnabled(true);
    m_query->installEventFilter(this);
    m_count->setObjectName(QStringLiteral("FindCount"));
    m_results->setObjectName(QStringLiteral("FindResults"));
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setColumnCount(4);
    m_results->header()->setStretchLastSection(true);
    m_results->setColumnWidth(TopicColumn, 120);
    m_results->setColumnWidth(LeftColumn, 220);
    m_results->setColumnWidth(RightColumn, 220);
    m_skipped->setObjectName(QStringLiteral("FindSkipped"));
    m_skipped->setWordWrap(true);
    m_skipped->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_query);
    layout->addWidget(m_count);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_skipped);

    connect(m_query, &QLineEdit::textChanged, this, &FindWindow::refresh);
    connect(m_query, &QLineEdit::returnPressed, this, [this] { choose(m_results->currentItem()); });
    connect(m_results, &QTreeWidget::itemActivated, this, &FindWindow::choose);
    // The languages shown follow the grid's columns.
    connect(m_grid.model(), &QAbstractItemModel::headerDataChanged, this, [this] {
        if (isVisible()) refresh();
    });
}

QString FindWindow::countText() const
{
    return m_count->text();
}

void FindWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh();
    m_query->setFocus();
    m_query->selectAll();
}

void FindWindow::refresh()
{
    const QString left = m_grid.columnFieldName(GridPlace::Left);
    const QString right = m_grid.columnFieldName(GridPlace::Right);
    m_results->setHeaderLabels({QStringLiteral("Topic"), left, right, QStringLiteral("Matched")});
    m_results->clear();
    if (m_query->text().trimmed().isEmpty()) {
        m_count->clear();
        return;
    }
    const phrase_data::SearchResult result = m_index.search(m_query->text());
    QList<QTreeWidgetItem*> items;
    for (const phrase_data::PhraseHit& hit : result.hits) {
        const QString field = m_index.fieldNames(hit.source).value(hit.field);
        const bool shown =
            field.compare(left, Qt::CaseInsensitive) == 0 || field.compare(right, Qt::CaseInsensitive) == 0;
        auto* item = new QTreeWidgetItem(QStringList{
            m_index.sources()[std::size_t(hit.source)].caption, m_index.text(hit.source, hit.row, left),
            m_index.text(hit.source, hit.row, right), shown ? QString() : field + QStringLiteral(": ") + hit.text});
        for (int column = LeftColumn; column <= MatchColumn; ++column)
            item->setToolTip(column, item->text(column));
        item->setData(TopicColumn, SourceRole, hit.source);
        item->setData(TopicColumn, RowRole, hit.row);
        items << item;
    }
    m_results->addTopLevelItems(items);
    if (!items.isEmpty()) m_results->setCurrentItem(items.front());
    m_count->setText(result.count > result.hits.size()
                         ? QStringLiteral("%1 rows found; the best %2 shown").arg(result.count).arg(result.hits.size())
                     : result.count == 1 ? QStringLiteral("1 row found")
                                         : QStringLiteral("%1 rows found").arg(result.count));
    m_skipped->setText(result.skipped.isEmpty() ? QString()
                                                : QStringLiteral("Not searched: ") + result.skipped.join(u"; "));
    m_skipped->setVisible(!result.skipped.isEmpty());
}

void FindWindow::choose(QTreeWidgetItem* item)
{
    if (!item) return;
    const int source = item->data(TopicColumn, SourceRole).toInt();
    emit rowChosen(m_index.sources()[std::size_t(source)].path, item->data(TopicColumn, RowRole).toInt());
}

void FindWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The arrow keys move through the results while the words are typed.
    if (watched == m_query && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_results, event);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
