#include "data_folder.h"
#include "design.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "phrase_data/phrase_catalogue.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <string_view>

using phrase_data::PhraseCatalogue;

namespace {

QString withoutAccessKey(QString caption)
{
    return caption.remove(u'&');
}

QString firstCell(const PhraseGrid& grid, GridPlace place)
{
    return grid.model()->index(0, grid.logicalAt(place)).data().toString();
}

} // namespace

// Every command of the main window: the topic list, the reference and dictionary menus, the
// language menus and Exit.
class CommandsTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menuIsAsDesigned();
    void accessKeysAreUniqueWithinEachMenu();
    void everyTopicLoadsByClick_data();
    void everyTopicLoadsByClick();
    void arrowKeysLoadEachTopicInTurn();
    void clickOnTheMarkedTopicDoesNothing();
    void everyReferenceCommandLoads_data();
    void everyReferenceCommandLoads();
    void fifthSplitEvensOnResize();
    void afterADictionaryATopicShowsRussianAndEnglish();
    void languageCommandsRebindOneColumn_data();
    void languageCommandsRebindOneColumn();
    void missingFieldLeavesTheColumnEmpty();
    void missingReferenceFileShowsTheErrorWithTheNormalPointer();
    void failedTopicLoadKeepsTheClickedItem();
    void exitAsksFirst();

private:
    void showForm();
};

void CommandsTest::initTestCase()
{
    prepareApplication();
}

void CommandsTest::init()
{
    makeForm();
    showForm();
}

void CommandsTest::cleanup()
{
    releaseForm();
}

void CommandsTest::showForm()
{
    QVERIFY(exposeForm());
    QTRY_COMPARE(m_form->frameGeometry().size(), design::MainWindowOuter);
}

void CommandsTest::menuIsAsDesigned()
{
    // The commands a top-level item holds: its own, or the catalogue's rows that the design puts there.
    const auto designedCommands = [](const design::MenuItem& top) {
        const std::string_view name = top.name;
        std::vector<design::MenuItem> commands;
        if (name == "Russia1") commands.assign(design::LanguageMenu.begin(), design::LanguageMenu.end());
        for (const design::ReferenceRow& row : design::References)
            if (std::string_view(row.menu) == top.caption) commands.push_back({row.name, row.caption, true});
        for (const design::LanguageRow& row : design::Languages) {
            if (name == "Left1") commands.push_back({row.leftName, row.caption, true});
            if (name == "Right1") commands.push_back({row.rightName, row.caption, true});
        }
        return commands;
    };
    // The designed menus come first; menus beyond the designed window may follow them.
    const QList<QAction*> tops = m_form->menuBar()->actions();
    // After the designed menus, "Phrase" holds the commands added since.
    QCOMPARE(tops.size(), qsizetype(design::MenuBar.size()) + 1);
    QCOMPARE(tops.back()->menu()->objectName(), QStringLiteral("PhraseMenu"));
    for (std::size_t i = 0; i < design::MenuBar.size(); ++i) {
        const design::MenuItem& top = design::MenuBar[i];
        QMenu* menu = tops[qsizetype(i)]->menu();
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QString::fromLatin1(top.name));
        QCOMPARE(withoutAccessKey(menu->title()), QString::fromLatin1(top.caption));
        QCOMPARE(tops[qsizetype(i)]->isEnabled(), top.enabled);
        const std::vector<design::MenuItem> commands = designedCommands(top);
        const QList<QAction*> items = menu->actions();
        QCOMPARE(items.size(), qsizetype(commands.size()));
        for (std::size_t j = 0; j < commands.size(); ++j) {
            const QAction* item = items[qsizetype(j)];
            QCOMPARE(item->objectName(), QString::fromLatin1(commands[j].name));
            QCOMPARE(withoutAccessKey(item->text()), QString::fromLatin1(commands[j].caption));
            QCOMPARE(item->isEnabled(), commands[j].enabled);
            QVERIFY(item->shortcut().isEmpty());
        }
    }
}

void CommandsTest::accessKeysAreUniqueWithinEachMenu()
{
    const auto letters = [](const QList<QAction*>& actions) {
        QString keys;
        for (const QAction* action : actions) {
            const qsizetype mark = action->text().indexOf(u'&');
            if (mark >= 0) keys += action->text()[mark + 1].toUpper();
        }
        return keys;
    };
    const QList<QAction*> tops = m_form->menuBar()->actions();
    const QString top = letters(tops);
    QCOMPARE(top.size(), tops.size());
    QCOMPARE(QSet<QChar>(top.begin(), top.end()).size(), tops.size());
    const QString right = letters(m_form->Right1->actions());
    QCOMPARE(QSet<QChar>(right.begin(), right.end()).size(), 9);
    // Alt+L opens "Language", and X there is "Exit".
    QCOMPARE(top[0], QChar(u'L'));
    QCOMPARE(letters(m_form->Russia1->actions()), QStringLiteral("ERX"));
}

void CommandsTest::everyTopicLoadsByClick_data()
{
    QTest::addColumn<int>("index");
    const auto topics = PhraseCatalogue::topics();
    for (int index = 0; index < int(topics.size()); ++index)
        QTest::newRow(topics[std::size_t(index)].caption) << index;
}

