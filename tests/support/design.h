#pragma once

// The designed values the window and catalogue tests check against, each given once: the
// catalogue's rows, the menus' designed names and captions, and the controls' places, sizes and
// fonts. A test checks a value here once and spends the rest on behaviour.

#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>

namespace design {

struct TopicRow {
    const char* caption;
    const char* file;
};

// The topic list, in order.
inline constexpr std::array<TopicRow, 17> Topics{{
    {"Callsign", "dsb\\phonet.dsb"},
    {"Start", "dsb\\start.dsb"},
    {"Thanks for Call", "dsb\\call.dsb"},
    {"Report", "dsb\\report.dsb"},
    {"Name, QTH", "dsb\\name.dsb"},
    {"Equipment", "dsb\\equip.dsb"},
    {"Antenna", "dsb\\ant.dsb"},
    {"Weather", "dsb\\weath.dsb"},
    {"Regulations", "dsb\\regul.dsb"},
    {"Operating", "dsb\\operating.dsb"},
    {"Signal Quality", "dsb\\rst.dsb"},
    {"Conditions", "dsb\\condit.dsb"},
    {"Contests, Awards", "dsb\\contest.dsb"},
    {"Personal", "dsb\\person.dsb"},
    {"QSL", "dsb\\qsl.dsb"},
    {"Address", "dsb\\address.dsb"},
    {"Ending", "dsb\\end.dsb"},
}};

struct ReferenceRow {
    const char* menu;
    const char* name; // the menu command's designed name
    const char* caption;
    const char* file;
    const char* left;
    const char* right;
    bool fifthSplit;
};

// The commands of "Reference-eng" and "Dictionaries", in menu order.
inline constexpr std::array<ReferenceRow, 7> References{{
    {"Reference-eng", "Clock1", "Clock", "dsb\\clock.dsb", "Eng", "Rus", false},
    {"Reference-eng", "Days1", "Days", "dsb\\days.dsb", "Eng", "Rus", false},
    {"Reference-eng", "ModalVerbs1", "Modal Verbs", "dsb\\engmodal.dsb", "Eng", "Rus", false},
    {"Dictionaries", "Dictionaries1", "Proverbs Rus-Eng", "dsb\\eng.dsb", "Eng", "Rus", false},
    {"Dictionaries", "SlangEngRus1", "Slang Eng-Rus", "dsb\\engsl.dsb", "Eng", "Rus", true},
    {"Dictionaries", "ProverbsRusGer1", "Proverbs Rus-Ger", "dsb\\ger.dsb", "Ger", "Rus", false},
    {"Dictionaries", "SlangGerRus1", "Slang Ger-Rus", "dsb\\gersl.dsb", "Ger", "Rus", false},
}};

struct LanguageRow {
    const char* caption;
    const char* field;
    const char* leftName; // the designed names of its commands in "Left" and "Right"
    const char* rightName;
};

// The commands of "Left" and "Right", in menu order.
inline constexpr std::array<LanguageRow, 9> Languages{{
    {"Russian", "Rus", "Rus2", "Rus3"},
    {"Rus (Phonetic)", "RusP", "RusPhonetic2", "RusPhonetic1"},
    {"English", "Eng", "Eng2", "Eng3"},
    {"German", "Ger", "Ger1", "Ger2"},
    {"French", "Fren", "French2", "French1"},
    {"Italian", "Ital", "Italian1", "F1"},
    {"Spanish", "Span", "Spanish2", "Spanish1"},
    {"Portuguese", "Port", "Portuguese2", "Portuguese1"},
    {"Japanese", "Jap", "Japanese2", "Japanese1"},
}};

struct MenuItem {
    const char* name;
    const char* caption;
    bool enabled;
};

// The main menu's top-level items, left to right; the commands of the catalogue's menus are the
// rows above, and "Language" holds LanguageMenu.
inline constexpr std::array<MenuItem, 6> MenuBar{{
    {"Russia1", "Language", true},
    {"ime1", "Time", false},
    {"Dicteng1", "Reference-eng", true},
    {"N1", "Dictionaries", true},
    {"Left1", "Left", true},
    {"Right1", "Right", true},
}};
inline constexpr std::array<MenuItem, 3> LanguageMenu{{
    {"Eng1", "Eng", false},
    {"Rus1", "Rus", false},
    {"Exit1", "Exit", true},
}};

struct Control {
    const char* name;
    QRect geometry; // relative to the parent's outer top-left corner
};

// The main window: its outer size, and the controls that keep their design place and size.
inline constexpr QSize MainWindowOuter{969, 636};
inline constexpr std::array<Control, 6> MainWindowFixedControls{{
    {"RadioGroup1", QRect(8, 0, 153, 313)},
    {"Button7", QRect(392, 8, 75, 17)},
    {"Button6", QRect(464, 8, 75, 17)},
    {"Button1", QRect(536, 8, 75, 17)},
    {"GroupBox3", QRect(8, 320, 153, 153)},
    {"Image2", QRect(0, 0, 153, 161)},
}};

// The splash window: its client size, its panel and picture, and its labels, which size
// themselves to their text from their top-left corner (Label1 keeps its width and wraps).
inline constexpr QSize SplashClient{536, 367};
inline constexpr QRect SplashPanel{8, 8, 521, 353};
inline constexpr QRect SplashPicture{192, 8, 320, 240}; // the control takes the picture's size
inline constexpr int CreditWidth = 171;
inline constexpr int HandOverDelayMs = 5000;

struct Label {
    const char* name;
    QPoint topLeft;
    const char* caption; // null: the maker's choice
    int pixelSize;
    bool underline;
    std::uint32_t colour; // 0xRRGGBB
};

inline constexpr std::array<Label, 5> SplashLabels{{
    {"Label2", QPoint(8, 248), "Tarvolyn  ", 64, true, 0x000080},
    {"Label3", QPoint(8, 16), "Ver. 6.3 (30.05.11)", 16, false, 0x808080},
    {"Label4", QPoint(8, 40), "QZ7KV", 21, false, 0x808080},
    {"Label5", QPoint(8, 72), nullptr, 21, false, 0x808080},
    {"Label1", QPoint(8, 112), nullptr, 15, false, 0x808080},
}};

} // namespace design
