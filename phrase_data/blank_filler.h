#pragma once

#include "blank_value.h"
#include "language_field.h"
#include "phrase_texts.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <string_view>

namespace phrase_data {

// The named blanks of the phrase texts, written {slot} in the sources and the data files
// ("My name is {my_name}"), and the values the contact at hand gives them. A text reaches the
// user filled: a set blank as its value in the form the field's script takes, an unset one as
// "...". Braces around anything but a slot of the vocabulary are text.
class BlankFiller {
public:
    // Every slot a phrase may carry. The README of the phrase sources says what each one means.
    static constexpr std::array<std::string_view, 17> Vocabulary{
        "my_call",    "my_name",  "my_qth",      "my_region",  "my_locator", "my_rig",
        "my_antenna", "my_power", "their_call",  "their_name", "their_qth",  "their_locator",
        "rst_sent",   "rst_rcvd", "distance_km", "band",       "frequency"};

    // The vocabulary's index of a slot name; none for any other name.
    [[nodiscard]] static std::optional<std::size_t> slotIndex(QStringView name);
    // The slots a text names, in the order they appear, repeated as often as they appear.
    [[nodiscard]] static QStringList slotsOf(const QString& text);
    // The text as the user sees it with no value set: every blank as "...".
    [[nodiscard]] static QString unfilled(const QString& text);

    // Sets a slot's value (an empty Latin form unsets it); false for a name outside the vocabulary.
    bool set(QStringView slot, BlankValue value);
    [[nodiscard]] const BlankValue& value(std::size_t slot) const { return m_values.at(slot); }
    // True while no slot has a value.
    [[nodiscard]] bool isEmpty() const;

    // A field's text with its blanks filled:
    // - Rus takes the Cyrillic form;
    // - Jap takes the katakana form in its Japanese and the Latin one in its romaji, the text in
    //   the closing brackets;
    // - every other field, RusP among them, takes the Latin form.
    [[nodiscard]] QString fill(const QString& text, LanguageField field) const;
    // The same for the field a table names; a field that is no language takes the Latin forms.
    [[nodiscard]] QString fill(const QString& text, const QString& fieldName) const;
    [[nodiscard]] PhraseTexts fill(PhraseTexts texts) const;

    friend bool operator==(const BlankFiller&, const BlankFiller&) = default;

private:
    std::array<BlankValue, Vocabulary.size()> m_values;
};

} // namespace phrase_data
