#include "reports/textdocumentpdfrenderer.h"

#include "core/apptexts.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QTextDocument>
#include <QUrl>

#include <cmath>

namespace ryv {

namespace {

// Qt's rich-text engine does not draw inline SVG, which the charts of a
// report are: each is drawn into a picture of its own at print resolution
// and shown as an image in its place.
QString ChartsAsImages(const QString& html, QTextDocument& document)
{
    constexpr int Scale = 3; // pixels of the picture per unit of the chart
    // The engine's page is wider in its units than a browser's; at this share
    // the chart's words match the size of the table's.
    constexpr double Shown = 0.75;
    const QString open = QStringLiteral("<svg ");
    const QString close = QStringLiteral("</svg>");
    QString out;
    qsizetype from = 0;
    int count = 0;
    while (true) {
        const qsizetype start = html.indexOf(open, from);
        const qsizetype end = start < 0 ? -1 : html.indexOf(close, start);
        if (end < 0)
            break;
        out += html.mid(from, start - from);
        from = end + close.size();
        QSvgRenderer svg(html.mid(start, from - start).toUtf8());
        if (!svg.isValid())
            continue;
        const QSize size = svg.defaultSize();
        QImage image(size * Scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            svg.render(&painter);
        }
        const QUrl name(QStringLiteral("ryv-chart-%1").arg(++count));
        document.addResource(QTextDocument::ImageResource, name, image);
        out += QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" />")
                   .arg(name.toString())
                   .arg(qRound(size.width() * Shown))
                   .arg(qRound(size.height() * Shown));
    }
    return out + html.mid(from);
}

} // namespace

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
            *errorText = AppTexts().str_pdf_nogui;
        return false;
    }
    {
        QPdfWriter writer(pdfFileName);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("Ryv Tracker"));
        QTextDocument document;
        document.setHtml(ChartsAsImages(AdaptHtml(html), document));
        // The page's title is the document's, as a viewer shows it.
        writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
        document.print(&writer);
    }
    QFile file(pdfFileName);
    if (file.size() <= 0) {
        if (errorText)
            *errorText = AppTexts().str_file_unwritable.arg(pdfFileName);
        return false;
    }
    return true;
}

} // namespace ryv
