// A phrase whole: the grid's tooltip for a cut-off cell, and the phrase card.

#include "data_folder.h"
#include "design.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_card.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window/speech_player.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

#include <QAction>
#include <QApplication>
#include <QAudioDevice>
#include <QClipboard>
#include <QFontInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QToolTip>
#include <memory>

namespace {

const std::vector<std::string> Fields{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};

// As the user does it: a click, then the second press that the system reports as a double click.
void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

class WholeTextTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tooltipOnlyForCutOffText_data();
    void tooltipOnlyForCutOffText();
    void enterOnARowOpensTheCard();
    void doubleClickAndTheMenuOpenTheCard();
    void cardShowsTheBoundLanguagesLargeThenTheAidThenTheRest_data();
    void cardShowsTheBoundLanguagesLargeThenTheAidThenTheRest();
    void cardFollowsTheCurrentRow();
    void copyTakesTheSelectionOrTheTwoLanguages();
    void everyLanguageOfTheCardCanBeSaid();
    void enterPressesTheFocusedCopyOrSayButton();
    void cardNamesTheListShown();
    void cardOpensBesideTheMainWindowAndKeepsItsPlace();

private:
    void openWeather();
    [[nodiscard]] QPoint cellCentre(int row, GridPlace place) const;
};

void WholeTextTest::initTestCase()
{
    prepareApplication();
}

void WholeTextTest::init()
{
    makeForm();
    QVERIFY(exposeForm());
    QTRY_COMPARE(m_form->frameGeometry().size(), design::MainWindowOuter);
}

void WholeTextTest::cleanup()
{
    releaseForm();
}

void WholeTextTest::openWeather()
{
    m_form->RadioGroup1->setItemIndex(7);
    m_form->RadioGroup1Click();
}

QPoint WholeTextTest::cellCentre(int row, GridPlace place) const
{
    const PhraseGrid& grid = *m_form->DBGrid1;
    const QRect cell = grid.visualRect(grid.model()->index(row, grid.logicalAt(place)));
    return (cell & grid.viewport()->rect()).center();
}

void WholeTextTest::tooltipOnlyForCutOffText_data()
{
    QTest::addColumn<GridPlace>("place");
    QTest::addColumn<QString>("fit"); // "short", "column" (cut by the column), "edge" (by the grid's edge)
    using enum GridPlace;
    QTest::newRow("left, fits") << Left << "short";
    QTest::newRow("left, cut by the column") << Left << "column";
    QTest::newRow("right, fits") << Right << "short";
    QTest::newRow("right, cut by the column") << Right << "column";
    QTest::newRow("right, fits its column but runs under the grid's edge") << Right << "edge";
}

void WholeTextTest::tooltipOnlyForCutOffText()
{
    QFETCH(GridPlace, place);
    QFETCH(QString, fit);
    PhraseGrid& grid = *m_form->DBGrid1;
    const int margin = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    const QFontMetrics metrics(grid.font());
    const int columnWidth = grid.columnWidthAt(place);
    const int shownWidth =
        std::min(columnWidth, grid.viewport()->width() - grid.columnViewportPosition(grid.logicalAt(place)));
    // The longest text of "word " repeats that fits the wanted width, then one more character.
    const auto textWider = [&](int width) {
        QString text = QStringLiteral("word");
        while (metrics.horizontalAdvance(text) + 2 * margin <= width)
            text += QStringLiteral(" word");
        return text;
    };
    QString text = QStringLiteral("short");
    if (fit == u"column") text = textWider(columnWidth);
    if (fit == u"edge") {
        QVERIFY2(shownWidth < columnWidth, "the right column ends inside the grid");
        text = textWider(shownWidth);
        while (metrics.horizontalAdvance(text) + 2 * margin > columnWidth)
            text.chop(1);
        QVERIFY(metrics.horizontalAdvance(text) + 2 * margin > shownWidth);
    }
    std::vector<std::string> row(Fields.size(), "x");
    const std::string field = grid.columnFieldName(place).toStdString();
    row[std::size_t(std::find(Fields.begin(), Fields.end(), field) - Fields.begin())] = text.toStdString();
    DataFolder::write(QStringLiteral("weath"), Fields, {row});
    openWeather();

    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    const QPoint at = cellCentre(0, place);
    QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &help);
    if (fit == u"short") {
        QVERIFY(!QToolTip::isVisible());
    } else {
        QVERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), text);
    }
}

