#include "data_folder.h"
#include "design.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <memory>

// The main window's controls at their design places and as the window's size changes.
class MainWindowLayoutTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void fixedControlsKeepTheirDesign_data();
    void fixedControlsKeepTheirDesign();
    void sizesFollowTheWindow_data();
    void sizesFollowTheWindow();
    void tooNarrowCollapsesAndGrowingRestores();
    void topicItemsShareTheListHeight();
    void textButtonsOverlapAndTabInOrder();
    void scrollsWhenSmallerThanTheControls();

private:
    void resizeTo(int width, int height);
};

void MainWindowLayoutTest::initTestCase()
{
    prepareApplication();
}

void MainWindowLayoutTest::init()
{
    makeForm();
    QVERIFY(exposeForm());
}

void MainWindowLayoutTest::cleanup()
{
    releaseForm();
}

void MainWindowLayoutTest::resizeTo(int width, int height)
{
    m_form->setOuterSize(width, height);
    QTRY_COMPARE(m_form->frameGeometry().size(), QSize(width, height));
}

void MainWindowLayoutTest::fixedControlsKeepTheirDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    for (const design::Control& control : design::MainWindowFixedControls)
        QTest::newRow(control.name) << control.name << control.geometry;
}

void MainWindowLayoutTest::fixedControlsKeepTheirDesign()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    for (const QSize size : {design::MainWindowOuter, QSize(1200, 800), QSize(400, 300)}) {
        resizeTo(size.width(), size.height());
        auto* control = m_form->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }
}

void MainWindowLayoutTest::sizesFollowTheWindow_data()
{
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QRect>("strip");
    QTest::addColumn<QRect>("panel");
    QTest::addColumn<QRect>("grid");
    QTest::addColumn<int>("columnWidth");
    QTest::newRow("design size") << design::MainWindowOuter << QRect(168, 0, 786, 33) << QRect(168, 32, 786, 546)
                                 << QRect(8, 24, 771, 516) << 398;
    QTest::newRow("larger") << QSize(1280, 900) << QRect(168, 0, 1097, 33) << QRect(168, 32, 1097, 810)
                            << QRect(8, 24, 1082, 780) << 553;
    QTest::newRow("odd free width") << QSize(800, 500) << QRect(168, 0, 617, 33) << QRect(168, 32, 617, 410)
                                    << QRect(8, 24, 602, 380) << 313;
}

void MainWindowLayoutTest::sizesFollowTheWindow()
{
    QFETCH(QSize, outer);
    QFETCH(QRect, strip);
    QFETCH(QRect, panel);
    QFETCH(QRect, grid);
    QFETCH(int, columnWidth);
    resizeTo(outer.width(), outer.height());
    QCOMPARE(m_form->GroupBox1->geometry(), strip);
    QCOMPARE(m_form->GroupBox2->geometry(), panel);
    QCOMPARE(m_form->DBGrid1->geometry(), grid);
    for (const GridPlace place : GridPlaces)
        QCOMPARE(m_form->DBGrid1->columnWidthAt(place), columnWidth);
}

void MainWindowLayoutTest::tooNarrowCollapsesAndGrowingRestores()
{
    resizeTo(120, 80);
    QCOMPARE(m_form->GroupBox1->width(), 0);
    QCOMPARE(m_form->GroupBox2->size(), QSize(0, 0));
    QCOMPARE(m_form->DBGrid1->size(), QSize(0, 0));
    // (120 - 153 - 20) div 2, truncated toward zero
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Left), -26);
    QCOMPARE(m_form->DBGrid1->horizontalHeader()->sectionSize(1), 0);
    resizeTo(design::MainWindowOuter.width(), design::MainWindowOuter.height());
    QCOMPARE(m_form->GroupBox2->geometry(), QRect(168, 32, 786, 546));
    QCOMPARE(m_form->DBGrid1->geometry(), QRect(8, 24, 771, 516));
    QCOMPARE(m_form->DBGrid1->columnWidthAt(GridPlace::Left), 398);
}

void MainWindowLayoutTest::topicItemsShareTheListHeight()
{
    const RadioGroup* list = m_form->RadioGroup1;
    const int count = int(design::Topics.size());
    QCOMPARE(list->count(), count);
    const int textHeight = QFontMetrics(list->font()).height();
    const int itemHeight = (list->height() - textHeight - 5) / count;
    int top = ((list->height() - textHeight - 5) % count) / 2 + textHeight + 1;
    for (int i = 0; i < count; ++i) {
        QCOMPARE(list->button(i)->geometry(), QRect(8, top, list->width() - 10, itemHeight));
        top += itemHeight;
    }
    QCOMPARE(list->itemIndex(), -1);
}

void MainWindowLayoutTest::textButtonsOverlapAndTabInOrder()
{
    QCOMPARE(m_form->Button6->x() - m_form->Button7->geometry().right(), -2); // 3 pixels shared
    QCOMPARE(m_form->Button7->nextInFocusChain(), m_form->Button6);
    QCOMPARE(m_form->Button6->nextInFocusChain(), m_form->Button1);
    QCOMPARE(QApplication::focusWidget(), m_form->Button7);
}

void MainWindowLayoutTest::scrollsWhenSmallerThanTheControls()
{
    resizeTo(design::MainWindowOuter.width(), design::MainWindowOuter.height());
    QVERIFY(!m_form->ScrollBox->verticalScrollBar()->isVisible());
    resizeTo(design::MainWindowOuter.width(), 400); // the picture frame reaches 473 pixels down
    QTRY_VERIFY(m_form->ScrollBox->verticalScrollBar()->isVisible());
    QCOMPARE(m_form->Client->minimumHeight(), 473);
}

QTEST_MAIN(MainWindowLayoutTest)
#include "main_window_layout_test.moc"
