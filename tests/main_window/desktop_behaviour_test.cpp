// What a person at a desktop meets besides the layout and the loads: Enter on the text buttons,
// where Tab stops, the order of the exit box's buttons and the check marks of the language
// menus.

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window_fixture.h"
#include "modal_answer.h"
#include "phrase_data/phrase_catalogue.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

using phrase_data::PhraseCatalogue;

namespace {

enum class Command { Activation, Topic, Reference, Left, Right };

QString field(std::size_t language)
{
    return QString::fromLatin1(PhraseCatalogue::fieldName(PhraseCatalogue::languages()[language].field));
}

// The fields of the checked items of a language menu, which lists the languages in the
// catalogue's order.
QStringList markedFields(const QMenu* menu)
{
    QStringList marked;
    const QList<QAction*> items = menu->actions();
    for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i]->isChecked()) marked << field(std::size_t(i));
    return marked;
}

QAction* menuCommand(const QMenuBar* bar, const QString& caption)
{
    for (const QAction* top : bar->actions())
        for (QAction* action : top->menu()->actions())
            if (action->text().remove(u'&') == caption) return action;
    return nullptr;
}

} // namespace

class DesktopBehaviourTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void enterActsOnTheFocusedButton_data();
    void enterActsOnTheFocusedButton();
    void tabStopsOnEveryControlInOrder_data();
    void tabStopsOnEveryControlInOrder();
    void exitBoxPutsOkLeftOfCancel();
    void languageMenusMarkTheBoundFields_data();
    void languageMenusMarkTheBoundFields();
    void marksFollowTheNameTheTableWrites();

private:
    void clickTopic(int index);
};

void DesktopBehaviourTest::initTestCase()
{
    prepareApplication();
}

void DesktopBehaviourTest::init()
{
    makeForm();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void DesktopBehaviourTest::cleanup()
{
    releaseForm();
}

void DesktopBehaviourTest::clickTopic(int index)
{
    QRadioButton* item = m_form->RadioGroup1->button(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
}

void DesktopBehaviourTest::enterActsOnTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("heightChange");
    QTest::addColumn<bool>("boldChange");
    const struct {
        const char* name;
        int heightChange;
        bool boldChange;
    } buttons[] = {{"Button7", -1, false}, {"Button6", 1, false}, {"Button1", 0, true}};
    const struct {
        const char* name;
        Qt::Key key;
        bool keypad;
    } keys[] = {
        {"Return", Qt::Key_Return, false}, {"keypad Enter", Qt::Key_Enter, true}, {"Space", Qt::Key_Space, false}};
    for (const auto& button : buttons)
        for (const auto& key : keys)
            QTest::addRow("%s, %s", button.name, key.name)
                << button.name << int(key.key) << key.keypad << button.heightChange << button.boldChange;
}

void DesktopBehaviourTest::enterActsOnTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(bool, keypad);
    QFETCH(int, heightChange);
    QFETCH(bool, boldChange);
    auto* pressed = m_form->findChild<QPushButton*>(button);
    pressed->setFocus(Qt::TabFocusReason);
    const int height = m_form->DBGrid1->cellFontHeight();
    const bool bold = m_form->DBGrid1->cellFontBold();
    QTest::keyClick(pressed, Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(m_form->DBGrid1->cellFontHeight(), height + heightChange);
    QCOMPARE(m_form->DBGrid1->cellFontBold(), bold != boldChange);
}

void DesktopBehaviourTest::tabStopsOnEveryControlInOrder_data()
{
    QTest::addColumn<int>("topic");
    QTest::newRow("no topic marked") << -1;
    QTest::newRow("first topic marked") << 0;
    QTest::newRow("weather marked") << 7;
}

void DesktopBehaviourTest::tabStopsOnEveryControlInOrder()
{
    QFETCH(int, topic);
    QList<QWidget*> order{m_form->Button7, m_form->Button6, m_form->Button1, m_form->DBGrid1};
    if (topic >= 0) {
        clickTopic(topic);
        order.prepend(m_form->RadioGroup1->button(topic));
    }
    QCOMPARE(QApplication::focusWidget(), order.first());
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[i]);
    }
    // The grid keeps Tab for moving between its cells; back from the last button.
    order.removeLast();
    order.last()->setFocus(Qt::TabFocusReason);
    for (qsizetype i = order.size() - 2; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), order[i]);
    }
    // Before the text buttons stands the topic list, on its first item while none is marked.
    if (topic < 0) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), m_form->RadioGroup1->button(0));
    }
}

