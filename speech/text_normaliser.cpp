#include "text_normaliser.h"

#include "call_sign_speller.h"
#include "japanese_normaliser.h"
#include "pronunciation_table.h"
#include "russian_normaliser.h"

#include <QRegularExpression>
#include <array>

namespace speech {

using phrase_data::LanguageField;

namespace {

QString digitByDigit(LanguageField field, const QString& digits)
{
    QStringList words;
    for (QChar c : digits)
        words << PronunciationTable::digitWord(field, c);
    return words.join(u' ');
}

// 1-99 in English words.
QString englishNumber(int n)
{
    static const std::array<const char*, 20> Small{
        "",    "one",    "two",    "three",    "four",     "five",    "six",     "seven",     "eight",    "nine",
        "ten", "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
    static const std::array<const char*, 10> Tens{"",      "",      "twenty",  "thirty", "forty",
                                                  "fifty", "sixty", "seventy", "eighty", "ninety"};
    if (n < 20) return QString::fromLatin1(Small[std::size_t(n)]);
    const QString tens = QString::fromLatin1(Tens[std::size_t(n / 10)]);
    return n % 10 == 0 ? tens : tens + u'-' + QString::fromLatin1(Small[std::size_t(n % 10)]);
}

// 1-99 in German words, written as one word.
QString germanNumber(int n)
{
    static const std::array<const char16_t*, 20> Small{u"",         u"eins",     u"zwei",     u"drei",     u"vier",
                                                       u"fünf",     u"sechs",    u"sieben",   u"acht",     u"neun",
                                                       u"zehn",     u"elf",      u"zwölf",    u"dreizehn", u"vierzehn",
                                                       u"fünfzehn", u"sechzehn", u"siebzehn", u"achtzehn", u"neunzehn"};
    static const std::array<const char16_t*, 10> Tens{u"",        u"",        u"zwanzig", u"dreißig", u"vierzig",
                                                      u"fünfzig", u"sechzig", u"siebzig", u"achtzig", u"neunzig"};
    if (n < 20) return QString::fromUtf16(Small[std::size_t(n)]);
    QString tens = QString::fromUtf16(Tens[std::size_t(n / 10)]);
    if (n % 10 == 0) return tens;
    const QString unit = n % 10 == 1 ? QStringLiteral("ein") : QString::fromUtf16(Small[std::size_t(n % 10)]);
    return unit + QStringLiteral("und") + tens;
}

// A year as English and German speakers say it; empty where the voice's reading of the
// amount is already what speakers say.
QString yearWords(LanguageField field, int year)
{
    const int century = year / 100;
    const int rest = year % 100;
    if (field == LanguageField::Eng && (century == 19 || rest >= 10)) {
        if (rest == 0) return englishNumber(century) + QStringLiteral(" hundred");
        return englishNumber(century) + (rest < 10 ? QStringLiteral(" oh ") : QStringLiteral(" ")) +
               englishNumber(rest);
    }
    if (field == LanguageField::Ger && century == 19)
        return germanNumber(century) + QStringLiteral("hundert") + germanNumber(rest);
    return {};
}

bool isReport(const QString& digits)
{
    static const QRegularExpression report(QStringLiteral("^[3-5][1-9][1-9]?$"));
    return report.match(digits).hasMatch();
}

QString numberWords(LanguageField field, const QString& digits, const QString& unit)
{
    if (!unit.isEmpty()) return digits + u' ' + PronunciationTable::unitWord(field, unit).value_or(unit);
    if ((digits.size() > 1 && digits.front() == u'0') || isReport(digits)) return digitByDigit(field, digits);
    const int value = digits.toInt();
    if (digits.size() == 4 && value >= 1900 && value <= 2099) {
        QString year = yearWords(field, value);
        if (!year.isEmpty()) return year;
    }
    return digits;
}

QString strokeWord(LanguageField field)
{
    // The Japanese stroke word carries its romaji, which is not said.
    QString word = CallSignSpeller::strokeWord(field);
    return word.left(word.indexOf(QStringLiteral(" ("))).trimmed();
}

} // namespace

QString TextNormaliser::spellCode(LanguageField field, const QString& code)
{
    QStringList words;
    const bool plural = code.size() > 2 && code.back() == u's' && code.at(code.size() - 2).isUpper();
    for (QChar c : plural ? code.chopped(1) : code)
        words << (c.isDigit() ? PronunciationTable::digitWord(field, c) : PronunciationTable::letterName(field, c));
    if (plural) words.back() += u's';
    return words.join(u' ');
}

QString TextNormaliser::operatorWords(LanguageField field, const QString& text, const Rest& rest)
{
    static const QRegularExpression token = [] {
        QStringList codes;
        for (const QString& code : PronunciationTable::codes())
            codes << QRegularExpression::escape(code);
        return QRegularExpression(QStringLiteral("(?<word>%1)\\b"
                                                 "|\\b(?<code>[a-z]?(?=[A-Z0-9]*[A-Z])[A-Z0-9]{2,}s?)\\b"
                                                 "|(?<number>\\d+)(?:[ \\x{00A0}]?(?<unit>kHz|MHz|dB)\\b)?"
                                                 "|(?<stroke>/)(?<suffix>[A-Z0-9]+)\\b")
                                      .arg(codes.join(u'|')));
    }();
    const auto other = [&](const QString& piece) { return rest ? rest(piece) : piece; };
    QString result;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : token.globalMatch(text)) {
        QString said;
        if (match.hasCaptured(u"word")) {
            said = PronunciationTable::codeWord(field, match.captured(u"word")).value_or(match.captured(u"word"));
        } else if (match.hasCaptured(u"code")) {
            const QString code = match.captured(u"code");
            const bool letters = std::ranges::count_if(code, [](QChar c) { return c.isUpper(); }) >= 2;
            const bool digits = std::ranges::any_of(code, [](QChar c) { return c.isDigit(); });
            if (!letters && !digits) continue;
            said = spellCode(field, code);
        } else if (match.hasCaptured(u"number")) {
            said = numberWords(field, match.captured(u"number"), match.captured(u"unit"));
        } else {
            said = strokeWord(field) + u' ' + spellCode(field, match.captured(u"suffix"));
        }
        result += other(text.mid(from, match.capturedStart() - from));
        // What is glued to a call sign ("DL1ABC/P", "QRZ.com") is a word of its own.
        if (!result.isEmpty() &&
            (result.back().isLetterOrNumber() || (match.hasCaptured(u"stroke") && !result.back().isSpace())))
            result += u' ';
        result += said;
        from = match.capturedEnd();
    }
    return result + other(text.mid(from));
}

QString TextNormaliser::spoken(LanguageField field, const QString& text, const QString& rusP)
{
    switch (field) {
    case LanguageField::Rus:
    case LanguageField::RusP:
        return RussianNormaliser::spoken(text, rusP);
    case LanguageField::Jap:
        return JapaneseNormaliser::spoken(text);
    default:
        return operatorWords(field, text);
    }
}

} // namespace speech
