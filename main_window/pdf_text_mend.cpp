#include "pdf_text_mend.h"

#include <QString>
#include <array>

namespace {

constexpr char16_t FirstRadical = 0x2E80; // the CJK radicals supplement, then the Kangxi radicals
constexpr char16_t LastRadical = 0x2FD5;

// The supplement's radicals that Japanese faces draw as the ideograph itself and that Unicode
// does not decompose (the Kangxi radicals all decompose to their ideograph).
struct SupplementRadical {
    char16_t radical;
    char16_t ideograph;
};
constexpr std::array<SupplementRadical, 16> Supplement{{
    {0x2EA0, u'民'},
    {0x2EA9, u'王'},
    {0x2EC1, u'虎'},
    {0x2EC4, u'西'},
    {0x2ED1, u'長'},
    {0x2ED8, u'青'},
    {0x2EDD, u'食'},
    {0x2EE3, u'骨'},
    {0x2EE4, u'鬼'},
    {0x2EE8, u'麦'},
    {0x2EE9, u'黄'},
    {0x2EEB, u'斉'},
    {0x2EED, u'歯'},
    {0x2EEF, u'竜'},
    {0x2EF2, u'亀'},
    {0x2EF3, u'龟'},
}};

QChar ideographOf(char16_t radical)
{
    for (const SupplementRadical& each : Supplement)
        if (each.radical == radical) return QChar(each.ideograph);
    const QString decomposed = QString(QChar(radical)).normalized(QString::NormalizationForm_KC);
    return decomposed.size() == 1 ? decomposed.front() : QChar(radical);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The four hex digits at pdf[at], or -1.
int codeAt(const QByteArray& pdf, qsizetype at)
{
    if (at + 4 > pdf.size()) return -1;
    int code = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const int digit = hexDigit(pdf[at + i]);
        if (digit < 0) return -1;
        code = code * 16 + digit;
    }
    return code;
}

// The text of each glyph in a CMap's lines: after the source codes (two in a bfrange line, one
// in a bfchar line), every <XXXX> is a text.
void mendLines(QByteArray& pdf, qsizetype begin, qsizetype end, int sources)
{
    int token = 0;
    for (qsizetype at = begin; at < end; ++at) {
        if (pdf[at] == '\n') {
            token = 0;
            continue;
        }
        if (pdf[at] != '<') continue;
        const bool text = token++ >= sources;
        const int code = codeAt(pdf, at + 1);
        if (!text || code < FirstRadical || code > LastRadical || at + 5 >= end || pdf[at + 5] != '>') continue;
        const QChar ideograph = ideographOf(char16_t(code));
        const QByteArray digits = QByteArray::number(ideograph.unicode(), 16).toUpper().rightJustified(4, '0');
        pdf.replace(at + 1, 4, digits);
    }
}

void mendBlocks(QByteArray& pdf, qsizetype begin, qsizetype end, const QByteArray& open, const QByteArray& close,
                int sources)
{
    for (qsizetype at = pdf.indexOf(open, begin); at >= 0 && at < end; at = pdf.indexOf(open, at)) {
        const qsizetype stop = pdf.indexOf(close, at);
        if (stop < 0 || stop > end) return;
        mendLines(pdf, at + open.size(), stop, sources);
        at = stop;
    }
}

} // namespace

QByteArray PdfTextMend::mend(QByteArray pdf)
{
    for (qsizetype at = pdf.indexOf("begincmap"); at >= 0; at = pdf.indexOf("begincmap", at)) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0) break;
        mendBlocks(pdf, at, end, "beginbfrange", "endbfrange", 2);
        mendBlocks(pdf, at, end, "beginbfchar", "endbfchar", 1);
        at = end;
    }
    return pdf;
}
