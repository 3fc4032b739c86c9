#include "japanese_normaliser.h"

#include "missing_romaji.h"
#include "phrase_data/romaji_kana.h"
#include "pronunciation_table.h"
#include "text_normaliser.h"

#include <QRegularExpression>

namespace speech {

using phrase_data::LanguageField;

namespace {

// Romaji with the Latin words the converter must not see spelled out in katakana first.
QString romajiText(const QString& romaji)
{
    // A capital after the first letter of a word (LoTW-like), or a capital standing alone.
    static const QRegularExpression latin(QStringLiteral("(?<!\\p{L})(?:[A-Za-z]+[A-Z][A-Za-z]*|[A-Z])(?!\\p{L})"));
    QString result;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : latin.globalMatch(romaji)) {
        result += phrase_data::RomajiKana::toHiragana(romaji.mid(from, match.capturedStart() - from));
        QStringList names;
        for (QChar c : match.captured())
            names << PronunciationTable::letterName(LanguageField::Jap, c);
        result += names.join(u' ');
        from = match.capturedEnd();
    }
    return result + phrase_data::RomajiKana::toHiragana(romaji.mid(from));
}

QString kanaText(const QString& cell)
{
    const qsizetype open = cell.lastIndexOf(u'(');
    const qsizetype close = cell.lastIndexOf(u')');
    if (open >= 0 && close > open)
        return TextNormaliser::operatorWords(LanguageField::Jap, cell.mid(open + 1, close - open - 1), romajiText);
    const bool hasKanji = std::ranges::any_of(cell, [](QChar c) { return c.script() == QChar::Script_Han; });
    if (hasKanji) throw MissingRomaji(cell);
    return TextNormaliser::operatorWords(LanguageField::Jap, cell, romajiText);
}

} // namespace

QString JapaneseNormaliser::spoken(const QString& cell)
{
    static const QRegularExpression spelling(QStringLiteral("^\\s*([A-Za-z0-9])\\s*[—–]\\s*(.+)$"));
    const QRegularExpressionMatch row = spelling.match(cell);
    if (!row.hasMatch()) return kanaText(cell);
    const QChar letter = row.captured(1).at(0);
    const QString name = letter.isDigit() ? PronunciationTable::digitWord(LanguageField::Jap, letter)
                                          : PronunciationTable::letterName(LanguageField::Jap, letter);
    // The word is said from its kana; its romaji is only a reading aid here.
    static const QRegularExpression romaji(QStringLiteral("\\s*\\([^)]*\\)"));
    QString word = row.captured(2);
    word.remove(romaji);
    return name + u' ' + kanaText(word);
}

} // namespace speech
