#include "speech_synthesizer.h"

#include "russian_stress.h"
#include "speech_error.h"
#include "text_normaliser.h"

#include <QRegularExpression>
#include <QSet>
#include <array>

namespace speech {

using phrase_data::LanguageField;

namespace {

// espeak-ng's Russian vowel for a vowel letter, stressed or not (unstressed о and а merge).
QString vowelPhoneme(QChar letter, bool stressed)
{
    static const QString Letters = QStringLiteral("аоеэиыуяюё");
    static const std::array<const char*, 10> Stressed{"A", "o", "e", "E", "i", "y", "u", "A", "u", "8"};
    static const std::array<const char*, 10> Unstressed{"V", "V", "I", "I", "i", "y", "u", "I", "u", "I"};
    const auto at = std::size_t(std::max<qsizetype>(0, Letters.indexOf(letter)));
    return QString::fromLatin1(stressed ? Stressed[at] : Unstressed[at]);
}

// The Russian voice's text for a spoken line: each stressed word as phonemes carrying its
// stress. A one-syllable preposition or particle joins the word after it, as it is said, so
// that it takes no stress of its own ("за вы́зов", "по-ру́сски", and к is never the letter "ка").
QString russianText(const QString& spoken)
{
    static const QSet<QString> Clitics{"в",  "во", "к",  "ко", "с", "со", "за",  "на",  "по",  "под", "над",
                                       "от", "до", "из", "у",  "о", "об", "без", "при", "про", "для", "не"};
    static const QRegularExpression word(QStringLiteral("[\\p{Cyrillic}\\x{0301}]+"));
    QString result;
    QString clitic; // a preposition waiting for the word it joins
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : word.globalMatch(spoken)) {
        const QString between = spoken.mid(from, match.capturedStart() - from);
        QString text = match.captured();
        from = match.capturedEnd();
        if (!clitic.isEmpty() && (between.trimmed().isEmpty() || between == QStringLiteral("-")))
            text.prepend(clitic);
        else
            result += clitic + between;
        clitic.clear();
        if (Clitics.contains(text.toLower())) {
            clitic = text;
            continue;
        }
        result += text.contains(QChar(RussianStress::Acute)) ? SpeechSynthesizer::stressedPhonemes(text) : text;
    }
    return result + clitic + spoken.mid(from);
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
        if (!RussianStress::isVowelPhoneme(phoneme)) {
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

QString SpeechSynthesizer::spokenText(LanguageField field, const QString& text, const QString& rusP)
{
    QString spoken = TextNormaliser::spoken(field, text, rusP).simplified();
    if (!std::ranges::any_of(spoken, [](QChar c) { return c.isLetterOrNumber(); }))
        throw SpeechError("\"" + text.toStdString() + "\": nothing to say");
    return spoken;
}

QString SpeechSynthesizer::speakableText(LanguageField field, const QString& text, const QString& rusP)
{
    const QString spoken = spokenText(field, text, rusP);
    return field == LanguageField::Rus || field == LanguageField::RusP ? russianText(spoken) : spoken;
}

Pcm SpeechSynthesizer::say(LanguageField field, const QString& text, const QString& rusP,
                           const EspeakEngine::Samples& onSamples)
{
    return EspeakEngine::instance().synthesize(voice(field), speakableText(field, text, rusP), onSamples);
}

} // namespace speech
