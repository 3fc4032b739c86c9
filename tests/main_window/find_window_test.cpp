// The Find window over the real main window and generated data files: what it lists, and how a
// chosen result opens in its topic or list.

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/find_window.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_card.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window_fixture.h"
#include "phrase_data/phrase_catalogue.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using phrase_data::PhraseCatalogue;

namespace {

QStringList languages()
{
    return {"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
}

// Rows of a topic file as the data folder makes them, n of them.
std::vector<std::vector<std::string>> generatedRows(const QString& name, int count)
{
    std::vector<std::vector<std::string>> rows;
    for (int row = 1; row <= count; ++row) {
        std::vector<std::string> cells;
        for (const QString& field : languages())
            cells.push_back(DataFolder::cell(name, field, row).toStdString());
        rows.push_back(cells);
    }
    return rows;
}

std::vector<std::string> fieldList()
{
    std::vector<std::string> fields;
    for (const QString& field : languages())
        fields.push_back(field.toStdString());
    return fields;
}

// As the user does it: a click, then the second press that the system reports as a double click.
void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

class FindWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void enterOpensTheFoundRow_data();
    void enterOpensTheFoundRow();
    void doubleClickOpensTheFoundRowAndScrollsToIt();
    void resultsShowTheGridsLanguagesAndAThirdThatMatched();
    void resultsUpdateAsTheUserTypes();
    void atMost200ResultsWithTheCount();
    void survivesATopicChangeInTheMainWindow();
    void escapeCloses();
    void leavingFindFocusesTheGrid_data();
    void leavingFindFocusesTheGrid();
    void opensBesideTheMainWindowAndKeepsItsPlace();
    void aQueryOfSeveralWordsFindsRowsWithAllButOne();

private:
    FindWindow* openFind();
};

void FindWindowTest::initTestCase()
{
    prepareApplication();
}

void FindWindowTest::init()
{
    makeForm();
    QVERIFY(exposeForm());
}

void FindWindowTest::cleanup()
{
    releaseForm();
}

FindWindow* FindWindowTest::openFind()
{
    auto* action = m_form->findChild<QAction*>(QStringLiteral("FindAction"));
    if (!action || action->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_F)) return nullptr;
    action->trigger();
    FindWindow* window = m_form->findWindow();
    if (!window || !QTest::qWaitForWindowExposed(window)) return nullptr;
    return window;
}

void FindWindowTest::enterOpensTheFoundRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("topic"); // -1 for a list
    int index = 0;
    for (const auto& topic : PhraseCatalogue::topics())
        QTest::newRow(topic.caption) << DataFolder::baseName(topic.dataFile) << QStringLiteral("Ger") << index++;
    for (const auto& entry : PhraseCatalogue::references())
        QTest::newRow(entry.caption) << DataFolder::baseName(entry.dataFile)
                                     << QString::fromLatin1(PhraseCatalogue::fieldName(entry.rightField)) << -1;
}

void FindWindowTest::enterOpensTheFoundRow()
{
    QFETCH(QString, name);
    QFETCH(QString, field);
    QFETCH(int, topic);
    FindWindow* find = openFind();
    QVERIFY(find);
    QVERIFY(find->windowFlags() & Qt::Tool);
    QCOMPARE(find->parentWidget(), m_form.get());
    QTest::keyClicks(find->queryEdit(), QStringLiteral("%1 %2 3").arg(name, field));
    // "eng" also starts "engmodal"; the exact match comes first.
    QVERIFY(find->resultCount() >= 1);
    QTest::keyClick(find->queryEdit(), Qt::Key_Return);

    QCOMPARE(QString::fromLatin1(DataFilePath), QStringLiteral("dsb\\%1.dsb").arg(name));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), topic);
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.currentIndex().row(), 2);
    QCOMPARE(grid.currentIndex().data().toString(), DataFolder::cell(name, grid.columnFieldName(GridPlace::Left), 3));
    QVERIFY(find->isVisible());
}

void FindWindowTest::doubleClickOpensTheFoundRowAndScrollsToIt()
{
    DataFolder::write(QStringLiteral("ant"), fieldList(), generatedRows(QStringLiteral("ant"), 300));
    FindWindow* find = openFind();
    QVERIFY(find);
    find->queryEdit()->setText(QStringLiteral("ant eng 250"));
    QTreeWidget* list = find->resultList();
    QCOMPARE(find->resultCount(), 1);
    const QRect item = list->visualItemRect(list->topLevelItem(0));
    doubleClick(list->viewport(), item.center());

    QCOMPARE(m_form->RadioGroup1->itemIndex(), 6);
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.currentIndex().row(), 249);
    QVERIFY(grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex()).center()));
}

