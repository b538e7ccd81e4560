// The list-file reader on any bytes: a day file and a favourites file are
// read; whatever was read is written, read again and must come back as the
// writer stores it (double quotes as apostrophes, line breaks as one LF).
#include "fuzzcheck.h"

#include "core/listfiles.h"
#include "core/ryvitemlist.h"
#include "core/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

using namespace ryv;

// In memory where the system offers it: every input is written and read.
const QString& Folder()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
            ? QStringLiteral("/dev/shm/ryv-fuzz-XXXXXX")
            : QString());
    static const QString folder = dir.path() + QLatin1Char('/');
    return folder;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// A text as a write and a second read give it back.
QString Stored(QString text)
{
    text.replace(QLatin1Char('"'), QLatin1Char('\''));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

TDateTime FixedStop(const TRyvItem&)
{
    return EncodeDateTime(2022, 1, 7, 12, 0);
}

void DayFileRoundTrip(const QByteArray& bytes)
{
    const QString path = Folder() + QStringLiteral("day.lst");
    WriteBytes(path, bytes);
    TEntries first;
    QString reason;
    if (!ReadDayFile(path, FixedStop, first, &reason))
        return;
    std::vector<const TRyvItem*> entries;
    for (const auto& e : first)
        entries.push_back(e.get());
    // The bytes WriteDayFile writes, without its sync to the disk.
    WriteBytes(path, EncodeText(DayFileText(entries), TTextEncoding::Utf8, true));
    TEntries second;
    RYV_FUZZ_CHECK(ReadDayFile(path, FixedStop, second, &reason), reason);
    RYV_FUZZ_CHECK(first.size() == second.size(), QStringLiteral("day file entry count"));
    for (size_t i = 0; i < first.size(); ++i) {
        const TRyvItem& a = *first[i];
        const TRyvItem& b = *second[i];
        RYV_FUZZ_CHECK(a.kind == b.kind && a.state == b.state, QStringLiteral("kind or state"));
        RYV_FUZZ_CHECK(Stored(a.title) == b.title, b.title);
        RYV_FUZZ_CHECK(Stored(a.url) == b.url, b.url);
        RYV_FUZZ_CHECK(Stored(a.descr) == b.descr, b.descr);
        // A row without a readable date (day 0, which also stands for "not
        // set") has no times the format could hold; the day-change rules
        // decide what becomes of it.
        if (DayOf(a.start) == 0)
            continue;
        RYV_FUZZ_CHECK(DateTimeToText(a.start) == DateTimeToText(b.start),
            DateTimeToText(a.start) + QStringLiteral(" / ") + DateTimeToText(b.start));
        RYV_FUZZ_CHECK(DateTimeToText(a.stop) == DateTimeToText(b.stop),
            DateTimeToText(a.stop) + QStringLiteral(" / ") + DateTimeToText(b.stop));
    }
}

void ListFileRoundTrip(const QByteArray& bytes)
{
    const QString path = Folder() + QStringLiteral("favorites.lst");
    WriteBytes(path, bytes);
    TRyvItemList first;
    QString reason;
    if (!ReadListFile(path, first, &reason))
        return;
    WriteBytes(path, EncodeText(ListFileText(first), TTextEncoding::Utf8, true));
    TRyvItemList second;
    RYV_FUZZ_CHECK(ReadListFile(path, second, &reason), reason);
    RYV_FUZZ_CHECK(first.Count() == second.Count(), QStringLiteral("list entry count"));
    for (int i = 0; i < first.Count(); ++i) {
        RYV_FUZZ_CHECK(
            Stored(first.Item(i)->title) == second.Item(i)->title, QStringLiteral("title"));
        RYV_FUZZ_CHECK(Stored(first.Item(i)->url) == second.Item(i)->url, QStringLiteral("url"));
        RYV_FUZZ_CHECK(
            Stored(first.Item(i)->descr) == second.Item(i)->descr, QStringLiteral("descr"));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    DayFileRoundTrip(bytes);
    ListFileRoundTrip(bytes);
    // A file without its header is not read at all; the lines after one are
    // what most inputs should reach.
    DayFileRoundTrip(DayFileHeader().toUtf8() + "\r\n" + bytes);
    ListFileRoundTrip(ListFileHeader().toUtf8() + "\r\n" + bytes);
    return 0;
}