void WholeTextTest::enterOnARowOpensTheCard()
{
    openWeather();
    PhraseGrid& grid = *m_form->DBGrid1;
    grid.setFocus();
    grid.showRow(1);
    QTest::keyClick(&grid, Qt::Key_Return);
    PhraseCard* card = m_form->phraseCard();
    QVERIFY(card);
    QVERIFY(QTest::qWaitForWindowExposed(card));
    QVERIFY(card->windowFlags() & Qt::Tool);
    QCOMPARE(card->textLabel(QStringLiteral("Rus"))->text(), QStringLiteral("weath Rus 2"));
    QCOMPARE(card->textLabel(QStringLiteral("Eng"))->text(), QStringLiteral("weath Eng 2"));
}

void WholeTextTest::doubleClickAndTheMenuOpenTheCard()
{
    openWeather();
    PhraseGrid& grid = *m_form->DBGrid1;
    doubleClick(grid.viewport(), cellCentre(2, GridPlace::Right));
    PhraseCard* card = m_form->phraseCard();
    QVERIFY(card);
    QVERIFY(QTest::qWaitForWindowExposed(card));
    QCOMPARE(card->textLabel(QStringLiteral("Eng"))->text(), QStringLiteral("weath Eng 3"));
    card->close();

    auto* action = m_form->findChild<QAction*>(QStringLiteral("PhraseCardAction"));
    QVERIFY(action);
    QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_K));
    grid.showRow(0);
    action->trigger();
    QVERIFY(card->isVisible());
    QCOMPARE(card->textLabel(QStringLiteral("Eng"))->text(), QStringLiteral("weath Eng 1"));
}

void WholeTextTest::cardShowsTheBoundLanguagesLargeThenTheAidThenTheRest_data()
{
    QTest::addColumn<QString>("binding"); // the language commands to run first
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("Russian and English") << "" << QStringList{"Rus",  "Eng",  "RusP", "Ger", "Fren",
                                                              "Ital", "Span", "Port", "Jap"};
    QTest::newRow("English and Russian") << "Eng2 Rus3" << QStringList{"Eng",  "Rus",  "RusP", "Ger", "Fren",
                                                                       "Ital", "Span", "Port", "Jap"};
    QTest::newRow("German and Japanese") << "Ger1 Japanese1" << QStringList{"Ger",  "Jap",  "Rus",  "RusP", "Eng",
                                                                            "Fren", "Ital", "Span", "Port"};
    QTest::newRow("phonetic Russian shown")
        << "RusPhonetic2" << QStringList{"RusP", "Eng", "Rus", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
}

void WholeTextTest::cardShowsTheBoundLanguagesLargeThenTheAidThenTheRest()
{
    QFETCH(QString, binding);
    QFETCH(QStringList, fields);
    openWeather();
    for (const QString& command : binding.split(u' ', Qt::SkipEmptyParts))
        QVERIFY(QMetaObject::invokeMethod(m_form->findChild<QAction*>(command), "trigger"));
    m_form->DBGrid1->showRow(0);
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    QCOMPARE(card->shownFields(), fields);
    const int gridPixels = QFontInfo(m_form->DBGrid1->font()).pixelSize();
    for (const QString& field : fields) {
        QCOMPARE(card->textLabel(field)->text(), DataFolder::cell(QStringLiteral("weath"), field, 1));
        const int pixels = QFontInfo(card->textLabel(field)->font()).pixelSize();
        const int place = int(fields.indexOf(field));
        if (place < 2)
            QVERIFY2(pixels >= gridPixels * 5 / 2, qPrintable(field));
        else
            QVERIFY2(pixels < gridPixels * 5 / 2, qPrintable(field));
        QVERIFY(card->textLabel(field)->wordWrap());
        QVERIFY(card->textLabel(field)->textInteractionFlags() & Qt::TextSelectableByMouse);
    }
}

void WholeTextTest::cardFollowsTheCurrentRow()
{
    openWeather();
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    QCOMPARE(card->textLabel(QStringLiteral("Rus"))->text(), QStringLiteral("weath Rus 1"));
    QTest::keyClick(m_form->DBGrid1, Qt::Key_Down);
    QCOMPARE(card->textLabel(QStringLiteral("Rus"))->text(), QStringLiteral("weath Rus 2"));
    m_form->DBGrid1->showRow(2);
    QCOMPARE(card->textLabel(QStringLiteral("RusP"))->text(), QStringLiteral("weath RusP 3"));
    // Another topic starts on its first row; another language shows at once.
    m_form->RadioGroup1->setItemIndex(0);
    m_form->RadioGroup1Click();
    QCOMPARE(card->textLabel(QStringLiteral("Rus"))->text(), QStringLiteral("phonet Rus 1"));
    m_form->F1Click();
    QCOMPARE(card->shownFields().mid(0, 2), (QStringList{"Rus", "Ital"}));
    QCOMPARE(card->textLabel(QStringLiteral("Ital"))->text(), QStringLiteral("phonet Ital 1"));
    // A list without the phonetic field has no aid.
    m_form->Clock1Click();
    QCOMPARE(card->shownFields(), (QStringList{"Eng", "Rus"}));
}

void WholeTextTest::copyTakesTheSelectionOrTheTwoLanguages()
{
    openWeather();
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    QApplication::clipboard()->clear();
    card->copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("weath Rus 1\nweath Eng 1"));
    card->textLabel(QStringLiteral("Ger"))->setSelection(6, 3);
    card->copy();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Ger"));
}

