#include "russian_stress.h"

#include <QSet>

namespace speech {

namespace {

bool isLatinVowel(QChar letter)
{
    return QStringLiteral("aeiou").contains(letter.toLower());
}

bool isCyrillic(const QString& word)
{
    return std::ranges::any_of(word, [](QChar c) { return c.script() == QChar::Script_Cyrillic; });
}

int yoIndex(const QString& word)
{
    int vowel = 0;
    for (QChar c : word) {
        if (c.toLower() == u'ё') return vowel;
        if (RussianStress::isCyrillicVowel(c)) ++vowel;
    }
    return -1;
}

} // namespace

QString RussianStress::stressWord(const QString& russianWord, int vowel)
{
    QString result;
    int at = 0;
    for (QChar c : russianWord) {
        result += c;
        if (!isCyrillicVowel(c)) continue;
        if (at++ == vowel) result += QChar(Acute);
    }
    return result;
}

QString RussianStress::stressed(const QString& russianWord, const QString& phoneticWord)
{
    int total = 0;
    const int marked = phoneticWord.isEmpty() ? -1 : stressedVowel(phoneticWord, &total);
    if (marked >= 0 && total == vowelCount(russianWord)) return stressWord(russianWord, marked);
    return stressWord(russianWord, yoIndex(russianWord));
}

bool RussianStress::isVowelPhoneme(const QString& phoneme)
{
    if (phoneme == QStringLiteral("@-") || phoneme.contains(u'^')) return false;
    return std::ranges::any_of(phoneme, [](QChar c) { return QStringLiteral("aAeEiIoOuUVy@038").contains(c); });
}

bool RussianStress::isCyrillicVowel(QChar letter)
{
    return QStringLiteral("аеёиоуыэюя").contains(letter.toLower());
}

int RussianStress::vowelCount(const QString& russianWord)
{
    return int(std::ranges::count_if(russianWord, isCyrillicVowel));
}

QStringList RussianStress::words(const QString& text, bool phonetic)
{
    QStringList result;
    QString word;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A hyphen between letters joins one word ("по-русски"; RusP's "ka-es-vé" for КСВ).
        const bool joining = c == u'-' && !word.isEmpty() && i + 1 < text.size() && text[i + 1].isLetter();
        if (c.isLetter() || c == RussianStress::Acute || joining || (phonetic && c == u'\'' && !word.isEmpty())) {
            word += c;
            continue;
        }
        if (!word.isEmpty()) result << word;
        word.clear();
    }
    if (!word.isEmpty()) result << word;
    return result;
}

int RussianStress::stressedVowel(const QString& phoneticWord, int* vowelTotal)
{
    // Decomposed, an accented vowel is its base letter followed by U+0301.
    const QString word = phoneticWord.normalized(QString::NormalizationForm_D);
    int vowels = 0;
    int stressed = -1;
    bool previousVowel = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i].toLower();
        if (c == RussianStress::Acute) continue;
        const bool acute = i + 1 < word.size() && word[i + 1] == RussianStress::Acute;
        // y before or after a vowel is the glide й (or the y of я, ю, е, ё); elsewhere it is ы.
        const QChar next = i + 1 + (acute ? 1 : 0) < word.size() ? word[i + 1 + (acute ? 1 : 0)] : QChar();
        const bool vowel = isLatinVowel(c) || (c == u'y' && !previousVowel && !isLatinVowel(next));
        if (vowel) {
            if (acute) stressed = vowels;
            ++vowels;
        }
        previousVowel = vowel;
    }
    if (vowelTotal != nullptr) *vowelTotal = vowels;
    return stressed;
}

QString RussianStress::mark(const QString& rus, const QString& rusP)
{
    // Latin words (QRL, QRZ.com) stand in both cells as they are; the rest pair in order.
    QStringList russian;
    QSet<QString> latin;
    for (const QString& word : words(rus, false)) {
        if (isCyrillic(word))
            russian << word;
        else
            latin.insert(word);
    }
    QStringList phonetic;
    for (const QString& word : words(rusP, true))
        if (!latin.contains(word)) phonetic << word;
    const bool paired = phonetic.size() == russian.size();

    QString result;
    qsizetype from = 0;
    for (qsizetype i = 0; i < russian.size(); ++i) {
        const QString& word = russian[i];
        const qsizetype at = rus.indexOf(word, from);
        result += rus.mid(from, at - from);
        from = at + word.size();
        result += stressed(word, paired ? phonetic[i] : QString());
    }
    result += rus.mid(from);
    return result;
}

} // namespace speech
