#include "jet4/reader.h"
#include "jet4/writer.h"
#include "phrase_data/phrase_index.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using namespace phrase_data;

namespace {

using Rows = std::vector<std::vector<std::string>>;

void writeDataFile(const QString& name, const std::vector<std::string>& fields, const Rows& rows)
{
    jet4::DatabaseWriter writer(fields);
    for (const auto& row : rows)
        writer.addRow(row);
    QDir().mkpath(QStringLiteral("dsb"));
    writer.writeFile(std::filesystem::path("dsb") / (name.toStdString() + ".dsb"));
}

PhraseSource source(const QString& name)
{
    return {name, QStringLiteral("dsb\\%1.dsb").arg(name)};
}

// "row field kind" for each hit, e.g. "2 Eng exact".
QStringList described(const PhraseIndex& index, const SearchResult& result)
{
    static const char* const kinds[] = {"exact", "prefix", "fuzzy", "partial"};
    QStringList lines;
    for (const PhraseHit& hit : result.hits)
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(index.sources()[std::size_t(hit.source)].caption)
                     .arg(hit.row)
                     .arg(index.fieldNames(hit.source)[hit.field], QString::fromLatin1(kinds[int(hit.kind)]));
    return lines;
}

// What a search of the file t finds, described, by word lists and by a scan alike.
void expectFoundInBothModes(const QString& query, const QStringList& found)
{
    for (const PhraseIndex::Mode mode : {PhraseIndex::Mode::Indexed, PhraseIndex::Mode::Scan}) {
        PhraseIndex index({source(QStringLiteral("t"))}, mode);
        const SearchResult result = index.search(query);
        QCOMPARE(described(index, result), found);
        QCOMPARE(result.count, std::size_t(found.size()));
    }
}

} // namespace

class PhraseIndexTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void matching_data();
    void matching();
    void rankingOrder();
    void countGoesBeyondTheLimit();
    void unknownFourLetterWords_data();
    void unknownFourLetterWords();
    void allWordsButOne_data();
    void allWordsButOne();
    void damagedFilesAreSkippedWithTheirMessage();
    void addedSourceIsSearchedToo();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

