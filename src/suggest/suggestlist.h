#pragma once

#include "suggest/ryvsuggestitem.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace ryv {

class TGroupMasks;
struct TOpenWindow;

// The suggestions of one task dialog, in the order they were gathered. Owns
// them; an item keeps its address and index for the life of the list, since
// items refer to earlier ones by index (_imgIdx).
class TSuggestList final {
public:
    TSuggestList() = default;
    TSuggestList(const TSuggestList&) = delete;
    TSuggestList& operator=(const TSuggestList&) = delete;
    TSuggestList(TSuggestList&&) = default;
    TSuggestList& operator=(TSuggestList&&) = default;

    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    TRyvSuggestItem* Item(int i) const { return FItems.at(static_cast<size_t>(i)).get(); }
    TRyvSuggestItem* Add(std::unique_ptr<TRyvSuggestItem> item);
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TRyvSuggestItem>> FItems;
};

// Makes one suggestion and appends it.
// - With a window: appName is the window's program name, else the file name
//   of source (the program path) without folder and extension, else source;
//   the image comes from the window (_imgIdx -1). The program's part of the
//   caption is cut off (CaptionWithoutProgram).
// - Without: appName is source, _imgIdx is image; a title that holds
//   " - " and appName is cut before it.
// Then the first matching group mask renames the title (a mask that cannot
// be read leaves it as it is) and it is cut to 255 characters.
TRyvSuggestItem* AddSuggestion(TSuggestList& list, const QString& title, const QString& url,
    const QString& descr, const QString& source, const TOpenWindow* window, int image,
    const TGroupMasks* masks);

// The index of the first suggestion of browser (its appName contains the
// name, any case) whose title is title (any case); only one of the two is
// matched when the other is empty. -1 when none, or when both are empty.
int FindSuggestion(const TSuggestList& list, const QString& browser, const QString& title);

// The indices of the suggestions to show, in list order: filter (empty for
// all) occurs in the title, description, link or source, any case, and the
// source is not among excluded (any case).
std::vector<int> FilterSuggestions(
    const TSuggestList& list, const QString& filter, const QStringList& excluded);

// The name that stands for a program without a desktop entry: the file name
// without folder and extension ("/usr/bin/run.sh" gives "run"). A suffix
// with a digit is a version, not an extension ("python3.11" stays).
QString ProgramFileName(const QString& path);

} // namespace ryv
