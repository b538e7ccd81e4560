#include "reports/htmlexport.h"

#include "core/apptexts.h"
#include "core/datetime.h"
#include "core/durationtext.h"

namespace ryv {

namespace {

const QString CrLf = QStringLiteral("\r\n");

struct TLayout {
    QString colGroup;
    QString span; // colspan of a full row
    QString labelSpan; // colspan of a total's label cell
};

const TLayout& ListLayout()
{
    static const TLayout layout {
        QStringLiteral("<colgroup><col class=\"alr\" /><col class=\"alr\" /><col class=\"all\" />"
                       "<col class=\"alr plarge\" /></colgroup>"),
        QStringLiteral("4"), QStringLiteral("3")
    };
    return layout;
}

const TLayout& ReportLayout()
{
    static const TLayout layout {
        QStringLiteral("<colgroup><col class=\"all\" /><col class=\"alr plarge\" /></colgroup>"),
        QStringLiteral("2"), QStringLiteral("1")
    };
    return layout;
}

QString HourMinutes(TDateTime t)
{
    return FormatDateTime(QStringLiteral("hh:nn"), t);
}

QString DurationHnn(TDateTime d)
{
    return FormatDateTime(QStringLiteral("h:nn"), d);
}

QString DayHeading(const TLayout& l, TDateTime day)
{
    return QStringLiteral("<tr class=\"bb\"><td class=\"all group-title\" colspan=\"") + l.span
        + QStringLiteral("\">") + HtmlEscape(LongDateText(day)) + QStringLiteral("</td></tr>");
}

QString DayTotalAndSpacer(const TLayout& l, TDateTime daySum)
{
    return QStringLiteral("<tr class=\"bt\"><td class=\"alr gray pt2\" colspan=\"") + l.labelSpan
        + QStringLiteral("\">") + HtmlEscape(AppTexts().str_daily_total)
        + QStringLiteral("</td><td class=\"alr plarge\"><span class=\"pba total\">")
        + DurationHnn(daySum) + QStringLiteral("</span></td></tr>")
        + QStringLiteral("<tr class=\"nob\"><td class=\"nob\" colspan=\"") + l.span
        + QStringLiteral("\">&nbsp;</td></tr>");
}

QString GrandTotal(const TLayout& l, TDateTime sum)
{
    return QStringLiteral("<tr class=\"bt\"><td class=\"alr pt2 bold\" colspan=\"") + l.labelSpan
        + QStringLiteral("\">") + HtmlEscape(AppTexts().str_total)
        + QStringLiteral("</td><td class=\"alr plarge\"><span class=\"pba totalb\">")
        + DurationText(sum) + QStringLiteral("</span></td></tr>");
}

QString TitleCell(const TRyvItem& e)
{
    constexpr qsizetype MaxTitle = 128;
    QString text = e.title;
    if (text.size() > MaxTitle) {
        // A character outside the basic plane (an emoji) takes two units;
        // cutting between them would leave half a character, which the
        // browser shows as a replacement mark.
        const qsizetype cut = text.at(MaxTitle - 1).isHighSurrogate() ? MaxTitle - 1 : MaxTitle;
        text = text.left(cut) + QStringLiteral(" ...");
    }
    text = HtmlEscape(text);
    if (!e.url.isEmpty())
        text = QStringLiteral("<a href=\"") + HtmlEscape(e.url) + QStringLiteral("\">") + text
            + QStringLiteral("</a>");
    return QStringLiteral("<td class=\"all\"><span class=\"pba\">") + text
        + QStringLiteral("</span></td>");
}

QString ListTaskRow(const TRyvItem& e, bool showStop)
{
    QString times = HourMinutes(e.start);
    if (showStop)
        times += QStringLiteral(" - ") + HourMinutes(e.stop);
    return QStringLiteral("<tr><td class=\"alr bold check\">")
        + (e.state == ryvsDone ? QStringLiteral("&check;") : QStringLiteral("&nbsp;"))
        + QStringLiteral("</td><td class=\"alr\"><span class=\"pba start\">") + times
        + QStringLiteral("</span></td>") + TitleCell(e)
        + QStringLiteral("<td class=\"alr plarge\"><span class=\"pba bold\">")
        + DurationHnn(LoggedDuration(e)) + QStringLiteral("</span></td></tr>");
}

QString ListBreakRow(const TRyvItem& e)
{
    return QStringLiteral("<tr><td class=\"alc gray\" colspan=\"4\"><small><i>")
        + HtmlEscape(AppTexts().str_pause) + QStringLiteral(":  ") + HourMinutes(e.start)
        + QStringLiteral(" - ") + HourMinutes(e.stop) + QStringLiteral(" &nbsp;(")
        + DurationHnn(LoggedDuration(e)) + QStringLiteral(")</i></small></td></tr>");
}

QString ReportRow(const TRyvItem& e)
{
    return QStringLiteral("<tr>") + TitleCell(e)
        + QStringLiteral("<td class=\"alr plarge\"><span class=\"pba bold\">")
        + DurationText(e.Duration()) + QStringLiteral("</span></td></tr>");
}

// The caption and the page title from the title t. With an empty t and at
// least one entry the page title names the day (or the first and last day);
// multiDay then tells whether they differ. The caption stays empty then.
struct TCaption {
    QString caption;
    QString pageTitle;
    bool multiDay = false;
};

TCaption MakeCaption(QString t, const std::vector<TRyvItem>& entries)
{
    TCaption c;
    const qsizetype p = t.indexOf(CrLf);
    if (p >= 0) {
        QStringList lines = t.mid(p).split(CrLf);
        for (QString& line : lines)
            line = HtmlEscape(line);
        c.caption = HtmlEscape(t.left(p)) + QStringLiteral("<small>")
            + lines.join(QStringLiteral("<br />")) + QStringLiteral("</small>");
    } else {
        c.caption = HtmlEscape(t);
    }
    if (t.isEmpty() && !entries.empty()) {
        const TDateTime first = entries.front().start;
        const TDateTime last = entries.back().start;
        if (DayOf(first) == DayOf(last)) {
            t = LongDateText(first);
        } else {
            t = ShortDateText(first) + QStringLiteral(" - ") + ShortDateText(last);
            c.multiDay = true;
        }
    }
    // The lines of the title; an empty one (no report title, only the
    // period) leaves no separator behind.
    QStringList lines = t.split(CrLf);
    lines.removeAll(QString());
    c.pageTitle = HtmlEscape(lines.join(QStringLiteral(": ")));
    return c;
}

QString Document(const TCaption& c, const TLayout& l, const QString& rows, bool hasRows,
    const QString& lead = {})
{
    QString html = QStringLiteral("<!DOCTYPE html><html><head><title>") + c.pageTitle
        + QStringLiteral("</title><meta charset=\"utf-8\"><meta name=\"viewport\" "
                         "content=\"width=device-width, initial-scale=1, shrink-to-fit=no\">"
                         "<style>")
        + ReportStyleSheet() + QStringLiteral("</style></head><body>") + lead
        + QStringLiteral("<table class=\"tbl\" align=\"center\"><caption class=\"tbl-cap\">")
        + c.caption + QStringLiteral("</caption>");
    if (hasRows)
        html += l.colGroup + QStringLiteral("<tbody>") + rows + QStringLiteral("</tbody>");
    html += QStringLiteral("</table></body></html>");
    return html;
}

struct TDayWalk {
    int day = 0;
    TDateTime daySum = 0; // of the last day
    TDateTime sum = 0;
};

// Adds the rows of entries in order: before the first entry of each day the
// day heading, preceded by the previous day's total and spacer. addRow adds
// the entry's own row and gives the time it counts in the totals.
template <typename AddRow>
TDayWalk WalkDays(
    const TLayout& l, const std::vector<TRyvItem>& entries, QString& rows, AddRow addRow)
{
    TDayWalk w;
    for (size_t i = 0; i < entries.size(); ++i) {
        const TRyvItem& e = entries[i];
        if (DayOf(e.start) != w.day) {
            w.day = DayOf(e.start);
            if (i > 0)
                rows += DayTotalAndSpacer(l, w.daySum);
            rows += DayHeading(l, w.day);
            w.daySum = 0;
        }
        const TDateTime counted = addRow(e);
        w.daySum += counted;
        w.sum += counted;
    }
    return w;
}

} // namespace

const QString& ReportStyleSheet()
{
    static const QString css = QStringLiteral(
        ".group-title {font-family: Helvetica,Arial,sans-serif;font-size: 1.4em;font-weight: "
        "normal;margin: 0.4em;margin-left: 0;color: #0066cc;}.total {font-size:1.3em;font-weight:"
        "normal;}.totalb {font-size:1.3em;font-weight:bolder;}.pba {page-break-inside:avoid;}"
        "a:link {text-decoration:none;color:#000;}a:visited {text-decoration:none;color:#000;}"
        "a:hover {text-decoration:none;color:#00f;}.tbl {page-break-after: auto;font-family: "
        "Helvetica,Arial,sans-serif;font-size: 1em;font-style: normal;font-weight: normal;"
        "text-decoration: none;border-collapse: collapse;}.tbl-cap {font-size: 1.4em;font-weight: "
        "bold;padding: 0.4em;padding-bottom: 0.8em;}.thd {display:table-header-group}.tft "
        "{display:table-footer-group}.tbl th {background-color: #eee;word-wrap: break-word;"
        "padding: 0.2em;padding-left: 0.4em;padding-right: 0.4em;}.tbl td {word-wrap: break-word;"
        "vertical-align: middle!important;padding: 0.4em;padding-left: 0.4em;padding-right: "
        "0.4em;}.pt2 {padding-top: 0.5em!important;}.bt {border-top: 1px solid #ccc;}.bb "
        "{border-bottom: 1px solid #ccc;}.bold {font-weight: bolder;}.gray {color: #999;}.start "
        "{color: #004cbc;}.check {padding-top:0.1em!important;padding-bottom:0.2em!important;}"
        ".plarge {padding-left:0.8em!important;padding-right:0.2em!important;}.nob {border: "
        "none!important;}.alr {text-align: right;}.all {text-align: left;}.alc {text-align: "
        "center;}");
    return css;
}

QString HtmlEscape(const QString& text)
{
    // toHtmlEscaped is in QtGui; the four characters are all a text or a
    // quoted attribute value needs.
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString ListHtmlText(const std::vector<TRyvItem>& list, const QString& title, bool showStop)
{
    const TLayout& l = ListLayout();
    const TCaption c = MakeCaption(title, list);
    QString rows;
    const TDayWalk walk = WalkDays(l, list, rows, [&](const TRyvItem& e) {
        rows += e.IsPause() ? ListBreakRow(e) : ListTaskRow(e, showStop);
        return e.IsTask() ? LoggedDuration(e) : TDateTime(0);
    });
    if (!list.empty()) {
        rows += DayTotalAndSpacer(l, walk.daySum);
        if (c.multiDay)
            rows += GrandTotal(l, walk.sum);
    }
    return Document(c, l, rows, !list.empty());
}

QString ReportHtmlText(
    const std::vector<TRyvItem>& summary, bool single, const QString& title, const QString& charts)
{
    const TLayout& l = ReportLayout();
    const TCaption c = MakeCaption(title, summary);
    QString rows;
    const TDayWalk walk = WalkDays(l, summary, rows, [&](const TRyvItem& e) {
        rows += ReportRow(e);
        return e.Duration();
    });
    if (!summary.empty()) {
        // Without daily every start is 0: no day headings, no day totals.
        if (walk.day != 0)
            rows += DayTotalAndSpacer(l, walk.daySum);
        if (!single)
            rows += GrandTotal(l, walk.sum);
    }
    return Document(c, l, rows, !summary.empty(), charts);
}

} // namespace ryv
