#include "core/listfiles.h"

#include "core/apptexts.h"
#include "core/csvreader.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ryv {

namespace {

// The largest list file read. A busy day's file holds some ten kilobytes,
// the favourites and the recent list less; this leaves room for years of
// pasted descriptions while a wrong file cannot take the program's memory.
constexpr qint64 MaxListFileBytes = 16 * 1024 * 1024;

const QChar Quote = QLatin1Char('"');
const QChar Delimiter = QLatin1Char(';');
const QString CrLf = QStringLiteral("\r\n");

// Creates the folder of path when it is missing.
bool MakeFolderOf(const QString& path, QString* errorText)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (QDir().mkpath(folder))
        return true;
    if (errorText)
        *errorText = AppTexts().str_folder_cannotcreate.arg(QDir::toNativeSeparators(folder));
    return false;
}

bool WriteListText(const QString& text, const QString& path, QString* errorText)
{
    if (!MakeFolderOf(path, errorText))
        return false;
    QString error;
    if (WriteTextFile(text, path, TTextEncoding::Utf8, true, &error))
        return true;
    if (errorText)
        *errorText = AppTexts().str_file_cannotwrite.arg(QDir::toNativeSeparators(path), error);
    return false;
}

// The names of the header's fields, as the parser returns them (without
// their quotes). The last one, the description, came later: a header without
// it is ours too, from a file of an older version. Fields after ours are
// ignored, as the readers ignore those of the entry lines.
const QStringList& DayHeaderNames()
{
    static const QStringList names { QStringLiteral("kind"), QStringLiteral("state"),
        QStringLiteral("start"), QStringLiteral("stop"), QStringLiteral("title"),
        QStringLiteral("url"), QStringLiteral("descr") };
    return names;
}

const QStringList& ListHeaderNames()
{
    static const QStringList names { QStringLiteral("title"), QStringLiteral("url"),
        QStringLiteral("descr") };
    return names;
}

