#include "call_sign_speller.h"

#include "extra_letters.h"
#include "phrase_data/phrase_catalogue.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

namespace speech {

using phrase_data::LanguageField;

namespace {

// The Latin letter with the same Morse code as each Cyrillic letter the table can spell.
constexpr std::u16string_view Cyrillic = u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЩЬЫ";
constexpr std::u16string_view Latin = u"ABWGDEEVZIJKLMNOPRSTUFHCQXY";
static_assert(Cyrillic.size() == Latin.size());

// The word for "/" where the table has none, in the order of LanguageField.
constexpr std::array<const char16_t*, phrase_data::LanguageFieldCount> StrokeWords{
    u"дробь", u"drob'", u"stroke", u"Bruchstrich", u"barre", u"barra", u"barra", u"barra", u"スラッシュ (surasshu)"};

QChar key(QChar c)
{
    const QChar upper = c.toUpper();
    if (const auto at = Cyrillic.find(char16_t(upper.unicode())); at != std::u16string_view::npos)
        return QChar(Latin[at]);
    return upper;
}

} // namespace

QByteArray CallSignSpeller::callsignFile()
{
    return QByteArray(phrase_data::PhraseCatalogue::topics().front().dataFile);
}

CallSignSpeller::CallSignSpeller(const phrase_data::PhraseTable& file)
{
    static const QRegularExpression entry(QStringLiteral("^\\s*(\\S)\\s*[—–-]\\s*(.+?)\\s*$"));
    for (const auto& language : phrase_data::PhraseCatalogue::languages()) {
        for (int row = 0; row < file.rowCount(); ++row) {
            const QRegularExpressionMatch match = entry.match(file.text(row, language.field));
            if (match.hasMatch())
                m_words[std::size_t(language.field)].insert(match.captured(1).at(0).toUpper(), match.captured(2));
        }
    }
}

QString CallSignSpeller::word(LanguageField field, QChar c) const
{
    const auto& words = m_words[std::size_t(field)];
    const auto found = words.constFind(key(c));
    if (found != words.constEnd()) return *found;
    if (const auto extra = ExtraLetters::find(field, c.toUpper())) {
        if (extra->plain.isNull()) return extra->word;
        const auto plain = words.constFind(extra->plain);
        if (plain != words.constEnd()) return *plain + u' ' + extra->word;
    }
    if (c == u'/') return strokeWord(field);
    return QStringLiteral("[%1]").arg(c);
}

QStringList CallSignSpeller::spell(LanguageField field, const QString& text) const
{
    QStringList result;
    // A character as the user sees it: an emoji or a letter with a combining mark is one
    // bracket, not one per UTF-16 unit.
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = characters.toNextBoundary(); end > start;
         start = end, end = characters.toNextBoundary()) {
        const QString character = text.mid(start, end - start);
        if (character.size() == 1 && character[0].isSpace()) continue;
        result << (character.size() == 1 ? word(field, character[0]) : QStringLiteral("[%1]").arg(character));
    }
    return result;
}

QString CallSignSpeller::sayable(LanguageField field, const QString& text, QString* rusP) const
{
    if (field == LanguageField::Rus || field == LanguageField::RusP) {
        if (rusP != nullptr) *rusP = spell(LanguageField::RusP, text).join(u' ');
        return spell(LanguageField::Rus, text).join(u' ');
    }
    static const QRegularExpression romaji(QStringLiteral("\\s*\\([^)]*\\)"));
    QStringList words = spell(field, text);
    if (field == LanguageField::Jap)
        for (QString& each : words)
            each.remove(romaji);
    return words.join(u' ');
}

QString CallSignSpeller::strokeWord(LanguageField field)
{
    return QString::fromUtf16(StrokeWords[std::size_t(field)]);
}

} // namespace speech
