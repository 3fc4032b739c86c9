// The decoders on their own, with vectors for what the sample files lack.
#include "fixture_files.h"
#include "jet4/format/jet_layout.h"
#include "jet4/read/case_folding.h"
#include "jet4/read/code_page_decoder.h"
#include "jet4/read/parse_error.h"
#include "jet4/read/row_decoder.h"
#include "jet4/read/text_decoder.h"
#include "jet4/read/value_formatter.h"

#include <gtest/gtest.h>

namespace jet4::test {
namespace {

std::vector<std::uint8_t> hexBytes(std::string_view hex)
{
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

struct ValueVector {
    ColumnType type;
    const char* bytes;
    std::uint8_t scale;
    char16_t separator;
    const char* text;
};

void PrintTo(const ValueVector& vector, std::ostream* out)
{
    *out << vector.bytes << " -> " << vector.text;
}

class Values : public ::testing::TestWithParam<ValueVector> {};

TEST_P(Values, FormatAsAGridShowsThem)
{
    const ValueVector& v = GetParam();
    EXPECT_EQ(utf8(ValueFormatter(v.separator).fixedText(v.type, hexBytes(v.bytes), v.scale)), v.text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFixedType, Values,
    ::testing::Values(ValueVector{ColumnType::Byte, "c8", 0, u'.', "200"},
                      ValueVector{ColumnType::Integer, "ffff", 0, u'.', "-1"},
                      ValueVector{ColumnType::Long, "00000080", 0, u'.', "-2147483648"},
                      ValueVector{ColumnType::Currency, "b888000000000000", 0, u'.', "3.5000"},
                      ValueVector{ColumnType::Currency, "b888000000000000", 0, u',', "3,5000"},
                      ValueVector{ColumnType::Currency, "ffffffffffffffff", 0, u'.', "-0.0001"},
                      ValueVector{ColumnType::Currency, "0000000000000080", 0, u'.', "-922337203685477.5808"},
                      ValueVector{ColumnType::Single, "cdcc8c3f", 0, u',', "1,1"},
                      ValueVector{ColumnType::Single, "ffff7f7f", 0, u'.', "3.4028235e+38"},
                      ValueVector{ColumnType::Double, "7b14ae47e1c87b40", 0, u',', "444,555"},
                      ValueVector{ColumnType::Double, "343333333333d33f", 0, u'.', "0.30000000000000004"},
                      ValueVector{ColumnType::Double, "0000000000000080", 0, u'.', "0"},
                      ValueVector{ColumnType::DateTime, "0000000040a7da40", 0, u',', "1974-09-21 00:00:00"},
                      // The whole part is the day, the fraction (as its absolute value) the time: -1.25.
                      ValueVector{ColumnType::DateTime, "000000000000f4bf", 0, u'.', "1899-12-29 06:00:00"},
                      // Times that round to 24:00 carry into the next day: 36525.9999999 and -1.9999999.
                      ValueVector{ColumnType::DateTime, "50caffffbfd5e140", 0, u'.', "2000-01-01 00:00:00"},
                      ValueVector{ColumnType::DateTime, "650d28e5ffffffbf", 0, u'.', "1899-12-30 00:00:00"},
                      ValueVector{ColumnType::DateTime, "00000000341024c1", 0, u'.', "0100-01-01 00:00:00"},
                      ValueVector{ColumnType::DateTime, "000000c040924641", 0, u'.', "9999-12-31 12:00:00"},
                      // Outside Access's range the number itself is the most honest display.
                      ValueVector{ColumnType::DateTime, "00000000d0126341", 0, u'.', "1e+07"},
                      ValueVector{ColumnType::Guid, "e613055ee996a943a42f58b4950cc05c", 0, u'.',
                                  "{5E0513E6-96E9-43A9-A42F-58B4950CC05C}"},
                      ValueVector{ColumnType::Decimal, "00 00000000 00000000 00000000 87d61200", 2, u',', "12345,67"},
                      ValueVector{ColumnType::Decimal, "80 00000000 00000000 00000000 01000000", 0, u'.', "-1"},
                      ValueVector{ColumnType::Decimal, "80 00000000 00000000 00000000 00000000", 2, u'.', "0.00"},
                      ValueVector{ColumnType::Decimal, "00 00000000 00000000 00000000 05000000", 4, u'.', "0.0005"},
                      ValueVector{ColumnType::Decimal, "00 00000000 5ece4f20 6102253e ffffff0f", 0, u'.',
                                  "9999999999999999999999999999"},
                      ValueVector{ColumnType::Decimal, "00 00000000 5ece4f20 6102253e ffffff0f", 28, u'.',
                                  "0.9999999999999999999999999999"},
                      ValueVector{ColumnType::Decimal, "00 01000000 00000000 00000000 00000000", 0, u'.',
                                  "79228162514264337593543950336"},
                      ValueVector{ColumnType::Decimal, "80 ffffffff ffffffff ffffffff ffffffff", 0, u'.',
                                  "-340282366920938463463374607431768211455"}));

struct TextVector {
    const char* bytes;
    std::u16string text;
};

class Jet4Text : public ::testing::TestWithParam<TextVector> {};

TEST_P(Jet4Text, DecodesPlainAndCompressedForms)
{
    const TextDecoder decoder(nullptr);
    const std::vector<std::uint8_t> bytes = hexBytes(GetParam().bytes);
    EXPECT_EQ(decoder.decode(bytes), GetParam().text);
    EXPECT_LE(GetParam().text.size(), decoder.maxChars(bytes));
}

INSTANTIATE_TEST_SUITE_P(Vectors, Jet4Text,
                         ::testing::Values(TextVector{"fffe e4e46b6bf67369e4", u"ääkkösiä"},
                                           TextVector{"1c04 3804 4004", u"Мир"},
                                           TextVector{"fffe 4153434949 00 1a021a27 00 4153434949", u"ASCIIȚ✚ASCII"},
                                           TextVector{"fffe 41 00 1a021a", u"AȚ"}, TextVector{"fffe", u""},
                                           TextVector{"3dd8 00de", u"\U0001F600"}, TextVector{"00d8 4100", u"\uFFFDA"},
                                           TextVector{"4100 42", u"A"},
                                           // Half a surrogate pair becomes U+FFFD, in either form.
                                           TextVector{"4100 00dc", u"A\uFFFD"},
                                           TextVector{"fffe 00 3dd8 01de", u"\U0001F601"},
                                           TextVector{"fffe 41 00 01d8 00 42", u"A\uFFFDB"},
                                           TextVector{"fffe 00 01de 3dd8", u"\uFFFD\uFFFD"}));

TEST(CodePageText, Jet3TextUsesTheDatabaseCodePage)
{
    const CodePageDecoder cyrillic(1251);
    EXPECT_EQ(TextDecoder(&cyrillic).decode(hexBytes("cff0e8e2e5f2")), u"Привет");
    const CodePageDecoder western(1252);
    EXPECT_EQ(TextDecoder(&western).decode(hexBytes("e480")), u"ä€");
    const CodePageDecoder japanese(932);
    EXPECT_EQ(TextDecoder(&japanese).decode(hexBytes("93fa967b 41")), u"日本A");
    // A code page nobody knows reads as the Western one rather than failing the file.
    EXPECT_EQ(CodePageDecoder(0).codePage(), 1252);
    EXPECT_EQ(CodePageDecoder(4321).codePage(), 1252);
}

ColumnDefinition textColumn(std::uint16_t number, std::uint16_t slot)
{
    ColumnDefinition column;
    column.type = ColumnType::Text;
    column.number = number;
    column.varSlot = slot;
    column.flags = 0x02;
    return column;
}

std::optional<std::size_t> valueLength(const RowDecoder& rows, const ColumnDefinition& column)
{
    const auto value = rows.value(column);
    return value ? std::optional<std::size_t>(value->size()) : std::nullopt;
}

// Jet 3 offsets are single bytes; rows over 256 bytes add a jump table, and Jet sometimes writes
// a last jump it does not need.
TEST(Jet3Rows, JumpTableCarriesOffsetsPast256)
{
    const std::vector<ColumnDefinition> columns{textColumn(0, 0), textColumn(1, 1)};
    // Count 2; slot 0 is bytes 1-199, slot 1 bytes 200-289; then EOD (290 & 0xFF), slot 1 and
    // slot 0 offsets, one jump naming entry 2 (the EOD) as the first past 256, V = 2, null mask.
    std::vector<std::uint8_t> row(296, 'a');
    row[0] = 2;
    row[290] = 290 & 0xFF;
    row[291] = 200;
    row[292] = 1;
    row[293] = 2;
    row[294] = 2;
    row[295] = 0x03;
    RowDecoder rows(Jet3Layout, 2, columns);
    rows.load(row);
    EXPECT_EQ(valueLength(rows, columns[0]), 199u);
    EXPECT_EQ(valueLength(rows, columns[1]), 90u);

    // 257 bytes whose offset table starts below 256: the jump byte is a dummy and is ignored.
    std::vector<std::uint8_t> shortRow(257, 'b');
    shortRow[0] = 1;
    shortRow[252] = 252; // EOD
    shortRow[253] = 1;   // slot 0
    shortRow[254] = 0;   // dummy jump; read as a real one it would move slot 0 past the row
    shortRow[255] = 1;
    shortRow[256] = 0x01;
    rows.load(shortRow);
    EXPECT_EQ(valueLength(rows, columns[0]), 251u);

    shortRow[253] = 253; // slot 0 starting after the EOD
    EXPECT_THROW(rows.load(shortRow), ParseError);
}

TEST(Jet4Rows, RowOlderThanTheFirstVariableColumnHasNoOffsetTable)
{
    ColumnDefinition id;
    id.type = ColumnType::Long;
    id.number = 0;
    id.flags = 0x03;
    const std::vector<ColumnDefinition> columns{id, textColumn(1, 0)};
    RowDecoder rows(Jet4Layout, 1, columns);
    const std::vector<std::uint8_t> row = hexBytes("0100 07000000 01");
    rows.load(row);
    EXPECT_EQ(valueLength(rows, columns[0]), 4u);
    EXPECT_EQ(valueLength(rows, columns[1]), std::nullopt);
    // Offsets running backwards are damage.
    const std::vector<std::uint8_t> damaged = hexBytes("0200 07000000 4100 0600 0800 0100 03");
    EXPECT_THROW(rows.load(damaged), ParseError);
}

TEST(CaseFolding, MatchesNamesAsJetDoes)
{
    using caseFolding::equalIgnoringCase;
    EXPECT_TRUE(equalIgnoringCase(u"Dict", u"DICT"));
    EXPECT_TRUE(equalIgnoringCase(u"ÄÖÜÉ", u"äöüé"));
    EXPECT_TRUE(equalIgnoringCase(u"Привет Ёж", u"пРИВЕТ ёЖ"));
    EXPECT_TRUE(equalIgnoringCase(u"ΣΟΦΊΑ", u"σοφία"));
    EXPECT_TRUE(equalIgnoringCase(u"Łódź", u"ŁÓDŹ"));
    EXPECT_FALSE(equalIgnoringCase(u"Dict", u"Dicts"));
    EXPECT_FALSE(equalIgnoringCase(u"Dict", u"Dikt"));
    EXPECT_FALSE(equalIgnoringCase(u"Е", u"Ё"));
}

} // namespace
} // namespace jet4::test
