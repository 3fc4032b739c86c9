#pragma once

#include "jet4/reader.h"
#include "language_field.h"
#include "phrase_texts.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace phrase_data {

// One phrase table read whole: the rows of a data file's table Dict, with the fields that carry
// the languages found once, when the rows arrive. Whatever reads phrases reads them through it:
// the grid's data source, the search, the speller and the command line.
class PhraseTable {
public:
    PhraseTable();
    explicit PhraseTable(jet4::Table rows);

    // Reads the table Dict of a data file, the path as the window gives it ("dsb\phonet.dsb",
    // see resolveDataPath), numbers shown with the program's decimal separator. Throws
    // jet4::Error naming the file when it is missing, broken or lacks the table.
    [[nodiscard]] static PhraseTable read(const QByteArray& dataFilePath);
    [[nodiscard]] static PhraseTable read(const std::filesystem::path& file, jet4::Table storage = {});
    // The same from a file's bytes already read; name names the file in the errors.
    [[nodiscard]] static PhraseTable read(std::vector<std::uint8_t> bytes, const std::filesystem::path& name);

    // The file a data path names, as this system finds it: the backslash is the separator, a
    // relative path starts in the working directory, and a name that is absent as written is
    // looked up again without regard to case.
    [[nodiscard]] static std::filesystem::path resolveDataPath(const QString& dataFilePath);

    [[nodiscard]] int rowCount() const { return int(m_rows.rowCount()); }
    [[nodiscard]] int fieldCount() const { return int(m_rows.columnCount()); }
    // The field's name as the table writes it; empty for a column beyond the table.
    [[nodiscard]] QString fieldName(int column) const;
    // The column of the field with this name, matched without regard to case; -1 if none.
    [[nodiscard]] int fieldIndex(const QString& name) const;
    // The column that carries a language; -1 when the table lacks it.
    [[nodiscard]] int column(LanguageField field) const { return m_languages[std::size_t(field)]; }

    // A cell as stored; none for NULL or a cell beyond the table.
    [[nodiscard]] std::optional<std::u16string_view> cell(int row, int column) const;
    // A cell's text; empty for NULL, a cell beyond the table, or a language the table lacks.
    [[nodiscard]] QString text(int row, int column) const;
    [[nodiscard]] QString text(int row, LanguageField field) const { return text(row, column(field)); }
    // A row's nine texts, empty where the table lacks the language.
    [[nodiscard]] PhraseTexts texts(int row) const;

    // Gives up the rows, whose memory a new reading can reuse; the table is empty afterwards.
    [[nodiscard]] jet4::Table release();

private:
    void resolveLanguages();

    jet4::Table m_rows;
    std::array<int, LanguageFieldCount> m_languages{};
};

} // namespace phrase_data
