#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
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

using phrase_data::PhraseCatalogue;

namespace {

QString withoutAccessKey(QString caption)
{
    return caption.remove(u'&');
}

QString firstCell(const PhraseGrid& grid, int place)
{
    return grid.model()->index(0, grid.horizontalHeader()->logicalIndex(place)).data().toString();
}

} // namespace

// Every command of the main window: the topic list, the reference and dictionary menus, the
// language menus and Exit.
class CommandsTest : public QObject {
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
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<TForm1> m_form;
};

void CommandsTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Tarvolin"));
    FontSubstitutes::install();
}

void CommandsTest::init()
{
    m_data = std::make_unique<DataFolder>();
    m_form = std::make_unique<TForm1>();
    showForm();
}

void CommandsTest::cleanup()
{
    m_form.reset();
    m_data.reset();
}

void CommandsTest::showForm()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    QTRY_COMPARE(m_form->frameGeometry().size(), QSize(TForm1::DesignWidth, TForm1::DesignHeight));
}

void CommandsTest::menuIsAsDesigned()
{
    struct Item {
        const char* name;
        const char* caption;
        bool enabled;
    };
    const std::vector<std::pair<Item, std::vector<Item>>> design{
        {{"Russia1", "Language", true}, {{"Eng1", "Eng", false}, {"Rus1", "Rus", false}, {"Exit1", "Exit", true}}},
        {{"ime1", "Time", false}, {}},
        {{"Dicteng1", "Reference-eng", true},
         {{"Clock1", "Clock", true}, {"Days1", "Days", true}, {"ModalVerbs1", "Modal Verbs", true}}},
        {{"N1", "Dictionaries", true},
         {{"Dictionaries1", "Proverbs Rus-Eng", true},
          {"SlangEngRus1", "Slang Eng-Rus", true},
          {"ProverbsRusGer1", "Proverbs Rus-Ger", true},
          {"SlangGerRus1", "Slang Ger-Rus", true}}},
        {{"Left1", "Left", true},
         {{"Rus2", "Russian", true},
          {"RusPhonetic2", "Rus (Phonetic)", true},
          {"Eng2", "English", true},
          {"Ger1", "German", true},
          {"French2", "French", true},
          {"Italian1", "Italian", true},
          {"Spanish2", "Spanish", true},
          {"Portuguese2", "Portuguese", true},
          {"Japanese2", "Japanese", true}}},
        {{"Right1", "Right", true},
         {{"Rus3", "Russian", true},
          {"RusPhonetic1", "Rus (Phonetic)", true},
          {"Eng3", "English", true},
          {"Ger2", "German", true},
          {"French1", "French", true},
          {"F1", "Italian", true},
          {"Spanish1", "Spanish", true},
          {"Portuguese1", "Portuguese", true},
          {"Japanese1", "Japanese", true}}},
    };
    // The menus as designed, then "Phrase" with the commands beyond them.
    const QList<QAction*> tops = m_form->menuBar()->actions();
    QCOMPARE(tops.size(), qsizetype(design.size() + 1));
    QCOMPARE(tops.back()->menu()->objectName(), QStringLiteral("PhraseMenu"));
    for (std::size_t i = 0; i < design.size(); ++i) {
        QMenu* menu = tops[qsizetype(i)]->menu();
        QVERIFY(menu);
        QCOMPARE(menu->objectName(), QString::fromLatin1(design[i].first.name));
        QCOMPARE(withoutAccessKey(menu->title()), QString::fromLatin1(design[i].first.caption));
        QCOMPARE(tops[qsizetype(i)]->isEnabled(), design[i].first.enabled);
        const QList<QAction*> items = menu->actions();
        QCOMPARE(items.size(), qsizetype(design[i].second.size()));
        for (std::size_t j = 0; j < design[i].second.size(); ++j) {
            const Item& item = design[i].second[j];
            QCOMPARE(items[qsizetype(j)]->objectName(), QString::fromLatin1(item.name));
            QCOMPARE(withoutAccessKey(items[qsizetype(j)]->text()), QString::fromLatin1(item.caption));
            QCOMPARE(items[qsizetype(j)]->isEnabled(), item.enabled);
            QVERIFY(items[qsizetype(j)]->shortcut().isEmpty());
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
    const QString top = letters(m_form->menuBar()->actions());
    QCOMPARE(top.size(), 7);
    QCOMPARE(QSet<QChar>(top.begin(), top.end()).size(), 7);
    const QString right = letters(m_form->Right1->actions());
    QCOMPARE(QSet<QChar>(right.begin(), right.end()).size(), 9);
    // Alt+L opens "Language", and X there is "Exit".
    QCOMPARE(top[0], QChar(u'L'));
    QCOMPARE(letters(m_form->Russia1->actions()), QStringLiteral("ERX"));
}

void CommandsTest::everyTopicLoadsByClick_data()
{
    QTest::addColumn<int>("index");
    for (const auto& topic : PhraseCatalogue::topics())
        QTest::newRow(topic.caption) << topic.index;
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
    QCOMPARE(grid.columnTitle(1), QStringLiteral("Rus"));
    QCOMPARE(grid.columnTitle(2), QStringLiteral("Eng"));
    QCOMPARE(firstCell(grid, 1), DataFolder::cell(DataFolder::baseName(topic.dataFile), "Rus", 1));
    QCOMPARE(firstCell(grid, 2), DataFolder::cell(DataFolder::baseName(topic.dataFile), "Eng", 1));
    QCOMPARE(grid.columnWidthAt(1), 398);
    QCOMPARE(grid.columnWidthAt(2), 398);
    QVERIFY(!grid.isColumnVisibleAt(0));
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
            firstCell(*m_form->DBGrid1, 1),
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
    m_form->DBGrid1->setColumnWidthAt(1, 50);
    // The file changes on disk: a reload would show it.
    DataFolder::write("weath", {"Rus", "Eng"}, {{"новое", "new"}});
    QTest::mouseClick(weather, Qt::LeftButton, {}, QPoint(8, weather->height() / 2));
    QCOMPARE(m_form->DBGrid1->columnTitle(1), QStringLiteral("Ger"));
    QCOMPARE(m_form->DBGrid1->columnWidthAt(1), 50);
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), DataFolder::RowsPerFile);
}

