// What a screen reader and the keyboard meet in every window, on the real main window over
// generated data files: the accessible names, the grid as a table of its shown cells, the focus
// order, Escape and Ctrl+Tab, and where the keyboard goes after an error box.

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/find_window.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_card.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window/speech_player.h"
#include "main_window/speller_window.h"
#include "modal_answer.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QAudioDevice>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <set>

namespace {

enum class Window { Main, Card, Find, Speller };

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

QAccessibleTableInterface* table(PhraseGrid* grid)
{
    return QAccessible::queryAccessibleInterface(grid)->tableInterface();
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void buttonsAreNamedApart_data();
    void buttonsAreNamedApart();
    void gridIsNamedByWhatItShows();
    void gridShowsOnlyItsShownColumns();
    void emptyGridAnswersWithoutWarning();
    void enteringTheGridFocusesTheCurrentCell_data();
    void enteringTheGridFocusesTheCurrentCell();
    void tabReachesTheTopicsWithNoneMarked();
    void arrowsLoadFromAnUnmarkedTopic();
    void ctrlTFocusesTheTopicsFromAnywhere();
    void ctrlTabLeavesTheGrid_data();
    void ctrlTabLeavesTheGrid();
    void textButtonShortcuts_data();
    void textButtonShortcuts();
    void focusOrder_data();
    void focusOrder();
    void escapeCloses_data();
    void escapeCloses();
    void focusReturnsToTheActiveWindowAfterAnErrorBox();
    void findExposesItsCount();
    void openingAHitPutsTheKeyboardOnItsRow();
    void windowsFollowTheDesktopsFontAndPalette();

private:
    QWidget* open(Window window);
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<TForm1> m_form;
};

void AccessibilityTest::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("Tarvolin"));
    FontSubstitutes::install();
}

void AccessibilityTest::init()
{
    m_data = std::make_unique<DataFolder>();
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->speechPlayer().setDevice(QAudioDevice());
}

void AccessibilityTest::cleanup()
{
    m_form.reset();
    m_data.reset();
}

QWidget* AccessibilityTest::open(Window window)
{
    QWidget* shown = m_form.get();
    switch (window) {
    case Window::Main:
        break;
    case Window::Card:
        m_form->PhraseCardClick();
        shown = m_form->phraseCard();
        break;
    case Window::Find:
        m_form->FindClick();
        shown = m_form->findWindow();
        break;
    case Window::Speller:
        m_form->SpellerClick();
        shown = m_form->spellerWindow();
        break;
    }
    // A tool window counts as active with its main window; wait for the keyboard itself.
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == shown; })) return nullptr;
    return shown;
}

void AccessibilityTest::everyControlIsNamed_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("larger text") << Window::Main << "Button7"
                                 << "Larger text";
    QTest::newRow("smaller text") << Window::Main << "Button6"
                                  << "Smaller text";
    QTest::newRow("bold text") << Window::Main << "Button1"
                               << "Bold text";
    QTest::newRow("topics") << Window::Main << "RadioGroup1"
                            << "Topics";
    QTest::newRow("picture") << Window::Main << "Image2"
                             << "A globe with a radio mast sending waves";
    QTest::newRow("card: say English") << Window::Card << "PhraseCardSay_Eng"
                                       << "Say in English";
    QTest::newRow("card: say Japanese") << Window::Card << "PhraseCardSay_Jap"
                                        << "Say in Japanese";
    QTest::newRow("card: say the phonetic Russian") << Window::Card << "PhraseCardSay_RusP"
                                                    << "Say in Rus (Phonetic)";
    QTest::newRow("card: the phrase") << Window::Card << "PhraseCardText_Rus"
                                      << "start Rus 1";
    QTest::newRow("find: words") << Window::Find << "FindQuery"
                                 << "Find phrases";
    QTest::newRow("find: results") << Window::Find << "FindResults"
                                   << "Found phrases";
    QTest::newRow("speller: input") << Window::Speller << "SpellerInput"
                                    << "Spelling";
    QTest::newRow("speller: left spelling") << Window::Speller << "SpellerSpelling0"
                                            << "Russian spelling";
    QTest::newRow("speller: right spelling") << Window::Speller << "SpellerSpelling1"
                                             << "English spelling";
    QTest::newRow("speller: say left") << Window::Speller << "SpellerSay0"
                                       << "Say in Russian";
    QTest::newRow("speller: say right") << Window::Speller << "SpellerSay1"
                                        << "Say in English";
}

