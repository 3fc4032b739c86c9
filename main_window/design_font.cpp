#include "design_font.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {
constexpr int DefaultCharacterHeight = 13;
}

QFont designFont(const QString& face, int height, DesignFontStyle style)
{
    QFont font(face);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height == 0) {
        font.setPixelSize(DefaultCharacterHeight);
    } else {
        // Scale from a reference size: the line height grows in proportion to the pixel size.
        font.setPixelSize(100);
        const double lineAt100 = QFontMetricsF(font).height();
        font.setPixelSize(std::max(1, int(std::lround(height * 100.0 / lineAt100))));
    }
    return font;
}
