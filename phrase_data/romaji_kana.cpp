#include "romaji_kana.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace phrase_data {

namespace {

struct Syllable {
    std::string_view romaji;
    const char16_t* kana;
};

// The lookup tries three letters, then two, then one.
constexpr auto Syllables = std::to_array<Syllable>({
    {"a", u"あ"},
    {"i", u"い"},
    {"u", u"う"},
    {"e", u"え"},
    {"o", u"お"},
    {"ka", u"か"},
    {"ki", u"き"},
    {"ku", u"く"},
    {"ke", u"け"},
    {"ko", u"こ"},
    {"ga", u"が"},
    {"gi", u"ぎ"},
    {"gu", u"ぐ"},
    {"ge", u"げ"},
    {"go", u"ご"},
    {"sa", u"さ"},
    {"shi", u"し"},
    {"su", u"す"},
    {"se", u"せ"},
    {"so", u"そ"},
    {"za", u"ざ"},
    {"ji", u"じ"},
    {"zu", u"ず"},
    {"ze", u"ぜ"},
    {"zo", u"ぞ"},
    {"ta", u"た"},
    {"chi", u"ち"},
    {"tsu", u"つ"},
    {"te", u"て"},
    {"to", u"と"},
    {"da", u"だ"},
    {"di", u"でぃ"},
    {"du", u"どぅ"},
    {"de", u"で"},
    {"do", u"ど"},
    {"na", u"な"},
    {"ni", u"に"},
    {"nu", u"ぬ"},
    {"ne", u"ね"},
    {"no", u"の"},
    {"ha", u"は"},
    {"hi", u"ひ"},
    {"fu", u"ふ"},
    {"he", u"へ"},
    {"ho", u"ほ"},
    {"ba", u"ば"},
    {"bi", u"び"},
    {"bu", u"ぶ"},
    {"be", u"べ"},
    {"bo", u"ぼ"},
    {"pa", u"ぱ"},
    {"pi", u"ぴ"},
    {"pu", u"ぷ"},
    {"pe", u"ぺ"},
    {"po", u"ぽ"},
    {"ma", u"ま"},
    {"mi", u"み"},
    {"mu", u"む"},
    {"me", u"め"},
    {"mo", u"も"},
    {"ya", u"や"},
    {"yu", u"ゆ"},
    {"yo", u"よ"},
    {"ra", u"ら"},
    {"ri", u"り"},
    {"ru", u"る"},
    {"re", u"れ"},
    {"ro", u"ろ"},
    {"wa", u"わ"},
    {"wo", u"を"},
    {"kya", u"きゃ"},
    {"kyu", u"きゅ"},
    {"kyo", u"きょ"},
    {"gya", u"ぎゃ"},
    {"gyu", u"ぎゅ"},
    {"gyo", u"ぎょ"},
    {"sha", u"しゃ"},
    {"shu", u"しゅ"},
    {"sho", u"しょ"},
    {"she", u"しぇ"},
    {"ja", u"じゃ"},
    {"ju", u"じゅ"},
    {"jo", u"じょ"},
    {"je", u"じぇ"},
    {"cha", u"ちゃ"},
    {"chu", u"ちゅ"},
    {"cho", u"ちょ"},
    {"che", u"ちぇ"},
    {"nya", u"にゃ"},
    {"nyu", u"にゅ"},
    {"nyo", u"にょ"},
    {"hya", u"ひゃ"},
    {"hyu", u"ひゅ"},
    {"hyo", u"ひょ"},
    {"bya", u"びゃ"},
    {"byu", u"びゅ"},
    {"byo", u"びょ"},
    {"pya", u"ぴゃ"},
    {"pyu", u"ぴゅ"},
    {"pyo", u"ぴょ"},
    {"mya", u"みゃ"},
    {"myu", u"みゅ"},
    {"myo", u"みょ"},
    {"rya", u"りゃ"},
    {"ryu", u"りゅ"},
    {"ryo", u"りょ"},
    {"fa", u"ふぁ"},
    {"fi", u"ふぃ"},
    {"fe", u"ふぇ"},
    {"fo", u"ふぉ"},
    {"ti", u"てぃ"},
    {"tu", u"とぅ"},
    {"dyu", u"でゅ"},
    {"wi", u"うぃ"},
    {"we", u"うぇ"},
    {"va", u"ゔぁ"},
    {"vi", u"ゔぃ"},
    {"vu", u"ゔ"},
    {"ve", u"ゔぇ"},
    {"vo", u"ゔぉ"},
    {"tsa", u"つぁ"},
    {"ye", u"いぇ"},
    {"kwa", u"くぁ"},
    {"gwa", u"ぐぁ"},
    {"si", u"し"},
    {"zi", u"じ"},
    {"hu", u"ふ"},
    {"tyu", u"ちゅ"},
    {"sya", u"しゃ"},
    {"syu", u"しゅ"},
    {"syo", u"しょ"},
    {"zya", u"じゃ"},
    {"zyu", u"じゅ"},
    {"zyo", u"じょ"},
    {"tya", u"ちゃ"},
    {"tyo", u"ちょ"},
    {"jya", u"じゃ"},
    // The way back only: Hepburn writes ぢ and づ as ji and zu, which toHiragana reads as じ and ず.
    {"ji", u"ぢ"},
    {"zu", u"づ"},
});

const char16_t* syllable(std::u16string_view latin)
{
    for (const Syllable& each : Syllables) {
        if (each.romaji.size() != latin.size()) continue;
        if (std::equal(latin.begin(), latin.end(), each.romaji.begin())) return each.kana;
    }
    return nullptr;
}

// The romaji of the longest kana at the start of text: two characters (きゃ), then one.
std::optional<std::pair<std::string_view, std::size_t>> romajiOf(std::u16string_view text)
{
    for (std::size_t length = 2; length >= 1; --length) {
        if (text.size() < length) continue;
        // The first spelling listed is the Hepburn one (し is shi before si).
        for (const Syllable& each : Syllables)
            if (text.substr(0, length) == std::u16string_view(each.kana)) return std::pair(each.romaji, length);
    }
    return std::nullopt;
}

bool isVowel(QChar c)
{
    return QStringLiteral("aiueo").contains(c);
}

bool isConsonant(QChar c)
{
    return c >= u'a' && c <= u'z' && !isVowel(c);
}

// ā ī ū ē ō (and the circumflexed forms some writers use) as the vowel written twice.
QString expandMacrons(const QString& text)
{
    QString result;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if ((c == u'\u0304' || c == u'\u0302') && !result.isEmpty())
            result += result.back();
        else
            result += c;
    }
    return result;
}

} // namespace

