#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/error_box.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

QStringList columnTexts(const PhraseGrid& grid, GridPlace place)
{
    QStringList texts;
    const int logical = grid.logicalAt(place);
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        texts << grid.model()->index(row, logical).data().toString();
    return texts;
}

QStringList generated(const QString& file, const QString& field)
{
    QStringList texts;
    for (int row = 1; row <= DataFolder::RowsPerFile; ++row)
        texts << DataFolder::cell(file, field, row);
    return texts;
}

} // namespace

// The grid as the main window drives it: the activation load, binding by name and the text buttons.
class PhraseGridTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstActivationShowsTheStartFile();
    void activationDoesNotRunAgainAfterAModalBox();
    void columnsBindByNameWithoutRegardToCase_data();
    void columnsBindByNameWithoutRegardToCase();
    void textButtonsChangeTheCellFontOnly();
    void boldToggles();
    void fontChangeKeepsTheCurrentRowInView_data();
    void fontChangeKeepsTheCurrentRowInView();
    void fontHeightMayPassZero();
    void failedActivationShowsTheErrorBox();
    void startedAwayFromTheDataShowsOneBoxNamingTheFolder();
    void fullStopRule_data();
    void fullStopRule();
    void draggedColumnTakesItsNewPlace();
    void nothingCanBeEdited();

private:
    void showForm();
};

void PhraseGridTest::initTestCase()
{
    prepareApplication();
}

void PhraseGridTest::init()
{
    DataFilePath.clear();
    makeForm();
}

void PhraseGridTest::cleanup()
{
    releaseForm();
}

void PhraseGridTest::showForm()
{
    QVERIFY(exposeForm());
}

void PhraseGridTest::firstActivationShowsTheStartFile()
{
    QVERIFY(DataFilePath.isEmpty());
    showForm();
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
    QVERIFY(!grid.isColumnVisibleAt(GridPlace::Hidden));
    QCOMPARE(grid.columnTitle(GridPlace::Left), QStringLiteral("Rus"));
    QCOMPARE(grid.columnTitle(GridPlace::Right), QStringLiteral("Eng"));
    QCOMPARE(columnTexts(grid, GridPlace::Left), generated("start", "Rus"));
    QCOMPARE(columnTexts(grid, GridPlace::Right), generated("start", "Eng"));
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(grid.currentIndex().row(), 0);
}

void PhraseGridTest::activationDoesNotRunAgainAfterAModalBox()
{
    showForm();
    m_form->Ger1Click();
    m_form->F1Click();
    ModalAnswer answer(QMessageBox::Cancel);
    m_form->Exit1Click();
    QVERIFY(answer.seen());
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("Ger"));
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Right), QStringLiteral("Ital"));
    m_form->showMinimized();
    m_form->showNormal();
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("Ger"));
}

void PhraseGridTest::columnsBindByNameWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("present") << "Port"
                             << "Port" << QStringList{"Olá", "Tchau"};
    QTest::newRow("stored in other case") << "Jap"
                                          << "JAP" << QStringList{"こんにちは", "さようなら"};
    QTest::newRow("missing keeps its name") << "Ital"
                                            << "Ital" << QStringList{"", ""};
}

void PhraseGridTest::columnsBindByNameWithoutRegardToCase()
{
    QFETCH(QString, field);
    QFETCH(QString, title);
    QFETCH(QStringList, cells);
    DataFolder::write("start", {"Rus", "Eng", "Port", "JAP"},
                      {{"Привет", "Hello", "Olá", "こんにちは"}, {"Пока", "Bye", "Tchau", "さようなら"}});
    showForm();
    m_form->DBGrid1->bindColumn(GridPlace::Right, field);
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Right), title);
    QCOMPARE(columnTexts(*m_form->DBGrid1, GridPlace::Right), cells);
    QVERIFY(!m_form->DBGrid1->isColumnVisibleAt(GridPlace::Hidden));
}

