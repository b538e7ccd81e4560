#pragma once

#include "reports/reportports.h"

namespace ryv {

// Renders the report documents with Qt's own rich-text engine onto A4 pages,
// for when wkhtmltopdf is missing or fails. It needs a GUI application object
// (fonts), so it lives in a library of its own that only the program and GUI
// tests link.
class TTextDocumentPdfRenderer final : public IPdfRenderer {
public:
    bool RenderHtmlToPdf(
        const QString& html, const QString& pdfFileName, QString* errorText) override;

    // The document as Qt's rich-text engine reads it best: entities it does
    // not know spelled as characters, and widths for the table and the title
    // column, since it ignores those of a column group.
    static QString AdaptHtml(QString html);
};

} // namespace ryv