// Whether the first row of a list file is the header of its kind. Any other
// first line means the file is not a list file of that kind (another file put
// in its place, random bytes, a damaged start): reading its lines as entries
// would invent entries, and the next save would replace the file with them.
bool IsListHeader(const QStringList& row, const QStringList& names)
{
    const qsizetype required = names.size() - 1; // all but the description
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString field = row.value(i).trimmed();
        if (i >= required && field.isEmpty())
            return true;
        if (field.compare(names[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// Reads path into table; a missing file gives an empty table and true. On
// failure the table holds the rows that can be trusted: those before a
// quoted text that runs to the end of the file, and none at all when the
// first line is not the header names.
bool ReadListTable(
    const QString& path, const QStringList& names, TCsvTable& table, QString* errorText)
{
    table.clear();
    if (errorText)
        errorText->clear();
    if (!QFileInfo::exists(path))
        return true;
    const bool ok = ReadCsvFile(path, MaxListFileBytes, Quote, Delimiter, table, errorText);
    if (table.isEmpty() || IsListHeader(table.first(), names))
        return ok;
    table.clear();
    if (errorText)
        *errorText = AppTexts().str_file_noheader.arg(QDir::toNativeSeparators(path));
    return false;
}

// The ordinal of an enumeration as stored: anything but a number reads as 0.
int StoredOrdinal(const QString& field)
{
    bool ok = false;
    const int v = field.trimmed().toInt(&ok, 10);
    return ok ? v : 0;
}

} // namespace

QString DayFileHeader()
{
    return QStringLiteral("kind;state;start;stop;\"title\";\"url\";\"descr\"");
}

QString ListFileHeader()
{
    return QStringLiteral("\"title\";\"url\";\"descr\"");
}

QString DayFilePath(const TRyvOptions& options, TDateTime day)
{
    if (DayOf(day) == 0)
        return options.FolderData + QStringLiteral("current.lst");
    const TDateTime midnight = MidnightOf(day);
    return options.FolderData + QString::number(ToQDate(midnight).year()) + QLatin1Char('/')
        + DateToText(midnight) + QStringLiteral(".lst");
}

QString FavoritesFilePath(const TRyvOptions& options)
{
    return options.FolderData + QStringLiteral("favorites.lst");
}

QString RecentFilePath(const TRyvOptions& options)
{
    return options.FolderData + QStringLiteral("recent.lst");
}

QString QuotedListText(const QString& text)
{
    QString s = text;
    s.replace(Quote, QLatin1Char('\''));
    s.replace(CrLf, QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QStringLiteral("\n"), CrLf);
    return Quote + s + Quote;
}

QString DayFileLine(const TRyvItem& e, bool withStop)
{
    return QString::number(static_cast<int>(e.kind)) + Delimiter
        + QString::number(static_cast<int>(e.state)) + Delimiter + DateTimeToText(e.start)
        + Delimiter + (withStop ? DateTimeToText(e.stop) : QString()) + Delimiter
        + QuotedListText(e.title) + Delimiter + QuotedListText(e.url) + Delimiter
        + QuotedListText(e.descr);
}

QString ListFileLine(const TRyvItem& e)
{
    return QuotedListText(e.title) + Delimiter + QuotedListText(e.url) + Delimiter
        + QuotedListText(e.descr);
}

QString DayFileText(const std::vector<const TRyvItem*>& entries, const TRyvItem* running)
{
    QString text = DayFileHeader();
    for (const TRyvItem* e : entries)
        text += CrLf + DayFileLine(*e, true);
    if (running)
        text += CrLf + DayFileLine(*running, false);
    return text;
}

QString ListFileText(const TRyvItemList& list, int maxCount)
{
    const int n = maxCount < 0 ? list.Count() : std::min(list.Count(), maxCount);
    QString text = ListFileHeader();
    for (int i = 0; i < n; ++i)
        text += CrLf + ListFileLine(*list.Item(i));
    return text;
}

bool ReadDayFile(const QString& path, const TOpenStop& openStop, TEntries& entries,
    QString* errorText, bool* openTaskLast)
{
    if (openTaskLast)
        *openTaskLast = false;
    TCsvTable table;
    const bool ok = ReadListTable(path, DayHeaderNames(), table, errorText);
    const bool hasDescr = !table.isEmpty() && table.first().size() >= 7;
    for (qsizetype r = 1; r < table.size(); ++r) {
        // Short rows were filled up to the table's width, but the table
        // itself may be narrower than seven fields.
        QStringList f = table.at(r);
        while (f.size() < 7)
            f.append(QString());
        auto e = std::make_unique<TRyvItem>();
        const int kind = StoredOrdinal(f.at(0));
        e->kind = kind == ryvkPause ? ryvkPause : ryvkTask;
        e->state = StoredOrdinal(f.at(1)) == ryvsDone ? ryvsDone : ryvsNone;
        e->start = ParseStoredDateTime(f.at(2), 0);
        // Any kind but a break reads as a task, and a task without a stop is
        // the one that was running, whatever number its kind was stored as.
        // Not so a task whose start has no day: it is no running task, and
        // its stop, which nothing gives it, is its start, so that it adds
        // nothing to the totals (on a start without any readable text,
        // which is 0, it is written back empty as it was read).
        const bool open = e->kind == ryvkTask && f.at(3).trimmed().isEmpty() && HasDay(e->start);
        e->title = f.at(4);
        e->url = f.at(5);
        e->descr = hasDescr ? f.at(6) : QString();
        if (open)
            e->stop = openStop(*e);
        else if (f.at(3).trimmed().isEmpty() && e->kind == ryvkTask)
            e->stop = e->start;
        else
            e->stop = ParseStoredDateTime(f.at(3), 0);
        // A stop that is there but cannot be read ends the entry where it
        // began: no negative duration in the totals, and no empty stop
        // written back, which would make the entry run after the next start.
        if (!open && e->stop == 0 && !f.at(3).trimmed().isEmpty())
            e->stop = e->start;
        if (openTaskLast)
            *openTaskLast = open;
        entries.push_back(std::move(e));
    }
    return ok;
}

bool WriteDayFile(const QString& path, const std::vector<const TRyvItem*>& entries,
    const TRyvItem* running, QString* errorText)
{
    return WriteListText(DayFileText(entries, running), path, errorText);
}

bool WriteDayFileTexts(const std::vector<TDayFileText>& files, std::vector<QString>* errorTexts)
{
    std::vector<QString> errors(files.size());
    std::vector<TTextFileWrite> writes;
    std::vector<size_t> indexes; // of files, for each write
    for (size_t i = 0; i < files.size(); ++i) {
        if (!MakeFolderOf(files[i].path, &errors[i]))
            continue;
        writes.push_back({ files[i].path, files[i].text, TTextEncoding::Utf8, true });
        indexes.push_back(i);
    }
    std::vector<QString> writeErrors;
    WriteTextFiles(writes, &writeErrors);
    for (size_t w = 0; w < writes.size(); ++w)
        if (!writeErrors[w].isEmpty())
            errors[indexes[w]] = AppTexts().str_file_cannotwrite.arg(
                QDir::toNativeSeparators(writes[w].fileName), writeErrors[w]);
    const bool all
        = std::all_of(errors.begin(), errors.end(), [](const QString& e) { return e.isEmpty(); });
    if (errorTexts)
        *errorTexts = std::move(errors);
    return all;
}

bool ListFileHasContent(const QString& path)
{
    if (!QFileInfo::exists(path))
        return false;
    // Anything that cannot be read as a small regular file (a link to a
    // device, a FIFO, a file we may not open) is kept as it is.
    const std::optional<QByteArray> bytes = ReadFileBytes(path, 3);
    return !bytes || (!bytes->isEmpty() && *bytes != QByteArray("\xEF\xBB\xBF"));
}

QString SetAsideUnreadFile(const QString& path, TDateTime now, QString* errorText)
{
    const QString stamp = ToQDateTime(now).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString base = path + QStringLiteral(".unreadable-") + stamp;
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = base + QLatin1Char('-') + QString::number(n);
    QFile file(path);
    if (file.rename(aside))
        return aside;
    if (errorText)
        *errorText = file.errorString();
    return QString();
}

bool ReadListFile(const QString& path, TRyvItemList& list, QString* errorText)
{
    TCsvTable table;
    const bool ok = ReadListTable(path, ListHeaderNames(), table, errorText);
    const bool hasDescr = !table.isEmpty() && table.first().size() >= 3;
    for (qsizetype r = 1; r < table.size(); ++r) {
        const QStringList& f = table.at(r);
        auto e = std::make_unique<TRyvItem>();
        e->title = f.value(0);
        e->url = f.value(1);
        e->descr = hasDescr ? f.value(2) : QString();
        list.AddIfMissing(std::move(e));
    }
    return ok;
}

bool WriteListFile(const QString& path, const TRyvItemList& list, int maxCount, QString* errorText)
{
    return WriteListText(ListFileText(list, maxCount), path, errorText);
}

} // namespace ryv
