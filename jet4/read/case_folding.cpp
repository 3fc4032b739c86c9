#include "case_folding.h"

#include <algorithm>

namespace jet4::caseFolding {

namespace {

bool inRange(char16_t c, char16_t first, char16_t last)
{
    return c >= first && c <= last;
}

// Blocks where upper and lower case alternate: the upper-case letter sits at an even or odd unit.
char16_t foldPair(char16_t c, bool upperIsEven)
{
    return ((c % 2 == 0) == upperIsEven) ? static_cast<char16_t>(c + 1) : c;
}

} // namespace

char16_t fold(char16_t c)
{
    if (c < 0x80) return inRange(c, u'A', u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if (c < 0x100) return (inRange(c, 0xC0, 0xDE) && c != 0xD7) ? static_cast<char16_t>(c + 0x20) : c;
    if (c < 0x180) {
        if (c == 0x178) return 0xFF;
        if (c == 0x17F) return u's';
        if (inRange(c, 0x100, 0x137) || inRange(c, 0x14A, 0x177)) return foldPair(c, true);
        if (inRange(c, 0x139, 0x148) || inRange(c, 0x179, 0x17E)) return foldPair(c, false);
        return c;
    }
    if (inRange(c, 0x370, 0x3FF)) {
        if (inRange(c, 0x391, 0x3A1) || inRange(c, 0x3A3, 0x3AB)) return static_cast<char16_t>(c + 0x20);
        if (c == 0x386) return 0x3AC;
        if (inRange(c, 0x388, 0x38A)) return static_cast<char16_t>(c + 0x25);
        if (c == 0x38C) return 0x3CC;
        if (inRange(c, 0x38E, 0x38F)) return static_cast<char16_t>(c + 0x3F);
        if (c == 0x3C2) return 0x3C3;
        if (inRange(c, 0x3D8, 0x3EF)) return foldPair(c, true);
        return c;
    }
    if (inRange(c, 0x400, 0x52F)) {
        if (inRange(c, 0x400, 0x40F)) return static_cast<char16_t>(c + 0x50);
        if (inRange(c, 0x410, 0x42F)) return static_cast<char16_t>(c + 0x20);
        if (inRange(c, 0x460, 0x481) || inRange(c, 0x48A, 0x4BF) || inRange(c, 0x4D0, 0x52F)) return foldPair(c, true);
        if (c == 0x4C0) return 0x4CF;
        if (inRange(c, 0x4C1, 0x4CE)) return foldPair(c, false);
        return c;
    }
    if (inRange(c, 0x531, 0x556)) return static_cast<char16_t>(c + 0x30);
    if (inRange(c, 0x1E00, 0x1E95) || inRange(c, 0x1EA0, 0x1EFF)) return foldPair(c, true);
    if (inRange(c, 0xFF21, 0xFF3A)) return static_cast<char16_t>(c + 0x20);
    return c;
}

bool equalIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

} // namespace jet4::caseFolding
