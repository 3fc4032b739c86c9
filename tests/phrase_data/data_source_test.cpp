#include "jet4/reader.h"
#include "jet4/writer.h"
#include "phrase_data/ado_connection.h"
#include "phrase_data/ado_table.h"
#include "phrase_data/data_file.h"
#include "phrase_data/data_source.h"
#include "phrase_data/decimal_separator.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>

using namespace phrase_data;

namespace {

// Writes dsb/<name> below the working directory with the given header and rows.
void writeDataFile(const QString& name, const std::vector<std::string>& fields,
                   const std::vector<std::vector<std::string>>& rows, const std::string& table = "Dict")
{
    jet4::DatabaseWriter writer(fields, table);
    for (const auto& row : rows)
        writer.addRow(row);
    QDir().mkpath(QStringLiteral("dsb"));
    writer.writeFile(std::filesystem::path("dsb") / name.toStdString());
}

QStringList column(const DataSource& source, const QString& field)
{
    QStringList values;
    const int index = source.fieldIndex(field);
    for (int row = 0; row < source.rowCount(); ++row)
        values << (index < 0 ? QString() : source.text(row, index));
    return values;
}

} // namespace

// Each test runs in a fresh working directory that holds the data files it writes.
class DataSourceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void connectionStringNamesTheFile();
    void firstLoadReadsEveryRowAndField();
    void reloadWithoutCloseKeepsTheOpenFile();
    void closeThenLoadOpensTheNewPath();
    void missingFileFailsAtOpenAndTheNextLoadWorks_data();
    void missingFileFailsAtOpenAndTheNextLoadWorks();
    void fileWithoutDictFailsAtActivateLeavingTheConnectionOpen();
    void fieldsMatchWithoutRegardToCase();
    void fileNameMatchesWithoutRegardToCase();
    void absolutePathOpensFromAnyWorkingDirectory_data();
    void absolutePathOpensFromAnyWorkingDirectory();
    void numbersUseTheProgramsDecimalSeparator();
    void failedRefreshLeavesTheTableClosedAndEmpty();
    void modelPassesTheItemModelTester();

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    AdoConnection* m_connection = nullptr;
    AdoTable* m_table = nullptr;
    DataSource* m_source = nullptr;
};

void DataSourceTest::init()
{
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QDir(QStringLiteral("dsb")).removeRecursively();
    m_connection = new AdoConnection;
    m_table = new AdoTable(*m_connection);
    m_source = new DataSource(*m_table);
    writeDataFile(QStringLiteral("start.dsb"), {"Rus", "Eng", "Jap"},
                  {{"Привет", "Hello", "こんにちは"}, {"Спасибо", "Thank you", ""}});
    writeDataFile(QStringLiteral("weath.dsb"), {"Rus", "Eng"}, {{"Дождь", "Rain"}});
}

void DataSourceTest::cleanup()
{
    delete m_source;
    delete m_table;
    delete m_connection;
    QDir::setCurrent(m_previousDir);
}

void DataSourceTest::connectionStringNamesTheFile()
{
    QCOMPARE(BuildConnectionString("dsb\\start.dsb"),
             QStringLiteral("Provider=MSDataShape.1;Data Provider=Microsoft.Jet.OLEDB.4.0;Data Source=dsb\\start.dsb"));
}

