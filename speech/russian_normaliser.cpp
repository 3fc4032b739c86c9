#include "russian_normaliser.h"

#include "espeak_engine.h"
#include "pronunciation_table.h"
#include "russian_stress.h"
#include "text_normaliser.h"

#include <QHash>
#include <QRegularExpression>
#include <optional>
#include <vector>

namespace speech {

using phrase_data::LanguageField;

namespace {

// The numerals as they are named (a year says all but its last word so: "тысяча девятьсот
// девяносто пятого").
QStringList nominatives()
{
    return QStringLiteral("ноль один два три четыре пять шесть семь восемь девять десять одиннадцать двенадцать "
                          "тринадцать четырнадцать пятнадцать шестнадцать семнадцать восемнадцать девятнадцать "
                          "двадцать тридцать сорок пятьдесят шестьдесят семьдесят восемьдесят девяносто сто двести "
                          "триста четыреста пятьсот шестьсот семьсот восемьсот девятьсот тысяча")
        .split(u' ');
}

// Every form of the numerals (and of "процент", which stands for "%") that RusP may spell a
// number with, the names first.
QStringList numeralForms()
{
    return nominatives() +
           QStringLiteral(
               "нуль одна одно одного одному одним одном две двух двум двумя трёх трём тремя четырёх четырём "
               "четырьмя пяти пятью шести шестью семи семью восьми восемью девяти девятью десяти десятью "
               "одиннадцати двенадцати тринадцати четырнадцати пятнадцати шестнадцати семнадцати восемнадцати "
               "девятнадцати двадцати тридцати сорока пятидесяти шестидесяти семидесяти восьмидесяти девяноста "
               "ста двухсот трёхсот четырёхсот пятисот шестисот семисот восьмисот девятисот тысячи тысячу тысяч "
               "первого второго третьего четвёртого пятого шестого седьмого восьмого девятого десятого процент "
               "процента процентов")
               .split(u' ');
}

// A word in RusP's Latin spelling, lower case, stress and soft signs dropped.
QString latinKey(const QString& word)
{
    static const QHash<QChar, QString> Latin = [] {
        QHash<QChar, QString> map;
        const QStringList latin =
            QStringLiteral("a b v g d e yo zh z i y k l m n o p r s t u f kh ts ch sh shch _ y _ e "
                           "yu ya")
                .split(u' ');
        const QString cyrillic = QStringLiteral("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
        for (qsizetype i = 0; i < cyrillic.size(); ++i)
            map.insert(cyrillic[i], latin[i] == QStringLiteral("_") ? QString() : latin[i]);
        return map;
    }();
    QString result;
    for (QChar c : word.toLower().normalized(QString::NormalizationForm_D)) {
        if (c == RussianStress::Acute || c == u'\'' || c == u'-') continue;
        // ё and й decompose to е and и with a mark above.
        if (c == u'\u0308' || c == u'\u0306') {
            result.chop(1);
            result += c == u'\u0308' ? QStringLiteral("yo") : QStringLiteral("y");
            continue;
        }
        result += Latin.value(c, QString(c));
    }
    return result;
}

// The same key without what RusP writes as it sounds: unstressed о as a, г in -ого as v.
QString soundKey(QString key)
{
    key.replace(QStringLiteral("ye"), QStringLiteral("e"));
    key.replace(QStringLiteral("yo"), QStringLiteral("o"));
    key.replace(u'o', u'a');
    key.replace(u'g', u'v');
    return key;
}

// The Cyrillic form (numeral followed by suffix) that a RusP word spells, stressed as it marks.
// RusP writes an unstressed о as a: the spelling matched letter for letter wins over the one
// matched by sound, unless the name of the numeral is wanted.
std::optional<QString> numeral(const QString& phonetic, const QString& suffix = {}, bool named = false)
{
    static const QStringList Forms = numeralForms();
    static const QStringList Names = nominatives();
    const QString key = latinKey(phonetic);
    const auto find = [&](const QStringList& forms, const auto& same) -> std::optional<QString> {
        for (const QString& form : forms)
            if (same(latinKey(form + suffix))) return form + suffix;
        return std::nullopt;
    };
    const auto bySound = [&](const QString& each) { return soundKey(each) == soundKey(key); };
    std::optional<QString> found = named ? find(Names, bySound) : std::nullopt;
    if (!found) found = find(Forms, [&](const QString& each) { return each == key; });
    if (!found) found = find(Forms, bySound);
    if (!found) return std::nullopt;
    return RussianStress::stressed(*found, phonetic);
}

bool hasLatin(const QString& text)
{
    return std::ranges::any_of(text, [](QChar c) { return c.script() == QChar::Script_Latin; });
}

QString firstPart(const QString& token)
{
    return token.section(u'-', 0, 0).normalized(QString::NormalizationForm_D).remove(QChar(RussianStress::Acute));
}

enum class Kind : std::uint8_t { Word, Number, NumberWord, Abbreviation, Latin };

struct Token {
    Kind kind = Kind::Word;
    QString text;
    qsizetype start = 0;
    qsizetype end = 0;
    QStringList phonetic; // the RusP words it pairs with
};

const QRegularExpression& tokenPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("[\\p{L}\\p{N}\\x{0301}']+(?:[-./][\\p{L}\\p{N}\\x{0301}']+)*%?"));
    return pattern;
}

Kind kindOf(const QString& token)
{
    if (hasLatin(token)) return Kind::Latin;
    if (token.front().isDigit())
        return std::ranges::any_of(token, [](QChar c) { return c.isLetter(); }) ? Kind::NumberWord : Kind::Number;
    const bool capitals = token.size() >= 2 && std::ranges::all_of(token, [](QChar c) { return c.isUpper(); });
    return capitals ? Kind::Abbreviation : Kind::Word;
}

// Pairs each token of the Russian with its RusP words; false when the two do not pair.
bool pair(std::vector<Token>& tokens, const QStringList& phonetic)
{
    std::vector<qsizetype> needed(tokens.size() + 1, 0);
    for (std::size_t i = tokens.size(); i-- > 0;)
        needed[i] = needed[i + 1] + (tokens[i].kind == Kind::Latin ? 0 : 1);
    qsizetype next = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (token.kind == Kind::Latin) continue;
        if (next >= phonetic.size()) return false;
        qsizetype count = 1;
        if (token.kind == Kind::Number) {
            const auto isNumeral = [&](qsizetype at) {
                return std::ranges::all_of(phonetic[at].split(u'-'),
                                           [](const QString& part) { return numeral(part).has_value(); });
            };
            if (!isNumeral(next)) return false;
            while (next + count < phonetic.size() && phonetic.size() - (next + count) > needed[i + 1] &&
                   isNumeral(next + count))
                ++count;
        }
        token.phonetic = phonetic.mid(next, count);
        next += count;
    }
    return next == phonetic.size();
}

