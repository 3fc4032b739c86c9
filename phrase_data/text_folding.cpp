#include "text_folding.h"

#include "romaji_kana.h"

#include <QChar>
#include <QString>
#include <algorithm>

namespace phrase_data {

namespace {

bool isCjk(char32_t c)
{
    return (c >= 0x3040 && c <= 0x30FF)    // hiragana, katakana
           || (c >= 0x3400 && c <= 0x4DBF) // kanji, extension A
           || (c >= 0x4E00 && c <= 0x9FFF) // kanji
           || (c >= 0xF900 && c <= 0xFAFF) // compatibility kanji
           || (c >= 0xFF66 && c <= 0xFF9F) // half-width katakana
           || c == 0x3005;                 // the kanji repeat mark
}

// Latin letters (with Greek) lose their diacritics; other scripts keep theirs.
bool losesDiacritics(char32_t c)
{
    return c < 0x0370 || (c >= 0x1E00 && c <= 0x1EFF) || (c >= 0xFF00 && c <= 0xFF5E);
}

bool isKana(char16_t c)
{
    return (c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30FA) || c == 0x30FC;
}

bool isVoicingMark(char32_t c)
{
    return c == 0x3099 || c == 0x309A;
}

} // namespace

TextFolding::TextFolding()
    : m_table(0x10000)
{
    for (char32_t c = 0; c < 0x10000; ++c) {
        Folded& folded = m_table[c];
        const auto category = QChar::category(c);
        if (QChar::isSurrogate(c)) continue;
        if (category == QChar::Mark_NonSpacing && !isVoicingMark(c)) {
            folded.charClass = CharClass::Mark;
            continue;
        }
        if (isCjk(c) || isVoicingMark(c)) {
            folded = {{char16_t(c)}, 1, CharClass::Cjk};
            continue;
        }
        if (!QChar::isLetterOrNumber(c)) continue;
        QString text;
        if (c == U'ß' || c == U'ẞ')
            text = QStringLiteral("ss");
        else if (c == U'ё' || c == U'Ё')
            text = QStringLiteral("е");
        else if (losesDiacritics(c)) {
            for (const QChar part : QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_KD))
                if (part.category() != QChar::Mark_NonSpacing) text += part.toLower();
        }
        if (text.isEmpty() || text.size() > qsizetype(folded.chars.size())) {
            const char32_t lower = QChar::toLower(c);
            folded = {{char16_t(lower < 0x10000 ? lower : c)}, 1, CharClass::Word};
            continue;
        }
        folded.charClass = CharClass::Word;
        folded.size = std::uint8_t(text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            folded.chars[std::size_t(i)] = text[i].unicode();
    }
}

std::u16string TextFolding::romaji(std::u16string_view word)
{
    std::u16string collapsed;
    collapsed.reserve(word.size());
    for (const char16_t c : word) {
        const char16_t previous = collapsed.empty() ? 0 : collapsed.back();
        if ((previous == u'o' && (c == u'o' || c == u'u')) || (previous == u'u' && c == u'u')) continue;
        collapsed += c;
    }
    return collapsed;
}

std::u16string TextFolding::reading(std::u16string_view romajiWords, LongVowels longVowels)
{
    std::u16string once;
    char16_t previous = 0;
    for (const char16_t c : romajiWords) {
        if (c < u'a' || c > u'z') {
            // The words stay parted, for toHiragana's n before a vowel (kin'yōbi).
            if (!once.empty() && once.back() != u'-') once += u'-';
            if (longVowels == LongVowels::WithinWords) previous = 0;
            continue;
        }
        const bool longVowel = longVowels != LongVowels::Kept &&
                               ((previous == u'o' && (c == u'o' || c == u'u')) || (previous == u'u' && c == u'u') ||
                                (previous == c && (c == u'a' || c == u'i' || c == u'e')));
        previous = c;
        if (!longVowel) once += c;
    }
    QString kana = RomajiKana::toHiragana(QString::fromStdU16String(once));
    kana.remove(u'-');
    return kana.toStdU16String();
}

std::u16string TextFolding::kanaReading(std::u16string_view run)
{
    if (run.empty() || !std::ranges::all_of(run, isKana)) return {};
    const QString romajiText = RomajiKana::toRomaji(QString::fromUtf16(run.data(), qsizetype(run.size())));
    return reading(romajiText.toStdU16String(), LongVowels::AcrossWords);
}

} // namespace phrase_data
