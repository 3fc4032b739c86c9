#include "speech_synthesizer.h"

#include "missing_romaji.h"
#include "phrase_data/romaji_kana.h"
#include "russian_stress.h"
#include "speech_error.h"

#include <QRegularExpression>
#include <array>

namespace speech {

using phrase_data::LanguageField;

namespace {

// The romaji of a Japanese cell: the last parenthesised part. A cell of kana alone is said as
// it stands.
QString japaneseText(const QString& cell)
{
    const qsizetype open = cell.lastIndexOf(u'(');
    const qsizetype close = cell.lastIndexOf(u')');
    if (open >= 0 && close > open)
        return SpeechSynthesizer::spaceOutCallSigns(cell.mid(open + 1, close - open - 1),
                                                    phrase_data::RomajiKana::toHiragana);
    const bool hasKanji = std::ranges::any_of(cell, [](QChar c) { return c.script() == QChar::Script_Han; });
    if (hasKanji) throw MissingRomaji(cell);
    return SpeechSynthesizer::spaceOutCallSigns(cell);
}

bool isVowelPhoneme(const QString& phoneme)
{
    // "@-" is a glide espeak-ng puts between consonants, "I^" the softness of a final consonant:
    // neither is a vowel of the spelling.
    if (phoneme == QStringLiteral("@-") || phoneme.contains(u'^')) return false;
    return std::ranges::any_of(phoneme, [](QChar c) { return QStringLiteral("aAeEiIoOuUVy@038").contains(c); });
}

// espeak-ng's Russian vowel for a vowel letter, stressed or not (unstressed о and а merge).
QString vowelPhoneme(QChar letter, bool stressed)
{
    static const QString Letters = QStringLiteral("аоеэиыуяюё");
    static const std::array<const char*, 10> Stressed{"A", "o", "e", "E", "i", "y", "u", "A", "u", "8"};
    static const std::array<const char*, 10> Unstressed{"V", "V", "I", "I", "i", "y", "u", "I", "u", "I"};
    const auto at = std::size_t(std::max<qsizetype>(0, Letters.indexOf(letter)));
    return QString::fromLatin1(stressed ? Stressed[at] : Unstressed[at]);
}

QString russianText(const QString& rus, const QString& rusP)
{
    const QString marked = SpeechSynthesizer::spaceOutCallSigns(RussianStress::mark(rus, rusP));
    QString result;
    QString word;
    const auto flush = [&] {
        result += word.contains(QChar(RussianStress::Acute)) ? SpeechSynthesizer::stressedPhonemes(word) : word;
        word.clear();
    };
    for (QChar c : marked) {
        if (c.isLetter() || c == RussianStress::Acute) {
            word += c;
            continue;
        }
        flush();
        result += c;
    }
    flush();
    return result;
}

} // namespace

const char* SpeechSynthesizer::voice(LanguageField field)
{
    switch (field) {
    case LanguageField::Rus:
    case LanguageField::RusP:
        return "ru";
    // "en" is espeak-ng's British English (it finds voices by file name, and "en-gb" is no file).
    case LanguageField::Eng:
        return "en";
    case LanguageField::Ger:
        return "de";
    case LanguageField::Fren:
        return "fr";
    case LanguageField::Ital:
        return "it";
    case LanguageField::Span:
        return "es";
    // The Portuguese phrases are Brazilian.
    case LanguageField::Port:
        return "pt-br";
    case LanguageField::Jap:
        return "ja";
    }
    return "en";
}

QString SpeechSynthesizer::spaceOutCallSigns(const QString& text, const std::function<QString(const QString&)>& rest)
{
    // Two or more capitals, or capitals with digits: a call sign, Q-code or abbreviation.
    static const QRegularExpression callSign(QStringLiteral("\\b(?=[0-9]*[A-Z])[A-Z0-9]{2,}\\b"));
    const auto other = [&](const QString& piece) { return rest ? rest(piece) : piece; };
    QString result;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : callSign.globalMatch(text)) {
        const QString token = match.captured();
        const bool letters = std::ranges::count_if(token, [](QChar c) { return c.isLetter(); }) >= 2;
        const bool digits = std::ranges::any_of(token, [](QChar c) { return c.isDigit(); });
        if (!letters && !digits) continue;
        result += other(text.mid(from, match.capturedStart() - from));
        QStringList letter;
        for (QChar c : token)
            letter << QString(c);
        result += letter.join(u' ');
        from = match.capturedEnd();
    }
    return result + other(text.mid(from));
}

QString SpeechSynthesizer::stressedPhonemes(const QString& markedWord)
{
    const qsizetype acute = markedWord.indexOf(QChar(RussianStress::Acute));
    QString plain = markedWord;
    plain.remove(QChar(RussianStress::Acute));
    const int stressed = RussianStress::vowelCount(markedWord.left(acute)) - 1;

    QStringList phonemes = EspeakEngine::instance()
                               .phonemes(SpeechSynthesizer::voice(LanguageField::Rus), plain)
                               .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QString letters;
    for (QChar c : plain)
        if (RussianStress::isCyrillicVowel(c)) letters += c.toLower();
    int vowel = 0;
    QString result;
    for (QString& phoneme : phonemes) {
        const bool wasStressed = phoneme.startsWith(u'\'');
        phoneme.remove(u'\'');
        phoneme.remove(u',');
        if (!isVowelPhoneme(phoneme)) {
            result += phoneme;
            continue;
        }
        if (vowel >= letters.size()) return plain;
        // The vowel that gains the stress and the one that loses it change their sound too.
        const bool stress = vowel == stressed;
        if (stress != wasStressed) {
            const QString glide = phoneme.startsWith(u'j') && phoneme.size() > 1 ? QStringLiteral("j") : QString();
            phoneme = glide + vowelPhoneme(letters[vowel], stress);
        }
        if (stress) result += u'\'';
        result += phoneme;
        ++vowel;
    }
    if (vowel != letters.size() || stressed < 0) return plain;
    return QStringLiteral("[[") + result + QStringLiteral("]]");
}

QString SpeechSynthesizer::speakableText(LanguageField field, const QString& text, const QString& rusP)
{
    QString spoken;
    switch (field) {
    case LanguageField::Rus:
    case LanguageField::RusP:
        spoken = russianText(text, rusP);
        break;
    case LanguageField::Jap:
        spoken = japaneseText(text);
        break;
    default:
        spoken = spaceOutCallSigns(text);
        break;
    }
    if (!std::ranges::any_of(spoken, [](QChar c) { return c.isLetterOrNumber(); }))
        throw SpeechError("\"" + text.toStdString() + "\": nothing to say");
    return spoken;
}

Pcm SpeechSynthesizer::say(LanguageField field, const QString& text, const QString& rusP,
                           const EspeakEngine::Samples& onSamples)
{
    return EspeakEngine::instance().synthesize(voice(field), speakableText(field, text, rusP), onSamples);
}

} // namespace speech
