#include "catalog_writer.h"

#include "data_page_writer.h"
#include "index_leaf_page.h"
#include "jet4/format/row_layout.h"
#include "page_bytes.h"
#include "row_encoder.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace jet4::writing {

namespace {

// Where the blank keeps its catalog (checked by the tests against the embedded file).
constexpr std::uint32_t ObjectsDefinitionPage = systemCatalog::DefinitionPage; // MSysObjects
constexpr std::uint32_t AcesDefinitionPage = 3;                                // MSysACEs
constexpr std::uint32_t ParentIdNameLeaf = 7;                                  // MSysObjects index (ParentId, Name)
constexpr std::uint32_t IdLeaf = 8;                                            // MSysObjects index (Id)
constexpr std::uint32_t AceObjectIdLeaf = 9;                                   // MSysACEs index (ObjectId)
constexpr std::uint32_t ObjectsDataPage = 14;
constexpr std::uint32_t AcesDataPage = 15;

constexpr std::size_t DefinitionRowCount = Jet4Layout.tdefRowCount;
constexpr std::size_t DefinitionRealIndexCount = Jet4Layout.tdefRealIndexes;
constexpr std::size_t DefinitionIndexBlocks = Jet4Layout.tdefRealIndexBlocks; // u32 keys at +4 of each block

using systemCatalog::TablesContainer;
using systemCatalog::TableType;
// The owner that Jet gives new tables: the database owner, as on the MSysDb row of the blank.
constexpr std::array<std::uint8_t, 2> DatabaseOwner{0x64, 0x8B};
// Jackcess grants new tables full rights; what Jet writes here could not be observed.
constexpr std::uint32_t FullAccess = 0x000FFFFF;

// MSysObjects rows: 17 columns, a 30-byte fixed area, 11 variable slots (Name first, Owner
// second, then nine long-value and link columns that a table leaves empty). Offsets in the
// fixed area:
constexpr std::uint16_t ObjectsColumns = 17;
constexpr std::size_t ObjectsVariableSlots = 11;
constexpr std::size_t ObjectsFixedSize = 30;
constexpr std::size_t IdAt = 0;
constexpr std::size_t ParentIdAt = 4;
constexpr std::size_t TypeAt = 8;
constexpr std::size_t DateCreateAt = 10;
constexpr std::size_t DateUpdateAt = 18;
constexpr std::size_t FlagsAt = 26;
constexpr std::array<std::uint8_t, 3> ObjectsPresentMask{0xFF, 0x00, 0x00}; // columns 0-7

// MSysACEs rows: ObjectId (column 0, fixed), SID (1, variable), ACM (2, fixed),
// FInheritable (3, boolean in the null mask).
constexpr std::uint16_t AceColumns = 4;
constexpr std::size_t AceFixedSize = 8;
constexpr std::size_t ObjectIdAt = 0;
constexpr std::size_t AcmAt = 4;
constexpr std::array<std::uint8_t, 1> AcePresentNotInheritable{0x07};

void addToU32(std::span<std::uint8_t> page, std::size_t offset, std::uint32_t delta)
{
    storeU32(page, offset, loadU32(page, offset) + delta);
}

// Counts one more row in a catalog table, whose every index gains one more distinct key.
void countNewRows(std::span<std::uint8_t> definition, std::uint32_t rows)
{
    addToU32(definition, DefinitionRowCount, rows);
    const std::uint32_t indexes = loadU32(definition, DefinitionRealIndexCount);
    for (std::uint32_t i = 0; i < indexes; ++i)
        addToU32(definition, DefinitionIndexBlocks + Jet4Layout.realIndexBlockSize * i + 4, 1);
}

// Index key of a Long column, ascending: a marker byte, then the value big-endian with its sign
// bit flipped so that unsigned byte order is numeric order.
void appendLongKey(std::vector<std::uint8_t>& key, std::uint32_t value)
{
    key.push_back(0x7F);
    value ^= 0x80000000u;
    for (int shift = 24; shift >= 0; shift -= 8)
        key.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Index key of a Text column in the "General (legacy)" sort order, for the characters object
// names may use here. Letters ignore case; these characters need no extra trailing codes.
void appendTextKey(std::vector<std::uint8_t>& key, std::u16string_view text)
{
    static constexpr std::array<std::uint8_t, 26> Letters{0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59,
                                                          0x5B, 0x5C, 0x5E, 0x60, 0x62, 0x64, 0x66, 0x68, 0x69,
                                                          0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};
    key.push_back(0x7F);
    for (const char16_t c : text) {
        if (c == u' ')
            key.push_back(0x07);
        else if (c >= u'0' && c <= u'9')
            key.push_back(static_cast<std::uint8_t>(0x36 + 2 * (c - u'0')));
        else if (c >= u'A' && c <= u'Z')
            key.push_back(Letters[c - u'A']);
        else if (c >= u'a' && c <= u'z')
            key.push_back(Letters[c - u'a']);
        else
            throw std::logic_error("CatalogWriter: no index code for a character of the name");
    }
    key.push_back(0x01);
    key.push_back(0x00);
}

// The rows of a data page without flagged rows, as the catalog pages of the blank are.
std::vector<std::span<std::uint8_t>> rowsOf(std::span<std::uint8_t> page)
{
    std::vector<std::span<std::uint8_t>> rows;
    const std::uint16_t count = loadU16(page, Jet4Layout.dataRowCount);
    for (std::uint16_t i = 0; i < count; ++i) {
        const auto [start, end] = rowExtent(page, Jet4Layout, i);
        if (start > end || start < Jet4Layout.dataHeaderSize(count))
            throw std::logic_error("CatalogWriter: unexpected row layout");
        rows.push_back(page.subspan(start, end - start));
    }
    return rows;
}

// The fixed area of a catalog row starts after the row's column count.
std::span<std::uint8_t> fixedArea(std::span<std::uint8_t> row, std::size_t size)
{
    return row.subspan(rowLayout::FixedAreaOffset, size);
}

std::vector<std::uint8_t> objectsRow(std::uint32_t id, std::u16string_view name, double date)
{
    std::array<std::uint8_t, ObjectsFixedSize> fixed{};
    storeU32(fixed, IdAt, id);
    storeU32(fixed, ParentIdAt, TablesContainer);
    storeU16(fixed, TypeAt, TableType);
    storeF64(fixed, DateCreateAt, date);
    storeF64(fixed, DateUpdateAt, date);
    storeU32(fixed, FlagsAt, 0); // an ordinary, visible user table
    std::vector<std::uint8_t> nameBytes(2 * name.size());
    for (std::size_t i = 0; i < name.size(); ++i)
        storeU16(nameBytes, 2 * i, name[i]);
    std::array<std::span<const std::uint8_t>, ObjectsVariableSlots> values{};
    values[0] = nameBytes;
    values[1] = DatabaseOwner;
    return RowEncoder::assemble(ObjectsColumns, fixed, values, ObjectsPresentMask);
}

std::vector<std::uint8_t> aceRow(std::uint32_t objectId, std::span<const std::uint8_t> sid)
{
    std::array<std::uint8_t, AceFixedSize> fixed{};
    storeU32(fixed, ObjectIdAt, objectId);
    storeU32(fixed, AcmAt, FullAccess);
    const std::array<std::span<const std::uint8_t>, 1> values{sid};
    return RowEncoder::assemble(AceColumns, fixed, values, AcePresentNotInheritable);
}

} // namespace

CatalogWriter::CatalogWriter(std::span<std::uint8_t> file)
    : m_file(file)
{
}

void CatalogWriter::setDates(double date)
{
    for (const std::span<std::uint8_t> row : rowsOf(pageOf(m_file, ObjectsDataPage))) {
        const std::span<std::uint8_t> fixed = fixedArea(row, ObjectsFixedSize);
        storeF64(fixed, DateCreateAt, date);
        storeF64(fixed, DateUpdateAt, date);
    }
}

void CatalogWriter::addTable(std::uint32_t tdefPage, std::u16string_view name, double date)
{
    auto objects = DataPageWriter::resume(pageOf(m_file, ObjectsDataPage));
    const std::vector<std::uint8_t> row = objectsRow(tdefPage, name, date);
    if (!objects.fits(row.size())) throw std::logic_error("CatalogWriter: catalog page full");
    const std::uint8_t rowNumber = objects.add(row);
    countNewRows(pageOf(m_file, ObjectsDefinitionPage), 1);

    std::vector<std::uint8_t> entry;
    appendLongKey(entry, TablesContainer);
    appendTextKey(entry, name);
    IndexLeafPage::appendRowId(entry, ObjectsDataPage, rowNumber);
    IndexLeafPage(pageOf(m_file, ParentIdNameLeaf)).insert(std::move(entry));

    entry.clear();
    appendLongKey(entry, tdefPage);
    IndexLeafPage::appendRowId(entry, ObjectsDataPage, rowNumber);
    IndexLeafPage(pageOf(m_file, IdLeaf)).insert(std::move(entry));

    addAccessControlEntries(tdefPage);
}

void CatalogWriter::addAccessControlEntries(std::uint32_t objectId)
{
    const std::span<std::uint8_t> page = pageOf(m_file, AcesDataPage);
    // The accounts with an entry on the Tables container, in the order of the ObjectId index
    // (page, then row number: all of them are on this page).
    std::vector<std::vector<std::uint8_t>> sids;
    constexpr std::size_t AceSlots = 1; // the SID
    for (const std::span<std::uint8_t> row : rowsOf(page)) {
        if (row.size() < rowLayout::FixedAreaOffset + AceFixedSize + rowLayout::trailerSize(AceColumns, AceSlots) ||
            loadU32(fixedArea(row, AceFixedSize), ObjectIdAt) != TablesContainer)
            continue;
        const std::size_t tail = row.size() - rowLayout::nullMaskSize(AceColumns);
        const std::size_t trailer = rowLayout::slotOffsetAt(tail, AceSlots);
        const std::size_t sidStart = loadU16(row, rowLayout::slotOffsetAt(tail, 0));
        const std::size_t sidEnd = loadU16(row, trailer);
        if (sidStart > sidEnd || sidEnd > trailer) throw std::logic_error("CatalogWriter: unexpected MSysACEs row");
        sids.emplace_back(row.begin() + static_cast<std::ptrdiff_t>(sidStart),
                          row.begin() + static_cast<std::ptrdiff_t>(sidEnd));
    }

    auto aces = DataPageWriter::resume(page);
    IndexLeafPage index(pageOf(m_file, AceObjectIdLeaf));
    for (const auto& sid : sids) {
        const std::vector<std::uint8_t> row = aceRow(objectId, sid);
        if (!aces.fits(row.size())) throw std::logic_error("CatalogWriter: MSysACEs page full");
        std::vector<std::uint8_t> entry;
        appendLongKey(entry, objectId);
        IndexLeafPage::appendRowId(entry, AcesDataPage, aces.add(row));
        index.insert(std::move(entry));
    }
    const std::span<std::uint8_t> definition = pageOf(m_file, AcesDefinitionPage);
    addToU32(definition, DefinitionRowCount, static_cast<std::uint32_t>(sids.size()));
    if (!sids.empty()) addToU32(definition, DefinitionIndexBlocks + 4, 1);
}

} // namespace jet4::writing