void DataSourceTest::firstLoadReadsEveryRowAndField()
{
    QVERIFY(!m_connection->connected());
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    QVERIFY(m_connection->connected());
    QVERIFY(m_table->active());
    QCOMPARE(m_connection->connectionString(), BuildConnectionString("dsb\\start.dsb"));
    QCOMPARE(m_source->columnCount(), 3);
    QCOMPARE(column(*m_source, "Rus"), QStringList({"Привет", "Спасибо"}));
    QCOMPARE(column(*m_source, "Jap"), QStringList({"こんにちは", ""}));
    QCOMPARE(m_source->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Eng"));
}

void DataSourceTest::reloadWithoutCloseKeepsTheOpenFile()
{
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    // The file on disk changes and the path now names another file: the open file stays open,
    // and its rows are read again from it.
    QVERIFY(QFile::remove(QStringLiteral("dsb/start.dsb")));
    writeDataFile(QStringLiteral("start.dsb"), {"Rus", "Eng"}, {{"Новый", "New"}});
    LoadDataFile(*m_connection, *m_table, "dsb\\weath.dsb");
    QCOMPARE(m_connection->connectionString(), BuildConnectionString("dsb\\start.dsb"));
    QCOMPARE(column(*m_source, "Eng"), QStringList({"Hello", "Thank you"}));
}

void DataSourceTest::closeThenLoadOpensTheNewPath()
{
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    CloseDataFile(*m_connection);
    QVERIFY(!m_connection->connected());
    QVERIFY(!m_table->active());
    QCOMPARE(m_source->rowCount(), 0);
    CloseDataFile(*m_connection); // closing a closed connection does nothing
    LoadDataFile(*m_connection, *m_table, "dsb\\weath.dsb");
    QCOMPARE(column(*m_source, "Eng"), QStringList({"Rain"}));
}

void DataSourceTest::missingFileFailsAtOpenAndTheNextLoadWorks_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::newRow("missing") << QByteArray("dsb\\nothere.dsb") << QByteArray();
    QTest::newRow("not a database") << QByteArray("dsb\\text.dsb") << QByteArray("Rus\tEng\nПривет\tHello\n");
    QTest::newRow("a folder") << QByteArray("dsb") << QByteArray();
}

void DataSourceTest::missingFileFailsAtOpenAndTheNextLoadWorks()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, contents);
    if (!contents.isEmpty()) {
        QFile file(QString::fromLatin1(path).replace(u'\\', u'/'));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    CloseDataFile(*m_connection);
    try {
        LoadDataFile(*m_connection, *m_table, path);
        QFAIL("the load should fail");
    } catch (const jet4::Error& error) {
        QVERIFY2(QString::fromUtf8(error.what()).startsWith(QString::fromLatin1(path).replace(u'\\', u'/')),
                 error.what());
    }
    QVERIFY(!m_connection->connected());
    QVERIFY(!m_table->active());
    QCOMPARE(m_source->rowCount(), 0);
    CloseDataFile(*m_connection);
    LoadDataFile(*m_connection, *m_table, "dsb\\weath.dsb");
    QCOMPARE(m_source->rowCount(), 1);
}

void DataSourceTest::fileWithoutDictFailsAtActivateLeavingTheConnectionOpen()
{
    writeDataFile(QStringLiteral("other.dsb"), {"Rus", "Eng"}, {{"а", "a"}}, "Phrases");
    try {
        LoadDataFile(*m_connection, *m_table, "dsb\\other.dsb");
        QFAIL("the load should fail");
    } catch (const jet4::Error& error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("no table Dict")), error.what());
    }
    QVERIFY(m_connection->connected());
    QVERIFY(!m_table->active());
    QCOMPARE(m_source->rowCount(), 0);
    CloseDataFile(*m_connection);
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    QCOMPARE(m_source->rowCount(), 2);
}

void DataSourceTest::fieldsMatchWithoutRegardToCase()
{
    writeDataFile(QStringLiteral("mixed.dsb"), {"RUS", "eng"}, {{"Да", "Yes"}});
    LoadDataFile(*m_connection, *m_table, "dsb\\mixed.dsb");
    QCOMPARE(m_source->fieldIndex("Rus"), 0);
    QCOMPARE(m_source->fieldName(m_source->fieldIndex("Eng")), QStringLiteral("eng"));
    QCOMPARE(m_source->fieldIndex("Jap"), -1);
    QCOMPARE(column(*m_source, "Jap"), QStringList({""}));
}

void DataSourceTest::fileNameMatchesWithoutRegardToCase()
{
    QDir().mkpath(QStringLiteral("Sub"));
    writeDataFile(QStringLiteral("Weather.DSB"), {"Rus", "Eng"}, {{"Снег", "Snow"}});
    QVERIFY(QFile::rename(QStringLiteral("dsb/Weather.DSB"), QStringLiteral("Sub/Weather.DSB")));
    LoadDataFile(*m_connection, *m_table, "sub\\weather.dsb");
    QCOMPARE(column(*m_source, "Eng"), QStringList({"Snow"}));
    QCOMPARE(AdoConnection::resolveDataSource(BuildConnectionString("SUB\\WEATHER.dsb")),
             std::filesystem::path("Sub/Weather.DSB"));
}