void CommandsTest::everyReferenceCommandLoads_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("leftWidth");
    QTest::addColumn<int>("rightWidth");
    const char* actions[] = {"Clock1",       "Days1",           "ModalVerbs1", "Dictionaries1",
                             "SlangEngRus1", "ProverbsRusGer1", "SlangGerRus1"};
    for (int i = 0; i < 7; ++i) {
        const bool fifth = i == 4;
        QTest::newRow(PhraseCatalogue::references()[std::size_t(i)].caption)
            << actions[i] << i << (fifth ? 159 : 398) << (fifth ? 637 : 398);
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
    const int columnZeroWidth = m_form->DBGrid1->columnWidthAt(0);

    QSignalSpy topicCommands(m_form->RadioGroup1, &RadioGroup::clicked);
    m_form->findChild<QAction*>(action)->trigger();
    QCOMPARE(topicCommands.count(), 0);
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(DataFilePath, QByteArray(reference.dataFile));
    const PhraseGrid& grid = *m_form->DBGrid1;
    const QString left = PhraseCatalogue::fieldName(reference.leftField);
    const QString right = PhraseCatalogue::fieldName(reference.rightField);
    QCOMPARE(grid.columnTitle(1), left);
    QCOMPARE(grid.columnTitle(2), right);
    QCOMPARE(firstCell(grid, 1), DataFolder::cell(DataFolder::baseName(reference.dataFile), left, 1));
    QCOMPARE(firstCell(grid, 2), DataFolder::cell(DataFolder::baseName(reference.dataFile), right, 1));
    QCOMPARE(grid.columnWidthAt(1), leftWidth);
    QCOMPARE(grid.columnWidthAt(2), rightWidth);
    QCOMPARE(grid.columnWidthAt(0), columnZeroWidth);
    QVERIFY(!QApplication::overrideCursor());
}