void WholeTextTest::enterPressesTheFocusedCopyOrSayButton()
{
    openWeather();
    m_form->speechPlayer().setDevice(QAudioDevice());
    QSignalSpy failed(&m_form->speechPlayer(), &SpeechPlayer::failed);
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    QVERIFY(QTest::qWaitForWindowExposed(card));
    auto* copy = card->findChild<QPushButton*>(QStringLiteral("PhraseCardCopyButton"));
    QVERIFY(copy && copy->isVisible());
    QApplication::clipboard()->clear();
    copy->setFocus();
    QTest::keyClick(copy, Qt::Key_Return);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("weath Rus 1\nweath Eng 1"));
    QApplication::clipboard()->clear();
    QTest::keyClick(copy, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("weath Rus 1\nweath Eng 1"));

    auto* say = card->findChild<QPushButton*>(QStringLiteral("PhraseCardSay_Eng"));
    QVERIFY(say);
    say->setFocus();
    const ModalAnswer ok(QMessageBox::Ok);
    QTest::keyClick(say, Qt::Key_Return);
    QTRY_COMPARE(failed.size(), 1);
    QVERIFY(ok.seen());
}

// The designed title stays; the card says which list its row is from.
void WholeTextTest::cardNamesTheListShown()
{
    const QString title = m_form->windowTitle();
    openWeather();
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    QCOMPARE(card->listCaption(), QStringLiteral("Weather"));
    m_form->Clock1Click();
    QCOMPARE(card->listCaption(), m_form->shownCaption());
    QVERIFY(card->listCaption() != QStringLiteral("Weather"));
    QCOMPARE(m_form->windowTitle(), title);
}

void WholeTextTest::cardOpensBesideTheMainWindowAndKeepsItsPlace()
{
    // Room on the right of the main window for the card: the offscreen screen is small, so the
    // main window stands mostly off its left edge.
    const int left = 1 - m_form->frameGeometry().width();
    m_form->move(left, 0);
    QTRY_COMPARE(m_form->frameGeometry().left(), left);
    const QRect main = m_form->frameGeometry();
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    QVERIFY(QTest::qWaitForWindowExposed(card));
    const QRect screen = m_form->screen()->availableGeometry();
    if (card->frameGeometry().width() > screen.right() - main.right())
        QSKIP("at this scale the offscreen screen has no room beside the main window");
    QCOMPARE(card->frameGeometry().left(), main.right() + 1);
    QCOMPARE(card->frameGeometry().top(), main.top());
    QVERIFY(!card->frameGeometry().intersects(main));

    const QRect moved(screen.left() + 40, screen.top() + 50, 300, 200);
    card->setGeometry(moved);
    card->close();
    m_form->PhraseCardClick();
    QVERIFY(QTest::qWaitForWindowExposed(card));
    QCOMPARE(card->geometry(), moved);
}

QTEST_MAIN(WholeTextTest)
#include "whole_text_test.moc"

void WholeTextTest::everyLanguageOfTheCardCanBeSaid()
{
    openWeather();
    m_form->speechPlayer().setDevice(QAudioDevice());
    QSignalSpy failed(&m_form->speechPlayer(), &SpeechPlayer::failed);
    m_form->PhraseCardClick();
    PhraseCard* card = m_form->phraseCard();
    for (const QString& field : card->shownFields()) {
        auto* say = card->findChild<QPushButton*>(QStringLiteral("PhraseCardSay_") + field);
        QVERIFY2(say && say->isEnabled(), qPrintable(field));
        // Without a sound device the player says so in the error box: the button reached it.
        const qsizetype before = failed.size();
        const ModalAnswer ok(QMessageBox::Ok);
        say->click();
        QTRY_COMPARE(failed.size(), before + 1);
        QVERIFY(ok.seen());
    }
    // Another row builds its rows anew, one Say button each, beside the one Copy button.
    QTest::keyClick(m_form->DBGrid1, Qt::Key_Down);
    QCOMPARE(card->findChildren<QPushButton*>().size(), card->shownFields().size() + 1);
}