void AccessibilityTest::everyControlIsNamed()
{
    QFETCH(Window, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QWidget* shown = open(window);
    QVERIFY(shown);
    auto* widget = shown->findChild<QWidget*>(control);
    QVERIFY2(widget, qPrintable(control));
    QCOMPARE(accessibleName(widget), name);
}

void AccessibilityTest::buttonsAreNamedApart_data()
{
    QTest::addColumn<Window>("window");
    QTest::newRow("main window") << Window::Main;
    QTest::newRow("phrase card") << Window::Card;
    QTest::newRow("speller") << Window::Speller;
}

void AccessibilityTest::buttonsAreNamedApart()
{
    QFETCH(Window, window);
    QWidget* shown = open(window);
    QVERIFY(shown);
    // The buttons as a screen reader walks to them, from the window down.
    QList<QAccessibleInterface*> buttons;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (node->state().invisible) return;
        if (node->role() == QAccessible::Button || node->role() == QAccessible::RadioButton) buttons << node;
        for (int i = 0; i < node->childCount(); ++i)
            if (QAccessibleInterface* child = node->child(i)) walk(child);
    };
    walk(QAccessible::queryAccessibleInterface(shown));
    QVERIFY(buttons.size() >= 2);
    std::set<QString> names;
    for (QAccessibleInterface* button : buttons) {
        const QString name = button->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(button->object() ? button->object()->objectName() : QString()));
        QVERIFY2(names.insert(name).second, qPrintable(name));
    }
}

