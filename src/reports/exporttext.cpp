#include "reports/exporttext.h"

#include "core/apptexts.h"
#include "core/datetime.h"

#include <QFileInfo>

namespace ryv {

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString Quoted(QString text)
{
    text.replace(QLatin1Char('"'), QLatin1Char('\''));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The entries of a day list: they lead with the done mark and count as log
// entries do. The rows of a report: no mark, each the sum it holds.
enum class TRows { LogEntries, ReportRows };

QString EntriesText(const std::vector<TRyvItem>& entries, QChar sep, TRows rows)
{
    const bool withState = rows == TRows::LogEntries;
    QStringList header;
    if (withState)
        header << QStringLiteral("\"state\"");
    header << QStringLiteral("start") << QStringLiteral("stop") << QStringLiteral("duration")
           << QStringLiteral("\"title\"") << QStringLiteral("\"url\"")
           << QStringLiteral("\"descr\"");
    QString text = header.join(sep);
    const QString hhnn = QStringLiteral("hh:nn");
    const QString hnn = QStringLiteral("h:nn");
    for (const TRyvItem& e : entries) {
        if (e.IsPause())
            continue;
        text += CrLf;
        if (withState)
            text += Quoted(e.state == ryvsDone ? QStringLiteral("X") : QString()) + sep;
        text += FormatDateTime(hhnn, e.start) + sep + FormatDateTime(hhnn, e.stop) + sep
            + FormatDateTime(hnn, withState ? LoggedDuration(e) : e.Duration()) + sep
            + Quoted(e.title) + sep + Quoted(e.url) + sep + Quoted(e.descr);
    }
    return text;
}

} // namespace

QString ListClipboardText(const std::vector<TRyvItem>& list)
{
    return EntriesText(list, QLatin1Char('\t'), TRows::LogEntries);
}

QString ListCsvText(const std::vector<TRyvItem>& list)
{
    return EntriesText(list, QLatin1Char(';'), TRows::LogEntries);
}

QString ReportCsvText(const std::vector<TRyvItem>& entries)
{
    return EntriesText(entries, QLatin1Char(';'), TRows::ReportRows);
}

QString ExportFilter(const QString& ext)
{
    const TAppTexts& texts = AppTexts();
    const QString prefix = ext.left(3);
    QString f = texts.files_html;
    if (prefix == QLatin1String("pdf"))
        f = texts.files_pdf + QLatin1Char('|') + f;
    else
        f = f + QLatin1Char('|') + texts.files_pdf;
    if (prefix == QLatin1String("csv"))
        f = texts.files_csv + QLatin1Char('|') + f;
    else
        f = f + QLatin1Char('|') + texts.files_csv;
    if (prefix == QLatin1String("jso"))
        f = texts.files_json + QLatin1Char('|') + f;
    else
        f = f + QLatin1Char('|') + texts.files_json;
    return f;
}

QStringList QtFileFilters(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString mask = parts[i + 1];
        mask.replace(QLatin1Char(';'), QLatin1Char(' ')); // Qt separates masks by blanks, not ";"
        // Qt reads the masks from the parentheses at the end of the
        // description; a translated description may lack them.
        if (description.trimmed().endsWith(QLatin1Char('(') + mask + QLatin1Char(')')))
            result << description.trimmed();
        else
            result << description.trimmed() + QStringLiteral(" (") + mask + QLatin1Char(')');
    }
    return result;
}

TExportType ExportTypeOf(const QString& ext)
{
    const QString prefix = ext.left(3);
    if (prefix == QLatin1String("csv"))
        return TExportType::Csv;
    if (prefix == QLatin1String("pdf"))
        return TExportType::Pdf;
    if (prefix == QLatin1String("jso"))
        return TExportType::Json;
    return TExportType::Html;
}

QString ExtensionOfPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix.isEmpty() ? QStringLiteral("html") : suffix;
}

} // namespace ryv
