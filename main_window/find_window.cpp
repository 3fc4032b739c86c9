#include "find_window.h"

#include "close_on_escape.h"
#include "contact_blanks.h"
#include "phrase_data/phrase_index.h"
#include "phrase_grid.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { TopicColumn, LeftColumn, RightColumn, MatchColumn };
constexpr int SourceRole = Qt::UserRole;
constexpr int RowRole = Qt::UserRole + 1;
constexpr int SettleMs = 400;

} // namespace

FindWindow::FindWindow(phrase_data::PhraseIndex& index, const PhraseGrid& grid, const ContactBlanks& blanks,
                       QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_index(index)
    , m_grid(grid)
    , m_blanks(blanks)
    , m_query(new QLineEdit(this))
    , m_count(new QLabel(this))
    , m_results(new QTreeWidget(this))
    , m_skipped(new QLabel(this))
    , m_settled(new QTimer(this))
{
    setObjectName(QStringLiteral("FindWindow"));
    setWindowTitle(QStringLiteral("Find"));
    resize(720, 400);

    m_query->setObjectName(QStringLiteral("FindQuery"));
    m_query->setPlaceholderText(QStringLiteral("Words in any language"));
    m_query->setClearButtonEnabled(true);
    m_query->installEventFilter(this);
    m_query->setAccessibleName(QStringLiteral("Find phrases"));
    m_count->setObjectName(QStringLiteral("FindCount"));
    m_results->setObjectName(QStringLiteral("FindResults"));
    m_results->setAccessibleName(QStringLiteral("Found phrases"));
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
    // Once the typing settles, the count becomes the field's description, which a screen reader
    // reads out for the field it is in; every keystroke would be too many.
    m_settled->setSingleShot(true);
    m_settled->setInterval(SettleMs);
    connect(m_settled, &QTimer::timeout, this, [this] { m_query->setAccessibleDescription(m_count->text()); });
    closeOnEscape(*this);
    connect(m_query, &QLineEdit::returnPressed, this, [this] { choose(m_results->currentItem()); });
    connect(m_results, &QTreeWidget::itemActivated, this, &FindWindow::choose);
    // The languages shown follow the grid's columns.
    const auto follow = [this] {
        if (isVisible()) refresh();
    };
    connect(m_grid.model(), &QAbstractItemModel::headerDataChanged, this, follow);
    connect(&m_blanks, &ContactBlanks::changed, this, follow);
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

void FindWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit left();
}

void FindWindow::refresh()
{
    const QString left = m_grid.columnFieldName(GridPlace::Left);
    const QString right = m_grid.columnFieldName(GridPlace::Right);
    m_results->setHeaderLabels({QStringLiteral("Topic"), left, right, QStringLiteral("Matched")});
    if (m_query->text().trimmed().isEmpty()) {
        showResults(0);
        m_count->clear();
        m_results->setAccessibleDescription({});
        m_query->setAccessibleDescription({});
        return;
    }
    const phrase_data::SearchResult result = m_index.search(m_query->text());
    showResults(int(result.hits.size()));
    for (std::size_t i = 0; i < result.hits.size(); ++i) {
        const phrase_data::PhraseHit& hit = result.hits[i];
        const QString field = m_index.fieldNames(hit.source).value(hit.field);
        const bool shown =
            field.compare(left, Qt::CaseInsensitive) == 0 || field.compare(right, Qt::CaseInsensitive) == 0;
        const QStringList texts{m_index.sources()[std::size_t(hit.source)].caption,
                                m_blanks.fill(m_index.text(hit.source, hit.row, left), left),
                                m_blanks.fill(m_index.text(hit.source, hit.row, right), right),
                                shown ? QString() : field + QStringLiteral(": ") + m_blanks.fill(hit.text, field)};
        QTreeWidgetItem* item = m_results->topLevelItem(int(i));
        for (int column = TopicColumn; column <= MatchColumn; ++column)
            item->setText(column, texts[column]);
        for (int column = LeftColumn; column <= MatchColumn; ++column)
            item->setToolTip(column, item->text(column));
        item->setData(TopicColumn, SourceRole, hit.source);
        item->setData(TopicColumn, RowRole, hit.row);
    }
    m_results->setCurrentItem(result.hits.empty() ? nullptr : m_results->topLevelItem(0));
    m_count->setText(result.count > result.hits.size()
                         ? QStringLiteral("%1 rows found; the best %2 shown").arg(result.count).arg(result.hits.size())
                     : result.count == 1 ? QStringLiteral("1 row found")
                                         : QStringLiteral("%1 rows found").arg(result.count));
    if (!result.hits.empty() && result.hits.front().kind == phrase_data::MatchKind::Partial)
        m_count->setText(m_count->text() + QStringLiteral(" with every word but one"));
    m_skipped->setText(result.skipped.isEmpty() ? QString()
                                                : QStringLiteral("Not searched: ") + result.skipped.join(u"; "));
    m_skipped->setVisible(!result.skipped.isEmpty());
    m_results->setAccessibleDescription(m_count->text());
    m_settled->start();
}

void FindWindow::showResults(int count)
{
    // Rows are hidden, never deleted: a screen reader may still hold one, and a deleted row
    // leaves it an object that answers nothing.
    while (m_results->topLevelItemCount() < count)
        m_results->addTopLevelItem(new QTreeWidgetItem);
    for (int i = 0; i < m_results->topLevelItemCount(); ++i)
        m_results->topLevelItem(i)->setHidden(i >= count);
}

int FindWindow::resultCount() const
{
    int shown = 0;
    for (int i = 0; i < m_results->topLevelItemCount(); ++i)
        shown += m_results->topLevelItem(i)->isHidden() ? 0 : 1;
    return shown;
}

void FindWindow::choose(QTreeWidgetItem* item)
{
    if (!item) return;
    const int source = item->data(TopicColumn, SourceRole).toInt();
    emit rowChosen(m_index.sources()[std::size_t(source)].path, item->data(TopicColumn, RowRole).toInt());
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
