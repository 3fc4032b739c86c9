// The contact's values in the phrases the window shows: "My station…" and the contact panel fill
// the named blanks of a "Name, QTH" file written here, in the grid, its tooltip's text, the
// phrase card, Find, what Say says, the speller and the PDF; unset blanks show "...".

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/contact_blanks.h"
#include "main_window/contact_panel.h"
#include "main_window/file_dialog.h"
#include "main_window/find_window.h"
#include "main_window/phrase_card.h"
#include "main_window/phrase_commands.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window/speller_window.h"
#include "main_window/station_dialog.h"
#include "main_window_fixture.h"
#include "pdf_text.h"
#include "phrase_data/phrase_catalogue.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

using phrase_data::LanguageField;
using phrase_data::PhraseCatalogue;

namespace {

constexpr int NameTopic = 4; // "Name, QTH"
const QString NameFile = QStringLiteral("name");

// The name row in every language, as the phrase sources write it.
const std::vector<std::string> NameRow{"Меня зовут {my_name}",
                                       "Menya zovut {my_name}",
                                       "My name is {my_name}",
                                       "Mein Name ist {my_name}",
                                       "Je m'appelle {my_name}",
                                       "Mi chiamo {my_name}",
                                       "Me llamo {my_name}",
                                       "Meu nome é {my_name}",
                                       "私の名前は{my_name}です (watashi no namae wa {my_name} desu)"};

// After the name row, one row for each blank of the contact: every cell "<field> {slot}".
const QStringList ContactSlots{QStringLiteral("their_call"),  QStringLiteral("their_name"),
                               QStringLiteral("their_qth"),   QStringLiteral("rst_sent"),
                               QStringLiteral("rst_rcvd"),    QStringLiteral("their_locator"),
                               QStringLiteral("band"),        QStringLiteral("frequency"),
                               QStringLiteral("distance_km"), QStringLiteral("my_call")};

int slotRow(const QString& slot)
{
    return int(ContactSlots.indexOf(slot)) + 1;
}

QString fieldName(LanguageField field)
{
    return QString::fromLatin1(PhraseCatalogue::fieldName(field));
}

void writeNameFile()
{
    std::vector<std::string> fields;
    for (const auto& language : PhraseCatalogue::languages())
        fields.emplace_back(PhraseCatalogue::fieldName(language.field));
    std::vector<std::vector<std::string>> rows{NameRow};
    for (const QString& slot : ContactSlots) {
        std::vector<std::string> row;
        row.reserve(fields.size());
        for (const std::string& field : fields)
            row.push_back(QStringLiteral("%1 {%2}").arg(QString::fromStdString(field), slot).toStdString());
        rows.push_back(row);
    }
    DataFolder::write(NameFile, fields, rows);
}

struct Profile {
    QString call;
    QString name;
    QString nameCyrillic;
    QString nameKatakana;
    QString locator;
};

} // namespace

class FilledBlanksTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void nameRowShowsTheProfileWhereverThePhraseReachesTheUser_data();
    void nameRowShowsTheProfileWhereverThePhraseReachesTheUser();
    void contactPanelFillsItsBlanksAndNewContactClearsThem_data();
    void contactPanelFillsItsBlanksAndNewContactClearsThem();
    void calledStationInItsLanguageInTheGridTheCardAndThePdf();
    void spellerSpellsTheValueOfABlank();
    void refusedProfileFillsNothing();

private:
    void enterProfile(const Profile& profile);
    void openNameTopic();
    [[nodiscard]] QString gridText(int row, GridPlace place) const;
    [[nodiscard]] ContactPanel* openContactPanel();
    [[nodiscard]] PhraseCard* openCard(int row);

    std::unique_ptr<QTemporaryDir> m_config;
};

void FilledBlanksTest::initTestCase()
{
    prepareApplication();
}

void FilledBlanksTest::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit());
    qputenv("TARVOLYN_COUNTRY_FILE", STATION_TEST_DATA "/sample-cty.dat");
    makeForm();
    writeNameFile();
    QVERIFY(exposeForm());
    openNameTopic();
}

void FilledBlanksTest::cleanup()
{
    releaseForm();
    m_config.reset();
}

