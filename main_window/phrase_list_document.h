#pragma once

#include <QFont>
#include <QString>
#include <memory>
#include <vector>

class PhraseGrid;
class QPagedPaintDevice;
class QTextDocument;

// A list of phrases as it goes on paper: the list's caption as heading, then a table of the two
// languages the grid shows, titled as in the grid. Long phrases wrap within their column, and
// each script prints in a font that has it.
class PhraseListDocument {
public:
    struct Row {
        QString left;
        QString right;
    };

    PhraseListDocument(const QString& caption, const QString& leftTitle, const QString& rightTitle,
                       const std::vector<Row>& rows, const QFont& font);
    PhraseListDocument(PhraseListDocument&&) noexcept;
    PhraseListDocument& operator=(PhraseListDocument&&) noexcept;
    ~PhraseListDocument();

    // The grid's two language columns in their present order, every row, in the grid's face.
    [[nodiscard]] static PhraseListDocument fromGrid(const PhraseGrid& grid, const QString& caption);

    [[nodiscard]] const QTextDocument& document() const { return *m_document; }
    // On a printer or a PDF writer, page by page at the device's page size.
    void print(QPagedPaintDevice& device) const;
    // A PDF with the text as text (selectable, searchable); the file is replaced only once it is
    // complete. Throws std::runtime_error naming the file when it cannot be written.
    void exportPdf(const QString& fileName) const;

private:
    // The list with a new table, under its own titles, from each of the rows named in `pageStarts`
    // (ascending), each such table starting a page.
    [[nodiscard]] std::unique_ptr<QTextDocument> build(const std::vector<std::size_t>& pageStarts) const;

    QString m_caption;
    QString m_leftTitle;
    QString m_rightTitle;
    std::vector<Row> m_rows;
    QFont m_font;
    std::unique_ptr<QTextDocument> m_document;
};
