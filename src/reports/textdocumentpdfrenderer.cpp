#include "reports/textdocumentpdfrenderer.h"

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
    // Fixed shares for the mark, time and duration columns; the title column
    // takes the rest and wraps.
    html.replace(QStringLiteral("<td class=\"alr bold check\">"),
        QStringLiteral("<td class=\"alr bold check\" width=\"4%\">"));
    html.replace(QStringLiteral("<td class=\"alr\"><span class=\"pba start\">"),
        QStringLiteral("<td class=\"alr\" width=\"18%\"><span class=\"pba start\">"));
    html.replace(QStringLiteral("<td class=\"alr plarge\">"),
        QStringLiteral("<td class=\"alr plarge\" width=\"12%\">"));
    return html;
}

bool TTextDocumentPdfRenderer::RenderHtmlToPdf(
    const QString& html, const QString& pdfFileName, QString* errorText)
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