void PhraseIndexTest::init()
{
    m_previous = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void PhraseIndexTest::cleanup()
{
    QDir::setCurrent(m_previous);
    m_dir.reset();
}

void PhraseIndexTest::matching_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("found"); // the kind of match, or empty when the row is not found

    // clang-format off
    const struct { const char* name; const char* field; const char* cell; const char* query; const char* found; } cases[] = {
        {"accent in the cell", "Fren", "Quelle fréquence?", "frequence", "exact"},
        {"accent in the query", "Eng", "frequency report", "fréquency", "exact"},
        {"case", "Eng", "What is the WEATHER like?", "Weather", "exact"},
        {"umlaut", "Ger", "Danke für die Verbindung", "fur", "exact"},
        {"sharp s in the cell", "Ger", "Viele Grüße", "grusse", "exact"},
        {"sharp s in the query", "Ger", "Viele Grüsse", "GRÜẞE", "exact"},
        {"yo in the cell", "Rus", "Хороший приём", "прием", "exact"},
        {"yo in the query", "Rus", "Хороший прием", "ПРИЁМ", "exact"},
        {"short i stays a letter of its own", "Rus", "Мой позывной", "мои", ""},
        {"stress mark, precomposed", "RusP", "Spasíba za výzav.", "spasiba vyzav", "exact"},
        {"stress mark, combining", "Rus", "Спаси\u0301бо за связь", "спасибо", "exact"},
        {"macron", "Jap", "移動運用 (idō un'yō)", "ido", "exact"},
        {"long vowel as ou", "Jap", "移動運用 (idō un'yō)", "idou", "exact"},
        {"long vowel as oo", "Jap", "移動運用 (idō un'yō)", "idoo", "exact"},
        {"ou in the cell, macron in the query", "Jap", "東京 (Toukyou)", "tōkyō", "exact"},
        {"long vowels collapse only in romaji", "Eng", "Thank you", "yo", "prefix"},
        {"long vowels collapse only in romaji, no match", "Eng", "Thank you", "yoo", ""},
        {"prefix", "Eng", "Your frequency is clear", "freq", "prefix"},
        {"prefix of one letter", "Eng", "antenna", "a", "prefix"},
        {"four letters no word is: substitution", "Eng", "Thanks for the call", "cakl", "fuzzy"},
        {"four letters no word is: insertion", "Eng", "My power is low", "powr", "fuzzy"},
        {"four letters in romaji", "Jap", "お名前は？ (O-namae wa?)", "nmae", "fuzzy"},
        {"three letters: no swap", "Eng", "My power is low", "lwo", ""},
        {"three letters: no substitution", "Eng", "My power is low", "lox", ""},
        {"three letters: no letter dropped", "Eng", "What is your name?", "yu", ""},
        {"three letters no word is: a letter left out", "Eng", "What is your name?", "nme", "fuzzy"},
        {"three letters no word is, in romaji", "Jap", "雨です (Ame desu)", "dsu", "fuzzy"},
        {"five letters: substitution", "Eng", "My power is low", "powar", "fuzzy"},
        {"five letters: swap of neighbours", "Eng", "My power is low", "pwoer", "fuzzy"},
        {"five letters: insertion", "Eng", "My power is low", "poweer", "fuzzy"},
        {"five letters against a word of four", "Eng", "Thanks for the call", "calxl", "fuzzy"},
        {"five letters: two edits", "Eng", "My power is low", "pawar", ""},
        {"two swaps", "Eng", "My power is low", "pweor", ""},
        {"fuzzy in phonetic Russian", "RusP", "Spasíba za výzav.", "spasibo", "fuzzy"},
        {"fuzzy doubled letter", "Ital", "La mia antena", "anntena", "fuzzy"},
        {"words in any order", "Eng", "The weather here is fine.", "fine weather", "exact"},
        {"weakest word decides", "Eng", "The weather here is fine.", "weather fi", "prefix"},
        {"every word must match", "Eng", "The weather here is fine.", "weather rain", ""},
        {"kanji substring", "Jap", "こちらはいい天気です。", "天気", "exact"},
        {"kana and kanji substring", "Jap", "こちらはいい天気です。", "いい天", "exact"},
        {"one kana, in the middle", "Jap", "こちらはいい天気です。", "は", "exact"},
        {"one kanji, at the run's end", "Jap", "こちらはいい天気", "気", "exact"},
        {"three characters", "Jap", "こちらはいい天気です。", "天気で", "exact"},
        {"its pairs in two runs, not the run", "Jap", "天気で 気天", "天気天", ""},
        {"kana out of order", "Jap", "こちらはいい天気です。", "気天", ""},
        {"voiced kana differs", "Jap", "天気がいい", "天気か", ""},
        {"kanji next to a latin word", "Jap", "そちらのQTHのお天気は", "qthの", "exact"},
        {"kana finds kanji by the romaji", "Jap", "お名前は？ (O-namae wa?)", "なまえ", "exact"},
        {"katakana finds kanji by the romaji", "Jap", "お名前は？ (O-namae wa?)", "ナマエ", "exact"},
        {"kana across romaji words", "Jap", "お名前は？ (O-namae wa?)", "なまえわ", "exact"},
        {"kana long vowel, macron in the romaji", "Jap", "東京 (Tōkyō)", "とうきょう", "exact"},
        {"katakana long mark", "Jap", "ローマ字 (Rōmaji)", "ローマジ", "exact"},
        {"small tsu", "Jap", "切手 (kitte)", "きって", "exact"},
        {"n before a vowel", "Jap", "金曜日 (kin'yōbi)", "きんようび", "exact"},
        {"one kana of the reading", "Jap", "名前 (namae)", "ま", "exact"},
        {"kana the reading lacks", "Jap", "お名前は？ (O-namae wa?)", "なまい", ""},
        {"kana reading only of the Japanese field", "Eng", "What is your name?", "なめ", ""},
        {"a blank's name is not a word", "Eng", "Your name is {their_name}, correct?", "their", ""},
        {"a blank's name is not a prefix", "Eng", "Your report is {rst_sent}", "rs", ""},
        {"a blank's name is not a fuzzy match", "Eng", "Your report is {rst_sent}", "sents", ""},
        {"a blank's name in romaji", "Jap", "お名前は{their_name}さんですね？ (Onamae wa {their_name}-san desu ne?)", "their", ""},
        {"a blank's name is not read as kana", "Jap", "名前は{my_name}です。 (Namae wa {my_name} desu.)", "なめ", ""},
        {"the words around a blank", "Eng", "Your name is {their_name}, correct?", "name correct", "exact"},
        {"kana around a blank", "Jap", "名前は{my_name}です。 (Namae wa {my_name} desu.)", "なまえわです", "exact"},
        {"braces around another word are text", "Eng", "Press {enter}", "enter", "exact"},
        {"no match", "Eng", "The weather here is fine.", "zzzz", ""},
        {"punctuation only", "Eng", "The weather here is fine.", "?!", ""},
    };
    // clang-format on
    for (const auto& c : cases)
        QTest::newRow(c.name) << QString::fromLatin1(c.field) << QString::fromUtf8(c.cell) << QString::fromUtf8(c.query)
                              << QString::fromLatin1(c.found);
}