void PhraseGridTest::textButtonsChangeTheCellFontOnly()
{
    showForm();
    PhraseGrid& grid = *m_form->DBGrid1;
    const QFont titleFont = grid.horizontalHeader()->font();
    const int titleHeight = grid.titleRowHeight();
    QCOMPARE(grid.cellFontHeight(), -12);
    // The keyboard focus starts on "A": Space enlarges the text.
    QCOMPARE(QApplication::focusWidget(), m_form->Button7);
    QTest::keyClick(m_form->Button7, Qt::Key_Space);
    QCOMPARE(grid.cellFontHeight(), -13);
    m_form->Button6Click();
    QTest::mouseClick(m_form->Button7, Qt::LeftButton);
    QTest::mouseClick(m_form->Button7, Qt::LeftButton);
    QTest::mouseClick(m_form->Button6, Qt::LeftButton);
    QCOMPARE(grid.cellFontHeight(), -13);
    QCOMPARE(grid.font().pixelSize(), 13);
    const int rowHeight = QFontMetrics(grid.font()).height() + 4;
    QCOMPARE(grid.rowHeight(0), rowHeight);
    QCOMPARE(grid.rowHeight(DataFolder::RowsPerFile - 1), rowHeight);
    QCOMPARE(grid.horizontalHeader()->font(), titleFont);
    QCOMPARE(grid.titleRowHeight(), titleHeight);
}

void PhraseGridTest::fontChangeKeepsTheCurrentRowInView_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("steps"); // the font grows by this many pixels; shrinks when negative
    QTest::newRow("near the foot, larger") << 150 << 8;
    QTest::newRow("near the top, smaller") << 40 << -6;
}

void PhraseGridTest::fontChangeKeepsTheCurrentRowInView()
{
    QFETCH(int, row);
    QFETCH(int, steps);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(200);
    for (int i = 0; i < 200; ++i)
        rows.push_back({"Строка " + std::to_string(i), "Row " + std::to_string(i)});
    DataFolder::write("start", {"Rus", "Eng"}, rows);
    showForm();
    PhraseGrid& grid = *m_form->DBGrid1;
    grid.showRow(row);
    const auto inView = [&] { return grid.viewport()->rect().contains(grid.visualRect(grid.currentIndex())); };
    QVERIFY(inView());
    for (int step = 0; step < std::abs(steps); ++step) {
        if (steps > 0)
            m_form->Button7Click();
        else
            m_form->Button6Click();
        QVERIFY2(inView(), qPrintable(QStringLiteral("after step %1").arg(step + 1)));
    }
    QCOMPARE(grid.currentIndex().row(), row);
}

void PhraseGridTest::boldToggles()
{
    showForm();
    PhraseGrid& grid = *m_form->DBGrid1;
    QVERIFY(!grid.font().bold());
    m_form->Button1Click();
    QVERIFY(grid.font().bold());
    QCOMPARE(grid.cellFontHeight(), -12);
    m_form->Button1Click();
    QVERIFY(!grid.font().bold());
}

void PhraseGridTest::fontHeightMayPassZero()
{
    showForm();
    PhraseGrid& grid = *m_form->DBGrid1;
    for (int i = 0; i < 14; ++i)
        m_form->Button6Click();
    QCOMPARE(grid.cellFontHeight(), 2);
    QVERIFY(grid.font().pixelSize() >= 1);
    QCOMPARE(grid.rowHeight(0), QFontMetrics(grid.font()).height() + 4);
    QVERIFY(grid.rowHeight(0) <= 2 + 4 + 1);
}

void PhraseGridTest::failedActivationShowsTheErrorBox()
{
    DataFolder::remove("start");
    ModalAnswer answer(QMessageBox::Ok);
    showForm();
    QVERIFY(answer.seen());
    QCOMPARE(answer.title(), QStringLiteral("Tarvolin"));
    QCOMPARE(answer.icon(), QMessageBox::Critical);
    QCOMPARE(answer.buttons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY2(answer.text().startsWith(QStringLiteral("dsb/start.dsb")), qPrintable(answer.text()));
    QVERIFY2(answer.text().endsWith(u'.'), qPrintable(answer.text()));
    QVERIFY(m_form->isVisible());
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 0);
    QVERIFY(!m_form->DBGrid1->isColumnVisibleAt(GridPlace::Hidden));
    QCOMPARE(m_form->DBGrid1->columnFieldName(GridPlace::Left), QStringLiteral("Rus"));
    QCOMPARE(m_form->DBGrid1->columnFieldName(GridPlace::Right), QStringLiteral("Eng"));
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
}

