// tarvolyn --lookup: the built program over the tests' own country file, with and without a
// locator, and its exit codes.

#include "program_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Run = ProgramFolder::Run;

class LookupCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    void init() { qputenv("TARVOLYN_COUNTRY_FILE", STATION_TEST_DATA "/sample-cty.dat"); }

    void printsOneLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("from a locator") << QStringList{"--lookup", "ja1abc", "--from", "JO62"}
                                        << "JA1ABC\tJapan\tAS\t25\t45\t9\t42\t8809\tJap";
        QTest::newRow("west of Greenwich")
            << QStringList{"--lookup", "G4ABC", "--from", "fn31"} << "G4ABC\tEngland\tEU\t14\t27\t0\t51\t5320\tEng";
        QTest::newRow("the far side of the earth") << QStringList{"--lookup", "VK2ABC", "--from", "IO91"}
                                                   << "VK2ABC\tAustralia\tOC\t30\t55\t10\t70\t14999\tEng";
        QTest::newRow("no locator: no path")
            << QStringList{"--lookup", "VU2ABC"} << "VU2ABC\tIndia\tAS\t22\t41\t5.5\t\t\tEng";
        QTest::newRow("a call area and its overrides")
            << QStringList{"--lookup", "W1AW/6"} << "W1AW/6\tUnited States of America\tNA\t3\t6\t-8\t\t\tEng";
        QTest::newRow("a prefix before the call")
            << QStringList{"--lookup", "F/DL1ABC"} << "F/DL1ABC\tFrance\tEU\t14\t27\t1\t\t\tFren";
    }
    void printsOneLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        const Run result = m_dir.run(arguments);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, line + QLatin1Char('\n'));
    }

    // Without --from, the station profile's locator gives the path.
    void takesTheProfilesLocator()
    {
        QVERIFY(QDir().mkpath(m_config.filePath(QStringLiteral("Tarvolyn"))));
        QFile settings(m_config.filePath(QStringLiteral("Tarvolyn/tarvolyn.conf")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[station]\ncall=DL1ABC\nlocator=JO62\n");
        settings.close();
        const Run result = m_dir.run({"--lookup", "JA1ABC"});
        QVERIFY(settings.remove());
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QStringLiteral("JA1ABC\tJapan\tAS\t25\t45\t9\t42\t8809\tJap\n"));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("countryFile");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QByteArray sample = STATION_TEST_DATA "/sample-cty.dat";
        QTest::newRow("found") << QStringList{"--lookup", "DL1ABC"} << sample << 0 << "";
        QTest::newRow("no country") << QStringList{"--lookup", "QQ1ABC"} << sample << 1 << "no country";
        QTest::newRow("not a call") << QStringList{"--lookup", "DL1@BC"} << sample << 1 << "no country";
        QTest::newRow("bad locator") << QStringList{"--lookup", "DL1ABC", "--from", "JO6"} << sample << 2
                                     << "\"JO6\" is not a Maidenhead locator";
        QTest::newRow("missing country file")
            << QStringList{"--lookup", "DL1ABC"} << QByteArray("/nonexistent/cty.dat") << 2 << "/nonexistent/cty.dat";
        QTest::newRow("no call") << QStringList{"--lookup"} << sample << 2 << "--lookup";
        QTest::newRow("two calls") << QStringList{"--lookup", "DL1ABC", "F5ABC"} << sample << 2 << "one CALL";
        QTest::newRow("two commands") << QStringList{"--lookup", "DL1ABC", "--spell", "Eng"} << sample << 2
                                      << "one command at a time";
    }
    void exitCodes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, countryFile);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        qputenv("TARVOLYN_COUNTRY_FILE", countryFile);
        const Run result = m_dir.run(arguments);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY2(result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out.isEmpty(), exitCode != 0);
    }

private:
    ProgramFolder m_dir;
    QTemporaryDir m_config;
};

QTEST_GUILESS_MAIN(LookupCommandTest)
#include "lookup_command_test.moc"