void DesktopBehaviourTest::exitBoxPutsOkLeftOfCancel()
{
    // Also run under GNOME, whose own order puts "Cancel" first.
    ModalAnswer answer(QMessageBox::Cancel);
    m_form->Exit1Click();
    QVERIFY(answer.seen());
    QCOMPARE(answer.title(), QStringLiteral("Confirm"));
    const QList<QMessageBox::StandardButton> leftToRight{QMessageBox::Ok, QMessageBox::Cancel};
    QCOMPARE(answer.buttonOrder(), leftToRight);
    QVERIFY(m_form->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
}

void DesktopBehaviourTest::languageMenusMarkTheBoundFields_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("argument");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    // Before each command the columns show Portuguese and Spanish, so every command changes both
    // marks or keeps one of them visibly.
    const QString portuguese = field(7);
    const QString spanish = field(6);
    QTest::newRow("activation") << int(Command::Activation) << 0 << QStringLiteral("Rus") << QStringLiteral("Eng");
    QTest::newRow("topic") << int(Command::Topic) << 7 << QStringLiteral("Rus") << QStringLiteral("Eng");
    const auto references = PhraseCatalogue::references();
    for (std::size_t i = 0; i < references.size(); ++i)
        QTest::newRow(references[i].caption)
            << int(Command::Reference) << int(i)
            << QString::fromLatin1(PhraseCatalogue::fieldName(references[i].leftField))
            << QString::fromLatin1(PhraseCatalogue::fieldName(references[i].rightField));
    // Picking the language already marked keeps its mark.
    for (std::size_t i = 0; i < PhraseCatalogue::languages().size(); ++i) {
        QTest::addRow("Left %s", PhraseCatalogue::languages()[i].caption)
            << int(Command::Left) << int(i) << field(i) << spanish;
        QTest::addRow("Right %s", PhraseCatalogue::languages()[i].caption)
            << int(Command::Right) << int(i) << portuguese << field(i);
    }
}

void DesktopBehaviourTest::languageMenusMarkTheBoundFields()
{
    QFETCH(int, command);
    QFETCH(int, argument);
    QFETCH(QString, left);
    QFETCH(QString, right);
    m_form->Left1->actions()[7]->trigger();
    m_form->Right1->actions()[6]->trigger();
    QCOMPARE(markedFields(m_form->Left1), QStringList{field(7)});
    QCOMPARE(markedFields(m_form->Right1), QStringList{field(6)});

    switch (Command(command)) {
    case Command::Activation:
        m_form->FormActivate();
        break;
    case Command::Topic:
        clickTopic(argument);
        break;
    case Command::Reference: {
        const char* caption = PhraseCatalogue::references()[std::size_t(argument)].caption;
        QAction* reference = menuCommand(m_form->menuBar(), QString::fromLatin1(caption));
        QVERIFY2(reference, caption);
        reference->trigger();
        break;
    }
    case Command::Left:
        m_form->Left1->actions()[argument]->trigger();
        break;
    case Command::Right:
        m_form->Right1->actions()[argument]->trigger();
        break;
    }
    QCOMPARE(markedFields(m_form->Left1), QStringList{left});
    QCOMPARE(markedFields(m_form->Right1), QStringList{right});
    // The titles keep the field names.
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), left);
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Right), right);
}

void DesktopBehaviourTest::marksFollowTheNameTheTableWrites()
{
    // A table that writes its field names in other cases still binds them, and the marks follow.
    DataFolder::write("weath", {"RUS", "eng"}, {{"погода", "weather"}});
    m_form->Left1->actions()[3]->trigger();
    clickTopic(7);
    QCOMPARE(m_form->DBGrid1->columnTitle(GridPlace::Left), QStringLiteral("RUS"));
    QCOMPARE(markedFields(m_form->Left1), QStringList{QStringLiteral("Rus")});
    QCOMPARE(markedFields(m_form->Right1), QStringList{QStringLiteral("Eng")});
}

QTEST_MAIN(DesktopBehaviourTest)
#include "desktop_behaviour_test.moc"
