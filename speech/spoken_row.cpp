#include "spoken_row.h"

namespace speech {

using phrase_data::LanguageField;

SpokenRow SpokenRow::of(const phrase_data::PhraseTexts& row, LanguageField field)
{
    const auto cell = [&](LanguageField each) { return row[std::size_t(each)]; };
    if (field == LanguageField::Rus || field == LanguageField::RusP)
        return {field, cell(LanguageField::Rus), cell(LanguageField::RusP)};
    return {field, cell(field), {}};
}

} // namespace speech