void DataSourceTest::absolutePathOpensFromAnyWorkingDirectory_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << QStringLiteral("share/Tarvolyn");
    QTest::newRow("space and Cyrillic") << QStringLiteral("Мои данные/share dir/Tarvolyn");
    QTest::newRow("dots") << QStringLiteral("a/../share/./Tarvolyn");
}

void DataSourceTest::absolutePathOpensFromAnyWorkingDirectory()
{
    // The user's own file lives under the data folder, named by its full path.
    QFETCH(QString, folder);
    const QString absolute = m_dir.filePath(folder);
    QVERIFY(QDir().mkpath(absolute));
    QDir().mkpath(m_dir.filePath(QStringLiteral("a")));
    writeDataFile(QStringLiteral("my.dsb"), {"Rus", "Eng"}, {{"Антенна", "Antenna"}});
    QFile::remove(absolute + QStringLiteral("/my.dsb"));
    QVERIFY(QFile::rename(QStringLiteral("dsb/my.dsb"), absolute + QStringLiteral("/my.dsb")));
    QVERIFY(QDir::setCurrent(QDir::rootPath()));
    const QByteArray path = QFile::encodeName(absolute + QStringLiteral("/my.dsb"));
    QCOMPARE(QString::fromStdString(AdoConnection::resolveDataSource(BuildConnectionString(path)).string()),
             QString::fromUtf8(path));
    LoadDataFile(*m_connection, *m_table, path);
    QCOMPARE(column(*m_source, "Eng"), QStringList({"Antenna"}));
}

void DataSourceTest::numbersUseTheProgramsDecimalSeparator()
{
    const QString fixture = QStringLiteral(TARVOLYN_FIXTURES_DIR "/jet4/access2000-column-types.mdb");
    QVERIFY(QFile::copy(fixture, QStringLiteral("dsb/types.dsb")));
    m_table->setTableName(QStringLiteral("Table1"));
    const char16_t previous = DecimalSeparator::current();
    DecimalSeparator::set(u',');
    LoadDataFile(*m_connection, *m_table, "dsb\\types.dsb");
    DecimalSeparator::set(previous);
    const QStringList doubles = column(*m_source, m_source->fieldName(5));
    QVERIFY2(doubles.first().contains(u','), qPrintable(doubles.join(u'|')));
    DecimalSeparator::set(u'.');
    m_table->refresh();
    DecimalSeparator::set(previous);
    QVERIFY2(column(*m_source, m_source->fieldName(5)).first().contains(u'.'), qPrintable(doubles.join(u'|')));
}

void DataSourceTest::failedRefreshLeavesTheTableClosedAndEmpty()
{
    QAbstractItemModelTester tester(m_source, QAbstractItemModelTester::FailureReportingMode::QtTest);
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    std::filesystem::resize_file("dsb/start.dsb", 4096); // cut short under the open connection
    QVERIFY_THROWS_EXCEPTION(jet4::Error, m_table->refresh());
    QVERIFY(!m_table->active());
    QCOMPARE(m_source->rowCount(), 0);
    QVERIFY(m_connection->connected());
}

void DataSourceTest::modelPassesTheItemModelTester()
{
    QAbstractItemModelTester tester(m_source, QAbstractItemModelTester::FailureReportingMode::QtTest);
    LoadDataFile(*m_connection, *m_table, "dsb\\start.dsb");
    CloseDataFile(*m_connection);
    LoadDataFile(*m_connection, *m_table, "dsb\\weath.dsb");
    m_table->refresh();
    QCOMPARE(m_source->flags(m_source->index(0, 0)) & Qt::ItemIsEditable, Qt::NoItemFlags);
}

QTEST_GUILESS_MAIN(DataSourceTest)
#include "data_source_test.moc"