QString lettersOf(const QString& abbreviation)
{
    static const QString Letters = QStringLiteral("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    static const QStringList Names =
        QStringLiteral("а бэ вэ гэ дэ е ё жэ зэ и й ка эль эм эн о пэ эр эс тэ у эф ха цэ че ша ща ъ ы ь э ю я")
            .split(u' ');
    QStringList names;
    for (QChar c : abbreviation)
        names << Names.value(Letters.indexOf(c), QString(c));
    return names.join(u' ');
}

// A Latin code, call sign or word (or a number RusP writes in digits as well) in Russian
// letter names and words; a Cyrillic part joined
// to it by a hyphen (S-метр, QSL-карточку) stays, stressed by its RusP part when there is one.
QString latinToken(const QString& token, const QString& phonetic)
{
    const QStringList parts = token.split(u'-');
    const QStringList phoneticParts = phonetic.split(u'-');
    QStringList said;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.size() == 1 && part.front().isDigit()) {
            said << PronunciationTable::digitWord(LanguageField::Rus, part.front());
            continue;
        }
        if (!hasLatin(part) && !part.front().isDigit()) {
            said << (phoneticParts.size() == parts.size() ? RussianStress::stressed(part, phoneticParts[i]) : part);
            continue;
        }
        said << TextNormaliser::operatorWords(LanguageField::Rus, part, [](const QString& rest) {
            // What the code scanner leaves: single letters (Inverted V) and lower-case codes.
            static const QRegularExpression letters(QStringLiteral("[A-Za-z]+"));
            QString result;
            qsizetype from = 0;
            for (const QRegularExpressionMatch& match : letters.globalMatch(rest)) {
                result += rest.mid(from, match.capturedStart() - from) +
                          TextNormaliser::spellCode(LanguageField::Rus, match.captured());
                from = match.capturedEnd();
            }
            return result + rest.mid(from);
        });
    }
    return said.join(u' ');
}

