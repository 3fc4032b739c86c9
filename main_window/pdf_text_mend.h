#pragma once

#include <QByteArray>

// Mends the text a PDF viewer copies and searches from a PDF that Qt wrote.
//
// Noto Sans CJK draws a Kangxi radical (U+2F00-U+2FD5, such as ⼭ U+2F2D), and some radicals of
// the supplement before them (⻑ U+2ED1), with the same glyph as the ideograph they stand for
// (山 U+5C71, 長 U+9577). Qt's PDF writer maps each glyph back to text by
// the lowest code point the font gives it, and the radicals come first: 山 was copied as ⼭ and
// 渋谷 as 渋⾕. The map (the fonts' ToUnicode CMaps, which Qt writes uncompressed) is rewritten
// here: each radical becomes its ideograph, four hex digits for four, so no
// offset in the file moves. The phrases hold no radicals of their own.
class PdfTextMend {
public:
    [[nodiscard]] static QByteArray mend(QByteArray pdf);
};