void PhraseIndexTest::matching()
{
    QFETCH(QString, field);
    QFETCH(QString, cell);
    QFETCH(QString, query);
    QFETCH(QString, found);
    // The cell sits in row 1 between two rows that must never match.
    const std::vector<std::string> fields{"Eng", "Rus", "RusP", "Ger", "Fren", "Ital", "Jap"};
    Rows rows(3, std::vector<std::string>(fields.size(), "-"));
    const auto column = std::size_t(std::find(fields.begin(), fields.end(), field.toStdString()) - fields.begin());
    rows[1][column] = cell.toStdString();
    writeDataFile(QStringLiteral("t"), fields, rows);
    // Word lists and a scan of every cell find the same.
    for (const PhraseIndex::Mode mode : {PhraseIndex::Mode::Indexed, PhraseIndex::Mode::Scan}) {
        PhraseIndex index({source(QStringLiteral("t"))}, mode);
        const SearchResult result = index.search(query);
        QVERIFY(result.skipped.isEmpty());
        QCOMPARE(described(index, result),
                 found.isEmpty() ? QStringList() : QStringList{QStringLiteral("t 1 %1 %2").arg(field, found)});
        QCOMPARE(result.count, found.isEmpty() ? 0u : 1u);
        if (!found.isEmpty()) QCOMPARE(result.hits[0].text, cell);
    }
}

void PhraseIndexTest::rankingOrder()
{
    writeDataFile(QStringLiteral("a"), {"Eng", "Ger"},
                  {{"Antennas are big", "-"},
                   {"A long antenna on the roof", "-"},
                   {"-", "Antenne"},
                   {"antenna", "Die Antenna"},
                   {"The antenna", "-"}});
    writeDataFile(QStringLiteral("b"), {"Eng"}, {{"antenna"}, {"Antennae"}});
    for (const PhraseIndex::Mode mode : {PhraseIndex::Mode::Indexed, PhraseIndex::Mode::Scan}) {
        PhraseIndex index({source(QStringLiteral("a")), source(QStringLiteral("b"))}, mode);
        const SearchResult result = index.search(QStringLiteral("antenna"));
        // Exact before prefix before fuzzy; then the shorter cell; then the sources' order. A row
        // counts once, by its best cell.
        QCOMPARE(described(index, result), (QStringList{
                                               "a 3 Eng exact",
                                               "b 0 Eng exact",
                                               "a 4 Eng exact",
                                               "a 1 Eng exact",
                                               "b 1 Eng prefix",
                                               "a 0 Eng prefix",
                                               "a 2 Ger fuzzy",
                                           }));
        QCOMPARE(result.count, 7u);
    }
}

void PhraseIndexTest::countGoesBeyondTheLimit()
{
    Rows rows;
    for (int i = 0; i < 30; ++i)
        rows.push_back({"call " + std::string(std::size_t(i), 'x')});
    writeDataFile(QStringLiteral("c"), {"Eng"}, rows);
    PhraseIndex index({source(QStringLiteral("c"))});
    const SearchResult result = index.search(QStringLiteral("call"), 5);
    QCOMPARE(result.count, 30u);
    QCOMPARE(described(index, result),
             (QStringList{"c 0 Eng exact", "c 1 Eng exact", "c 2 Eng exact", "c 3 Eng exact", "c 4 Eng exact"}));
    // The next search starts clean.
    QCOMPARE(index.search(QStringLiteral("call"), 5).count, 30u);
    QCOMPARE(index.search(QStringLiteral("xx"), 5).count, 28u);
}

void PhraseIndexTest::unknownFourLetterWords_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    const Rows rhymes{{"tall masts"}, {"call me"}, {"a cell"}, {"tell me"}, {"sell it"}, {"a mist"}};
    QTest::newRow("a word of the files gets no edit") << rhymes << "call" << QStringList{"t 1 Eng exact"};
    QTest::newRow("a word a word of the files begins gets no edit")
        << rhymes << "mast" << QStringList{"t 0 Eng prefix"};
    QTest::newRow("few words one edit away") << rhymes << "cakl" << QStringList{"t 1 Eng fuzzy"};
    QTest::newRow("three words one edit away")
        << rhymes << "xell" << QStringList{"t 2 Eng fuzzy", "t 3 Eng fuzzy", "t 4 Eng fuzzy"};
    const Rows more{{"a cell"}, {"tell me"}, {"sell it"}, {"well done"}};
    QTest::newRow("too many words one edit away") << more << "xell" << QStringList{};
    const Rows sa{{"for sale"}, {"the same"}, {"sane"}, {"yor"}};
    QTest::newRow("three letters: a word of the files gets no edit") << sa << "yor" << QStringList{"t 3 Eng exact"};
    QTest::newRow("three letters: three words a letter longer")
        << sa << "sae" << QStringList{"t 2 Eng fuzzy", "t 0 Eng fuzzy", "t 1 Eng fuzzy"};
    const Rows saMore{{"for sale"}, {"the same"}, {"sane"}, {"safe"}};
    QTest::newRow("three letters: too many words a letter longer") << saMore << "sae" << QStringList{};
    // "yor" begins York, so it gets no edit; the other two words find the name row.
    const Rows name{{"What is your name?"}, {"Y — York"}};
    QTest::newRow("short typos of a question") << name << "whats yor nme" << QStringList{"t 0 Eng partial"};
    QTest::newRow("short typos of a question, every word found")
        << Rows{{"What is your name?"}} << "whats yor nme" << QStringList{"t 0 Eng fuzzy"};
}