void FilledBlanksTest::enterProfile(const Profile& profile)
{
    StationDialog::setNextAnswer([&](StationDialog& dialog) {
        dialog.input(StationDialog::Field::Call)->setText(profile.call);
        dialog.input(StationDialog::Field::Name)->setText(profile.name);
        dialog.input(StationDialog::Field::NameCyrillic)->setText(profile.nameCyrillic);
        dialog.input(StationDialog::Field::NameKatakana)->setText(profile.nameKatakana);
        dialog.input(StationDialog::Field::Locator)->setText(profile.locator);
        dialog.accept();
        return dialog.result();
    });
    m_form->findChild<QAction*>(QStringLiteral("MyStationAction"))->trigger();
}

void FilledBlanksTest::openNameTopic()
{
    m_form->RadioGroup1->setItemIndex(NameTopic);
    m_form->RadioGroup1Click();
}

QString FilledBlanksTest::gridText(int row, GridPlace place) const
{
    const PhraseGrid& grid = *m_form->DBGrid1;
    return grid.model()->index(row, grid.logicalAt(place)).data().toString();
}

ContactPanel* FilledBlanksTest::openContactPanel()
{
    m_form->findChild<QAction*>(QStringLiteral("ContactPanelAction"))->trigger();
    return m_form->contactPanel();
}

PhraseCard* FilledBlanksTest::openCard(int row)
{
    m_form->DBGrid1->showRow(row);
    m_form->PhraseCardClick();
    return m_form->phraseCard();
}

void FilledBlanksTest::nameRowShowsTheProfileWhereverThePhraseReachesTheUser_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cyrillic");
    QTest::addColumn<LanguageField>("field");
    QTest::addColumn<QString>("shown");

    using enum LanguageField;
    // clang-format off
    QTest::newRow("Rus: the Cyrillic form") << "Hans" << "Ганс" << Rus << "Меня зовут Ганс";
    QTest::newRow("Rus without it: the Latin") << "Hans" << "" << Rus << "Меня зовут Hans";
    QTest::newRow("RusP: the Latin") << "Hans" << "Ганс" << RusP << "Menya zovut Hans";
    QTest::newRow("Eng") << "Hans" << "Ганс" << Eng << "My name is Hans";
    QTest::newRow("Ger") << "Hans" << "Ганс" << Ger << "Mein Name ist Hans";
    QTest::newRow("Fren") << "Hans" << "Ганс" << Fren << "Je m'appelle Hans";
    QTest::newRow("Ital") << "Hans" << "Ганс" << Ital << "Mi chiamo Hans";
    QTest::newRow("Span") << "Hans" << "Ганс" << Span << "Me llamo Hans";
    QTest::newRow("Port") << "Hans" << "Ганс" << Port << "Meu nome é Hans";
    QTest::newRow("Jap: katakana, then the romaji's Latin") << "Hans" << "Ганс" << Jap << "私の名前はハンスです (watashi no namae wa Hans desu)";
    QTest::newRow("no name: unset") << "" << "" << Eng << "My name is ...";
    QTest::newRow("no name, Jap: unset in both parts") << "" << "" << Jap << "私の名前は...です (watashi no namae wa ... desu)";
    // clang-format on
}

void FilledBlanksTest::nameRowShowsTheProfileWhereverThePhraseReachesTheUser()
{
    QFETCH(QString, name);
    QFETCH(QString, cyrillic);
    QFETCH(LanguageField, field);
    QFETCH(QString, shown);
    // The card and Find are open before the profile is entered: they follow the change.
    PhraseCard* card = openCard(0);
    m_form->FindClick();
    FindWindow* find = m_form->findWindow();
    find->queryEdit()->setText(QStringLiteral("zovut"));
    m_form->DBGrid1->bindColumn(GridPlace::Right, fieldName(field));
    enterProfile({QStringLiteral("DL1ABC"), name, cyrillic, QStringLiteral("ハンス"), QStringLiteral("JO62qm")});

    QCOMPARE(gridText(0, GridPlace::Right), shown);
    QCOMPARE(card->textLabel(fieldName(field))->text(), shown);
    QTreeWidget* results = find->resultList();
    QCOMPARE(find->resultCount(), 1);
    QCOMPARE(results->topLevelItem(0)->text(2), shown);

    m_form->DBGrid1->setCurrentIndex(m_form->DBGrid1->model()->index(0, m_form->DBGrid1->logicalAt(GridPlace::Right)));
    const auto spoken = m_form->phraseCommands().currentCell();
    QVERIFY(spoken);
    QCOMPARE(spoken->field, field);
    // Rus and RusP both say the Russian, stressed as the filled RusP marks it.
    if (field == LanguageField::Rus || field == LanguageField::RusP) {
        QCOMPARE(spoken->text, gridText(0, GridPlace::Left));
        QCOMPARE(spoken->rusP, m_form->contactBlanks().fill(QString::fromStdString(NameRow[1]), LanguageField::RusP));
    } else {
        QCOMPARE(spoken->text, shown);
    }
}

