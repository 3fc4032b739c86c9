#include "phrase_list_document.h"

#include "pdf_text_mend.h"
#include "phrase_grid.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHeaderView>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <stdexcept>

namespace {

constexpr int PrintPointSize = 11;

std::runtime_error writeError(const QString& fileName, const QString& what)
{
    return std::runtime_error(QStringLiteral("%1: %2").arg(fileName, what).toStdString());
}

QString cell(const QString& text, const char* tag = "td")
{
    return QStringLiteral("<%1 width=\"50%\">%2</%1>").arg(QLatin1String(tag), text.toHtmlEscaped());
}

} // namespace

PhraseListDocument::PhraseListDocument(const QString& caption, const QString& leftTitle, const QString& rightTitle,
                                       const std::vector<Row>& rows, const QFont& font)
    : m_caption(caption)
    , m_document(std::make_unique<QTextDocument>())
{
    QFont printed(font.family());
    printed.setPointSize(PrintPointSize);
    printed.setBold(font.bold());
    m_document->setDefaultFont(printed);
    QString html = QStringLiteral("<h2>%1</h2><table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\">")
                       .arg(caption.toHtmlEscaped());
    html += QStringLiteral("<thead><tr>") + cell(leftTitle, "th") + cell(rightTitle, "th") +
            QStringLiteral("</tr></thead>");
    for (const Row& row : rows)
        html += QStringLiteral("<tr>") + cell(row.left) + cell(row.right) + QStringLiteral("</tr>");
    html += QStringLiteral("</table>");
    m_document->setHtml(html);
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
    m_document->print(&device);
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
