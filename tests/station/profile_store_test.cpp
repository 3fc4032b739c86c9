// The station profile in the settings file: what it accepts and refuses, a restart, and settings
// files that are damaged or cannot be written.
#include "station/profile_check.h"
#include "station/profile_store.h"
#include "station/station_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using station::ProfileStore;
using station::StationProfile;

Q_DECLARE_METATYPE(StationProfile)

namespace {

StationProfile fullProfile()
{
    StationProfile profile;
    profile.call = QStringLiteral("DL1ABC");
    profile.name = QStringLiteral("Hans");
    profile.nameCyrillic = QStringLiteral("Ганс");
    profile.nameKatakana = QStringLiteral("ハンス");
    profile.qth = QStringLiteral("Berlin");
    profile.qthCyrillic = QStringLiteral("Берлин");
    profile.qthKatakana = QStringLiteral("ベルリン");
    profile.locator = QStringLiteral("JO62qm");
    profile.rig = QStringLiteral("IC-7300");
    profile.antenna = QStringLiteral("Dipole");
    profile.power = QStringLiteral("100");
    profile.adifLog = QStringLiteral("/home/hans/log.adi");
    return profile;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ProfileStoreTest : public QObject {
    Q_OBJECT

private slots:
    void survivesARestart()
    {
        const QTemporaryDir folder;
        {
            ProfileStore store(folder.path());
            QVERIFY(!store.problem());
            store.save(fullProfile());
            store.setKeepLanguagePair(true);
        }
        const ProfileStore again(folder.path());
        QVERIFY(!again.problem());
        QCOMPARE(again.profile(), fullProfile());
        QVERIFY(again.keepLanguagePair());
        // Nothing but the settings file is left in the folder: no temporary file stays behind.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("tarvolyn.conf")});
    }

    void acceptsCallsLocatorsAndPowers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        for (const char* call :
             {"DL1ABC", "dl1abc", "F/DL1ABC", "DL1ABC/P", "3D2ABC", "A61AB", "R25EMW", "W1AW", "KH6/W1AW", "VK9XA/QRP"})
            QTest::addRow("call %s", call) << QStringLiteral("call") << QString::fromLatin1(call);
        for (const char* locator : {"JO62", "jo62qm", "JO62QM05", "AA00aa00", "RR99"})
            QTest::addRow("locator %s", locator) << QStringLiteral("locator") << QString::fromLatin1(locator);
        for (const char* power : {"100", "5", "5.5", "0,5", "1500"})
            QTest::addRow("power %s", power) << QStringLiteral("power") << QString::fromLatin1(power);
    }
    void acceptsCallsLocatorsAndPowers()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        StationProfile profile;
        (field == QLatin1String("call")      ? profile.call
         : field == QLatin1String("locator") ? profile.locator
                                             : profile.power) = value;
        QCOMPARE(station::ProfileCheck::problem(profile), std::nullopt);
    }

    void refusedValueSavesNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("named");
        for (const char* call :
             {"DL", "12345", "DL1ABC/", "/DL1ABC", "DL 1ABC", "DL1ABC//P", "ÄÖ1ABC", "DL1ABC/TOOLONG"})
            QTest::addRow("call %s", call)
                << QStringLiteral("call") << QString::fromUtf8(call) << QStringLiteral("Call sign");
        for (const char* locator : {"JO6", "JO62q", "SS00", "JO62zz", "JO62qmAA", "JO62qm0", "JO62qm0505"})
            QTest::addRow("locator %s", locator)
                << QStringLiteral("locator") << QString::fromLatin1(locator) << QStringLiteral("Locator");
        for (const char* power : {"100W", "lots", "-5", "1e3", "5."})
            QTest::addRow("power %s", power)
                << QStringLiteral("power") << QString::fromLatin1(power) << QStringLiteral("Power");
    }
    void refusedValueSavesNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, named);
        const QTemporaryDir folder;
        ProfileStore store(folder.path());
        store.save(fullProfile());
        const QByteArray before = contents(store.filePath());

        StationProfile refused = fullProfile();
        (field == QLatin1String("call")      ? refused.call
         : field == QLatin1String("locator") ? refused.locator
                                             : refused.power) = value;
        try {
            store.save(refused);
            QFAIL("a refused value was saved");
        } catch (const station::StationError& error) {
            QVERIFY2(QString::fromStdString(error.what()).startsWith(named + QLatin1Char(':')), error.what());
        }
        QCOMPARE(contents(store.filePath()), before);
        QCOMPARE(store.profile(), fullProfile());
        QCOMPARE(ProfileStore(folder.path()).profile(), fullProfile());
    }

    // A damaged settings file leaves the profile empty with a message naming the file, and the
    // next save replaces it whole.
    void damagedFileGivesAMessage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("a refused call sign") << QByteArray("[station]\ncall=not a call\nname=Hans\n");
        QTest::newRow("a refused locator") << QByteArray("[station]\ncall=DL1ABC\nlocator=XX99\n");
        static constexpr char Junk[] = "\x00\xff\xfe[station\ncall=\x01\x02\x03\n=\n[[[\n";
        QTest::newRow("binary junk") << QByteArray(Junk, sizeof(Junk) - 1);
    }
    void damagedFileGivesAMessage()
    {
        QFETCH(QByteArray, bytes);
        const QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("tarvolyn.conf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        ProfileStore store(folder.path());
        QVERIFY(store.problem());
        QVERIFY2(store.problem()->contains(file.fileName()), qPrintable(*store.problem()));
        QCOMPARE(store.profile(), StationProfile());
        store.save(fullProfile());
        const ProfileStore again(folder.path());
        QVERIFY(!again.problem());
        QCOMPARE(again.profile(), fullProfile());
    }

    // The settings file's place is taken by a folder, or the settings folder's by a file: a save
    // fails with a message naming the file, and the profile stays as it was.
    void unwritableSettingsGiveAMessage_data()
    {
        QTest::addColumn<bool>("fileIsAFolder");
        QTest::newRow("the settings file is a folder") << true;
        QTest::newRow("the settings folder is a file") << false;
    }
    void unwritableSettingsGiveAMessage()
    {
        QFETCH(bool, fileIsAFolder);
        const QTemporaryDir scratch;
        const QString folder = scratch.filePath(QStringLiteral("Tarvolyn"));
        if (fileIsAFolder) {
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/tarvolyn.conf")));
        } else {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        ProfileStore store(folder);
        QCOMPARE(store.profile(), StationProfile());
        try {
            store.save(fullProfile());
            QFAIL("the save did not fail");
        } catch (const station::StationError& error) {
            QVERIFY2(QString::fromStdString(error.what()).contains(store.filePath()), error.what());
        }
        QCOMPARE(store.profile(), StationProfile());
    }
};

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "profile_store_test.moc"