void FilledBlanksTest::contactPanelFillsItsBlanksAndNewContactClearsThem_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("keptForTheNextContact");

    // One line each: the table reads as the panel's inputs.
    // clang-format off
    QTest::newRow("call, in capitals") << "ContactCall" << "their_call" << "ja1abc" << "JA1ABC" << false;
    QTest::newRow("name") << "ContactName" << "their_name" << "Taro" << "Taro" << false;
    QTest::newRow("QTH") << "ContactQth" << "their_qth" << "Tokyo" << "Tokyo" << false;
    QTest::newRow("report sent") << "ContactRstSent" << "rst_sent" << "59" << "59" << false;
    QTest::newRow("report received") << "ContactRstReceived" << "rst_rcvd" << " 57 " << "57" << false;
    QTest::newRow("locator") << "ContactLocator" << "their_locator" << "PM95vr" << "PM95vr" << false;
    QTest::newRow("band: the operator stays on it") << "ContactBand" << "band" << "20" << "20" << true;
    QTest::newRow("band typed with its metres") << "ContactBand" << "band" << "40 M" << "40" << true;
    QTest::newRow("frequency: the operator stays on it") << "ContactFrequency" << "frequency" << "14.195" << "14.195" << true;
    // clang-format on
}

void FilledBlanksTest::contactPanelFillsItsBlanksAndNewContactClearsThem()
{
    QFETCH(QString, input);
    QFETCH(QString, slot);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, keptForTheNextContact);
    const int row = slotRow(slot);
    PhraseCard* card = openCard(row);
    QCOMPARE(gridText(row, GridPlace::Right), QStringLiteral("Eng ..."));

    ContactPanel* panel = openContactPanel();
    auto* edit = panel->findChild<QLineEdit*>(input);
    QVERIFY(edit != nullptr);
    QVERIFY(!edit->accessibleName().isEmpty());
    QTest::keyClicks(edit, typed);
    QCOMPARE(gridText(row, GridPlace::Left), QStringLiteral("Rus ") + shown);
    QCOMPARE(gridText(row, GridPlace::Right), QStringLiteral("Eng ") + shown);
    QCOMPARE(card->textLabel(QStringLiteral("Jap"))->text(), QStringLiteral("Jap ") + shown);
    // Only its own blank: the operator's stay unset.
    QCOMPARE(gridText(slotRow(QStringLiteral("my_call")), GridPlace::Right), QStringLiteral("Eng ..."));

    QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("NewContact")), Qt::LeftButton);
    const QString after = keptForTheNextContact ? shown : QStringLiteral("...");
    QCOMPARE(gridText(row, GridPlace::Right), QStringLiteral("Eng ") + after);
    QCOMPARE(card->textLabel(QStringLiteral("Eng"))->text(), QStringLiteral("Eng ") + after);
}

