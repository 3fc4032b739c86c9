// The designed Windows font names reach installed Debian fonts.

#include "main_window/font_substitutes.h"

#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTest>
#include <QTextLayout>

class FontSubstitutesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void designedFaceFindsInstalledFamily_data();
    void designedFaceFindsInstalledFamily();
    void japaneseTextFindsGlyphs_data();
    void japaneseTextFindsGlyphs();
};

void FontSubstitutesTest::initTestCase()
{
    FontSubstitutes::install();
    // Twice, as a program might: the second call must not disturb the first.
    FontSubstitutes::install();
}

void FontSubstitutesTest::designedFaceFindsInstalledFamily_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("family");

    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << false << "DejaVu Sans";
    QTest::newRow("MS Sans Serif bold") << "MS Sans Serif" << true << "DejaVu Sans";
    QTest::newRow("Verdana") << "Verdana" << false << "DejaVu Sans";
    QTest::newRow("Comic Sans MS") << "Comic Sans MS" << false << "Comic Neue";
    QTest::newRow("Comic Sans MS bold") << "Comic Sans MS" << true << "Comic Neue";
}

void FontSubstitutesTest::designedFaceFindsInstalledFamily()
{
    QFETCH(QString, face);
    QFETCH(bool, bold);
    QFETCH(QString, family);

    QFont font(face);
    font.setPixelSize(13);
    font.setBold(bold);
    const QFontInfo info(font);
    QCOMPARE(info.family(), family);
    // The family has a real bold face, so bold text is not smeared from the regular one.
    QCOMPARE(info.bold(), bold);
}

void FontSubstitutesTest::japaneseTextFindsGlyphs_data()
{
    QTest::addColumn<QString>("face");
    QTest::newRow("MS Sans Serif") << "MS Sans Serif";
    QTest::newRow("Verdana") << "Verdana";
    QTest::newRow("Comic Sans MS") << "Comic Sans MS";
}

void FontSubstitutesTest::japaneseTextFindsGlyphs()
{
    QFETCH(QString, face);

    QFont font(face);
    font.setPixelSize(13);
    QTextLayout layout(QStringLiteral("こんにちは、ロシア語"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();

    const QList<QGlyphRun> runs = layout.glyphRuns();
    QVERIFY(!runs.isEmpty());
    for (const QGlyphRun& run : runs) {
        QCOMPARE(run.rawFont().familyName(), QStringLiteral("Noto Sans CJK JP"));
        for (const quint32 glyph : run.glyphIndexes())
            QVERIFY2(glyph != 0, "a character without a glyph");
    }
}

QTEST_MAIN(FontSubstitutesTest)
#include "font_substitutes_test.moc"