void PhraseIndexTest::unknownFourLetterWords()
{
    QFETCH(Rows, rows);
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    writeDataFile(QStringLiteral("t"), {"Eng"}, rows);
    expectFoundInBothModes(query, found);
}

void PhraseIndexTest::allWordsButOne_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("every word found: only those rows") << "what your name" << QStringList{"t 0 Eng exact"};
    QTest::newRow("one word of three found nowhere") << "whats yurx name" << QStringList{"t 0 Eng partial"};
    QTest::newRow("ranked as a full search ranks")
        << "what your zzzz" << QStringList{"t 1 Eng partial", "t 0 Eng partial"};
    QTest::newRow("two words need both") << "yurx name" << QStringList{};
    QTest::newRow("two short words a letter short") << "whats yur nme" << QStringList{"t 0 Eng fuzzy"};
    QTest::newRow("two words of three missing") << "whats yurx nmmx" << QStringList{};
}

void PhraseIndexTest::allWordsButOne()
{
    QFETCH(QString, query);
    QFETCH(QStringList, found);
    writeDataFile(QStringLiteral("t"), {"Eng", "Ger"},
                  {{"What is your name, please?", "Wie ist Ihr Name?"},
                   {"What is your QTH?", "Wo ist Ihr QTH?"},
                   {"Your QTH?", "Ihr QTH?"},
                   {"What a signal", "Was für ein Signal"}});
    expectFoundInBothModes(query, found);
}

void PhraseIndexTest::damagedFilesAreSkippedWithTheirMessage()
{
    writeDataFile(QStringLiteral("good"), {"Eng"}, {{"Good signal"}});
    writeDataFile(QStringLiteral("after"), {"Eng"}, {{"Signal report"}});
    QFile truncated(QStringLiteral("dsb/cut.dsb"));
    QVERIFY(QFile::copy(QStringLiteral("dsb/good.dsb"), truncated.fileName()));
    QVERIFY(truncated.resize(3000));
    writeDataFile(QStringLiteral("other"), {"Eng"}, {{"Signal"}});
    {
        // A database without the table Dict.
        jet4::DatabaseWriter writer({"Eng"}, "Other");
        writer.addRow({"Signal"});
        writer.writeFile("dsb/other.dsb");
    }
    PhraseIndex index({source(QStringLiteral("good")), source(QStringLiteral("missing")), source(QStringLiteral("cut")),
                       source(QStringLiteral("other")), source(QStringLiteral("after"))});
    const SearchResult result = index.search(QStringLiteral("signal"));
    QCOMPARE(described(index, result), (QStringList{"good 0 Eng exact", "after 0 Eng exact"}));
    QCOMPARE(result.skipped.size(), 3);
    QVERIFY2(result.skipped[0].contains(QStringLiteral("missing.dsb")), qPrintable(result.skipped[0]));
    QVERIFY2(result.skipped[1].contains(QStringLiteral("cut.dsb")), qPrintable(result.skipped[1]));
    QVERIFY2(result.skipped[2].contains(QStringLiteral("no table Dict")), qPrintable(result.skipped[2]));
    // The message is the reader's own.
    try {
        (void)jet4::Database::open("dsb/cut.dsb").readTable("Dict");
        QFAIL("the truncated file was read");
    } catch (const jet4::Error& error) {
        QCOMPARE(result.skipped[1], QString::fromUtf8(error.what()));
    }
}

void PhraseIndexTest::addedSourceIsSearchedToo()
{
    writeDataFile(QStringLiteral("base"), {"Eng"}, {{"Good signal"}});
    PhraseIndex index({source(QStringLiteral("base"))});
    QCOMPARE(index.search(QStringLiteral("signal")).count, 1u);
    writeDataFile(QStringLiteral("my"), {"Eng", "Rus"}, {{"-", "-"}, {"My own signal", "Мой сигнал"}});
    index.addSource(source(QStringLiteral("my")));
    const SearchResult result = index.search(QStringLiteral("signal"));
    QCOMPARE(described(index, result), (QStringList{"base 0 Eng exact", "my 1 Eng exact"}));
    QCOMPARE(index.text(1, 1, QStringLiteral("rus")), QStringLiteral("Мой сигнал"));
}

QTEST_GUILESS_MAIN(PhraseIndexTest)
#include "phrase_index_test.moc"
