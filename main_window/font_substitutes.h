#pragma once

// The windows name the fonts they were designed with ("MS Sans Serif", "Verdana",
// "Comic Sans MS"), which a Debian desktop does not have. install() tells Qt which installed
// families to use instead, so every QFont made from a designed face name finds a real font, and
// Japanese phrases still find glyphs after the substitute's Latin and Cyrillic ones.
class FontSubstitutes {
public:
    // Call once after the QApplication exists, before the first window is made. Calling it again
    // changes nothing.
    static void install();
};