void PhraseGridTest::startedAwayFromTheDataShowsOneBoxNamingTheFolder()
{
    QVERIFY(QDir(QStringLiteral("dsb")).removeRecursively());
    ModalAnswer answer(QMessageBox::Ok);
    showForm();
    QVERIFY(answer.seen());
    QCOMPARE(answer.icon(), QMessageBox::Critical);
    QVERIFY2(answer.text().contains(QDir::current().absoluteFilePath(QStringLiteral("dsb"))),
             qPrintable(answer.text()));
    QVERIFY(m_form->isVisible());
    QCOMPARE(DataFilePath, QByteArray("dsb\\start.dsb"));
}

void PhraseGridTest::fullStopRule_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("letter") << "no table Dict" << "no table Dict.";
    QTest::newRow("digit") << "corrupt page 17" << "corrupt page 17.";
    QTest::newRow("question mark") << "what?" << "what?.";
    QTest::newRow("colon") << "cannot open:" << "cannot open:.";
    QTest::newRow("cyrillic") << "нет файла" << "нет файла.";
    QTest::newRow("full stop") << "done." << "done.";
    QTest::newRow("exclamation") << "stop!" << "stop!";
    QTest::newRow("bracket") << "(x)" << "(x)";
    QTest::newRow("space") << "trailing " << "trailing ";
    QTest::newRow("empty") << "" << "";
    // clang-format on
}

void PhraseGridTest::fullStopRule()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(ErrorBox::messageText(message), shown);
}

void PhraseGridTest::draggedColumnTakesItsNewPlace()
{
    showForm();
    PhraseGrid& grid = *m_form->DBGrid1;
    QHeaderView* titles = grid.horizontalHeader();
    const int y = titles->height() / 2;
    const int from = titles->sectionViewportPosition(titles->logicalIndex(2)) + 10;
    const int to = titles->sectionViewportPosition(titles->logicalIndex(1)) + 5;
    QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, QPoint(from, y));
    QTest::mouseMove(titles->viewport(), QPoint(from - 20, y));
    QTest::mouseMove(titles->viewport(), QPoint(to, y));
    QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, QPoint(to, y));
    QCOMPARE(grid.columnTitle(GridPlace::Left), QStringLiteral("Eng"));
    QCOMPARE(grid.columnTitle(GridPlace::Right), QStringLiteral("Rus"));
    // The commands address the new order: "Left" now rebinds what stands on the left.
    m_form->Ger1Click();
    QCOMPARE(grid.columnTitle(GridPlace::Left), QStringLiteral("Ger"));
    QCOMPARE(grid.columnTitle(GridPlace::Right), QStringLiteral("Rus"));
    QCOMPARE(titles->visualIndex(titles->logicalIndex(1)), 1);
    // The hidden column stays in front.
    QVERIFY(!grid.isColumnVisibleAt(GridPlace::Hidden));
}

void PhraseGridTest::nothingCanBeEdited()
{
    showForm();
    PhraseGrid& grid = *m_form->DBGrid1;
    QAbstractItemModelTester tester(grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QModelIndex cell = grid.model()->index(0, grid.horizontalHeader()->logicalIndex(1));
    QCOMPARE(grid.model()->flags(cell) & Qt::ItemIsEditable, Qt::NoItemFlags);
    grid.setCurrentIndex(cell);
    QTest::keyClick(grid.viewport(), Qt::Key_F2);
    QTest::keyClicks(grid.viewport(), "x");
    QCOMPARE(cell.data().toString(), DataFolder::cell("start", "Rus", 1));
    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(grid.currentIndex().row(), 1);
    m_form->Button7Click(); // a new layout of a live model
}

QTEST_MAIN(PhraseGridTest)
#include "phrase_grid_test.moc"
