// The Find window over the real main window and generated data files: what it lists, and how a
// chosen result opens in its topic or list.

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/find_window.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "phrase_data/phrase_catalogue.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
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

class FindWindowTest : public QObject {
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

private:
    FindWindow* openFind();
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<TForm1> m_form;
};

void FindWindowTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Tarvolin"));
    FontSubstitutes::install();
}

void FindWindowTest::init()
{
    m_data = std::make_unique<DataFolder>();
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void FindWindowTest::cleanup()
{
    m_form.reset();
    m_data.reset();
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
    QVERIFY(find->resultList()->topLevelItemCount() >= 1);
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
    QCOMPARE(list->topLevelItemCount(), 1);
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
    QCOMPARE(list->topLevelItemCount(), 1);
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
    QCOMPARE(list->topLevelItemCount(), DataFolder::RowsPerFile);
    QCOMPARE(find->countText(), QStringLiteral("3 rows found"));
    QTest::keyClicks(find->queryEdit(), QStringLiteral(" 2"));
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(find->countText(), QStringLiteral("1 row found"));
    QTest::keyClicks(find->queryEdit(), QStringLiteral("x"));
    QCOMPARE(list->topLevelItemCount(), 0);
    QCOMPARE(find->countText(), QStringLiteral("0 rows found"));
}

void FindWindowTest::atMost200ResultsWithTheCount()
{
    DataFolder::write(QStringLiteral("qsl"), fieldList(), generatedRows(QStringLiteral("qsl"), 250));
    FindWindow* find = openFind();
    QVERIFY(find);
    find->queryEdit()->setText(QStringLiteral("qsl eng"));
    QCOMPARE(find->resultList()->topLevelItemCount(), 200);
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
    QCOMPARE(find->resultList()->topLevelItemCount(), 1);
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

QTEST_MAIN(FindWindowTest)
#include "find_window_test.moc"