QString RomajiKana::toHiragana(const QString& romaji)
{
    const QString text = expandMacrons(romaji.toLower());
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
    QString kana;
    std::size_t i = 0;
    while (i < view.size()) {
        const QChar c(view[i]);
        const QChar next = i + 1 < view.size() ? QChar(view[i + 1]) : QChar();
        // Older Hepburn writes the n before b, p and m as m (shimbun).
        const bool syllabicM = c == u'm' && (next == u'b' || next == u'p' || next == u'm');
        if (syllabicM || (c == u'n' && !isVowel(next) && next != u'y')) {
            kana += u'ん';
            // n' and n- only part the n from what follows.
            i += (next == u'\'' || next == u'-') ? 2 : 1;
            continue;
        }
        // A doubled consonant, or the t of "tch", is the small tsu.
        if (isConsonant(c) && c != u'n' && (next == c || (c == u't' && next == u'c'))) {
            kana += u'っ';
            ++i;
            continue;
        }
        bool matched = false;
        for (std::size_t length = 3; length >= 1 && !matched; --length) {
            if (i + length > view.size()) continue;
            if (const char16_t* found = syllable(view.substr(i, length))) {
                kana += QString::fromUtf16(found);
                i += length;
                matched = true;
            }
        }
        if (!matched) kana += view[i++];
    }
    return kana;
}

QString RomajiKana::toRomaji(const QString& kana)
{
    // Katakana are read as the hiragana 0x60 below them.
    std::u16string text;
    for (const QChar c : kana)
        text += c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6 ? char16_t(c.unicode() - 0x60) : c.unicode();
    const std::u16string_view view(text);
    QString romaji;
    bool doubled = false;
    for (std::size_t i = 0; i < view.size();) {
        const char16_t c = view[i];
        if (c == u'っ') {
            doubled = true;
            ++i;
            continue;
        }
        if (c == u'ー') {
            for (qsizetype at = romaji.size() - 1; at >= 0; --at)
                if (isVowel(romaji[at])) {
                    romaji += romaji[at];
                    break;
                }
            ++i;
            continue;
        }
        if (c == u'ん') {
            const auto next = romajiOf(view.substr(i + 1));
            romaji += next && (isVowel(QChar(next->first.front())) || next->first.front() == 'y') ? QStringLiteral("n'")
                                                                                                  : QStringLiteral("n");
            ++i;
            continue;
        }
        const auto found = romajiOf(view.substr(i));
        if (!found) {
            romaji += QChar(c);
            doubled = false;
            ++i;
            continue;
        }
        const QString syllable = QString::fromLatin1(found->first.data(), qsizetype(found->first.size()));
        // A small tsu before ch is written t (matcha).
        if (doubled) romaji += syllable.startsWith(u'c') ? QChar(u't') : syllable.front();
        doubled = false;
        romaji += syllable;
        i += found->second;
    }
    return romaji;
}

} // namespace phrase_data
