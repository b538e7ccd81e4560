#include "suggest/gathersuggestions.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/ports.h"
#include "core/ryvitem.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "reports/groupmasks.h"
#include "suggest/suggestlist.h"
#include "suggest/suggestsources.h"
#include "suggest/suggesttext.h"

namespace ryv {

namespace {

void AddWindows(TSuggestList& list, const TSuggestSources& sources, const TGroupMasks& masks)
{
    for (const TOpenWindow& window : sources.windows.OpenWindows()) {
        const QString path = TrimBlanks(window.programPath);
        if (window.caption.trimmed().isEmpty() || path.isEmpty())
            continue;
        AddSuggestion(list, window.caption, QString(), QString(), path, &window, -1, &masks);
    }
}

void AddListItems(TSuggestList& list, const TRyvItemList& items, bool newestFirst,
    const QString& source, int image, const TGroupMasks& masks)
{
    const int count = items.Count();
    for (int n = 0; n < count; ++n) {
        const TRyvItem* item = items.Item(newestFirst ? count - 1 - n : n);
        AddSuggestion(list, item->title, item->url, item->descr, source, nullptr, image, &masks);
    }
}

void AddBrowserPages(TSuggestList& list, const TSuggestSources& sources, const TGroupMasks& masks)
{
    const TDateTime now = sources.clock.Now();
    const TDateTime cutoff = now - RecentPageAge;
    for (const TBrowserVisit& visit : sources.history.RecentVisits(now - WindowPageAge)) {
        // A page without a title shows its address in the browser's caption,
        // so the address stands in for the title; an empty title would
        // otherwise give its link to whatever window the browser has.
        const QString title = visit.title.isEmpty() ? visit.url : visit.title;
        if (title.isEmpty())
            continue;
        // A window (or an earlier row) of this page: the first row gives the
        // link, later rows of the same page add nothing.
        const int found = FindSuggestion(list, visit.browser, title);
        if (found >= 0) {
            TRyvSuggestItem* item = list.Item(found);
            if (item->url.isEmpty())
                item->url = visit.url;
            continue;
        }
        if (visit.hasVisitTime && visit.visitTime < cutoff)
            continue;
        const int window = visit.browser.isEmpty() ? -1 : FindSuggestion(list, visit.browser, {});
        if (window >= 0) {
            const TRyvSuggestItem* owner = list.Item(window);
            TRyvSuggestItem* page = AddSuggestion(list, title, visit.url, QString(), owner->appName,
                nullptr, SuggestImage::WebPage, &masks);
            if (owner->HasIcon())
                page->_imgIdx = -2 - window;
        } else {
            AddSuggestion(list, title, visit.url, QString(), visit.browser, nullptr,
                SuggestImage::WebPage, &masks);
        }
    }
}

} // namespace

void GatherSuggestions(TSuggestList& list, const TRyvItem* previous, const TSuggestSources& sources)
{
    // Suggestions are a help, never a reason for a message: whatever goes
    // wrong ends the gathering with what it has.
    try {
        const TAppTexts& texts = AppTexts();
        const TGroupMasks masks(sources.options.GroupMasks);
        if (previous) {
            AddSuggestion(list, previous->title, previous->url, previous->descr,
                texts.str_app_prevtask, nullptr, SuggestImage::Recent, &masks);
        }
        AddWindows(list, sources, masks);
        AddListItems(
            list, sources.favorites, false, texts.str_app_favs, SuggestImage::Favorite, masks);
        AddBrowserPages(list, sources, masks);
        AddListItems(list, sources.recent, true, texts.str_app_recent, SuggestImage::Recent, masks);
        const QString clip = TrimBlanks(sources.clipboard.Text());
        if (!clip.isEmpty()) {
            AddSuggestion(list, clip, QString(), QString(), texts.str_app_clipboard, nullptr,
                SuggestImage::Clipboard, &masks);
        }
    } catch (...) {
    }
}

} // namespace ryv