QString tokenWords(const Token& token, const QHash<QString, QString>& phoneticLatin)
{
    const QString first = token.phonetic.value(0);
    switch (token.kind) {
    case Kind::Latin:
        return latinToken(token.text, phoneticLatin.value(firstPart(token.text)));
    case Kind::Abbreviation:
        return lettersOf(token.text);
    case Kind::NumberWord: {
        const QString suffix = token.text.section(u'-', 1);
        if (!first.isEmpty())
            for (const QString& part : first.split(u'-'))
                if (std::optional<QString> word = numeral(part, suffix.toLower())) return *word;
        return token.text;
    }
    case Kind::Number: {
        // Without RusP's words a report (59) or a serial number (001) is still said figure by figure.
        if (token.phonetic.isEmpty()) return TextNormaliser::operatorWords(LanguageField::Rus, token.text);
        QStringList parts;
        for (const QString& each : token.phonetic)
            parts << each.split(u'-');
        // An ordinal at the end (a year) leaves the words before it as they are named.
        const bool ordinal = numeral(parts.back()).value_or(QString()).endsWith(QStringLiteral("ого"));
        QStringList words;
        for (qsizetype i = 0; i < parts.size(); ++i)
            words << numeral(parts[i], {}, ordinal && i + 1 < parts.size()).value_or(parts[i]);
        return words.join(u' ');
    }
    case Kind::Word:
        break;
    }
    return first.isEmpty() ? RussianStress::stressed(token.text, {}) : RussianStress::stressed(token.text, first);
}

// Every word of two or more syllables that has no stress mark yet gets the voice's own.
QString withVoiceStress(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("[\\p{Cyrillic}\\x{0301}]+"));
    QString result;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : word.globalMatch(text)) {
        QString each = match.captured();
        if (RussianStress::vowelCount(each) >= 2 && !each.contains(QChar(RussianStress::Acute)))
            each = RussianStress::stressWord(each, RussianNormaliser::voiceStress(each));
        result += text.mid(from, match.capturedStart() - from) + each;
        from = match.capturedEnd();
    }
    return result + text.mid(from);
}

void countDisagreements(const QString& spoken, QStringList* disagreements)
{
    static const QRegularExpression word(QStringLiteral("[\\p{Cyrillic}\\x{0301}]+"));
    for (const QRegularExpressionMatch& match : word.globalMatch(spoken)) {
        const QString marked = match.captured();
        const qsizetype acute = marked.indexOf(QChar(RussianStress::Acute));
        if (acute < 0) continue;
        const int stressed = RussianStress::vowelCount(marked.left(acute)) - 1;
        QString plain = marked;
        plain.remove(QChar(RussianStress::Acute));
        const int voice = RussianNormaliser::voiceStress(plain);
        if (voice != stressed)
            *disagreements << QStringLiteral("%1: RusP %2, voice %3")
                                  .arg(marked)
                                  .arg(stressed + 1)
                                  .arg(voice < 0 ? QStringLiteral("none") : QString::number(voice + 1));
    }
}

} // namespace

int RussianNormaliser::voiceStress(const QString& word)
{
    const QStringList phonemes = EspeakEngine::instance()
                                     .phonemes("ru", word)
                                     .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    int vowel = 0;
    for (const QString& phoneme : phonemes) {
        if (!RussianStress::isVowelPhoneme(phoneme)) continue;
        if (phoneme.startsWith(u'\'')) return vowel < RussianStress::vowelCount(word) ? vowel : -1;
        ++vowel;
    }
    return -1;
}

QString RussianNormaliser::spoken(const QString& rus, const QString& rusP, QStringList* disagreements)
{
    // A number RusP writes in digits too (the spelling table's "1 — Adín") pairs with itself.
    QSet<QString> phoneticDigits;
    for (const QRegularExpressionMatch& match : tokenPattern().globalMatch(rusP))
        if (match.captured().front().isDigit()) phoneticDigits.insert(match.captured());
    std::vector<Token> tokens;
    QSet<QString> latinFirsts;
    for (const QRegularExpressionMatch& match : tokenPattern().globalMatch(rus)) {
        const Kind kind = phoneticDigits.contains(match.captured()) ? Kind::Latin : kindOf(match.captured());
        tokens.push_back({kind, match.captured(), match.capturedStart(), match.capturedEnd(), {}});
        if (kind == Kind::Latin) latinFirsts.insert(firstPart(match.captured()));
    }
    // RusP writes Latin codes as Rus does; they pair by their first part (S-метр, S-metr).
    QStringList phonetic;
    QHash<QString, QString> phoneticLatin;
    for (const QRegularExpressionMatch& match : tokenPattern().globalMatch(rusP)) {
        const QString first = firstPart(match.captured());
        if (latinFirsts.contains(first))
            phoneticLatin.insert(first, match.captured());
        else
            phonetic << match.captured();
    }
    if (!pair(tokens, phonetic))
        for (Token& token : tokens)
            token.phonetic.clear();

    QString result;
    qsizetype from = 0;
    for (const Token& token : tokens) {
        result += rus.mid(from, token.start - from) + tokenWords(token, phoneticLatin);
        from = token.end;
    }
    result += rus.mid(from);
    if (disagreements != nullptr) countDisagreements(result, disagreements);
    return withVoiceStress(result);
}

} // namespace speech
