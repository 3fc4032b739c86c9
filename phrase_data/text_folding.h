#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace phrase_data {

// How the search reads text: letters lose case and diacritics (é=e, ü=u, ß=ss, ё=е; the stress
// marks of the phonetic Russian go), words are runs of letters and digits, and kana and kanji
// form runs of their own that are matched as substrings. Cyrillic keeps its other letters (й is
// not и) and kana keep their voicing marks (が is not か): there a mark makes another letter.
class TextFolding {
public:
    enum class TokenKind : std::uint8_t { Word, Cjk };

    TextFolding();

    // Calls onToken(kind, folded) for every word and kana/kanji run of text, in order.
    template <typename OnToken> void split(std::u16string_view text, OnToken&& onToken) const
    {
        std::u16string token;
        CharClass current = CharClass::Separator;
        const auto flush = [&] {
            if (!token.empty()) onToken(current == CharClass::Cjk ? TokenKind::Cjk : TokenKind::Word, token);
            token.clear();
        };
        for (const char16_t c : text) {
            const Folded& folded = m_table[c];
            if (folded.charClass == CharClass::Mark) continue;
            if (folded.charClass != current) {
                flush();
                current = folded.charClass;
            }
            if (current == CharClass::Separator) continue;
            if (folded.size == 1)
                token.push_back(folded.chars[0]);
            else
                token.append(folded.chars.data(), folded.size);
        }
        flush();
    }

    // Japanese romaji writes a long vowel as a macron, a doubled vowel or "ou": with the macron
    // already folded away, "oo" and "ou" become "o" and "uu" becomes "u".
    [[nodiscard]] static std::u16string romaji(std::u16string_view word);
    // How the search compares kana with romaji: the hiragana that romaji words (folded, parted
    // by anything but a-z) read as, every long vowel written once, so that "arigatō",
    // "arigatou", ありがとう and アリガトー read alike. Digits and other letters are left out.
    // Across words, "ga arimasu" reads as があります does, がります; within words, "mō onegai"
    // keeps the お that お願い writes; kept, "kiite" keeps the い that 聞いて writes.
    enum class LongVowels : std::uint8_t { WithinWords, AcrossWords, Kept };
    [[nodiscard]] static std::u16string reading(std::u16string_view romajiWords, LongVowels longVowels);
    // The same for a run of kana (hiragana, katakana, ー), read through its romaji; empty for a
    // run that holds anything else, such as kanji, which have no reading of their own here.
    [[nodiscard]] static std::u16string kanaReading(std::u16string_view run);

private:
    enum class CharClass : std::uint8_t { Separator, Word, Cjk, Mark };
    struct Folded {
        std::array<char16_t, 3> chars{};
        std::uint8_t size = 0;
        CharClass charClass = CharClass::Separator;
    };
    std::vector<Folded> m_table; // one entry per UTF-16 code unit
};

} // namespace phrase_data
