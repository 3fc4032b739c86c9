#include "pronunciation_table.h"

#include <array>
#include <string_view>

namespace speech {

using phrase_data::LanguageField;

namespace {

// One language's words, each table in the order A-Z or 0-9.
struct Words {
    std::array<const char16_t*, 26> letters;
    std::array<const char16_t*, 10> digits;
    const char16_t* kiloHertz;
    const char16_t* megaHertz;
    const char16_t* deciBel;
    const char16_t* iota;
    const char16_t* rtty;
    const char16_t* clubLog;
    const char16_t* lotw;
    const char16_t* dotCom;
    const char16_t* callbook;
    const char16_t* inverted;
};

// Russian: Latin letters by the names Russian operators give them, stressed where they have
// two syllables.
constexpr Words Russian{
    {u"а",  u"бэ", u"цэ", u"дэ", u"е",  u"эф", u"гэ", u"аш", u"и",  u"йот",      u"ка",  u"эль",         u"эм",
     u"эн", u"о",  u"пэ", u"ку", u"эр", u"эс", u"тэ", u"у",  u"вэ", u"дубль-вэ", u"икс", u"и\u0301грек", u"зэт"},
    {u"ноль", u"оди\u0301н", u"два", u"три", u"четы\u0301ре", u"пять", u"шесть", u"семь", u"во\u0301семь",
     u"де\u0301вять"},
    u"килоге\u0301рц",
    u"мегаге\u0301рц",
    u"децибе\u0301л",
    u"айо\u0301та",
    u"ри\u0301тти",
    u"клаб лог",
    u"эл о тэ дубль-вэ",
    u"то\u0301чка ком",
    u"ко\u0301лбук",
    u"инве\u0301ртед",
};

// British English: the inner A of a code is "ay", never the article.
constexpr Words English{
    {u"ay", u"bee", u"cee", u"dee", u"ee", u"eff", u"gee", u"aitch", u"eye", u"jay",        u"kay", u"el",  u"em",
     u"en", u"oh",  u"pee", u"cue", u"ar", u"ess", u"tee", u"you",   u"vee", u"double-you", u"ex",  u"why", u"zed"},
    {u"zero", u"one", u"two", u"three", u"four", u"five", u"six", u"seven", u"eight", u"nine"},
    u"kilohertz",
    u"megahertz",
    u"decibels",
    u"iota",
    u"ritty",
    u"club log",
    u"el oh tee double-you",
    u"dot com",
    u"callbook",
    u"inverted",
};

// German: "zwo" for 2, as on the air.
constexpr Words German{
    {u"ah",  u"beh", u"zeh", u"deh", u"eh",  u"eff", u"geh", u"hah", u"ih",  u"jott", u"kah", u"ell",     u"emm",
     u"enn", u"oh",  u"peh", u"kuh", u"err", u"ess", u"teh", u"uh",  u"fau", u"weh",  u"ix",  u"üpsilon", u"zett"},
    {u"null", u"eins", u"zwo", u"drei", u"vier", u"fünf", u"sechs", u"sieben", u"acht", u"neun"},
    u"Kilohertz",
    u"Megahertz",
    u"Dezibel",
    u"Iota",
    u"Ritti",
    u"Club Log",
    u"ell oh teh weh",
    u"Punkt com",
    u"Callbook",
    u"Inverted",
};

// French: Y is "i grec" wherever it stands.
constexpr Words French{
    {u"a",    u"bé", u"cé", u"dé", u"eu",   u"effe", u"gé", u"ache", u"i",  u"ji",        u"ka",  u"elle",   u"emme",
     u"enne", u"o",  u"pé", u"cu", u"erre", u"esse", u"té", u"u",    u"vé", u"double vé", u"ixe", u"i grec", u"zède"},
    {u"zéro", u"un", u"deux", u"trois", u"quatre", u"cinq", u"six", u"sept", u"huit", u"neuf"},
    u"kilohertz",
    u"mégahertz",
    u"décibels",
    u"iota",
    u"ritti",
    u"club log",
    u"elle o té double vé",
    u"point com",
    u"callbook",
    u"inverted",
};

constexpr Words Italian{
    {u"a",       u"bi",    u"ci",   u"di",   u"e",         u"effe", u"gi",      u"acca", u"i",
     u"i lunga", u"cappa", u"elle", u"emme", u"enne",      u"o",    u"pi",      u"cu",   u"erre",
     u"esse",    u"ti",    u"u",    u"vu",   u"doppia vu", u"ics",  u"ipsilon", u"zeta"},
    {u"zero", u"uno", u"due", u"tre", u"quattro", u"cinque", u"sei", u"sette", u"otto", u"nove"},
    u"kilohertz",
    u"megahertz",
    u"decibel",
    u"iota",
    u"ritti",
    u"club log",
    u"elle o ti doppia vu",
    u"punto com",
    u"callbook",
    u"inverted",
};

// Spanish: Y is "i griega", never the word "y".
constexpr Words Spanish{
    {u"a",    u"be", u"ce",  u"de",  u"e",         u"efe",   u"ge",       u"hache", u"i",
     u"jota", u"ka", u"ele", u"eme", u"ene",       u"o",     u"pe",       u"cu",    u"erre",
     u"ese",  u"te", u"u",   u"uve", u"uve doble", u"equis", u"i griega", u"zeta"},
    {u"cero", u"uno", u"dos", u"tres", u"cuatro", u"cinco", u"seis", u"siete", u"ocho", u"nueve"},
    u"kilohercios",
    u"megahercios",
    u"decibelios",
    u"iota",
    u"riti",
    u"club log",
    u"ele o te uve doble",
    u"punto com",
    u"callbook",
    u"inverted",
};

// Brazilian Portuguese: E and O are "é" and "ó", never the words "e" and "o".
constexpr Words Portuguese{
    {u"á",   u"bê", u"cê", u"dê",  u"é",    u"éfe",  u"gê", u"agá", u"i",  u"jota",   u"cá",  u"éle",     u"ême",
     u"ene", u"ó",  u"pê", u"quê", u"érre", u"ésse", u"tê", u"u",   u"vê", u"dáblio", u"xis", u"ípsilon", u"zê"},
    {u"zero", u"um", u"dois", u"três", u"quatro", u"cinco", u"seis", u"sete", u"oito", u"nove"},
    u"quilohertz",
    u"megahertz",
    u"decibéis",
    u"iota",
    u"ríti",
    u"club log",
    u"éle ó tê dáblio",
    u"ponto com",
    u"callbook",
    u"inverted",
};

// Japanese: letter names in katakana, digits as counted.
constexpr Words Japanese{
    {u"エー",   u"ビー",   u"シー", u"ディー", u"イー",       u"エフ",     u"ジー", u"エイチ", u"アイ",
     u"ジェー", u"ケー",   u"エル", u"エム",   u"エヌ",       u"オー",     u"ピー", u"キュー", u"アール",
     u"エス",   u"ティー", u"ユー", u"ブイ",   u"ダブリュー", u"エックス", u"ワイ", u"ゼット"},
    {u"ゼロ", u"いち", u"に", u"さん", u"よん", u"ご", u"ろく", u"なな", u"はち", u"きゅう"},
    u"キロヘルツ",
    u"メガヘルツ",
    u"デシベル",
    u"アイオタ",
    u"リティ",
    u"クラブログ",
    u"エル オー ティー ダブリュー",
    u"ドット コム",
    u"コールブック",
    u"インバーテッド",
};

const Words& words(LanguageField field)
{
    switch (field) {
    case LanguageField::Rus:
    case LanguageField::RusP:
        return Russian;
    case LanguageField::Eng:
        return English;
    case LanguageField::Ger:
        return German;
    case LanguageField::Fren:
        return French;
    case LanguageField::Ital:
        return Italian;
    case LanguageField::Span:
        return Spanish;
    case LanguageField::Port:
        return Portuguese;
    case LanguageField::Jap:
        return Japanese;
    }
    return English;
}

// The codes said as words, as a phrase writes them, with the member that says each.
struct Code {
    std::u16string_view written;
    const char16_t* Words::*said;
};
constexpr std::array<Code, 7> Codes{{{u"IOTA", &Words::iota},
                                     {u"RTTY", &Words::rtty},
                                     {u"ClubLog", &Words::clubLog},
                                     {u"LoTW", &Words::lotw},
                                     {u".com", &Words::dotCom},
                                     {u"Callbook", &Words::callbook},
                                     {u"Inverted", &Words::inverted}}};

} // namespace

QString PronunciationTable::letterName(LanguageField field, QChar letter)
{
    const char16_t upper = letter.toUpper().unicode();
    if (upper < u'A' || upper > u'Z') return {};
    return QString::fromUtf16(words(field).letters[std::size_t(upper - u'A')]);
}

QString PronunciationTable::digitWord(LanguageField field, QChar digit)
{
    const char16_t c = digit.unicode();
    if (c < u'0' || c > u'9') return {};
    return QString::fromUtf16(words(field).digits[std::size_t(c - u'0')]);
}

std::optional<QString> PronunciationTable::unitWord(LanguageField field, const QString& unit)
{
    const Words& w = words(field);
    if (unit == QStringLiteral("kHz")) return QString::fromUtf16(w.kiloHertz);
    if (unit == QStringLiteral("MHz")) return QString::fromUtf16(w.megaHertz);
    if (unit == QStringLiteral("dB")) return QString::fromUtf16(w.deciBel);
    return std::nullopt;
}

std::optional<QString> PronunciationTable::codeWord(LanguageField field, const QString& code)
{
    for (const Code& each : Codes)
        if (QStringView(each.written) == code) return QString::fromUtf16(words(field).*each.said);
    return std::nullopt;
}

QStringList PronunciationTable::codes()
{
    QStringList result;
    for (const Code& each : Codes)
        result << QString::fromUtf16(each.written.data(), qsizetype(each.written.size()));
    return result;
}

} // namespace speech