void CommandsTest::everyTopicLoadsByClick()
{
    QFETCH(int, index);
    const auto& topic = PhraseCatalogue::topics()[std::size_t(index)];
    m_form->SlangEngRus1Click(); // uneven widths and other fields first
    m_form->Japanese1Click();
    QRadioButton* item = m_form->RadioGroup1->button(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), index);
    QCOMPARE(DataFilePath, QByteArray(topic.dataFile));
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.model()->rowCount(), DataFolder::RowsPerFile);
    QCOMPARE(grid.columnTitle(GridPlace::Left), QStringLiteral("Rus"));
    QCOMPARE(grid.columnTitle(GridPlace::Right), QStringLiteral("Eng"));
    QCOMPARE(firstCell(grid, GridPlace::Left), DataFolder::cell(DataFolder::baseName(topic.dataFile), "Rus", 1));
    QCOMPARE(firstCell(grid, GridPlace::Right), DataFolder::cell(DataFolder::baseName(topic.dataFile), "Eng", 1));
    QCOMPARE(grid.columnWidthAt(GridPlace::Left), 398);
    QCOMPARE(grid.columnWidthAt(GridPlace::Right), 398);
    QVERIFY(!grid.isColumnVisibleAt(GridPlace::Hidden));
    QVERIFY(!QApplication::overrideCursor());
}

void CommandsTest::arrowKeysLoadEachTopicInTurn()
{
    QRadioButton* first = m_form->RadioGroup1->button(0);
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(8, first->height() / 2));
    QCOMPARE(DataFilePath, QByteArray("dsb\\phonet.dsb"));
    for (int index = 1; index < m_form->RadioGroup1->count(); ++index) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(m_form->RadioGroup1->itemIndex(), index);
        QCOMPARE(DataFilePath, *PhraseCatalogue::topicFile(index));
        QCOMPARE(
            firstCell(*m_form->DBGrid1, GridPlace::Left),
            DataFolder::cell(DataFolder::baseName(PhraseCatalogue::topics()[std::size_t(index)].dataFile), "Rus", 1));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QCOMPARE(DataFilePath, QByteArray("dsb\\address.dsb"));
}

void CommandsTest::clickOnTheMarkedTopicDoesNothing()
{
    QRadioButton* weather = m_form->RadioGroup1->button(7);
    QTest::mouseClick(weather, Qt::LeftButton, {}, QPoint(8, weather->height() / 2));
    m_form->Ger1Click();
    m_form->DBGrid1->setColumnWidthAt(GridPlace::Left, 50);
    // The file changes on disk: a reload would show it.
    DataFolder::write("weath", {"Rus", "Eng"}, {{"новое", "new"}});
    QTest::mouseClick(weather, Qt::LeftButton, {}, QPoint(8, weather->height() / 2));
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("Ger"));
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Left), 50);
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), DataFolder::RowsPerFile);
}

void CommandsTest::everyReferenceCommandLoads_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("leftWidth");
    QTest::addColumn<int>("rightWidth");
    for (int i = 0; i < int(design::References.size()); ++i) {
        const design::ReferenceRow& row = design::References[std::size_t(i)];
        QTest::newRow(row.caption) << row.name << i << (row.fifthSplit ? 159 : 398) << (row.fifthSplit ? 637 : 398);
    }
}

void CommandsTest::everyReferenceCommandLoads()
{
    QFETCH(QString, action);
    QFETCH(int, entry);
    QFETCH(int, leftWidth);
    QFETCH(int, rightWidth);
    const auto& reference = PhraseCatalogue::references()[std::size_t(entry)];
    QRadioButton* item = m_form->RadioGroup1->button(3);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    const int columnZeroWidth = m_form->DBGrid1->columnWidthAt(GridPlace::Hidden);

    QSignalSpy topicCommands(m_form->RadioGroup1, &RadioGroup::clicked);
    m_form->findChild<QAction*>(action)->trigger();
    QCOMPARE(topicCommands.count(), 0);
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(DataFilePath, QByteArray(reference.dataFile));
    const PhraseGrid& grid = *m_form->DBGrid1;
    const QString left = PhraseCatalogue::fieldName(reference.leftField);
    const QString right = PhraseCatalogue::fieldName(reference.rightField);
    QCOMPARE(grid.columnTitle(GridPlace::Left), left);
    QCOMPARE(grid.columnTitle(GridPlace::Right), right);
    QCOMPARE(firstCell(grid, GridPlace::Left), DataFolder::cell(DataFolder::baseName(reference.dataFile), left, 1));
    QCOMPARE(firstCell(grid, GridPlace::Right), DataFolder::cell(DataFolder::baseName(reference.dataFile), right, 1));
    QCOMPARE(grid.columnWidthAt(GridPlace::Left), leftWidth);
    QCOMPARE(grid.columnWidthAt(GridPlace::Right), rightWidth);
    QCOMPARE(grid.columnWidthAt(GridPlace::Hidden), columnZeroWidth);
    QVERIFY(!QApplication::overrideCursor());
}

