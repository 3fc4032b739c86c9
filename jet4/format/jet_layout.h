#pragma once

#include "format.h"

#include <cstddef>
#include <cstdint>

namespace jet4 {

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
inline constexpr std::size_t NextPageOffset = 4; // u32, 0 on the last page
inline constexpr std::size_t LengthOffset = 8;   // u32, on the first page
// Pages after the first carry definition bytes from here on.
inline constexpr std::size_t ContinuationHeaderSize = 8;
} // namespace definitionPage

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

    [[nodiscard]] std::size_t dataHeaderSize(std::size_t rows) const { return dataRowOffsets + 2 * rows; }
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

} // namespace jet4