void AccessibilityTest::gridIsNamedByWhatItShows()
{
    QCOMPARE(accessibleName(m_form->DBGrid1), QStringLiteral("Start"));
    QTest::mouseClick(m_form->RadioGroup1->button(7), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(accessibleName(m_form->DBGrid1), QStringLiteral("Weather"));
    m_form->SlangGerRus1Click();
    QCOMPARE(accessibleName(m_form->DBGrid1), QStringLiteral("Slang Ger-Rus"));
}

void AccessibilityTest::gridShowsOnlyItsShownColumns()
{
    PhraseGrid* grid = m_form->DBGrid1;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(grid);
    QCOMPARE(accessible->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = accessible->tableInterface();
    QVERIFY(cells);
    QCOMPARE(cells->rowCount(), DataFolder::RowsPerFile);
    QCOMPARE(cells->columnCount(), 2);
    QCOMPARE(accessible->childCount(), 2 * DataFolder::RowsPerFile);
    for (int row = 0; row < DataFolder::RowsPerFile; ++row) {
        QCOMPARE(cells->cellAt(row, 0)->text(QAccessible::Name),
                 DataFolder::cell(QStringLiteral("start"), QStringLiteral("Rus"), row + 1));
        QCOMPARE(cells->cellAt(row, 1)->text(QAccessible::Name),
                 DataFolder::cell(QStringLiteral("start"), QStringLiteral("Eng"), row + 1));
    }
    for (int child = 0; child < accessible->childCount(); ++child)
        QCOMPARE(accessible->indexOfChild(accessible->child(child)), child);
    QCOMPARE(cells->columnDescription(0), QStringLiteral("Rus"));

    // The table follows the columns as the user drags them.
    grid->horizontalHeader()->moveSection(2, 1);
    QCOMPARE(cells->cellAt(0, 0)->text(QAccessible::Name),
             DataFolder::cell(QStringLiteral("start"), QStringLiteral("Eng"), 1));
    QCOMPARE(cells->cellAt(0, 0)->tableCellInterface()->columnIndex(), 0);
    QCOMPARE(cells->columnCount(), 2);
}

void AccessibilityTest::emptyGridAnswersWithoutWarning()
{
    DataFolder::write(QStringLiteral("weath"), {"Rus", "Eng"}, {});
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    PhraseGrid* grid = m_form->DBGrid1;
    QAccessibleInterface* before = table(grid)->cellAt(0, 0);
    QVERIFY(before);
    const QAccessible::Id held = QAccessible::uniqueId(before);
    QTest::mouseClick(m_form->RadioGroup1->button(7), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(grid->model()->rowCount(), 0);
    // A cell the reader held from the table before still answers, as defunct; nothing warns.
    QAccessibleInterface* after = QAccessible::accessibleInterface(held);
    QVERIFY(after);
    QVERIFY(after->isValid());
    QVERIFY(after->state().invalid);
    QVERIFY(after->text(QAccessible::Name).isEmpty());
    QVERIFY(after->rect().isEmpty());
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(grid);
    QCOMPARE(accessible->childCount(), 0);
    QVERIFY(!accessible->child(0));
    QVERIFY(!table(grid)->cellAt(0, 0));
    QCOMPARE(table(grid)->rowCount(), 0);
    QCOMPARE(table(grid)->selectedCellCount(), 0);
    grid->setFocus(Qt::TabFocusReason);
    QVERIFY(grid->hasFocus());
    QVERIFY(!accessible->focusChild());
    QVERIFY(!accessible->childAt(grid->mapToGlobal(QPoint(20, 30)).x(), grid->mapToGlobal(QPoint(20, 30)).y()));
}

void AccessibilityTest::enteringTheGridFocusesTheCurrentCell_data()
{
    QTest::addColumn<int>("current"); // -1: no row current
    QTest::addColumn<int>("read");
    QTest::newRow("no row current: the first") << -1 << 0;
    QTest::newRow("the current row") << 2 << 2;
}

void AccessibilityTest::enteringTheGridFocusesTheCurrentCell()
{
    QFETCH(int, current);
    QFETCH(int, read);
    PhraseGrid* grid = m_form->DBGrid1;
    grid->setCurrentIndex(current < 0 ? QModelIndex() : grid->model()->index(current, 1));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(!accessible->focusChild());
    m_form->Button1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_form->Button1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex().row(), read);
    QAccessibleInterface* cell = accessible->focusChild();
    QVERIFY(cell);
    QVERIFY(cell->state().focused);
    QCOMPARE(cell->text(QAccessible::Name), DataFolder::cell(QStringLiteral("start"), QStringLiteral("Rus"), read + 1));
}

void AccessibilityTest::tabReachesTheTopicsWithNoneMarked()
{
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(QApplication::focusWidget(), m_form->Button7);
    QTest::keyClick(m_form->Button7, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_form->RadioGroup1->button(0));
    // Landing there loads nothing; the list stays unmarked until a move or Space.
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
    QTest::keyClick(m_form->RadioGroup1->button(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_form->Button7);
}

void AccessibilityTest::arrowsLoadFromAnUnmarkedTopic()
{
    // After a list from the menu no topic is marked.
    m_form->Clock1Click();
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    m_form->RadioGroup1->focusItem();
    QCOMPARE(QApplication::focusWidget(), m_form->RadioGroup1->button(0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), m_form->RadioGroup1->button(1));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 1);
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
    QCOMPARE(m_form->shownCaption(), QStringLiteral("Start"));
    // From then on the list moves as a marked one does.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 2);
    QCOMPARE(DataFilePath, QByteArray("dsb\\call.dsb"));
}

void AccessibilityTest::ctrlTFocusesTheTopicsFromAnywhere()
{
    m_form->DBGrid1->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_form->DBGrid1, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), m_form->RadioGroup1->button(0));
    QTest::mouseClick(m_form->RadioGroup1->button(7), Qt::LeftButton, {}, QPoint(8, 8));
    // From the phrase card too, back in the main window on the marked topic.
    QWidget* card = open(Window::Card);
    QVERIFY(card);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    QCOMPARE(QApplication::focusWidget(), m_form->RadioGroup1->button(7));
}

