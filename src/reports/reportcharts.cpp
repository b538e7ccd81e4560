#include "reports/reportcharts.h"

#include "core/apptexts.h"
#include "core/durationtext.h"
#include "reports/htmlexport.h"

#include <QStringView>

#include <algorithm>
#include <iterator>

namespace ryv {

namespace {

constexpr int MaxBars = 12;
constexpr int ChartWidth = 640;
constexpr int HeadingSize = 15; // pixels, the charts' headings
constexpr int LabelSize = 12; // the bars' labels
const QString Font = QStringLiteral("Helvetica,Arial,sans-serif");

// The advances of DejaVu Sans in thousandths of the font size, for U+0020 to
// U+007E and U+00A0 to U+00FF. Of the fonts a browser or Qt takes for the
// charts' font on a Linux desktop (Nimbus Sans and Liberation Sans for
// Helvetica and Arial, DejaVu Sans for sans-serif) it is the widest, so a
// label measured with it fits in each of them.
constexpr short AsciiAdvances[] = {
    318,
    401,
    460,
    838,
    637,
    951,
    780,
    275,
    391,
    391,
    500,
    838,
    318,
    361,
    318,
    337,
    637,
    637,
    637,
    637,
    637,
    637,
    637,
    637,
    637,
    637,
    337,
    337,
    838,
    838,
    838,
    531,
    1000,
    685,
    687,
    699,
    771,
    632,
    576,
    775,
    752,
    295,
    295,
    656,
    558,
    863,
    749,
    788,
    604,
    788,
    695,
    635,
    611,
    732,
    685,
    989,
    686,
    611,
    686,
    391,
    337,
    391,
    838,
    500,
    500,
    613,
    635,
    550,
    635,
    616,
    353,
    635,
    634,
    278,
    278,
    580,
    278,
    975,
    634,
    612,
    635,
    635,
    412,
    521,
    393,
    634,
    592,
    818,
    592,
    592,
    525,
    637,
    337,
    637,
    838,
};
constexpr short Latin1Advances[] = {
    318,
    401,
    637,
    637,
    637,
    637,
    337,
    500,
    500,
    1000,
    472,
    612,
    838,
    361,
    1000,
    500,
    500,
    838,
    401,
    401,
    500,
    637,
    637,
    318,
    500,
    401,
    472,
    612,
    970,
    970,
    970,
    531,
    685,
    685,
    685,
    685,
    685,
    685,
    975,
    699,
    632,
    632,
    632,
    632,
    295,
    295,
    295,
    295,
    775,
    749,
    788,
    788,
    788,
    788,
    788,
    838,
    788,
    732,
    732,
    732,
    732,
    611,
    605,
    630,
    613,
    613,
    613,
    613,
    613,
    613,
    982,
    550,
    616,
    616,
    616,
    616,
    278,
    278,
    278,
    278,
    612,
    634,
    612,
    612,
    612,
    612,
    612,
    838,
    612,
    634,
    634,
    634,
    634,
    592,
    635,
    592,
};
static_assert(std::size(AsciiAdvances) == 0x7F - 0x20 && std::size(Latin1Advances) == 0x100 - 0xA0);
// Beyond Latin-1: letters with accents as their base letter; East Asian
// wide characters, emoji and anything else unknown a whole font size;
// other scripts' lower case letters three quarters of it.
constexpr int WideAdvance = 1000;
constexpr int LowerAdvance = 750;

struct TChartColors {
    QString bar; // the accent of the day headings
    QString column; // the colour of the start times
    QString muted; // grey texts: the "Others" bar, the axis labels
    QString line; // the table's rules
    QString text;
};

const TChartColors& Colors()
{
    // Taken from the style sheet, so the charts and the table keep one look;
    // the fallbacks only serve a style sheet that lost a rule.
    static const TChartColors colors = [] {
        auto pick = [](const QString& value, const char* fallback) {
            return value.isEmpty() ? QString::fromLatin1(fallback) : value;
        };
        const QString border = StyleSheetValue(QStringLiteral(".bt"), QStringLiteral("border-top"));
        return TChartColors {
            pick(StyleSheetValue(QStringLiteral(".group-title"), QStringLiteral("color")),
                "#0066cc"),
            pick(StyleSheetValue(QStringLiteral(".start"), QStringLiteral("color")), "#004cbc"),
            pick(StyleSheetValue(QStringLiteral(".gray"), QStringLiteral("color")), "#999"),
            pick(border.section(QLatin1Char(' '), -1), "#ccc"),
            pick(StyleSheetValue(QStringLiteral("a:link"), QStringLiteral("color")), "#000"),
        };
    }();
    return colors;
}

QString Num(double v)
{
    return QString::number(v, 'f', 1);
}

QString SvgOpen(int width, int height, const QString& label)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\" role=\"img\" aria-label=\"%3\" "
                          "font-family=\"%4\">")
               .arg(width)
               .arg(height)
               .arg(label, Font)
        + QStringLiteral("<title>") + label + QStringLiteral("</title>");
}

