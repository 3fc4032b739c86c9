#include "call_sign_speller.h"

#include "jet4/reader.h"
#include "phrase_data/ado_connection.h"
#include "phrase_data/data_file.h"
#include "phrase_data/phrase_catalogue.h"

#include <QRegularExpression>

namespace speech {

using phrase_data::LanguageField;

namespace {

// The Latin letter with the same Morse code as each Cyrillic letter the table can spell.
constexpr std::u16string_view Cyrillic = u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЩЬЫ";
constexpr std::u16string_view Latin = u"ABWGDEEVZIJKLMNOPRSTUFHCQXY";
static_assert(Cyrillic.size() == Latin.size());

// The word for "/" where the table has none, in the order of LanguageField.
constexpr std::array<const char16_t*, 9> StrokeWords{u"дробь", u"drob'", u"stroke", u"Bruchstrich",          u"barre",
                                                     u"barra", u"barra", u"barra",  u"スラッシュ (surasshu)"};

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

CallSignSpeller::CallSignSpeller(const PhraseFile& file)
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
    if (c == u'/') return strokeWord(field);
    return QStringLiteral("[%1]").arg(c);
}

QStringList CallSignSpeller::spell(LanguageField field, const QString& text) const
{
    QStringList result;
    for (QChar c : text)
        if (!c.isSpace()) result << word(field, c);
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