void AccessibilityTest::ctrlTabLeavesTheGrid_data()
{
    QTest::addColumn<bool>("back");
    QTest::newRow("Ctrl+Tab: to the topics") << false;
    QTest::newRow("Ctrl+Shift+Tab: to the bold button") << true;
}

void AccessibilityTest::ctrlTabLeavesTheGrid()
{
    QFETCH(bool, back);
    PhraseGrid* grid = m_form->DBGrid1;
    grid->setFocus(Qt::TabFocusReason);
    const QModelIndex current = grid->currentIndex();
    // Tab stays inside, moving between the cells.
    QTest::keyClick(grid, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    QVERIFY(grid->currentIndex() != current);
    if (back)
        QTest::keyClick(grid, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    else
        QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(),
             back ? static_cast<QWidget*>(m_form->Button1) : static_cast<QWidget*>(m_form->RadioGroup1->button(0)));
}

void AccessibilityTest::textButtonShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("heightChange");
    QTest::addColumn<bool>("boldChange");
    QTest::newRow("Ctrl++: larger") << int(Qt::Key_Plus) << -1 << false;
    QTest::newRow("Ctrl+-: smaller") << int(Qt::Key_Minus) << 1 << false;
    QTest::newRow("Ctrl+B: bold") << int(Qt::Key_B) << 0 << true;
}

void AccessibilityTest::textButtonShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, heightChange);
    QFETCH(bool, boldChange);
    PhraseGrid* grid = m_form->DBGrid1;
    grid->setFocus(Qt::TabFocusReason);
    const int height = grid->cellFontHeight();
    const bool bold = grid->cellFontBold();
    QTest::keyClick(grid, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(grid->cellFontHeight(), height + heightChange);
    QCOMPARE(grid->cellFontBold(), bold != boldChange);
}

void AccessibilityTest::focusOrder_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QStringList>("order"); // from the control that has the keyboard on opening
    QTest::newRow("phrase card: each phrase, then its Say")
        << Window::Card << QStringList{"PhraseCardText_Rus", "PhraseCardSay_Rus",   "PhraseCardText_Eng",
                                       "PhraseCardSay_Eng",  "PhraseCardText_RusP", "PhraseCardSay_RusP"};
    QTest::newRow("find: words, then results") << Window::Find << QStringList{"FindQuery", "FindResults"};
    QTest::newRow("speller: input, then each spelling and its Say")
        << Window::Speller
        << QStringList{"SpellerInput", "SpellerSpelling0", "SpellerSay0", "SpellerSpelling1", "SpellerSay1"};
}

void AccessibilityTest::focusOrder()
{
    QFETCH(Window, window);
    QFETCH(QStringList, order);
    QWidget* shown = open(window);
    QVERIFY(shown);
    if (window == Window::Speller) QTest::keyClicks(m_form->spellerWindow()->input(), QStringLiteral("q7"));
    QCOMPARE(QApplication::focusWidget()->objectName(), order.front());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
    }
}

void AccessibilityTest::escapeCloses_data()
{
    QTest::addColumn<Window>("window");
    QTest::newRow("phrase card") << Window::Card;
    QTest::newRow("find") << Window::Find;
    QTest::newRow("speller") << Window::Speller;
}