QString Text(
    double x, double y, const QString& anchor, int size, const QString& fill, const QString& text)
{
    return QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"%3\" font-size=\"%4\" "
                          "fill=\"%5\">")
               .arg(Num(x), Num(y), anchor)
               .arg(size)
               .arg(fill)
        + text + QStringLiteral("</text>");
}

// text with control characters, which XML does not allow, as blanks.
QString Blanked(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return text;
}

// The advance of one character in thousandths of the font size, at least
// as wide as in any of the fonts the charts are drawn with.
int Advance(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return AsciiAdvances[c - 0x20];
    if (c >= 0xA0 && c <= 0xFF)
        return Latin1Advances[c - 0xA0];
    if (c < 0xA0)
        return 0; // control characters, which Label makes blanks first
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return 0;
    default:
        break;
    }
    const QString decomposed = QChar::decomposition(c);
    if (!decomposed.isEmpty() && decomposed.front().unicode() < 0x100 && c < 0x2000)
        return Advance(decomposed.front().unicode());
    if (QChar::isLower(c) && c < 0x1100)
        return LowerAdvance;
    return WideAdvance;
}

// The width of text at fontSize pixels, never less than it is drawn.
double TextWidth(const QString& text, int fontSize)
{
    double width = 0;
    for (const char32_t c : QStringView(text).toUcs4())
        width += Advance(c);
    return width * fontSize / 1000.0;
}

// A label as SVG text: control characters become blanks; a label wider than maxWidth is cut to fit
// with an ellipsis (never inside a surrogate pair) and keeps its whole text as a tooltip (an SVG
// title); everything is escaped.
QString Label(const QString& text, int fontSize, double maxWidth, double x, double y,
    const QString& anchor, const QString& fill)
{
    const QString t = Blanked(text);
    if (TextWidth(t, fontSize) <= maxWidth)
        return Text(x, y, anchor, fontSize, fill, HtmlEscape(t));
    const QString ellipsis = QStringLiteral("\u2026");
    const double room = maxWidth - TextWidth(ellipsis, fontSize);
    qsizetype cut = 0;
    double width = 0;
    while (cut < t.size()) {
        const qsizetype next = cut + (t.at(cut).isHighSurrogate() && cut + 1 < t.size() ? 2 : 1);
        const double w = TextWidth(t.mid(cut, next - cut), fontSize);
        if (width + w > room)
            break;
        width += w;
        cut = next;
    }
    return QStringLiteral("<g><title>") + HtmlEscape(t) + QStringLiteral("</title>")
        + Text(x, y, anchor, fontSize, fill, HtmlEscape(t.left(cut).trimmed() + ellipsis))
        + QStringLiteral("</g>");
}

QString Rect(double x, double y, double w, double h, const QString& fill)
{
    return QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"/>")
        .arg(Num(x), Num(y), Num(w), Num(h), fill);
}

struct TBar {
    QString title;
    TDateTime time = 0;
    bool others = false;
};

QString BarChart(const std::vector<TRyvItem>& totals, bool byGroups, const QString& othersText)
{
    std::vector<TBar> bars;
    TDateTime rest = 0;
    bool hasRest = false;
    for (const TRyvItem& e : totals) {
        const TDateTime t = e.Duration();
        // The summary's own group of unmatched tasks is a rest as well.
        const bool isOthers = byGroups && e.title == othersText;
        if (isOthers || static_cast<int>(bars.size()) >= MaxBars) {
            rest += t;
            hasRest = true;
        } else {
            bars.push_back({ e.title, t, false });
        }
    }
    if (hasRest)
        bars.push_back({ othersText, rest, true });

    const TChartColors& c = Colors();
    const TAppTexts& texts = AppTexts();
    const QString heading = byGroups ? texts.str_chart_groups : texts.str_chart_tasks;
    constexpr int Top = 30;
    constexpr int Row = 22;
    constexpr int LabelRight = 236;
    constexpr int BarLeft = 244;
    constexpr int BarMax = 320;
    const int height = Top + static_cast<int>(bars.size()) * Row + 8;
    TDateTime largest = 0;
    for (const TBar& b : bars)
        largest = std::max(largest, b.time);

    QString svg = SvgOpen(ChartWidth, height, HtmlEscape(Blanked(heading)));
    svg += Label(heading, HeadingSize, ChartWidth, 0, 18, QStringLiteral("start"), c.bar);
    for (size_t i = 0; i < bars.size(); ++i) {
        const TBar& b = bars[i];
        const double y = Top + static_cast<double>(i) * Row;
        const double w = largest > 0 ? std::max(1.0, BarMax * (b.time / largest)) : 1.0;
        // The labels end at the bars; they begin no further left than the
        // chart's edge.
        svg += Label(b.title, LabelSize, LabelRight, LabelRight, y + 14, QStringLiteral("end"),
            b.others ? c.muted : c.text);
        svg += Rect(BarLeft, y + 3, w, 15, b.others ? c.muted : c.bar);
        svg += Text(BarLeft + w + 6, y + 14, QStringLiteral("start"), LabelSize, c.text,
            DurationText(b.time));
    }
    svg += Rect(BarLeft - 1, Top, 1, height - Top - 6, c.line);
    return svg + QStringLiteral("</svg>");
}

