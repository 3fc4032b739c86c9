// Saying the current cell and the speller window, on the real main window over generated data
// files, with a player that has no sound device (the offscreen test machine may have none, or
// one: the tests make it none).

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_commands.h"
#include "main_window/phrase_grid.h"
#include "main_window/speech_player.h"
#include "main_window/speller_window.h"
#include "main_window_fixture.h"
#include "modal_answer.h"

#include <QAction>
#include <QApplication>
#include <QAudioDevice>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <memory>

using phrase_data::LanguageField;

Q_DECLARE_METATYPE(LanguageField)

class SpeechWindowTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void phraseMenuCommands_data();
    void phraseMenuCommands();
    void playerWithoutDeviceReportsAndReturns();
    void currentCell_data();
    void currentCell();
    void sayWithoutDeviceShowsTheError();
    void spellerSpellsInBothLanguages();

private:
};

void SpeechWindowTest::initTestCase()
{
    prepareApplication();
}

void SpeechWindowTest::init()
{
    makeForm();
    QVERIFY(exposeForm());
    m_form->speechPlayer().setDevice(QAudioDevice());
}

void SpeechWindowTest::cleanup()
{
    releaseForm();
}

void SpeechWindowTest::phraseMenuCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("Say") << "SayAction"
                         << "Say" << QKeySequence(Qt::Key_F5);
    QTest::newRow("Speller") << "SpellerAction"
                             << "Speller…" << QKeySequence(Qt::CTRL | Qt::Key_L);
}

void SpeechWindowTest::phraseMenuCommands()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    const auto* menu = m_form->findChild<QMenu*>(QStringLiteral("PhraseMenu"));
    QVERIFY(menu);
    const QAction* action = m_form->findChild<QAction*>(name);
    QVERIFY(action);
    QVERIFY(menu->actions().contains(action));
    QCOMPARE(action->text().remove(u'&'), caption);
    QCOMPARE(action->shortcut(), shortcut);
}

void SpeechWindowTest::playerWithoutDeviceReportsAndReturns()
{
    SpeechPlayer player;
    player.setDevice(QAudioDevice());
    QSignalSpy failed(&player, &SpeechPlayer::failed);
    QSignalSpy started(&player, &SpeechPlayer::started);
    player.say(LanguageField::Eng, QStringLiteral("Thanks for the call."));
    QCOMPARE(failed.size(), 1);
    QVERIFY2(failed.front().front().toString().contains(QStringLiteral("sound device")),
             qPrintable(failed.front().front().toString()));
    QVERIFY(!player.playing());
    // Nothing arrives later either: no synthesis is left running, and nothing is queued.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(failed.size(), 1);
    QCOMPARE(started.size(), 0);
}

void SpeechWindowTest::currentCell_data()
{
    QTest::addColumn<QString>("leftAction");
    QTest::addColumn<QString>("rightAction");
    QTest::addColumn<GridPlace>("place"); // of the current cell's column
    QTest::addColumn<int>("row");
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("textField");
    QTest::addColumn<QString>("rusPField");
    using enum LanguageField;
    using enum GridPlace;
    QTest::newRow("left English") << "Eng2"
                                  << "Rus3" << Left << 0 << Eng << "Eng"
                                  << "";
    QTest::newRow("right Russian, with its RusP") << "Eng2"
                                                  << "Rus3" << Right << 1 << Rus << "Rus"
                                                  << "RusP";
    QTest::newRow("RusP says the Rus cell") << "RusPhonetic2"
                                            << "Japanese1" << Left << 2 << RusP << "Rus"
                                            << "RusP";
    QTest::newRow("right Japanese") << "RusPhonetic2"
                                    << "Japanese1" << Right << 0 << Jap << "Jap"
                                    << "";
    QTest::newRow("hidden column: the left one") << "Ger1"
                                                 << "French1" << Hidden << 1 << Ger << "Ger"
                                                 << "";
}

