#include "cli/commandline.h"

#include "core/datetime.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace ryv {

namespace {

// Qt's own options of a GUI program, which belong to the window.
const QStringList& QtWindowOptions()
{
    static const QStringList options { QStringLiteral("-session"), QStringLiteral("-platform"),
        QStringLiteral("-platformtheme"), QStringLiteral("-platformpluginpath"),
        QStringLiteral("-plugin"), QStringLiteral("-style"), QStringLiteral("-stylesheet"),
        QStringLiteral("-reverse"), QStringLiteral("-display"), QStringLiteral("-geometry"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"),
        QStringLiteral("-qwindowicon"), QStringLiteral("-name"), QStringLiteral("-title"),
        QStringLiteral("-widgetcount") };
    return options;
}

// A word of the command line as a message quotes it: in apostrophes, with
// control characters (a line break a script left at its end, say) written as
// escapes, so that the message stays one line and shows what was wrong.
QString Quoted(const QString& word)
{
    QString shown;
    for (const QChar c : word) {
        if (c == u'\n')
            shown += QStringLiteral("\\n");
        else if (c == u'\r')
            shown += QStringLiteral("\\r");
        else if (c == u'\t')
            shown += QStringLiteral("\\t");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

// "YYYY-MM-DD" as a day, false for any other form or a day that does not
// exist (2021-02-29). Years before 1900 are outside the program's calendar.
bool ParseDay(const QString& text, TDateTime& day)
{
    // Anchored to the whole text: "$" alone would let a line break follow.
    static const QRegularExpression form(
        QRegularExpression::anchoredPattern(QStringLiteral("(\\d{4})-(\\d{2})-(\\d{2})")));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid() || date.year() < 1900)
        return false;
    day = FromQDate(date);
    return true;
}

bool ParsePeriod(const QString& text, TDateTime now, TReportPeriod& period, QString& error)
{
    // The names of the window's period buttons.
    for (const TReportPeriodDef& p : ReportPeriods) {
        if (text == QLatin1String(p.name)) {
            period = ReportPeriod(p.tag, now);
            // The window's year buttons never break down by day; here the
            // option asks for it, and a year gives what the same days given
            // as a range give.
            if (period.daily == TPeriodDaily::Never)
                period.daily = TPeriodDaily::FromCheckBox;
            return true;
        }
    }
    const qsizetype dots = text.indexOf(QStringLiteral(".."));
    if (dots < 0) {
        error = QStringLiteral("unknown period %1").arg(Quoted(text));
        return false;
    }
    TDateTime first = 0;
    TDateTime last = 0;
    for (const auto& [part, day] :
        { std::pair { text.left(dots), &first }, std::pair { text.mid(dots + 2), &last } }) {
        if (!ParseDay(part, *day)) {
            error = QStringLiteral("no such date %1 in period %2 (YYYY-MM-DD..YYYY-MM-DD)")
                        .arg(Quoted(part), Quoted(text));
            return false;
        }
    }
    if (last < first) {
        error = QStringLiteral("period %1 ends before it begins").arg(Quoted(text));
        return false;
    }
    // One day reads like "today": per day, no period text. Longer ranges
    // leave the breakdown to --daily and name their first and last day.
    period = TReportPeriod {};
    period.first = first;
    period.last = last;
    if (first != last) {
        period.daily = TPeriodDaily::FromCheckBox;
        period.periodText = ShortDateText(first) + QStringLiteral(" - ") + ShortDateText(last);
    }
    return true;
}

bool ParseFormat(const QString& text, TExportType& format, QString& error)
{
    const struct {
        const char* name;
        TExportType type;
    } formats[] = { { "html", TExportType::Html }, { "csv", TExportType::Csv },
        { "pdf", TExportType::Pdf }, { "json", TExportType::Json } };
    for (const auto& f : formats) {
        if (text == QLatin1String(f.name)) {
            format = f.type;
            return true;
        }
    }
    error = QStringLiteral("unknown format %1 (html, csv, pdf or json)").arg(Quoted(text));
    return false;
}

} // namespace

bool IsCommandLine(const QStringList& arguments)
{
    return !arguments.isEmpty() && !QtWindowOptions().contains(arguments.first());
}

QString CommandLineHelp()
{
    return QStringLiteral(
        "Usage: RyvTracker [report [PERIOD] | export [DATE]] [options]\n"
        "Without arguments Ryv Tracker opens its window.\n"
        "\n"
        "Commands:\n"
        "  report [PERIOD]  The report of a period, as the reports panel writes it.\n"
        "                   PERIOD: today (the default), yesterday, this-week,\n"
        "                   last-week, this-month, last-month, this-year, last-year\n"
        "                   or YYYY-MM-DD..YYYY-MM-DD.\n"
        "  export [DATE]    The entries of one day, as the Export command writes them.\n"
        "                   DATE: today (the default) or YYYY-MM-DD.\n"
        "\n"
        "Options:\n"
        "  --format FORMAT  html (the default), csv, pdf or json.\n"
        "  --daily          report: per day (a single day always is).\n"
        "  --groups         report: by groups (the group masks of the settings).\n"
        "  -o, --output FILE  Write to FILE instead of standard output\n"
        "                   (PDF needs it; - is standard output). A file is\n"
        "                   replaced only once complete; a character device or a\n"
        "                   FIFO is written into.\n"
        "  -h, --help       Show this help.\n"
        "  -v, --version    Show the version.\n"
        "\n"
        "Exit status: 0 done, 1 the output could not be written, 2 bad input.\n");
}

bool ParseCommandLine(
    const QStringList& arguments, TDateTime now, TCliRequest& request, QString& error)
{
    request = TCliRequest {};
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("FORMAT"));
    const QCommandLineOption daily(QStringLiteral("daily"));
    const QCommandLineOption groups(QStringLiteral("groups"));
    const QCommandLineOption output(
        { QStringLiteral("o"), QStringLiteral("output") }, QString(), QStringLiteral("FILE"));
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(
        QStringList { QStringLiteral("v"), QStringLiteral("version") });
    parser.addOptions({ format, daily, groups, output, help, version });
    // QCommandLineParser takes the program name first.
    if (!parser.parse(QStringList { QStringLiteral("RyvTracker") } + arguments)) {
        error = parser.errorText().replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
        return false;
    }
    if (parser.isSet(help)) {
        request.command = TCliCommand::Help;
        return true;
    }
    if (parser.isSet(version)) {
        request.command = TCliCommand::Version;
        return true;
    }
    for (const QCommandLineOption* o : { &format, &output }) {
        if (parser.values(*o).size() > 1) {
            error = QStringLiteral("option '--%1' given more than once").arg(o->names().last());
            return false;
        }
    }

    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        error = QStringLiteral("no command given (report or export; --help shows how)");
        return false;
    }
    const QString command = words.first();
    if (words.size() > 2) {
        error = QStringLiteral("unexpected argument %1").arg(Quoted(words.at(2)));
        return false;
    }
    const QString what = words.value(1, QStringLiteral("today"));
    if (command == QLatin1String("report")) {
        request.command = TCliCommand::Report;
        if (!ParsePeriod(what, now, request.period, error))
            return false;
    } else if (command == QLatin1String("export")) {
        request.command = TCliCommand::Export;
        for (const QCommandLineOption* o : { &daily, &groups }) {
            if (parser.isSet(*o)) {
                error = QStringLiteral("option '--%1' belongs to report, not to export")
                            .arg(o->names().first());
                return false;
            }
        }
        if (what == QLatin1String("today")) {
            request.day = MidnightOf(now);
        } else if (!ParseDay(what, request.day)) {
            error = QStringLiteral("no such date %1 (today or YYYY-MM-DD)").arg(Quoted(what));
            return false;
        }
    } else {
        error = QStringLiteral("unknown command %1 (report or export)").arg(Quoted(command));
        return false;
    }

    if (parser.isSet(format) && !ParseFormat(parser.value(format), request.format, error))
        return false;
    request.daily = parser.isSet(daily);
    request.groups = parser.isSet(groups);
    request.output = parser.value(output);
    if (parser.isSet(output) && request.output.isEmpty()) {
        error = QStringLiteral("option '--output' needs a file name");
        return false;
    }
    // A PDF goes to a terminal only when asked for by name.
    if (request.format == TExportType::Pdf && !parser.isSet(output)) {
        error = QStringLiteral("PDF output needs a file: --output FILE (- for standard output)");
        return false;
    }
    // "-" is standard output, as for most commands.
    if (request.output == QLatin1String("-"))
        request.output.clear();
    return true;
}

} // namespace ryv