void AccessibilityTest::escapeCloses()
{
    QFETCH(Window, window);
    QWidget* shown = open(window);
    QVERIFY(shown);
    // From the control the keyboard is on, and from the next one.
    for (int presses = 0; presses < 2; ++presses) {
        shown->show();
        shown->activateWindow();
        QVERIFY(QTest::qWaitFor([&] { return QApplication::activeWindow() == shown; }));
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(shown->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!shown->isVisible());
        QVERIFY(m_form->isVisible());
    }
}

void AccessibilityTest::focusReturnsToTheActiveWindowAfterAnErrorBox()
{
    QWidget* card = open(Window::Card);
    QVERIFY(card);
    auto* say = card->findChild<QPushButton*>(QStringLiteral("PhraseCardSay_Rus"));
    say->setFocus(Qt::TabFocusReason);
    ModalAnswer ok(QMessageBox::Ok);
    QTest::keyClick(say, Qt::Key_Space);
    QTRY_VERIFY(ok.seen());
    QVERIFY2(ok.text().contains(QStringLiteral("sound device")), qPrintable(ok.text()));
    QCOMPARE(QApplication::activeWindow(), card);
    QCOMPARE(QApplication::focusWidget(), say);
}

void AccessibilityTest::findExposesItsCount()
{
    QWidget* find = open(Window::Find);
    QVERIFY(find);
    auto* window = static_cast<FindWindow*>(find);
    QTest::keyClicks(window->queryEdit(), QStringLiteral("start eng"));
    QCOMPARE(window->countText(), QStringLiteral("3 rows found"));
    QAccessibleInterface* results = QAccessible::queryAccessibleInterface(window->resultList());
    QCOMPARE(results->text(QAccessible::Description), QStringLiteral("3 rows found"));
    // The field the user types in says the count once the typing settles.
    QAccessibleInterface* query = QAccessible::queryAccessibleInterface(window->queryEdit());
    QTRY_COMPARE(query->text(QAccessible::Description), QStringLiteral("3 rows found"));
    QTest::keyClicks(window->queryEdit(), QStringLiteral(" 2"));
    QCOMPARE(results->text(QAccessible::Description), QStringLiteral("1 row found"));
    QTRY_COMPARE(query->text(QAccessible::Description), QStringLiteral("1 row found"));
}

void AccessibilityTest::openingAHitPutsTheKeyboardOnItsRow()
{
    QWidget* find = open(Window::Find);
    QVERIFY(find);
    auto* window = static_cast<FindWindow*>(find);
    QTest::keyClicks(window->queryEdit(), QStringLiteral("weath eng 3"));
    QTest::keyClick(window->queryEdit(), Qt::Key_Return);
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
    QCOMPARE(QApplication::focusWidget(), m_form->DBGrid1);
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(m_form->DBGrid1)->focusChild();
    QVERIFY(cell);
    QCOMPARE(cell->text(QAccessible::Name), DataFolder::cell(QStringLiteral("weath"), QStringLiteral("Rus"), 3));
}

void AccessibilityTest::windowsFollowTheDesktopsFontAndPalette()
{
    // A large desktop font and a high-contrast palette, set before the windows open and after.
    const QFont desktopFont = QApplication::font();
    const QPalette desktopPalette = QApplication::palette();
    QFont large = desktopFont;
    large.setPointSize(20);
    QPalette contrast(Qt::white, Qt::black);
    contrast.setColor(QPalette::Base, Qt::black);
    contrast.setColor(QPalette::Text, Qt::yellow);
    QApplication::setFont(large);
    QApplication::setPalette(contrast);
    for (const Window window : {Window::Card, Window::Find, Window::Speller}) {
        QWidget* shown = open(window);
        QVERIFY(shown);
        QCOMPARE(shown->font().pointSize(), 20);
        QCOMPARE(shown->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(shown->palette().color(QPalette::Text), QColor(Qt::yellow));
    }
    // The designed main window keeps its designed font.
    QVERIFY(m_form->font().pointSize() != 20);
    QApplication::setFont(desktopFont);
    QApplication::setPalette(desktopPalette);
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
