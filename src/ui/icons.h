#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace ryv {

// The images of the window's commands, buttons and list marks.
enum class TRyvIcon {
    Start, // acStart while idle, acStartAs
    StartSwitch, // acStart while a task runs: switch to a new task
    Stop, // acStop while a task runs
    StopIdle, // acStop while idle: nothing to stop
    Add, // acAdd, acAddHist, acAddAs
    Edit, // acEdit, acEdit2
    Delete, // acDelete, acDelHist, acDelFav
    Clear, // acClear
    Done, // acTaskDone and the done mark of the day lists
    MoveUp, // acMoveUp, acHistMoveUp, acMoveFavUp
    MoveDown, // acMoveDn, acHistMoveDown, acMoveFavDn
    Earlier, // acMoveBack and the other "earlier start" commands
    Later, // acMoveForw and the other "later start" commands
    Shorten, // acShortenTime, acHistShortenTime
    Extend, // acExtendTime, acHistExtendTime
    OpenLink, // acOpenURL, acOpenURL2, the task dialog's link button
    Favourites, // acFavs
    Favourite, // the star of a favourite (task dialog, favourites list)
    NotFavourite, // the empty star of the task dialog
    Recent, // the mark of a recently used task
    History, // acHistory
    Calendar, // the history's calendar
    Reports, // acReports
    Export, // acExport
    Copy, // acCopyToClipboard
    Pin, // acPinToTop while not pinned
    Unpin, // acPinToTop while pinned
    Compact, // acCompactMode: enter compact mode
    CompactLeave, // acCompactMode while compact: leave it
    Menu, // a generic menu button
    Settings, // the Settings submenu
    Plans, // acPlans
    Shortcuts, // acShortcuts
    SidePane, // acSecondary
    Suggest, // the task dialog's suggestion button
    SuggestEmpty, // suggestion image 0: an empty clipboard board
    SuggestClipboard, // suggestion image 1: the clipboard, and windows without an icon
    Back, // previous history day
    Forward, // next history day
    Close, // acClose
    About, // the About entry
    Languages, // the Languages submenu
    App, // the application's own icon
};

// The icon for id: the desktop theme's icon when the desktop has a theme of
// its own (not only the fallback "hicolor") with a fitting one, else our
// bundled image. The image is looked for when the icon is first drawn or
// measured, so icons of commands not on screen cost next to nothing. Never a
// null icon.
QIcon RyvIcon(TRyvIcon id);

// The application's icon (always the bundled one, so the program looks the
// same in every desktop's menu and task bar).
QIcon AppIcon();

// The freedesktop names tried in the theme for id, in order (may be empty).
QStringList ThemeIconNames(TRyvIcon id);

// Resource path of the bundled image for id (":/icons/....svg").
QString BundledIconPath(TRyvIcon id);

// Every id, for callers that prepare all images at once (and for tests).
QList<TRyvIcon> AllRyvIcons();

// Off by default only in tests and screenshots that need the same look on
// every machine; the program uses the theme.
void SetUseThemeIcons(bool use);

} // namespace ryv
