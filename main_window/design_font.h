#pragma once

#include <QFont>
#include <QString>

// Fonts given as the windows were designed: a face name (mapped to an installed family by
// FontSubstitutes) and a height in the platform's sense. A negative height is the character
// height in pixels; a positive one is the cell height (character plus internal leading), so the
// pixel size is chosen that makes the line that high; zero stands for the default size.
struct DesignFontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

[[nodiscard]] QFont designFont(const QString& face, int height, DesignFontStyle style = {});
