#pragma once

#include <QString>

// The text of a PDF as pdftotext reads it: what a person finds when they search the file.
class PdfText {
public:
    // Empty when pdftotext cannot read the file.
    [[nodiscard]] static QString read(const QString& pdf);
};
