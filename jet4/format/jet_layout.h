#pragma once

#include "format.h"
#include "little_endian.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4 {

// Every page but the header page starts with its type byte, then this one.
inline constexpr std::uint8_t PageMark = 0x01;

// The parts of a data page (rows, usage maps, long values) that Jet 3 and Jet 4 lay out alike. The
// row count and the row offset table, which move, are in JetLayout.
namespace dataPage {
inline constexpr std::uint8_t Type = 0x01;
inline constexpr std::size_t FreeSpaceOffset = 2; // u16
inline constexpr std::size_t OwnerOffset = 4;     // u32: the page of the owning table's definition
// A row pointer has one byte for the row number.
inline constexpr std::size_t MaxRows = 255;
// A row's offset word: the offset in the low bits, flags above.
inline constexpr std::uint16_t OffsetMask = 0x1FFF;
inline constexpr std::uint16_t DeletedFlag = 0x8000;
inline constexpr std::uint16_t PointerFlag = 0x4000;
} // namespace dataPage

// A table definition's pages: the first holds the definition's length, each names the next.
namespace definitionPage {
inline constexpr std::uint8_t Type = 0x02;
inline constexpr std::size_t FreeSpaceOffset = 2; // u16
inline constexpr std::size_t NextPageOffset = 4;  // u32, 0 on the last page
inline constexpr std::size_t LengthOffset = 8;    // u32, on the first page
// Pages after the first carry definition bytes from here on.
inline constexpr std::size_t ContinuationHeaderSize = 8;
// Jet 4 fields of the first page that no reader needs, with the values Access writes.
inline constexpr std::size_t FormatConstantOffset = 0x0C; // u32
inline constexpr std::uint32_t FormatConstant = 1625;     // also in every column entry
inline constexpr std::size_t AlwaysOneOffset = 0x18;      // Access and Jackcess always write 1 here
inline constexpr std::size_t TableTypeOffset = 0x28;
inline constexpr std::uint8_t UserTable = 0x4E;
} // namespace definitionPage

// Jet 4 column entries: the fields JetLayout does not name, which only the writer sets.
namespace columnEntry {
inline constexpr std::size_t FormatConstantOffset = 1; // u32 definitionPage::FormatConstant
inline constexpr std::size_t NumberAgainOffset = 9;    // u16, the column number once more
inline constexpr std::size_t SortOrderOffset = 11;     // u16 for text; Decimal's precision and scale
inline constexpr std::uint16_t GeneralSortOrder = 0x0409;
inline constexpr std::size_t ExtraFlagsOffset = 16;
inline constexpr std::uint8_t CompressedUnicode = 0x01; // the column may hold compressed text
} // namespace columnEntry

// The system catalog (MSysObjects), whose definition is on page 2. A user table's row there names
// the Tables container as its parent and has type 1; its id is the page of its definition.
namespace systemCatalog {
inline constexpr std::uint32_t DefinitionPage = 2;
inline constexpr std::uint32_t TablesContainer = 0x0F000001;
inline constexpr std::uint16_t TableType = 1;
} // namespace systemCatalog

// A Jet 4 text value that starts with these bytes is compressed: one byte per character, with
// 0x00 switching to two bytes per character and back.
inline constexpr std::array<std::uint8_t, 2> CompressedTextMark{0xFF, 0xFE};

// A usage map (the pages a table owns, or has free space on): a row that holds the bitmap
// itself, or one that lists pages of bitmap.
namespace usageMap {
inline constexpr std::uint8_t Inline = 0x00;
inline constexpr std::uint8_t Reference = 0x01;
inline constexpr std::size_t InlineHeaderSize = 5; // the type byte, then the u32 first page
inline constexpr std::uint8_t BitmapPageType = 0x05;
inline constexpr std::size_t BitmapPageHeader = 4;
} // namespace usageMap

// Where Jet 3 and Jet 4 keep the fields a reader uses. Everything else about the two formats is
// the same, so the parsers take one of these instead of branching on the version everywhere.
struct JetLayout {
    Format format;
    std::uint32_t pageSize;
    std::size_t maskedHeaderLength; // bytes of page 0 from 0x18 that are XOR-ed with the key stream