void CommandsTest::fifthSplitEvensOnResize()
{
    m_form->SlangEngRus1Click();
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Left), 159);
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Right), 637);
    m_form->setOuterSize(1000, 636);
    QTRY_COMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Left), 413);
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Right), 413);
}

void CommandsTest::afterADictionaryATopicShowsRussianAndEnglish()
{
    m_form->ProverbsRusGer1Click();
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("Ger"));
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Right), QStringLiteral("Rus"));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QRadioButton* start = m_form->RadioGroup1->button(1);
    QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(8, start->height() / 2));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 1);
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("Rus"));
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Right), QStringLiteral("Eng"));
    QCOMPARE(firstCell(*m_form->DBGrid1, GridPlace::Left), DataFolder::cell("start", "Rus", 1));
}

void CommandsTest::languageCommandsRebindOneColumn_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<GridPlace>("place");
    QTest::addColumn<QString>("field");
    for (const design::LanguageRow& row : design::Languages) {
        QTest::newRow(row.leftName) << row.leftName << GridPlace::Left << row.field;
        QTest::newRow(row.rightName) << row.rightName << GridPlace::Right << row.field;
    }
}

void CommandsTest::languageCommandsRebindOneColumn()
{
    QFETCH(QString, action);
    QFETCH(GridPlace, place);
    QFETCH(QString, field);
    const GridPlace otherPlace = place == GridPlace::Left ? GridPlace::Right : GridPlace::Left;
    PhraseGrid& grid = *m_form->DBGrid1;
    grid.setColumnWidthAt(GridPlace::Left, 120);
    const QString other = grid.columnTitle(otherPlace);
    // The open file changes on disk: a reload would show it.
    DataFolder::write("start", {"Rus", "Eng"}, {{"новое", "new"}});
    m_form->findChild<QAction*>(action)->trigger();
    QCOMPARE(grid.columnTitle(place), field);
    QCOMPARE(firstCell(grid, place), DataFolder::cell("start", field, 1));
    QCOMPARE(grid.columnTitle(otherPlace), other);
    QCOMPARE(grid.columnWidthAt(GridPlace::Left), 120);
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
}

void CommandsTest::missingFieldLeavesTheColumnEmpty()
{
    m_form->ModalVerbs1Click();
    m_form->Japanese1Click();
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.columnTitle(GridPlace::Right), QStringLiteral("Jap"));
    QCOMPARE(firstCell(grid, GridPlace::Right), QString());
    QCOMPARE(grid.model()->rowCount(), DataFolder::RowsPerFile);
    m_form->Rus2Click();
    m_form->Rus3Click(); // the same field on both sides
    QCOMPARE(firstCell(grid, GridPlace::Left), firstCell(grid, GridPlace::Right));
}

void CommandsTest::missingReferenceFileShowsTheErrorWithTheNormalPointer()
{
    m_form->SlangEngRus1Click();
    DataFolder::remove("days");
    ModalAnswer answer(QMessageBox::Ok);
    m_form->Days1Click();
    QVERIFY(answer.seen());
    QVERIFY(!answer.busyPointerShown());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY2(answer.text().startsWith(QStringLiteral("dsb/days.dsb")), qPrintable(answer.text()));
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 0);
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Left), 159); // widths and bindings stay
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(DataFilePath, QByteArray("dsb\\days.dsb"));

    QRadioButton* weather = m_form->RadioGroup1->button(7);
    QTest::mouseClick(weather, Qt::LeftButton, {}, QPoint(8, weather->height() / 2));
    QCOMPARE(firstCell(*m_form->DBGrid1, GridPlace::Left), DataFolder::cell("weath", "Rus", 1));
}

void CommandsTest::failedTopicLoadKeepsTheClickedItem()
{
    DataFolder::write("ant", {"Rus", "Eng"}, {{"а", "a"}}, "Antennas");
    ModalAnswer answer(QMessageBox::Ok);
    QRadioButton* antenna = m_form->RadioGroup1->button(6);
    QTest::mouseClick(antenna, Qt::LeftButton, {}, QPoint(8, antenna->height() / 2));
    QVERIFY(answer.seen());
    QCOMPARE(answer.text(), QStringLiteral("dsb/ant.dsb: no table Dict."));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 6);
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 0);
}

void CommandsTest::exitAsksFirst()
{
    m_form->Ger1Click();
    {
        ModalAnswer escape(QMessageBox::NoButton);
        m_form->Exit1Click();
        QVERIFY(escape.seen());
        QCOMPARE(escape.title(), QStringLiteral("Confirm"));
        QCOMPARE(escape.text(), QStringLiteral("Exit =Tarvolyn=?"));
        QCOMPARE(escape.icon(), QMessageBox::Question);
        QCOMPARE(escape.buttons(), QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(escape.defaultButton(), QMessageBox::Ok);
        QCOMPARE(escape.escapeButton(), QMessageBox::Cancel);
    }
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("Ger"));
    ModalAnswer ok(QMessageBox::Ok);
    m_form->Exit1Click();
    QVERIFY(ok.seen());
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
