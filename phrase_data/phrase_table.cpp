#include "phrase_table.h"

#include "decimal_separator.h"
#include "phrase_catalogue.h"

#include <QStringList>
#include <system_error>
#include <utility>

namespace phrase_data {

namespace {

// The entry of dir whose name equals name without regard to case, if exactly that is absent.
std::filesystem::path findIgnoringCase(const std::filesystem::path& dir, const std::filesystem::path& name)
{
    std::error_code error;
    std::filesystem::path exact = dir / name; // not const: returned, it moves
    if (std::filesystem::exists(exact, error)) return exact;
    const QString wanted = QString::fromStdString(name.string());
    for (std::filesystem::directory_iterator it(dir.empty() ? "." : dir, error), end; !error && it != end;
         it.increment(error)) {
        const std::filesystem::path candidate = it->path().filename();
        if (QString::fromStdString(candidate.string()).compare(wanted, Qt::CaseInsensitive) == 0)
            return dir / candidate;
    }
    return exact;
}

} // namespace

PhraseTable::PhraseTable()
    : PhraseTable(jet4::Table())
{
}

PhraseTable::PhraseTable(jet4::Table rows)
    : m_rows(std::move(rows))
{
    resolveLanguages();
}

PhraseTable PhraseTable::read(const QByteArray& dataFilePath)
{
    return read(resolveDataPath(QString::fromLocal8Bit(dataFilePath)));
}

PhraseTable PhraseTable::read(const std::filesystem::path& file, jet4::Table storage)
{
    return PhraseTable(jet4::Database::open(file).readTable(PhraseCatalogue::DictTable, DecimalSeparator::current(),
                                                            std::move(storage)));
}

PhraseTable PhraseTable::read(std::vector<std::uint8_t> bytes, const std::filesystem::path& name)
{
    return PhraseTable(jet4::Database::fromBytes(std::move(bytes), name.string())
                           .readTable(PhraseCatalogue::DictTable, DecimalSeparator::current()));
}

std::filesystem::path PhraseTable::resolveDataPath(const QString& dataFilePath)
{
    QString source = dataFilePath;
    source.replace(u'\\', u'/');
    std::filesystem::path resolved;
    for (const QString& part : source.split(u'/')) {
        if (part.isEmpty()) {
            if (resolved.empty()) resolved = "/";
            continue;
        }
        const std::filesystem::path name = part.toStdString();
        resolved = (part == u"." || part == u"..") ? resolved / name : findIgnoringCase(resolved, name);
    }
    return resolved;
}

void PhraseTable::resolveLanguages()
{
    m_languages.fill(-1);
    for (int column = fieldCount() - 1; column >= 0; --column)
        if (const auto field = PhraseCatalogue::field(fieldName(column))) m_languages[std::size_t(*field)] = column;
}

QString PhraseTable::fieldName(int column) const
{
    if (column < 0 || column >= fieldCount()) return {};
    return QString::fromStdString(m_rows.columns()[std::size_t(column)].name);
}

int PhraseTable::fieldIndex(const QString& name) const
{
    for (int column = 0; column < fieldCount(); ++column)
        if (PhraseCatalogue::sameFieldName(fieldName(column), name)) return column;
    return -1;
}

std::optional<std::u16string_view> PhraseTable::cell(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= fieldCount()) return std::nullopt;
    return m_rows.cell(std::size_t(row), std::size_t(column));
}

QString PhraseTable::text(int row, int column) const
{
    const auto value = cell(row, column);
    if (!value) return {};
    return QString(reinterpret_cast<const QChar*>(value->data()), qsizetype(value->size()));
}

PhraseTexts PhraseTable::texts(int row) const
{
    PhraseTexts texts;
    for (std::size_t field = 0; field < LanguageFieldCount; ++field)
        texts[field] = text(row, LanguageField(field));
    return texts;
}

jet4::Table PhraseTable::release()
{
    jet4::Table rows = std::exchange(m_rows, {});
    resolveLanguages();
    return rows;
}

} // namespace phrase_data