    // data pages
    std::size_t dataRowCount;   // u16
    std::size_t dataRowOffsets; // u16 per row

    // table definition
    std::size_t tdefRowCount;
    std::size_t tdefMaxColumns;
    std::size_t tdefVarColumns;
    std::size_t tdefColumnCount;
    std::size_t tdefRealIndexes;
    std::size_t tdefOwnedMap;
    std::size_t tdefRealIndexBlocks;
    std::size_t realIndexBlockSize;
    std::size_t columnEntrySize;
    std::size_t nameLengthSize; // 1: byte length + code-page text; 2: byte length + UCS-2

    // column entry
    std::size_t colNumber;
    std::size_t colVarSlot;
    std::size_t colPrecision;
    std::size_t colScale;
    std::size_t colFlags;
    std::size_t colFixedOffset;
    std::size_t colLength;

    // rows: width of the column count, variable count and variable offsets
    std::size_t rowCountSize;

    // The page's row table: a u16 per row, its start offset with the flags above.
    [[nodiscard]] std::size_t rowOffsetAt(std::size_t row) const { return dataRowOffsets + 2 * row; }
    [[nodiscard]] std::size_t dataHeaderSize(std::size_t rows) const { return rowOffsetAt(rows); }
};

inline constexpr JetLayout Jet4Layout{
    .format = Format::Jet4,
    .pageSize = 4096,
    .maskedHeaderLength = 128,
    .dataRowCount = 0x0C,
    .dataRowOffsets = 0x0E,
    .tdefRowCount = 16,
    .tdefMaxColumns = 41,
    .tdefVarColumns = 43,
    .tdefColumnCount = 45,
    .tdefRealIndexes = 51,
    .tdefOwnedMap = 55,
    .tdefRealIndexBlocks = 63,
    .realIndexBlockSize = 12,
    .columnEntrySize = 25,
    .nameLengthSize = 2,
    .colNumber = 5,
    .colVarSlot = 7,
    .colPrecision = 11,
    .colScale = 12,
    .colFlags = 15,
    .colFixedOffset = 21,
    .colLength = 23,
    .rowCountSize = 2,
};

// Jet 3 has no Decimal type of its own; the precision and scale offsets are those of Jet 4 so that a
// stray Decimal column is still checked rather than trusted.
inline constexpr JetLayout Jet3Layout{
    .format = Format::Jet3,
    .pageSize = 2048,
    .maskedHeaderLength = 126,
    .dataRowCount = 0x08,
    .dataRowOffsets = 0x0A,
    .tdefRowCount = 12,
    .tdefMaxColumns = 21,
    .tdefVarColumns = 23,
    .tdefColumnCount = 25,
    .tdefRealIndexes = 31,
    .tdefOwnedMap = 35,
    .tdefRealIndexBlocks = 43,
    .realIndexBlockSize = 8,
    .columnEntrySize = 18,
    .nameLengthSize = 1,
    .colNumber = 1,
    .colVarSlot = 3,
    .colPrecision = 11,
    .colScale = 12,
    .colFlags = 13,
    .colFixedOffset = 14,
    .colLength = 16,
    .rowCountSize = 1,
};

// Where a row of a data page lies, as the page's row table says: rows are stacked from the page's
// end downwards, so a row ends where the one before it starts, and row 0 at the page's end.
// Nothing is checked: the reader checks the extent against the page, the writer its own pages.
struct RowExtent {
    std::size_t start;
    std::size_t end;
};
[[nodiscard]] inline RowExtent rowExtent(std::span<const std::uint8_t> page, const JetLayout& layout, std::size_t row)
{
    const auto startOf = [&](std::size_t r) {
        return static_cast<std::size_t>(loadU16(page, layout.rowOffsetAt(r)) & dataPage::OffsetMask);
    };
    return {startOf(row), row == 0 ? std::size_t{layout.pageSize} : startOf(row - 1)};
}

} // namespace jet4
