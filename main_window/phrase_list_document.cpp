#include "phrase_list_document.h"

#include "pdf_text_mend.h"
#include "phrase_grid.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <stdexcept>

namespace {

constexpr int PrintPointSize = 11;
// Breaks are found on pages this much shorter than the printed ones, so that a row found to fit
// still fits whatever the printing layout rounds differently.
constexpr qreal BreakSlackMm = 1.5;
constexpr qreal MmPerInch = 25.4;
// What QTextDocument::print() gives a document that has no page size: margins around the text,
// and margins on a device that has none.
constexpr qreal PrintTextMarginMm = 20;
constexpr qreal PrintDeviceMarginMm = 2;

std::runtime_error writeError(const QString& fileName, const QString& what)
{
    return std::runtime_error(QStringLiteral("%1: %2").arg(fileName, what).toStdString());
}

QString cell(const QString& text, const char* tag = "td")
{
    return QStringLiteral("<%1 width=\"50%\">%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

// The resolution the document's own units are measured in before print() scales them to the
// device: the screen's, as Qt takes it.
QPointF documentDpi()
{
    if (QCoreApplication::testAttribute(Qt::AA_Use96Dpi)) return {96, 96};
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return {qreal(qRound(screen->logicalDotsPerInchX())), qreal(qRound(screen->logicalDotsPerInchY()))};
    return {100, 100};
}

// The rows (counted over all the document's tables, header rows aside) that begin a page inside a
// table when print() lays the document out on `device`: at the device's page size and metrics,
// within the text margins print() sets, the foot a little higher for safety. A row of which Qt
// carries the last lines over to the next page is the last one named: had it moved whole, the
// pages after it would hold other rows.
std::vector<std::size_t> rowsStartingAPage(const QTextDocument& document, QPagedPaintDevice& device)
{
    const std::unique_ptr<QTextDocument> laid(document.clone());
    laid->documentLayout()->setPaintDevice(&device);
    const QPointF dpi = documentDpi();
    const qreal across = int(PrintTextMarginMm / MmPerInch * dpi.x());
    const qreal down = int(PrintTextMarginMm / MmPerInch * dpi.y());
    QTextFrameFormat frame = laid->rootFrame()->frameFormat();
    frame.setLeftMargin(across);
    frame.setRightMargin(across);
    frame.setTopMargin(down);
    frame.setBottomMargin(down + BreakSlackMm / MmPerInch * dpi.y());
    laid->rootFrame()->setFrameFormat(frame);
    laid->setPageSize(QSizeF(device.width(), device.height()));
    const qreal pageHeight = laid->pageSize().height();
    const QAbstractTextDocumentLayout& layout = *laid->documentLayout();

    std::vector<std::size_t> starts;
    std::size_t counted = 0;
    for (QTextFrame* child : laid->rootFrame()->childFrames()) {
        const auto* table = qobject_cast<QTextTable*>(child);
        if (table == nullptr) continue;
        // A row that does not fit moves to the next page whole, or Qt carries its last lines over.
        int lastPage = -1;
        for (int row = table->format().headerRowCount(); row < table->rows(); ++row, ++counted) {
            const qreal top = layout.blockBoundingRect(table->cellAt(row, 0).firstCursorPosition().block()).top();
            qreal bottom = top;
            for (int column = 0; column < table->columns(); ++column)
                bottom = std::max(
                    bottom, layout.blockBoundingRect(table->cellAt(row, column).lastCursorPosition().block()).bottom());
            const auto topPage = int(top / pageHeight);
            const auto bottomPage = int(std::max(top, bottom - 1) / pageHeight);
            const bool carried = bottomPage > topPage;
            if (lastPage >= 0 && (topPage > lastPage || carried)) {
                starts.push_back(counted);
                if (carried) return starts;
            }
            lastPage = bottomPage;
        }
    }
    return starts;
}

} // namespace

PhraseListDocument::PhraseListDocument(const QString& caption, const QString& leftTitle, const QString& rightTitle,
                                       const std::vector<Row>& rows, const QFont& font)
    : m_caption(caption)
    , m_leftTitle(leftTitle)
    , m_rightTitle(rightTitle)
    , m_rows(rows)
    , m_font(font.family())
{
    m_font.setPointSize(PrintPointSize);
    m_font.setBold(font.bold());
    m_document = build({});
}

std::unique_ptr<QTextDocument> PhraseListDocument::build(const std::vector<std::size_t>& pageStarts) const
{
    const auto table = [this](const QString& style) {
        return QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\"%1>").arg(style) +
               QStringLiteral("<thead><tr>") + cell(m_leftTitle, "th") + cell(m_rightTitle, "th") +
               QStringLiteral("</tr></thead>");
    };
    QString html = QStringLiteral("<h2>%1</h2>").arg(m_caption.toHtmlEscaped()) + table({});
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (row > 0 && std::binary_search(pageStarts.begin(), pageStarts.end(), row))
            html += QStringLiteral("</table>") + table(QStringLiteral(" style=\"page-break-before: always\""));
        html += QStringLiteral("<tr>") + cell(m_rows[row].left) + cell(m_rows[row].right) + QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(m_font);
    document->setHtml(html);
    return document;
}

PhraseListDocument::PhraseListDocument(PhraseListDocument&&) noexcept = default;
PhraseListDocument& PhraseListDocument::operator=(PhraseListDocument&&) noexcept = default;
PhraseListDocument::~PhraseListDocument() = default;

PhraseListDocument PhraseListDocument::fromGrid(const PhraseGrid& grid, const QString& caption)
{
    const QAbstractItemModel& model = *grid.model();
    const int left = grid.logicalAt(GridPlace::Left);
    const int right = grid.logicalAt(GridPlace::Right);
    std::vector<Row> rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.push_back({model.index(row, left).data().toString(), model.index(row, right).data().toString()});
    return {caption, grid.columnTitle(GridPlace::Left), grid.columnTitle(GridPlace::Right), rows, grid.font()};
}

void PhraseListDocument::print(QPagedPaintDevice& device) const
{
    // Qt draws the last row of a page that a table crosses down to the page's foot. So the table
    // is split where its pages break, each part starting a page under its own titles.
    if (device.pageLayout().margins(QPageLayout::Millimeter).isNull())
        device.setPageMargins(
            QMarginsF(PrintDeviceMarginMm, PrintDeviceMarginMm, PrintDeviceMarginMm, PrintDeviceMarginMm),
            QPageLayout::Millimeter);
    std::vector<std::size_t> pageStarts;
    std::unique_ptr<QTextDocument> printed = build(pageStarts);
    // The pages up to the first row found are laid out for good, so each pass settles at least one
    // more break, and the rows bound the passes; lists of one-line phrases settle in one.
    for (std::size_t pass = 0; pass <= m_rows.size(); ++pass) {
        const std::vector<std::size_t> found = rowsStartingAPage(*printed, device);
        if (found.empty()) break;
        // Breaks past the first one found were placed on pages laid out otherwise.
        pageStarts.erase(std::upper_bound(pageStarts.begin(), pageStarts.end(), found.front()), pageStarts.end());
        pageStarts.insert(pageStarts.end(), found.begin(), found.end());
        printed = build(pageStarts);
    }
    printed->print(&device);
}

void PhraseListDocument::exportPdf(const QString& fileName) const
{
    // A new file goes in by a rename, which would replace a device or a pipe of that name.
    if (const QFileInfo target(fileName); target.exists() && !target.isFile())
        throw writeError(fileName, QStringLiteral("not a regular file"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) throw writeError(fileName, file.errorString());
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&written);
        writer.setTitle(m_caption);
        writer.setCreator(QStringLiteral("Tarvolyn"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        print(writer);
    }
    const QByteArray pdf = PdfTextMend::mend(written.data());
    if (file.write(pdf) != pdf.size() || !file.commit()) throw writeError(fileName, file.errorString());
}
