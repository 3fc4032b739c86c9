#include "phrase_data/phrase_catalogue.h"

#include <QSet>
#include <QTest>
#include <limits>

using namespace phrase_data;

class PhraseCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void topicFiles_data();
    void topicFiles();
    void indexOutsideTheListGivesNoFile_data();
    void indexOutsideTheListGivesNoFile();
    void references_data();
    void references();
    void languages();
    void everyEntryHasItsOwnFile();
};

void PhraseCatalogueTest::topicFiles_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("callsign is the spelling table") << 0 << "Callsign" << QByteArray("dsb\\phonet.dsb");
    QTest::newRow("start") << 1 << "Start" << QByteArray("dsb\\start.dsb");
    QTest::newRow("thanks") << 2 << "Thanks for Call" << QByteArray("dsb\\call.dsb");
    QTest::newRow("report") << 3 << "Report" << QByteArray("dsb\\report.dsb");
    QTest::newRow("name") << 4 << "Name, QTH" << QByteArray("dsb\\name.dsb");
    QTest::newRow("equipment") << 5 << "Equipment" << QByteArray("dsb\\equip.dsb");
    QTest::newRow("antenna") << 6 << "Antenna" << QByteArray("dsb\\ant.dsb");
    QTest::newRow("weather") << 7 << "Weather" << QByteArray("dsb\\weath.dsb");
    QTest::newRow("regulations") << 8 << "Regulations" << QByteArray("dsb\\regul.dsb");
    QTest::newRow("operating") << 9 << "Operating" << QByteArray("dsb\\operating.dsb");
    QTest::newRow("signal quality is rst") << 10 << "Signal Quality" << QByteArray("dsb\\rst.dsb");
    QTest::newRow("conditions") << 11 << "Conditions" << QByteArray("dsb\\condit.dsb");
    QTest::newRow("contests") << 12 << "Contests, Awards" << QByteArray("dsb\\contest.dsb");
    QTest::newRow("personal") << 13 << "Personal" << QByteArray("dsb\\person.dsb");
    QTest::newRow("qsl") << 14 << "QSL" << QByteArray("dsb\\qsl.dsb");
    QTest::newRow("address") << 15 << "Address" << QByteArray("dsb\\address.dsb");
    QTest::newRow("ending") << 16 << "Ending" << QByteArray("dsb\\end.dsb");
}

void PhraseCatalogueTest::topicFiles()
{
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(QByteArray, file);
    const TopicEntry& topic = PhraseCatalogue::topics()[std::size_t(index)];
    QCOMPARE(topic.index, index);
    QCOMPARE(QString::fromLatin1(topic.caption), caption);
    QCOMPARE(PhraseCatalogue::topicFile(index), std::optional<QByteArray>(file));
}

void PhraseCatalogueTest::indexOutsideTheListGivesNoFile_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("nothing marked") << -1;
    QTest::newRow("one past the end") << 17;
    QTest::newRow("far negative") << std::numeric_limits<int>::min();
    QTest::newRow("far positive") << std::numeric_limits<int>::max();
}

void PhraseCatalogueTest::indexOutsideTheListGivesNoFile()
{
    QFETCH(int, index);
    QCOMPARE(PhraseCatalogue::topicFile(index), std::nullopt);
}

void PhraseCatalogueTest::references_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("fifthSplit");
    const auto add = [](ReferenceCommand command, const char* menu, const char* caption, const char* file,
                        const char* left, const char* right, bool fifth) {
        QTest::newRow(caption) << int(command) << menu << caption << file << left << right << fifth;
    };
    add(ReferenceCommand::Clock, "Reference-eng", "Clock", "dsb\\clock.dsb", "Eng", "Rus", false);
    add(ReferenceCommand::Days, "Reference-eng", "Days", "dsb\\days.dsb", "Eng", "Rus", false);
    add(ReferenceCommand::ModalVerbs, "Reference-eng", "Modal Verbs", "dsb\\engmodal.dsb", "Eng", "Rus", false);
    add(ReferenceCommand::ProverbsRusEng, "Dictionaries", "Proverbs Rus-Eng", "dsb\\eng.dsb", "Eng", "Rus", false);
    add(ReferenceCommand::SlangEngRus, "Dictionaries", "Slang Eng-Rus", "dsb\\engsl.dsb", "Eng", "Rus", true);
    add(ReferenceCommand::ProverbsRusGer, "Dictionaries", "Proverbs Rus-Ger", "dsb\\ger.dsb", "Ger", "Rus", false);
    add(ReferenceCommand::SlangGerRus, "Dictionaries", "Slang Ger-Rus", "dsb\\gersl.dsb", "Ger", "Rus", false);
}

void PhraseCatalogueTest::references()
{
    QFETCH(int, command);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, file);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(bool, fifthSplit);
    const ReferenceEntry& entry = PhraseCatalogue::reference(ReferenceCommand(command));
    QCOMPARE(QString::fromLatin1(entry.menu), menu);
    QCOMPARE(QString::fromLatin1(entry.caption), caption);
    QCOMPARE(QString::fromLatin1(entry.dataFile), file);
    QCOMPARE(QString::fromLatin1(PhraseCatalogue::fieldName(entry.leftField)), left);
    QCOMPARE(QString::fromLatin1(PhraseCatalogue::fieldName(entry.rightField)), right);
    QCOMPARE(entry.widthRule == WidthRule::FifthSplit, fifthSplit);
    // The menus list the commands in table order.
    QCOMPARE(&PhraseCatalogue::references()[std::size_t(command)], &entry);
}

void PhraseCatalogueTest::languages()
{
    const QStringList captions{"Russian", "Rus (Phonetic)", "English",    "German",  "French",
                               "Italian", "Spanish",        "Portuguese", "Japanese"};
    const QStringList fields{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
    const auto languages = PhraseCatalogue::languages();
    QCOMPARE(languages.size(), std::size_t(captions.size()));
    for (std::size_t i = 0; i < languages.size(); ++i) {
        QCOMPARE(QString::fromLatin1(languages[i].caption), captions[qsizetype(i)]);
        QCOMPARE(QString::fromLatin1(PhraseCatalogue::fieldName(languages[i].field)), fields[qsizetype(i)]);
    }
}

void PhraseCatalogueTest::everyEntryHasItsOwnFile()
{
    QSet<QByteArray> files;
    for (const TopicEntry& topic : PhraseCatalogue::topics())
        files.insert(topic.dataFile);
    for (const ReferenceEntry& entry : PhraseCatalogue::references())
        files.insert(entry.dataFile);
    QCOMPARE(files.size(), 24);
    QVERIFY(files.contains(PhraseCatalogue::StartFile));
    QCOMPARE(PhraseCatalogue::topicFile(1), std::optional<QByteArray>(PhraseCatalogue::StartFile));
}

QTEST_GUILESS_MAIN(PhraseCatalogueTest)
#include "phrase_catalogue_test.moc"