void FilledBlanksTest::calledStationInItsLanguageInTheGridTheCardAndThePdf()
{
    enterProfile(
        {QStringLiteral("DL1ABC"), QStringLiteral("Hans"), QStringLiteral("Ганс"), QStringLiteral("ハンス"), {}});
    ContactPanel* panel = openContactPanel();
    QTest::keyClicks(panel->callInput(), QStringLiteral("ja1abc"));
    QCOMPARE(panel->fact(ContactPanel::Fact::Country), QStringLiteral("Japan"));
    // No locator of the operator's yet: no path, and the distance stays unset.
    QVERIFY(panel->fact(ContactPanel::Fact::Distance).isEmpty());
    QCOMPARE(gridText(slotRow(QStringLiteral("distance_km")), GridPlace::Right), QStringLiteral("Eng ..."));
    QTest::mouseClick(panel->useLanguageButton(), Qt::LeftButton);
    QCOMPARE(m_form->DBGrid1->columnFieldName(GridPlace::Right).toLower(), QStringLiteral("jap"));

    const QString japanese = QStringLiteral("私の名前はハンスです (watashi no namae wa Hans desu)");
    QCOMPARE(gridText(0, GridPlace::Left), QStringLiteral("Меня зовут Ганс"));
    QCOMPARE(gridText(0, GridPlace::Right), japanese);
    QCOMPARE(gridText(slotRow(QStringLiteral("my_call")), GridPlace::Right), QStringLiteral("Jap DL1ABC"));
    PhraseCard* card = openCard(0);
    QCOMPARE(card->textLabel(QStringLiteral("Jap"))->text(), japanese);
    QApplication::clipboard()->clear();
    QTest::mouseClick(card->findChild<QPushButton*>(QStringLiteral("PhraseCardCopyButton")), Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Меня зовут Ганс\n") + japanese);

    // With the operator's locator the path, and the distance in the phrases, in whole km.
    enterProfile({QStringLiteral("DL1ABC"), QStringLiteral("Hans"), QStringLiteral("Ганс"), QStringLiteral("ハンス"),
                  QStringLiteral("JO62qm")});
    const QString distance = panel->fact(ContactPanel::Fact::Distance);
    QVERIFY2(distance.endsWith(QStringLiteral(" km")), qPrintable(distance));
    QCOMPARE(gridText(slotRow(QStringLiteral("distance_km")), GridPlace::Right),
             QStringLiteral("Jap ") + distance.chopped(3));
    // Their own locator is nearer the truth than the country's centre: heading and distance take it.
    auto* locator = panel->findChild<QLineEdit*>(QStringLiteral("ContactLocator"));
    QTest::keyClicks(locator, QStringLiteral("QM05"));
    QVERIFY(panel->fact(ContactPanel::Fact::Distance) != distance);

    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("name.pdf"));
    FileDialog::setNextFileName(pdf);
    m_form->findChild<QAction*>(QStringLiteral("ExportPdfAction"))->trigger();
    const QString text = PdfText::read(pdf);
    QVERIFY2(text.contains(QStringLiteral("Меня зовут Ганс")), qPrintable(text));
    // The Japanese wraps in its column: its katakana and its romaji's Latin form, each whole.
    QVERIFY2(text.contains(QStringLiteral("私の名前はハンスです")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Hans desu")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Rus JA1ABC")), qPrintable(text));
    QVERIFY2(!text.contains(u'{'), qPrintable(text));
}

void FilledBlanksTest::spellerSpellsTheValueOfABlank()
{
    m_form->SpellerClick();
    SpellerWindow* speller = m_form->spellerWindow();
    QTest::keyClicks(speller->input(), QStringLiteral("{my_call}"));
    enterProfile({QStringLiteral("QZ7KV"), {}, {}, {}, {}});
    const QStringList lines = speller->spelling(GridPlace::Right).split(u'\n');
    QCOMPARE(lines.size(), 5);
    QVERIFY2(lines.front().startsWith(QStringLiteral("Q — ")), qPrintable(lines.front()));
    QVERIFY2(lines.back().startsWith(QStringLiteral("V — ")), qPrintable(lines.back()));
}

void FilledBlanksTest::refusedProfileFillsNothing()
{
    QSignalSpy changed(&m_form->contactBlanks(), &ContactBlanks::changed);
    enterProfile({QStringLiteral("DL-1"), QStringLiteral("Hans"), {}, {}, {}});
    QCOMPARE(changed.count(), 0);
    QCOMPARE(gridText(0, GridPlace::Right), QStringLiteral("My name is ..."));
}

QTEST_MAIN(FilledBlanksTest)
#include "filled_blanks_test.moc"
