#include "suggest/suggestlist.h"

#include "reports/groupmasks.h"
#include "suggest/suggestsources.h"
#include "suggest/suggesttext.h"

#include <QFileInfo>

namespace ryv {

TRyvSuggestItem* TSuggestList::Add(std::unique_ptr<TRyvSuggestItem> item)
{
    FItems.push_back(std::move(item));
    return FItems.back().get();
}

QString ProgramFileName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return name;
    for (qsizetype i = dot + 1; i < name.size(); ++i)
        if (name.at(i).isDigit())
            return name;
    return name.left(dot);
}

TRyvSuggestItem* AddSuggestion(TSuggestList& list, const QString& title, const QString& url,
    const QString& descr, const QString& source, const TOpenWindow* window, int image,
    const TGroupMasks* masks)
{
    auto item = std::make_unique<TRyvSuggestItem>();
    item->title = title;
    item->url = url;
    item->descr = descr;
    if (window) {
        item->icon = window->icon;
        item->iconName = window->iconName;
        item->appName = window->programName;
        if (item->appName.isEmpty())
            item->appName = ProgramFileName(source);
        if (item->appName.isEmpty())
            item->appName = source;
        item->_imgIdx = -1;
    } else {
        item->appName = source;
        item->_imgIdx = image;
    }

    if (!item->appName.isEmpty()) {
        const qsizetype at
            = item->title.indexOf(QStringLiteral(" - ") + item->appName, 0, Qt::CaseInsensitive);
        if (at >= 0)
            item->title.truncate(at);
        else if (window)
            item->title = CaptionWithoutProgram(item->title, item->appName, window->wmClass);
    }

    // A group mask that cannot be read must not cost the user every
    // suggestion: the title then stays as it is.
    if (masks) {
        QString renamed;
        if (masks->Apply(item->title, renamed))
            item->title = renamed;
    }
    item->title = CutText(item->title, TRyvSuggestItem::MaxTitleLength);
    return list.Add(std::move(item));
}

int FindSuggestion(const TSuggestList& list, const QString& browser, const QString& title)
{
    if (browser.isEmpty() && title.isEmpty())
        return -1;
    for (int i = 0; i < list.Count(); ++i) {
        const TRyvSuggestItem* item = list.Item(i);
        if (!title.isEmpty() && item->title.compare(title, Qt::CaseInsensitive) != 0)
            continue;
        if (!browser.isEmpty() && !item->appName.contains(browser, Qt::CaseInsensitive))
            continue;
        return i;
    }
    return -1;
}

std::vector<int> FilterSuggestions(
    const TSuggestList& list, const QString& filter, const QStringList& excluded)
{
    std::vector<int> shown;
    shown.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        const TRyvSuggestItem* item = list.Item(i);
        if (!filter.isEmpty() && !item->title.contains(filter, Qt::CaseInsensitive)
            && !item->descr.contains(filter, Qt::CaseInsensitive)
            && !item->url.contains(filter, Qt::CaseInsensitive)
            && !item->appName.contains(filter, Qt::CaseInsensitive))
            continue;
        if (!excluded.isEmpty() && excluded.contains(item->appName, Qt::CaseInsensitive))
            continue;
        shown.push_back(i);
    }
    return shown;
}

} // namespace ryv