QString ColumnChart(TDateTime first, int n, const std::map<int, TDateTime>& dayTimes)
{
    const TChartColors& c = Colors();
    const QString heading = AppTexts().str_chart_days;
    constexpr int Top = 44;
    constexpr int Plot = 150;
    constexpr int Left = 8;
    constexpr int Bottom = Top + Plot;
    const double slot = static_cast<double>(ChartWidth - 2 * Left) / n;
    TDateTime largest = 0;
    for (const auto& [i, t] : dayTimes)
        largest = std::max(largest, t);
    // Every day number shows while they fit; otherwise every k-th.
    const int labelEvery = std::max(1, (n + 30) / 31);
    const bool values = n <= 16;

    QString svg = SvgOpen(ChartWidth, Bottom + 24, HtmlEscape(Blanked(heading)));
    svg += Label(heading, HeadingSize, ChartWidth, 0, 18, QStringLiteral("start"), c.bar);
    // Only the days with a column or a number are visited, in day order.
    auto timed = dayTimes.lower_bound(0);
    int label = 0;
    while (true) {
        const int nextTimed = timed != dayTimes.end() && timed->first < n ? timed->first : n;
        const int i = std::min(nextTimed, label);
        if (i >= n)
            break;
        const double x = Left + i * slot;
        if (i == nextTimed) {
            const TDateTime t = timed->second;
            const double h = largest > 0 ? Plot * (t / largest) : 0;
            if (t > 0)
                svg += Rect(x + slot * 0.15, Bottom - std::max(1.0, h), std::max(1.0, slot * 0.7),
                    std::max(1.0, h), c.column);
            if (values && t > 0)
                svg += Text(x + slot / 2, Bottom - h - 4, QStringLiteral("middle"), 10, c.text,
                    DurationText(t));
            ++timed;
        }
        if (i == label) {
            svg += Text(x + slot / 2, Bottom + 15, QStringLiteral("middle"), 10, c.muted,
                QString::number(ToQDate(first + i).day()));
            label += labelEvery;
        }
    }
    svg += Rect(Left, Bottom, ChartWidth - 2 * Left, 1, c.line);
    if (!values && largest > 0)
        svg += Text(Left, Top - 6, QStringLiteral("start"), 10, c.muted, DurationText(largest));
    return svg + QStringLiteral("</svg>");
}

} // namespace

QString StyleSheetValue(const QString& selector, const QString& property)
{
    const QString& css = ReportStyleSheet();
    qsizetype from = 0;
    while (true) {
        const qsizetype at = css.indexOf(selector, from);
        if (at < 0)
            return {};
        from = at + selector.size();
        // Only the selector itself: ".bt" must not find ".btx" nor "a.bt".
        const bool startsRule = at == 0 || css.at(at - 1) == QLatin1Char('}');
        const qsizetype open = css.indexOf(QLatin1Char('{'), from);
        if (!startsRule || open < 0 || !css.mid(from, open - from).trimmed().isEmpty())
            continue;
        const qsizetype close = css.indexOf(QLatin1Char('}'), open);
        const QStringList declarations
            = css.mid(open + 1, close < 0 ? -1 : close - open - 1).split(QLatin1Char(';'));
        for (const QString& d : declarations) {
            const qsizetype colon = d.indexOf(QLatin1Char(':'));
            if (colon > 0 && d.left(colon).trimmed() == property)
                return d.mid(colon + 1).trimmed();
        }
        return {};
    }
}

QString ReportChartsHtml(const std::vector<TRyvItem>& totals, bool byGroups,
    const QString& othersText, TDateTime first, int dayCount,
    const std::map<int, TDateTime>& dayTimes)
{
    if (totals.empty())
        return {};
    QString html = QStringLiteral("<div class=\"charts\" align=\"center\">");
    html += BarChart(totals, byGroups, othersText);
    if (dayCount > 0)
        html += QStringLiteral("<br />") + ColumnChart(first, dayCount, dayTimes);
    return html + QStringLiteral("</div>");
}

} // namespace ryv