void SpeechWindowTest::currentCell()
{
    QFETCH(QString, leftAction);
    QFETCH(QString, rightAction);
    QFETCH(GridPlace, place);
    QFETCH(int, row);
    QFETCH(LanguageField, field);
    QFETCH(QString, textField);
    QFETCH(QString, rusPField);
    m_form->findChild<QAction*>(leftAction)->trigger();
    m_form->findChild<QAction*>(rightAction)->trigger();
    PhraseGrid* grid = m_form->DBGrid1;
    grid->setCurrentIndex(grid->model()->index(row, grid->logicalAt(place)));

    const auto cell = m_form->phraseCommands().currentCell();
    QVERIFY(cell);
    QCOMPARE(cell->field, field);
    // The generated cells count rows from 1.
    QCOMPARE(cell->text, DataFolder::cell(QStringLiteral("start"), textField, row + 1));
    QCOMPARE(cell->rusP,
             rusPField.isEmpty() ? QString() : DataFolder::cell(QStringLiteral("start"), rusPField, row + 1));
}

void SpeechWindowTest::sayWithoutDeviceShowsTheError()
{
    m_form->DBGrid1->setCurrentIndex(m_form->DBGrid1->model()->index(0, 1));
    ModalAnswer ok(QMessageBox::Ok);
    QTest::keyClick(m_form.get(), Qt::Key_F5);
    QTRY_VERIFY(ok.seen());
    QVERIFY2(ok.text().contains(QStringLiteral("sound device")), qPrintable(ok.text()));
    QVERIFY(!m_form->speechPlayer().playing());
}

void SpeechWindowTest::spellerSpellsInBothLanguages()
{
    DataFolder::write(QStringLiteral("phonet"), {"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"},
                      {{"Q — Щука", "Q — Shchúka", "Q — Quebec", "Q — Quelle", "Q — Quebec", "Q — Quarto",
                        "Q — Querétaro", "Q — Quebec", "Q — ケベック (kebekku)"},
                       {"7 — Семь", "7 — Sem'", "7 — Seven", "7 — Sieben", "7 — Sept", "7 — Sette", "7 — Siete",
                        "7 — Sete", "7 — セブン (sebun)"}});
    m_form->findChild<QAction*>(QStringLiteral("Ger1"))->trigger();
    QTest::keyClick(m_form.get(), Qt::Key_L, Qt::ControlModifier);
    SpellerWindow* speller = m_form->spellerWindow();
    QVERIFY(speller);
    QVERIFY(speller->isVisible());
    QVERIFY(!speller->isModal());

    // One character to a line, with its word.
    QTest::keyClicks(speller->input(), QStringLiteral("q7/K"));
    QCOMPARE(speller->spelling(GridPlace::Left), QStringLiteral("Q — Quelle\n7 — Sieben\n/ — Bruchstrich\nK — [K]"));
    QCOMPARE(speller->spelling(GridPlace::Right), QStringLiteral("Q — Quebec\n7 — Seven\n/ — stroke\nK — [K]"));

    // The languages follow the grid's while the speller stays open; Japanese words keep their
    // reading.
    m_form->findChild<QAction*>(QStringLiteral("Rus3"))->trigger();
    QCOMPARE(speller->spelling(GridPlace::Right), QStringLiteral("Q — Щука\n7 — Семь\n/ — дробь\nK — [K]"));
    m_form->Japanese1Click();
    QCOMPARE(speller->spelling(GridPlace::Right),
             QStringLiteral("Q — ケベック (kebekku)\n7 — セブン (sebun)\n/ — スラッシュ (surasshu)\nK — [K]"));
    QTest::keyClick(m_form.get(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(speller->spelling(GridPlace::Left), QStringLiteral("Q — Quelle\n7 — Sieben\n/ — Bruchstrich\nK — [K]"));

    ModalAnswer ok(QMessageBox::Ok);
    QTest::mouseClick(speller->sayButton(GridPlace::Right), Qt::LeftButton);
    QTRY_VERIFY(ok.seen());
    QVERIFY2(ok.text().contains(QStringLiteral("sound device")), qPrintable(ok.text()));
}

QTEST_MAIN(SpeechWindowTest)
#include "speech_window_test.moc"
