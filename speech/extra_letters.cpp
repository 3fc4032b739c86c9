#include "extra_letters.h"

#include <array>

namespace speech {

using phrase_data::LanguageField;

namespace {

struct Entry {
    LanguageField field;
    char16_t letter;
    char16_t plain; // 0: the word stands alone
    const char16_t* word;
};

// clang-format off
constexpr auto Entries = std::to_array<Entry>({
    // German: DIN 5009, the words German operators use for the umlauts and ß.
    {LanguageField::Ger, u'Ä', 0, u"Ärger"},
    {LanguageField::Ger, u'Ö', 0, u"Ökonom"},
    {LanguageField::Ger, u'Ü', 0, u"Übermut"},
    {LanguageField::Ger, u'ß', 0, u"Eszett"},
    // French: the letter, then the accent's name as French spelling aloud gives it.
    {LanguageField::Fren, u'À', u'A', u"accent grave"},
    {LanguageField::Fren, u'Â', u'A', u"accent circonflexe"},
    {LanguageField::Fren, u'Ç', u'C', u"cédille"},
    {LanguageField::Fren, u'É', u'E', u"accent aigu"},
    {LanguageField::Fren, u'È', u'E', u"accent grave"},
    {LanguageField::Fren, u'Ê', u'E', u"accent circonflexe"},
    {LanguageField::Fren, u'Ë', u'E', u"tréma"},
    {LanguageField::Fren, u'Î', u'I', u"accent circonflexe"},
    {LanguageField::Fren, u'Ï', u'I', u"tréma"},
    {LanguageField::Fren, u'Ô', u'O', u"accent circonflexe"},
    {LanguageField::Fren, u'Ù', u'U', u"accent grave"},
    {LanguageField::Fren, u'Û', u'U', u"accent circonflexe"},
    {LanguageField::Fren, u'Ü', u'U', u"tréma"},
    {LanguageField::Fren, u'Ÿ', u'Y', u"tréma"},
    // Spanish: ñ is a letter of its own with its own word; the vowels take "con tilde" (the
    // written accent), ü "con diéresis", as the Real Academia names the marks.
    {LanguageField::Span, u'Ñ', 0, u"Ñoño"},
    {LanguageField::Span, u'Á', u'A', u"con tilde"},
    {LanguageField::Span, u'É', u'E', u"con tilde"},
    {LanguageField::Span, u'Í', u'I', u"con tilde"},
    {LanguageField::Span, u'Ó', u'O', u"con tilde"},
    {LanguageField::Span, u'Ú', u'U', u"con tilde"},
    {LanguageField::Span, u'Ü', u'U', u"con diéresis"},
    // Portuguese: the letter, then the mark's name (agudo, grave, circunflexo, til, cedilha).
    {LanguageField::Port, u'Á', u'A', u"agudo"},
    {LanguageField::Port, u'À', u'A', u"grave"},
    {LanguageField::Port, u'Â', u'A', u"circunflexo"},
    {LanguageField::Port, u'Ã', u'A', u"til"},
    {LanguageField::Port, u'Ç', u'C', u"cedilha"},
    {LanguageField::Port, u'É', u'E', u"agudo"},
    {LanguageField::Port, u'Ê', u'E', u"circunflexo"},
    {LanguageField::Port, u'Í', u'I', u"agudo"},
    {LanguageField::Port, u'Ó', u'O', u"agudo"},
    {LanguageField::Port, u'Ô', u'O', u"circunflexo"},
    {LanguageField::Port, u'Õ', u'O', u"til"},
    {LanguageField::Port, u'Ú', u'U', u"agudo"},
});
// clang-format on

} // namespace

std::optional<ExtraLetters::Spelling> ExtraLetters::find(LanguageField field, QChar letter)
{
    for (const Entry& entry : Entries)
        if (entry.field == field && entry.letter == letter.unicode())
            return Spelling{entry.plain == 0 ? QChar() : QChar(entry.plain), QString::fromUtf16(entry.word)};
    return std::nullopt;
}

} // namespace speech