void CommandsTest::fifthSplitEvensOnResize()
{
    m_form->SlangEngRus1Click();
    QCOMPARE(m_form->DBGrid1->columnWidthAt(1), 159);
    QCOMPARE(m_form->DBGrid1->columnWidthAt(2), 637);
    m_form->setOuterSize(1000, 636);
    QTRY_COMPARE(m_form->DBGrid1->columnWidthAt(1), 413);
    QCOMPARE(m_form->DBGrid1->columnWidthAt(2), 413);
}

void CommandsTest::afterADictionaryATopicShowsRussianAndEnglish()
{
    m_form->ProverbsRusGer1Click();
    QCOMPARE(m_form->DBGrid1->columnTitle(1), QStringLiteral("Ger"));
    QCOMPARE(m_form->DBGrid1->columnTitle(2), QStringLiteral("Rus"));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QRadioButton* start = m_form->RadioGroup1->button(1);
    QTest::mouseClick(start, Qt::LeftButton, {}, QPoint(8, start->height() / 2));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 1);
    QCOMPARE(m_form->DBGrid1->columnTitle(1), QStringLiteral("Rus"));
    QCOMPARE(m_form->DBGrid1->columnTitle(2), QStringLiteral("Eng"));
    QCOMPARE(firstCell(*m_form->DBGrid1, 1), DataFolder::cell("start", "Rus", 1));
}

void CommandsTest::languageCommandsRebindOneColumn_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("field");
    const char* left[] = {"Rus2",     "RusPhonetic2", "Eng2",        "Ger1",     "French2",
                          "Italian1", "Spanish2",     "Portuguese2", "Japanese2"};
    const char* right[] = {"Rus3", "RusPhonetic1", "Eng3",        "Ger2",     "French1",
                           "F1",   "Spanish1",     "Portuguese1", "Japanese1"};
    const auto languages = PhraseCatalogue::languages();
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const QString field = PhraseCatalogue::fieldName(languages[i].field);
        QTest::newRow(left[i]) << left[i] << 1 << field;
        QTest::newRow(right[i]) << right[i] << 2 << field;
    }
}

void CommandsTest::languageCommandsRebindOneColumn()
{
    QFETCH(QString, action);
    QFETCH(int, place);
    QFETCH(QString, field);
    PhraseGrid& grid = *m_form->DBGrid1;
    grid.setColumnWidthAt(1, 120);
    const QString other = grid.columnTitle(3 - place);
    // The open file changes on disk: a reload would show it.
    DataFolder::write("start", {"Rus", "Eng"}, {{"новое", "new"}});
    m_form->findChild<QAction*>(action)->trigger();
    QCOMPARE(grid.columnTitle(place), field);
    QCOMPARE(firstCell(grid, place), DataFolder::cell("start", field, 1));
    QCOMPARE(grid.columnTitle(3 - place), other);
    QCOMPARE(grid.columnWidthAt(1), 120);
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
}

void CommandsTest::missingFieldLeavesTheColumnEmpty()
{
    m_form->ModalVerbs1Click();
    m_form->Japanese1Click();
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.columnTitle(2), QStringLiteral("Jap"));
    QCOMPARE(firstCell(grid, 2), QString());
    QCOMPARE(grid.model()->rowCount(), DataFolder::RowsPerFile);
    m_form->Rus2Click();
    m_form->Rus3Click(); // the same field on both sides
    QCOMPARE(firstCell(grid, 1), firstCell(grid, 2));
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
    QCOMPARE(m_form->DBGrid1->columnWidthAt(1), 159); // widths and bindings stay
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(DataFilePath, QByteArray("dsb\\days.dsb"));

    QRadioButton* weather = m_form->RadioGroup1->button(7);
    QTest::mouseClick(weather, Qt::LeftButton, {}, QPoint(8, weather->height() / 2));
    QCOMPARE(firstCell(*m_form->DBGrid1, 1), DataFolder::cell("weath", "Rus", 1));
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
    }
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->DBGrid1->columnTitle(1), QStringLiteral("Ger"));
    ModalAnswer ok(QMessageBox::Ok);
    m_form->Exit1Click();
    QVERIFY(ok.seen());
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
