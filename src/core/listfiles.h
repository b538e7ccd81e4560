#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace ryv {

class TRyvItemList;
class TRyvOptions;

// The list files: today's log (current.lst), one file per earlier day
// (data/<year>/<yyyy-mm-dd>.lst), favorites.lst and recent.lst. UTF-8 with a
// byte-order mark, lines ended by CR LF, ";" between fields, texts always in
// double quotes. A double quote inside a text is written as an apostrophe
// (the format has no escape for it), and every line break inside a text as
// CR LF, so a description keeps its lines through any number of saves.

using TEntries = std::vector<std::unique_ptr<TRyvItem>>;

// Header lines, exactly as written.
QString DayFileHeader(); // kind;state;start;stop;"title";"url";"descr"
QString ListFileHeader(); // "title";"url";"descr"

// FolderData + "current.lst" for day 0, otherwise
// FolderData + <year> + "/" + <yyyy-mm-dd> + ".lst".
QString DayFilePath(const TRyvOptions& options, TDateTime day);
QString FavoritesFilePath(const TRyvOptions& options);
QString RecentFilePath(const TRyvOptions& options);

// A text field as written: in double quotes, double quotes turned into
// apostrophes, every line break (CR LF, lone CR, lone LF) as CR LF.
QString QuotedListText(const QString& text);
// kind;state;start;stop;"title";"url";"descr", the stop left empty when
// withStop is false (the running entry of current.lst).
QString DayFileLine(const TRyvItem& e, bool withStop);
// "title";"url";"descr"
QString ListFileLine(const TRyvItem& e);

// The whole text of a day file: the header, then every entry with its stop,
// then running (if given) without its stop.
QString DayFileText(const std::vector<const TRyvItem*>& entries, const TRyvItem* running = nullptr);
// The whole text of favorites.lst or recent.lst: the header and the first
// maxCount entries of list (all when maxCount < 0).
QString ListFileText(const TRyvItemList& list, int maxCount = -1);

// How a task stored without a stop (the entry that was running when the file
// was written) gets its stop on reading: the current time for today's log,
// the end of its day for a history day.
using TOpenStop = std::function<TDateTime(const TRyvItem& entry)>;

// Reads a day file and appends its entries to entries. A missing file is an
// empty day (true). False with the reader's errorText when the file exists
// but is empty or cannot be read, when its first line is not the day-file
// header (DayFileHeader, or the same without "descr"; nothing is appended
// then), or when it ends inside a quoted text (the entries of the lines
// before that text are appended). openTaskLast (optional) tells whether the
// last entry read is a task that was stored without a stop. A task without a
// stop whose start has no day (HasDay) is no open task: its stop is its
// start.
bool ReadDayFile(const QString& path, const TOpenStop& openStop, TEntries& entries,
    QString* errorText = nullptr, bool* openTaskLast = nullptr);
// Writes a day file (see DayFileText), creating its folder first. False with
// the system's error text when the folder or the file cannot be written; the
// old file is then left as it was.
bool WriteDayFile(const QString& path, const std::vector<const TRyvItem*>& entries,
    const TRyvItem* running, QString* errorText = nullptr);

// One file of WriteDayFileTexts: its path and its whole text (DayFileText).
struct TDayFileText final {
    QString path;
    QString text;
};
// Writes several day files as WriteDayFile writes one, but with one sync to
// the disk for all of them (WriteTextFiles). errorTexts gets, for each file,
// the error that names it, or an empty text when it was written; a file that
// fails does not keep the others from being written. True when all were.
bool WriteDayFileTexts(
    const std::vector<TDayFileText>& files, std::vector<QString>* errorTexts = nullptr);

// Whether a list file holds anything worth keeping when it failed to load: an
// empty file, or one with only a byte-order mark, is simply replaced.
bool ListFileHasContent(const QString& path);

// A list file that could not be read must not be replaced by a write that
// would lose what it holds: this renames it to
// <path>.unreadable-<yyyymmdd-hhmmss> (the time now), with "-2", "-3" ...
// added when that name is taken, and returns the new path. On failure it
// returns an empty text, with the system's error in errorText.
QString SetAsideUnreadFile(const QString& path, TDateTime now, QString* errorText = nullptr);

// Reads favorites.lst or recent.lst and appends every line to list as a new
// task entry (duplicate lines give duplicate entries). A missing file adds
// nothing (true). Fails as ReadDayFile does, with ListFileHeader (or the
// same without "descr") as the header.
bool ReadListFile(const QString& path, TRyvItemList& list, QString* errorText = nullptr);
// Writes favorites.lst or recent.lst (see ListFileText), creating its folder.
bool WriteListFile(
    const QString& path, const TRyvItemList& list, int maxCount, QString* errorText = nullptr);

} // namespace ryv
