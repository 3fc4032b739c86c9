#include "phrase_data/blank_filler.h"
#include "station/profile_blanks.h"

#include <QTest>

using namespace phrase_data;

Q_DECLARE_METATYPE(phrase_data::LanguageField)

namespace {

// Hans of Munich, with a katakana name and a Cyrillic QTH but no Cyrillic name, and no region.
BlankFiller hans()
{
    station::StationProfile profile;
    profile.call = QStringLiteral("DL1ABC");
    profile.name = QStringLiteral("Hans");
    profile.nameKatakana = QStringLiteral("ハンス");
    profile.qth = QStringLiteral("Munich");
    profile.qthCyrillic = QStringLiteral("Мюнхен");
    profile.qthKatakana = QStringLiteral("ミュンヘン");
    BlankFiller filler;
    station::ProfileBlanks::fill(profile, filler);
    filler.set(u"rst_sent", {QStringLiteral("59"), {}, {}});
    return filler;
}

} // namespace

class BlankFillerTest : public QObject {
    Q_OBJECT

private slots:
    void fillsEachFieldInItsForm_data()
    {
        QTest::addColumn<LanguageField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("filled");
        const auto row = [](const char* name, LanguageField field, const char* text, const char* filled) {
            QTest::newRow(name) << field << QString::fromUtf8(text) << QString::fromUtf8(filled);
        };
        row("Eng Latin", LanguageField::Eng, "My name is {my_name}", "My name is Hans");
        row("Rus Cyrillic", LanguageField::Rus, "Мой QTH {my_qth}", "Мой QTH Мюнхен");
        row("Rus without a Cyrillic name", LanguageField::Rus, "Меня зовут {my_name}", "Меня зовут Hans");
        row("RusP Latin", LanguageField::RusP, "Moy QTH {my_qth}", "Moy QTH Munich");
        row("Jap katakana and romaji", LanguageField::Jap, "名前は{my_name}です。 (Namae wa {my_name} desu.)",
            "名前はハンスです。 (Namae wa Hans desu.)");
        row("Jap brackets inside the Japanese", LanguageField::Jap, "QTH（{my_qth}）です。 (QTH ({my_qth}) desu.)",
            "QTH（ミュンヘン）です。 (QTH (Munich) desu.)");
        row("Jap without romaji", LanguageField::Jap, "{my_qth}です。", "ミュンヘンです。");
        row("Ger Latin beside a call", LanguageField::Ger, "Hier ist {my_call}, {my_name}", "Hier ist DL1ABC, Hans");
        row("unset blank", LanguageField::Eng, "My region is {my_region}.", "My region is ....");
        row("unset among set", LanguageField::Eng, "{their_name} de {my_call}, {rst_sent}", "... de DL1ABC, 59");
        row("braces that are no slot", LanguageField::Eng, "{name} {my_name} {}", "{name} Hans {}");
        row("an unclosed brace", LanguageField::Eng, "{my_name} {my_name", "Hans {my_name");
        row("no blank", LanguageField::Fren, "Merci pour l'appel", "Merci pour l'appel");
    }
    void fillsEachFieldInItsForm()
    {
        QFETCH(LanguageField, field);
        QFETCH(QString, text);
        QFETCH(QString, filled);
        QCOMPARE(hans().fill(text, field), filled);
    }

    void unsetShowsDotsEverywhere()
    {
        const PhraseTexts row{QStringLiteral("Меня зовут {my_name}"),
                              QStringLiteral("Menyá zavút {my_name}"),
                              QStringLiteral("My name is {my_name}"),
                              {},
                              {},
                              {},
                              {},
                              {},
                              QStringLiteral("名前は{my_name}です。 (Namae wa {my_name} desu.)")};
        const PhraseTexts filled = BlankFiller{}.fill(row);
        QCOMPARE(filled[0], QStringLiteral("Меня зовут ..."));
        QCOMPARE(filled[1], QStringLiteral("Menyá zavút ..."));
        QCOMPARE(filled[2], QStringLiteral("My name is ..."));
        QCOMPARE(filled[8], QStringLiteral("名前は...です。 (Namae wa ... desu.)"));
        QCOMPARE(BlankFiller::unfilled(row[2]), filled[2]);
    }

    void namesSlotsInOrder()
    {
        QCOMPARE(BlankFiller::slotsOf(QStringLiteral("{their_qth} {x} {my_name}, {their_qth}")),
                 QStringList({QStringLiteral("their_qth"), QStringLiteral("my_name"), QStringLiteral("their_qth")}));
        for (std::size_t at = 0; at < BlankFiller::Vocabulary.size(); ++at) {
            const std::string_view slot = BlankFiller::Vocabulary.at(at);
            QCOMPARE(BlankFiller::slotIndex(QString::fromLatin1(slot.data(), qsizetype(slot.size()))), at);
        }
        QVERIFY(!BlankFiller::slotIndex(u"My_name"));
    }

    void setAndUnset()
    {
        BlankFiller filler = hans();
        QVERIFY(!filler.isEmpty());
        QVERIFY(!filler.set(u"your_name", {QStringLiteral("x"), {}, {}}));
        station::ProfileBlanks::fill({}, filler);
        QVERIFY(!filler.isEmpty()); // rst_sent is the contact's, not the profile's
        QVERIFY(filler.set(u"rst_sent", {{}, QStringLiteral("пять девять"), {}}));
        QVERIFY(filler.isEmpty());
        QCOMPARE(filler, BlankFiller{});
    }
};

QTEST_APPLESS_MAIN(BlankFillerTest)
#include "blank_filler_test.moc"
