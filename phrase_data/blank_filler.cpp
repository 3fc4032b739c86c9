#include "blank_filler.h"

#include "phrase_catalogue.h"

#include <algorithm>

namespace phrase_data {

namespace {

const QString Unset = QStringLiteral("...");

// A blank found in a text: where its braces start, how long it is with them, and its slot.
struct Blank {
    qsizetype start;
    qsizetype length;
    std::size_t slot;
};

// The next blank at or after from, if any.
std::optional<Blank> nextBlank(const QString& text, qsizetype from)
{
    for (qsizetype open = text.indexOf(u'{', from); open >= 0; open = text.indexOf(u'{', open + 1)) {
        const qsizetype close = text.indexOf(u'}', open + 1);
        if (close < 0) return std::nullopt;
        if (const auto slot = BlankFiller::slotIndex(QStringView(text).sliced(open + 1, close - open - 1)))
            return Blank{open, close - open + 1, *slot};
    }
    return std::nullopt;
}

// Where a Japanese cell's romaji starts: the opening bracket of the brackets that close the
// text; the text's length when it has none.
qsizetype romajiStart(const QString& text)
{
    if (!text.endsWith(u')')) return text.size();
    int depth = 0;
    for (qsizetype at = text.size() - 1; at >= 0; --at) {
        if (text[at] == u')')
            ++depth;
        else if (text[at] == u'(' && --depth == 0)
            return at;
    }
    return text.size();
}

const QString& form(const BlankValue& value, LanguageField field, bool romaji)
{
    const QString* chosen = &value.latin;
    if (field == LanguageField::Rus)
        chosen = &value.cyrillic;
    else if (field == LanguageField::Jap && !romaji)
        chosen = &value.katakana;
    return chosen->isEmpty() ? value.latin : *chosen;
}

} // namespace

std::optional<std::size_t> BlankFiller::slotIndex(QStringView name)
{
    const auto found = std::find_if(Vocabulary.begin(), Vocabulary.end(), [name](std::string_view slot) {
        return QLatin1StringView(slot.data(), qsizetype(slot.size())) == name;
    });
    if (found == Vocabulary.end()) return std::nullopt;
    return std::size_t(found - Vocabulary.begin());
}

QStringList BlankFiller::slotsOf(const QString& text)
{
    QStringList names;
    for (auto blank = nextBlank(text, 0); blank; blank = nextBlank(text, blank->start + blank->length)) {
        const std::string_view slot = Vocabulary.at(blank->slot);
        names.append(QString::fromLatin1(slot.data(), qsizetype(slot.size())));
    }
    return names;
}

QString BlankFiller::unfilled(const QString& text)
{
    return BlankFiller{}.fill(text, LanguageField::Eng);
}

bool BlankFiller::set(QStringView slot, BlankValue value)
{
    const auto index = slotIndex(slot);
    if (!index) return false;
    if (value.latin.isEmpty()) value = {};
    m_values.at(*index) = std::move(value);
    return true;
}

bool BlankFiller::isEmpty() const
{
    return std::all_of(m_values.begin(), m_values.end(), [](const BlankValue& value) { return value.latin.isEmpty(); });
}

QString BlankFiller::fill(const QString& text, LanguageField field) const
{
    auto blank = nextBlank(text, 0);
    if (!blank) return text;
    const qsizetype romaji = field == LanguageField::Jap ? romajiStart(text) : text.size();
    QString filled;
    filled.reserve(text.size() + 16);
    qsizetype from = 0;
    for (; blank; blank = nextBlank(text, from)) {
        filled.append(QStringView(text).sliced(from, blank->start - from));
        const BlankValue& value = m_values.at(blank->slot);
        filled.append(value.latin.isEmpty() ? Unset : form(value, field, blank->start > romaji));
        from = blank->start + blank->length;
    }
    filled.append(QStringView(text).sliced(from));
    return filled;
}

QString BlankFiller::fill(const QString& text, const QString& fieldName) const
{
    return fill(text, PhraseCatalogue::field(fieldName).value_or(LanguageField::Eng));
}

PhraseTexts BlankFiller::fill(PhraseTexts texts) const
{
    for (std::size_t field = 0; field < texts.size(); ++field)
        texts[field] = fill(texts[field], LanguageField(field));
    return texts;
}

} // namespace phrase_data
