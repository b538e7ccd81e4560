#include "ui/icons.h"

#include <QFile>

#include <array>

// Resources of a static library are not registered unless someone asks.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace ryv {
namespace {

struct TIconEntry {
    TRyvIcon id;
    const char* file; // below :/icons/, without ".svg"
    const char* themes; // freedesktop names, space separated, best first
};

// Theme names follow the freedesktop naming of icons and the common
// extensions of the big themes; ours is used when none is found.
constexpr std::array<TIconEntry, 41> IconTable { {
    { TRyvIcon::Start, "start", "media-playback-start" },
    // The images of the start and stop buttons tell working from idle, so
    // each state has a theme name of its own and never falls back to the
    // other's.
    { TRyvIcon::StartSwitch, "switch", "media-skip-forward" },
    { TRyvIcon::Stop, "stop", "process-stop" },
    { TRyvIcon::StopIdle, "stop-idle", "media-playback-stop" },
    { TRyvIcon::Add, "add", "list-add" },
    { TRyvIcon::Edit, "edit", "document-edit document-properties" },
    { TRyvIcon::Delete, "delete", "edit-delete" },
    { TRyvIcon::Clear, "clear", "edit-clear-all edit-clear-list" },
    { TRyvIcon::Done, "done", "object-select checkmark dialog-ok-apply" },
    { TRyvIcon::MoveUp, "up", "go-up" },
    { TRyvIcon::MoveDown, "down", "go-down" },
    { TRyvIcon::Earlier, "earlier", "" },
    { TRyvIcon::Later, "later", "" },
    { TRyvIcon::Shorten, "shorten", "" },
    { TRyvIcon::Extend, "extend", "" },
    { TRyvIcon::OpenLink, "link", "insert-link" },
    { TRyvIcon::Favourites, "favourites", "bookmarks emblem-favorite" },
    { TRyvIcon::Favourite, "star-on", "starred" },
    { TRyvIcon::NotFavourite, "star-off", "non-starred" },
    { TRyvIcon::Recent, "recent", "document-open-recent" },
    { TRyvIcon::History, "history", "view-history document-open-recent" },
    { TRyvIcon::Calendar, "calendar", "view-calendar x-office-calendar" },
    { TRyvIcon::Reports, "reports", "view-statistics x-office-spreadsheet" },
    { TRyvIcon::Export, "export", "document-export document-save-as" },
    { TRyvIcon::Copy, "copy", "edit-copy" },
    { TRyvIcon::Pin, "pin", "window-pin" },
    { TRyvIcon::Unpin, "unpin", "window-unpin" },
    { TRyvIcon::Compact, "compact", "view-restore" },
    { TRyvIcon::CompactLeave, "compact-leave", "view-fullscreen" },
    { TRyvIcon::Menu, "menu", "open-menu application-menu" },
    { TRyvIcon::Settings, "settings", "preferences-system configure" },
    { TRyvIcon::Plans, "plans", "view-list-details" },
    { TRyvIcon::Shortcuts, "shortcuts", "input-keyboard" },
    { TRyvIcon::Suggest, "suggest", "" },
    { TRyvIcon::SuggestEmpty, "clipboard-empty", "" },
    { TRyvIcon::SuggestClipboard, "clipboard", "edit-paste" },
    { TRyvIcon::Back, "back", "go-previous" },
    { TRyvIcon::Forward, "forward", "go-next" },
    { TRyvIcon::Close, "close", "window-close" },
    { TRyvIcon::About, "about", "help-about" },
    { TRyvIcon::Languages, "languages", "preferences-desktop-locale" },
} };

bool GUseTheme = true;

const TIconEntry* FindIconEntry(TRyvIcon id)
{
    for (const TIconEntry& entry : IconTable)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

} // namespace

QStringList ThemeIconNames(TRyvIcon id)
{
    const TIconEntry* entry = FindIconEntry(id);
    if (!entry)
        return {};
    return QString::fromLatin1(entry->themes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString BundledIconPath(TRyvIcon id)
{
    const TIconEntry* entry = FindIconEntry(id);
    const char* file = entry ? entry->file : "ryvtracker";
    return QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(file));
}

QList<TRyvIcon> AllRyvIcons()
{
    QList<TRyvIcon> ids;
    for (const TIconEntry& entry : IconTable)
        ids.append(entry.id);
    ids.append(TRyvIcon::App);
    return ids;
}

void SetUseThemeIcons(bool use)
{
    GUseTheme = use;
}

QIcon AppIcon()
{
    InitIconResources();
    return QIcon(BundledIconPath(TRyvIcon::App));
}

QIcon RyvIcon(TRyvIcon id)
{
    InitIconResources();
    if (id == TRyvIcon::App)
        return AppIcon();
    if (GUseTheme) {
        for (const QString& name : ThemeIconNames(id)) {
            if (QIcon::hasThemeIcon(name))
                return QIcon::fromTheme(name);
        }
    }
    return QIcon(BundledIconPath(id));
}

} // namespace ryv
