// The catalogue against the designed rows, once; then what its lookups promise.

#include "design.h"
#include "phrase_data/phrase_catalogue.h"

#include <QSet>
#include <QTest>
#include <limits>

using namespace phrase_data;

namespace {

QString field(LanguageField language)
{
    return QString::fromLatin1(PhraseCatalogue::fieldName(language));
}

} // namespace

class PhraseCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void topicsAsDesigned();
    void referencesAsDesigned();
    void languagesAsDesigned();
    void indexOutsideTheListGivesNoFile_data();
    void indexOutsideTheListGivesNoFile();
    void everyEntryHasItsOwnFile();
};

void PhraseCatalogueTest::topicsAsDesigned()
{
    const auto topics = PhraseCatalogue::topics();
    QCOMPARE(topics.size(), design::Topics.size());
    for (int index = 0; index < int(topics.size()); ++index) {
        const design::TopicRow& row = design::Topics[std::size_t(index)];
        QCOMPARE(topics[std::size_t(index)].caption, row.caption);
        // Looked up by index, as the topic list asks.
        QCOMPARE(PhraseCatalogue::topicFile(index), std::optional<QByteArray>(row.file));
    }
}

void PhraseCatalogueTest::referencesAsDesigned()
{
    const auto references = PhraseCatalogue::references();
    QCOMPARE(references.size(), design::References.size());
    for (std::size_t i = 0; i < references.size(); ++i) {
        const ReferenceEntry& entry = references[i];
        const design::ReferenceRow& row = design::References[i];
        QCOMPARE(entry.menu, row.menu);
        QCOMPARE(entry.caption, row.caption);
        QCOMPARE(entry.dataFile, row.file);
        QCOMPARE(field(entry.leftField), QString::fromLatin1(row.left));
        QCOMPARE(field(entry.rightField), QString::fromLatin1(row.right));
        QCOMPARE(entry.widthRule == WidthRule::FifthSplit, row.fifthSplit);
    }
}

void PhraseCatalogueTest::languagesAsDesigned()
{
    const auto languages = PhraseCatalogue::languages();
    QCOMPARE(languages.size(), design::Languages.size());
    for (std::size_t i = 0; i < languages.size(); ++i) {
        QCOMPARE(languages[i].caption, design::Languages[i].caption);
        QCOMPARE(field(languages[i].field), QString::fromLatin1(design::Languages[i].field));
    }
}

void PhraseCatalogueTest::indexOutsideTheListGivesNoFile_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("nothing marked") << -1;
    QTest::newRow("one past the end") << int(design::Topics.size());
    QTest::newRow("far negative") << std::numeric_limits<int>::min();
    QTest::newRow("far positive") << std::numeric_limits<int>::max();
}

void PhraseCatalogueTest::indexOutsideTheListGivesNoFile()
{
    QFETCH(int, index);
    QCOMPARE(PhraseCatalogue::topicFile(index), std::nullopt);
}

void PhraseCatalogueTest::everyEntryHasItsOwnFile()
{
    QSet<QByteArray> files;
    for (const TopicEntry& topic : PhraseCatalogue::topics())
        files.insert(topic.dataFile);
    for (const ReferenceEntry& entry : PhraseCatalogue::references())
        files.insert(entry.dataFile);
    QCOMPARE(files.size(), 24);
    // Picking "Start" reloads the file the main window opened first.
    QCOMPARE(PhraseCatalogue::topicFile(1), std::optional<QByteArray>(PhraseCatalogue::StartFile));
}

QTEST_GUILESS_MAIN(PhraseCatalogueTest)
#include "phrase_catalogue_test.moc"
