// The contact at hand in the real main window, over generated data files: "My station…", the
// contact panel with a country file and an ADIF log of the tests' own, "Keep the language pair",
// and settings that cannot be read.

#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/contact_panel.h"
#include "main_window/font_substitutes.h"
#include "main_window/phrase_grid.h"
#include "main_window/radio_group.h"
#include "main_window/station_dialog.h"
#include "modal_answer.h"
#include "station/profile_store.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(StationDialog::Field)

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ContactWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName(QStringLiteral("Tarvolin"));
        FontSubstitutes::install();
    }

    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit());
        qputenv("TARVOLYN_COUNTRY_FILE", STATION_TEST_DATA "/sample-cty.dat");
        m_data = std::make_unique<DataFolder>();
        startProgram();
    }

    void cleanup()
    {
        m_form.reset();
        m_data.reset();
        m_config.reset();
    }

    void profileEnteredSurvivesARestart()
    {
        {
            StationDialog dialog(m_form->profileStore(), m_form.get());
            dialog.input(StationDialog::Field::Call)->setText(QStringLiteral("DL1ABC"));
            dialog.input(StationDialog::Field::Name)->setText(QStringLiteral("Hans"));
            dialog.input(StationDialog::Field::NameKatakana)->setText(QStringLiteral("ハンス"));
            dialog.input(StationDialog::Field::Locator)->setText(QStringLiteral("JO62qm"));
            dialog.input(StationDialog::Field::Power)->setText(QStringLiteral("100"));
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        startProgram();
        const StationDialog again(m_form->profileStore(), m_form.get());
        QCOMPARE(again.input(StationDialog::Field::Call)->text(), QStringLiteral("DL1ABC"));
        QCOMPARE(again.input(StationDialog::Field::NameKatakana)->text(), QStringLiteral("ハンス"));
        QCOMPARE(again.input(StationDialog::Field::Locator)->text(), QStringLiteral("JO62qm"));
    }

    void refusedValueKeepsTheDialogOpenAndSavesNothing_data()
    {
        QTest::addColumn<StationDialog::Field>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("named");
        QTest::newRow("call") << StationDialog::Field::Call << QStringLiteral("DL-1") << QStringLiteral("Call sign");
        QTest::newRow("locator") << StationDialog::Field::Locator << QStringLiteral("JO6") << QStringLiteral("Locator");
        QTest::newRow("power") << StationDialog::Field::Power << QStringLiteral("a lot") << QStringLiteral("Power");
    }
    void refusedValueKeepsTheDialogOpenAndSavesNothing()
    {
        QFETCH(StationDialog::Field, field);
        QFETCH(QString, value);
        QFETCH(QString, named);
        StationDialog dialog(m_form->profileStore(), m_form.get());
        dialog.show();
        dialog.input(StationDialog::Field::Name)->setText(QStringLiteral("Hans"));
        dialog.input(field)->setText(value);
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY2(dialog.refusal().startsWith(named), qPrintable(dialog.refusal()));
        QVERIFY(!QFile::exists(m_form->profileStore().filePath()));
        QCOMPARE(m_form->profileStore().profile(), station::StationProfile());
    }

    // A call typed into the panel shows its country, the path from the operator's locator and
    // the last contact from the log; the suggested language goes to the right column.
    void panelLooksTheCallUp()
    {
        const QString log = m_config->filePath(QStringLiteral("log.adi"));
        writeFile(log, "Log\n<EOH>\n<call:6>JA1ABC<qso_date:8>20240301<band:3>20m<mode:3>SSB<name:4>Taro"
                       "<qth:5>Tokyo<eor>\n");
        station::StationProfile profile;
        profile.locator = QStringLiteral("JO62");
        profile.adifLog = log;
        m_form->profileStore().save(profile);

        m_form->findChild<QAction*>(QStringLiteral("ContactPanelAction"))->trigger();
        ContactPanel* panel = m_form->contactPanel();
        QVERIFY(panel != nullptr && panel->isVisible());
        QVERIFY(panel->countryFileProblem().isEmpty());
        QTest::keyClicks(panel->callInput(), QStringLiteral("ja1abc"));
        QCOMPARE(panel->fact(ContactPanel::Fact::Country), QStringLiteral("Japan"));
        QCOMPARE(panel->fact(ContactPanel::Fact::Continent), QStringLiteral("AS"));
        QCOMPARE(panel->fact(ContactPanel::Fact::Zones), QStringLiteral("25 / 45"));
        QVERIFY2(panel->fact(ContactPanel::Fact::LocalTime).endsWith(QStringLiteral("(UTC+9)")),
                 qPrintable(panel->fact(ContactPanel::Fact::LocalTime)));
        QCOMPARE(panel->fact(ContactPanel::Fact::Heading), QStringLiteral("42°"));
        QCOMPARE(panel->fact(ContactPanel::Fact::Distance), QStringLiteral("8809 km"));
        QCOMPARE(panel->fact(ContactPanel::Fact::Language), QStringLiteral("Japanese"));
        QCOMPARE(panel->fact(ContactPanel::Fact::LastContact), QStringLiteral("2024-03-01, 20m, SSB"));
        QCOMPARE(panel->nameInput()->text(), QStringLiteral("Taro"));
        QCOMPARE(panel->qthInput()->text(), QStringLiteral("Tokyo"));

        QCOMPARE(bound(GridPlace::Right), QStringLiteral("eng"));
        QTest::mouseClick(panel->useLanguageButton(), Qt::LeftButton);
        QCOMPARE(bound(GridPlace::Right), QStringLiteral("jap"));
        QCOMPARE(bound(GridPlace::Left), QStringLiteral("rus"));

        panel->rstSentInput()->setText(QStringLiteral("59"));
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("NewContact")), Qt::LeftButton);
        for (QLineEdit* each : {panel->callInput(), panel->nameInput(), panel->qthInput(), panel->rstSentInput(),
                                panel->rstReceivedInput()})
            QVERIFY(each->text().isEmpty());
        QVERIFY(panel->fact(ContactPanel::Fact::Country).isEmpty());
        QVERIFY(!panel->useLanguageButton()->isEnabled());

        // The logger adds a contact while the panel is open: the next lookup reads the log again.
        QFile more(log);
        QVERIFY(more.open(QIODevice::Append));
        more.write("<call:6>JA1ABC<qso_date:8>20250101<band:3>40m<mode:2>CW<eor>\n");
        more.close();
        QTest::keyClicks(panel->callInput(), QStringLiteral("JA1ABC"));
        QCOMPARE(panel->fact(ContactPanel::Fact::LastContact), QStringLiteral("2025-01-01, 40m, CW"));
    }

    void panelWithoutTheCountryFileSaysSoAndGoesOn()
    {
        qputenv("TARVOLYN_COUNTRY_FILE", "/nonexistent/cty.dat");
        m_form->ContactPanelClick();
        ContactPanel* panel = m_form->contactPanel();
        QVERIFY2(panel->countryFileProblem().contains(QStringLiteral("/nonexistent/cty.dat")),
                 qPrintable(panel->countryFileProblem()));
        QTest::keyClicks(panel->callInput(), QStringLiteral("JA1ABC"));
        QVERIFY(panel->fact(ContactPanel::Fact::Country).isEmpty());
        QVERIFY(!panel->useLanguageButton()->isEnabled());
    }

    void keepTheLanguagePairHoldsAcrossTopicLoads_data()
    {
        QTest::addColumn<bool>("keep");
        QTest::newRow("off, as designed") << false;
        QTest::newRow("on") << true;
    }
    void keepTheLanguagePairHoldsAcrossTopicLoads()
    {
        QFETCH(bool, keep);
        QAction* keepPair = m_form->findChild<QAction*>(QStringLiteral("KeepLanguagePairAction"));
        QVERIFY(keepPair->isCheckable());
        QVERIFY(!keepPair->isChecked());
        if (keep) keepPair->trigger();
        m_form->Ger1->trigger();
        m_form->French1->trigger();
        for (int topic : {1, 4}) {
            m_form->RadioGroup1->setItemIndex(topic);
            m_form->RadioGroup1Click();
            QCOMPARE(bound(GridPlace::Left), keep ? QStringLiteral("ger") : QStringLiteral("rus"));
            QCOMPARE(bound(GridPlace::Right), keep ? QStringLiteral("fren") : QStringLiteral("eng"));
        }
        // The choice is a setting: the next start has it too.
        startProgram();
        QCOMPARE(m_form->findChild<QAction*>(QStringLiteral("KeepLanguagePairAction"))->isChecked(), keep);
    }

    void damagedSettingsGiveAMessageAndTheProgramStarts()
    {
        m_form.reset();
        QVERIFY(QDir().mkpath(m_config->filePath(QStringLiteral("Tarvolyn"))));
        writeFile(m_config->filePath(QStringLiteral("Tarvolyn/tarvolyn.conf")), "[station]\ncall=?? junk ??\n");
        const ModalAnswer answer(QMessageBox::Ok);
        startProgram();
        QTRY_VERIFY(answer.seen());
        QVERIFY2(answer.text().contains(QStringLiteral("tarvolyn.conf")), qPrintable(answer.text()));
        QVERIFY(m_form->isVisible());
        QCOMPARE(bound(GridPlace::Left), QStringLiteral("rus"));
    }

private:
    // The field a grid column shows, in lower case: the data files may write it in any case.
    [[nodiscard]] QString bound(GridPlace place) const { return m_form->DBGrid1->columnFieldName(place).toLower(); }

    void startProgram()
    {
        m_form.reset();
        m_form = std::make_unique<TForm1>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<DataFolder> m_data;
    std::unique_ptr<TForm1> m_form;
};

QTEST_MAIN(ContactWindowTest)
#include "contact_window_test.moc"
