#pragma once

#include "language_entry.h"
#include "reference_entry.h"
#include "topic_entry.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>
#include <span>

namespace phrase_data {

// What the program can show: the data file of every topic, list and dictionary and the
// field of every language. Constants only; every lookup is a table read.
class PhraseCatalogue {
public:
    static constexpr const char* StartFile = "dsb\\start.dsb";
    static constexpr const char* DictTable = "Dict";
    // The field name grid column 0 carries; the column is hidden, so it never shows.
    static constexpr const char* HiddenColumnField = "???";
    static constexpr LanguageField DefaultLeft = LanguageField::Rus;
    static constexpr LanguageField DefaultRight = LanguageField::Eng;
    static constexpr std::size_t ReferenceCount = 7;

    [[nodiscard]] static std::span<const TopicEntry> topics();
    // In menu order.
    [[nodiscard]] static std::span<const ReferenceEntry> references();
    // In menu order.
    [[nodiscard]] static std::span<const LanguageEntry> languages();

    // The data file of a topic; none for an index outside the list (it reports -1 when
    // nothing is marked), and the caller then keeps its current path.
    [[nodiscard]] static std::optional<QByteArray> topicFile(int index);
    [[nodiscard]] static const char* fieldName(LanguageField field);
    // Whether two field names name the same field: the database matches them without regard to case.
    [[nodiscard]] static bool sameFieldName(const QString& a, const QString& b);
    // The language field of a name ("Rus", "jap"), matched without regard to case.
    [[nodiscard]] static std::optional<LanguageField> field(const QString& name);
};

} // namespace phrase_data
