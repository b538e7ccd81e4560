#include "reports/textdocumentpdf.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

namespace ryv {

QString TTextDocumentPdfRenderer::AdaptHtml(QString html)
{
    html.replace(QStringLiteral("&check;"), QStringLiteral("&#10003;"));
    html.replace(QStringLiteral("<table class=\"tbl\" align=\"center\">"),
                 QStringLiteral("<table class=\"tbl\" align=\"center\" width=\"100%\" "
                                "cellspacing=\"0\" cellpadding=\"4\">"));
    // The title column takes the room the times and durations leave.
    html.replace(QStringLiteral("<td class=\"all\"><span class=\"pba\">"),
                 QStringLiteral("<td class=\"all\" width=\"100%\"><span class=\"pba\">"));
    return html;
}

bool TTextDocumentPdfRenderer::RenderHtmlToPdf(const QString& html, const QString& pdfFileName,
                                               QString* errorText)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (errorText)
            *errorText = QStringLiteral("PDF rendering needs the graphical interface");
        return false;
    }
    {
        QPdfWriter writer(pdfFileName);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("Ryv Tracker"));
        QTextDocument document;
        document.setHtml(AdaptHtml(html));
        document.print(&writer);
    }
    QFile file(pdfFileName);
    if (file.size() <= 0) {
        if (errorText)
            *errorText = QStringLiteral("Cannot write %1").arg(pdfFileName);
        return false;
    }
    return true;
}

} // namespace ryv