void FindWindowTest::resultsShowTheGridsLanguagesAndAThirdThatMatched()
{
    FindWindow* find = openFind();
    QVERIFY(find);
    QTreeWidget* list = find->resultList();
    find->queryEdit()->setText(QStringLiteral("weath fren 1"));
    QCOMPARE(find->resultCount(), 1);
    QTreeWidgetItem* item = list->topLevelItem(0);
    QCOMPARE(item->text(0), QStringLiteral("Weather"));
    QCOMPARE(item->text(1), QStringLiteral("weath Rus 1"));
    QCOMPARE(item->text(2), QStringLiteral("weath Eng 1"));
    QCOMPARE(item->text(3), QStringLiteral("Fren: weath Fren 1"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Rus"));

    // A match in a language the grid shows needs no third cell.
    find->queryEdit()->setText(QStringLiteral("weath eng 1"));
    QCOMPARE(list->topLevelItem(0)->text(3), QString());

    // The grid's languages change: so do the results.
    m_form->Ger1Click();
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Ger"));
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("weath Ger 1"));
}

void FindWindowTest::resultsUpdateAsTheUserTypes()
{
    FindWindow* find = openFind();
    QVERIFY(find);
    QTreeWidget* list = find->resultList();
    QTest::keyClicks(find->queryEdit(), QStringLiteral("weath"));
    QCOMPARE(find->resultCount(), DataFolder::RowsPerFile);
    QCOMPARE(find->countText(), QStringLiteral("3 rows found"));
    QTest::keyClicks(find->queryEdit(), QStringLiteral(" 2"));
    QCOMPARE(find->resultCount(), 1);
    QCOMPARE(find->countText(), QStringLiteral("1 row found"));
    QCOMPARE(list->topLevelItem(0)->text(1), DataFolder::cell(QStringLiteral("weath"), QStringLiteral("Rus"), 2));
    QVERIFY(list->topLevelItem(1)->isHidden());
    QTest::keyClicks(find->queryEdit(), QStringLiteral("x"));
    QCOMPARE(find->resultCount(), 0);
    QCOMPARE(find->countText(), QStringLiteral("0 rows found"));
}

void FindWindowTest::atMost200ResultsWithTheCount()
{
    DataFolder::write(QStringLiteral("qsl"), fieldList(), generatedRows(QStringLiteral("qsl"), 250));
    FindWindow* find = openFind();
    QVERIFY(find);
    find->queryEdit()->setText(QStringLiteral("qsl eng"));
    QCOMPARE(find->resultCount(), 200);
    QCOMPARE(find->countText(), QStringLiteral("250 rows found; the best 200 shown"));
}

void FindWindowTest::survivesATopicChangeInTheMainWindow()
{
    FindWindow* find = openFind();
    QVERIFY(find);
    find->queryEdit()->setText(QStringLiteral("condit eng 2"));
    QRadioButton* item = m_form->RadioGroup1->button(3);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    QCOMPARE(DataFilePath, QByteArray("dsb\\report.dsb"));
    QVERIFY(find->isVisible());
    QCOMPARE(find->resultCount(), 1);
    QTest::keyClick(find->queryEdit(), Qt::Key_Return);
    QCOMPARE(DataFilePath, QByteArray("dsb\\condit.dsb"));
    QCOMPARE(m_form->DBGrid1->currentIndex().row(), 1);
    // And again after a list from the menu.
    m_form->Clock1Click();
    find->queryEdit()->setText(QStringLiteral("weath eng 3"));
    QTest::keyClick(find->queryEdit(), Qt::Key_Return);
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 7);
    QCOMPARE(m_form->DBGrid1->currentIndex().row(), 2);
}

void FindWindowTest::escapeCloses()
{
    FindWindow* find = openFind();
    QVERIFY(find);
    QTest::keyClick(find->queryEdit(), Qt::Key_Escape);
    QVERIFY(!find->isVisible());
    QVERIFY(m_form->isVisible());
}

void FindWindowTest::leavingFindFocusesTheGrid_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter opens the row") << int(Qt::Key_Return);
    QTest::newRow("Escape closes Find") << int(Qt::Key_Escape);
}

// Not the "A" button, where the next Enter would enlarge the font: the grid, where it opens the
// card.
void FindWindowTest::leavingFindFocusesTheGrid()
{
    QFETCH(int, key);
    QVERIFY(m_form->focusWidget() != m_form->DBGrid1);
    FindWindow* find = openFind();
    QVERIFY(find);
    find->queryEdit()->setText(QStringLiteral("weath eng 2"));
    QTest::keyClick(find->queryEdit(), Qt::Key(key));
    QCOMPARE(m_form->focusWidget(), m_form->DBGrid1);
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::keyClick(m_form->focusWidget(), Qt::Key_Return);
    QVERIFY(m_form->phraseCard() && m_form->phraseCard()->isVisible());
}

void FindWindowTest::opensBesideTheMainWindowAndKeepsItsPlace()
{
    // Room on the right of the main window: the offscreen screen is small, so the main window
    // stands mostly off its left edge.
    const int left = 1 - m_form->frameGeometry().width();
    m_form->move(left, 0);
    QTRY_COMPARE(m_form->frameGeometry().left(), left);
    const QRect main = m_form->frameGeometry();
    FindWindow* find = openFind();
    QVERIFY(find);
    const QRect screen = m_form->screen()->availableGeometry();
    if (find->frameGeometry().width() > screen.right() - main.right())
        QSKIP("at this scale the offscreen screen has no room beside the main window");
    QCOMPARE(find->frameGeometry().left(), main.right() + 1);
    QCOMPARE(find->frameGeometry().top(), main.top());

    const QRect moved(screen.left() + 30, screen.top() + 60, 500, 250);
    find->setGeometry(moved);
    QTest::keyClick(find->queryEdit(), Qt::Key_Escape);
    QVERIFY(openFind() == find);
    QCOMPARE(find->geometry(), moved);
}

void FindWindowTest::aQueryOfSeveralWordsFindsRowsWithAllButOne()
{
    FindWindow* find = openFind();
    QVERIFY(find);
    find->queryEdit()->setText(QStringLiteral("weath eng zzzz"));
    QCOMPARE(find->resultList()->topLevelItemCount(), DataFolder::RowsPerFile);
    QCOMPARE(find->countText(), QStringLiteral("3 rows found with every word but one"));
}

QTEST_MAIN(FindWindowTest)
#include "find_window_test.moc"
