#include "value_formatter.h"

#include "jet4/format/little_endian.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace jet4 {

namespace {

// Access's date range: 100-01-01 to 9999-12-31.
constexpr double FirstDay = -657434.0;
constexpr double DayAfterLast = 2958466.0;
constexpr std::int64_t SecondsPerDay = 86400;
// 1899-12-30, the day Jet counts from, as days before 1970-01-01.
constexpr std::int64_t JetEpochFromUnix = -25569;

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
CivilDate civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Divides the 128-bit number in words (most significant first) by 10 in place; returns the remainder.
unsigned divideBy10(std::array<std::uint32_t, 4>& words)
{
    std::uint64_t remainder = 0;
    for (std::uint32_t& word : words) {
        const std::uint64_t current = (remainder << 32) | word;
        word = static_cast<std::uint32_t>(current / 10);
        remainder = current % 10;
    }
    return static_cast<unsigned>(remainder);
}

} // namespace

std::size_t ValueFormatter::widen(const char* text, std::size_t length, char16_t* out) const
{
    for (std::size_t i = 0; i < length; ++i)
        out[i] = text[i] == '.' ? m_separator : static_cast<char16_t>(text[i]);
    return length;
}

std::size_t ValueFormatter::fixed(ColumnType type, std::span<const std::uint8_t> b, std::uint8_t scale,
                                  char16_t* out) const
{
    char text[32];
    switch (type) {
    case ColumnType::Byte:
        return widen(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, b[0]).ptr - text), out);
    case ColumnType::Integer: {
        const auto value = static_cast<std::int16_t>(loadU16(b, 0));
        return widen(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text), out);
    }
    case ColumnType::Long: {
        const auto value = static_cast<std::int32_t>(loadU32(b, 0));
        return widen(text, static_cast<std::size_t>(std::to_chars(text, text + sizeof text, value).ptr - text), out);
    }
    case ColumnType::Currency:
        return currency(static_cast<std::int64_t>(loadU64(b, 0)), out);
    case ColumnType::Single:
        return floating(std::bit_cast<float>(loadU32(b, 0)), out);
    case ColumnType::Double:
        return floating(std::bit_cast<double>(loadU64(b, 0)), out);
    case ColumnType::DateTime:
        return dateTime(std::bit_cast<double>(loadU64(b, 0)), out);
    case ColumnType::Guid:
        return guid(b, out);
    case ColumnType::Decimal:
        return decimal(b, scale, out);
    default:
        return hex(b.first(std::min<std::size_t>(b.size(), MaxChars / 2)), out);
    }
}

std::size_t ValueFormatter::currency(std::int64_t tenThousandths, char16_t* out) const
{
    // The magnitude in unsigned arithmetic: INT64_MIN has no positive counterpart.
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(tenThousandths) : static_cast<std::uint64_t>(tenThousandths);
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%s%llu.%04llu", negative ? "-" : "",
                                     static_cast<unsigned long long>(magnitude / 10000),
                                     static_cast<unsigned long long>(magnitude % 10000));
    return widen(text, static_cast<std::size_t>(length), out);
}

std::size_t ValueFormatter::floating(double value, char16_t* out) const
{
    if (value == 0) value = 0; // no "-0"
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return widen(text, static_cast<std::size_t>(result.ptr - text), out);
}

std::size_t ValueFormatter::floating(float value, char16_t* out) const
{
    if (value == 0) value = 0;
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return widen(text, static_cast<std::size_t>(result.ptr - text), out);
}

std::size_t ValueFormatter::dateTime(double days, char16_t* out) const
{
    if (!std::isfinite(days) || days <= FirstDay - 1 || days >= DayAfterLast) return floating(days, out);
    // The whole part is the day (it may be negative); the fraction, taken as its absolute value,
    // is the time of that day: -1.25 is 1899-12-29 06:00.
    const double whole = std::trunc(days);
    auto day = static_cast<std::int64_t>(whole);
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(days - whole) * SecondsPerDay));
    if (seconds >= SecondsPerDay) {
        seconds -= SecondsPerDay;
        ++day;
    }
    const CivilDate date = civilFromDays(day + JetEpochFromUnix);
    char text[40];
    const int length =
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld", static_cast<long long>(date.year),
                      date.month, date.day, static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return widen(text, static_cast<std::size_t>(length), out);
}

std::size_t ValueFormatter::decimal(std::span<const std::uint8_t> b, std::uint8_t scale, char16_t* out) const
{
    // The table definition allows 28; the bound here only keeps the text inside MaxChars.
    scale = std::min<std::uint8_t>(scale, 38);
    std::array<std::uint32_t, 4> words{loadU32(b, 1), loadU32(b, 5), loadU32(b, 9), loadU32(b, 13)};
    char digits[48];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + divideBy10(words));
    } while (words != std::array<std::uint32_t, 4>{});
    const bool zero = count == 1 && digits[0] == '0';
    // At least one digit before the separator: 5 with scale 2 is "0.05".
    while (count < std::size_t{scale} + 1 && count < sizeof digits)
        digits[count++] = '0';

    std::size_t written = 0;
    if ((b[0] & 0x80) != 0 && !zero) out[written++] = u'-';
    for (std::size_t i = count; i-- > 0;) {
        out[written++] = static_cast<char16_t>(digits[i]);
        if (i == scale && scale > 0) out[written++] = m_separator;
    }
    return written;
}

std::size_t ValueFormatter::guid(std::span<const std::uint8_t> b, char16_t* out)
{
    char text[48];
    const int length =
        std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", loadU32(b, 0),
                      loadU16(b, 4), loadU16(b, 6), b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    for (int i = 0; i < length; ++i)
        out[i] = static_cast<char16_t>(text[i]);
    return static_cast<std::size_t>(length);
}

std::size_t ValueFormatter::hex(std::span<const std::uint8_t> bytes, char16_t* out)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out[2 * i] = static_cast<char16_t>(Digits[bytes[i] >> 4]);
        out[2 * i + 1] = static_cast<char16_t>(Digits[bytes[i] & 0x0F]);
    }
    return 2 * bytes.size();
}

std::u16string ValueFormatter::fixedText(ColumnType type, std::span<const std::uint8_t> bytes, std::uint8_t scale) const
{
    char16_t text[MaxChars];
    return std::u16string(text, fixed(type, bytes, scale, text));
}

} // namespace jet4
