#pragma once

#include "jet4/format/column_type.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace jet4 {

// The text a data grid shows for a stored value: locale-free apart from the decimal separator,
// which the caller chooses. Each writer puts at most MaxChars units at `out` and returns how many.
class ValueFormatter {
public:
    static constexpr std::size_t MaxChars = 48;

    explicit ValueFormatter(char16_t decimalSeparator)
        : m_separator(decimalSeparator)
    {
    }

    // A value of a type with a fixed size (Byte ... Decimal); bytes must be exactly that size.
    std::size_t fixed(ColumnType type, std::span<const std::uint8_t> bytes, std::uint8_t scale, char16_t* out) const;

    // Four decimal places: 35000 is "3.5000".
    std::size_t currency(std::int64_t tenThousandths, char16_t* out) const;
    // The shortest text that reads back as the same number.
    std::size_t floating(double value, char16_t* out) const;
    std::size_t floating(float value, char16_t* out) const;
    // "YYYY-MM-DD HH:MM:SS", rounded to the second; days counted from 1899-12-30. Values outside
    // the years 100-9999 are shown as the plain number.
    std::size_t dateTime(double days, char16_t* out) const;
    // Sign byte, then four 32-bit words, most significant first; `scale` digits after the separator.
    std::size_t decimal(std::span<const std::uint8_t> bytes, std::uint8_t scale, char16_t* out) const;
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    static std::size_t guid(std::span<const std::uint8_t> bytes, char16_t* out);
    // Upper-case pairs without separators; writes 2 * bytes.size() units.
    static std::size_t hex(std::span<const std::uint8_t> bytes, char16_t* out);

    // The same as text, for callers that do not fill a table.
    [[nodiscard]] std::u16string fixedText(ColumnType type, std::span<const std::uint8_t> bytes,
                                           std::uint8_t scale = 0) const;

private:
    // Copies ASCII text, turning '.' into the separator.
    std::size_t widen(const char* text, std::size_t length, char16_t* out) const;

    char16_t m_separator;
};

} // namespace jet4
