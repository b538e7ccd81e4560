#pragma once

// The sources of suggested tasks beyond the program's own lists. Each is a
// small interface: the gathering is tested with fakes, each real source on
// its own.

#include "core/datetime.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

class IClipboard;
class TClock;
class TRyvItemList;
class TRyvOptions;

// An application window of another process that has a task-bar button.
struct TOpenWindow final {
    QString caption; // at most 1023 characters, never blank
    QString programPath; // the executable of the window's process, never empty
    // The program's name from its desktop entry; empty when none was found
    // (the file name then stands in for it).
    QString programName;
    QStringList wmClass; // WM_CLASS: instance and class name, when set
    QImage icon; // the small icon, null when the window has none
    QString iconName; // the desktop entry's icon, when it has one
    quint32 windowId = 0;
    qint64 pid = 0;
};

class IWindowSource {
public:
    virtual ~IWindowSource() = default;
    // The windows front to back. Our own windows are never among them; a
    // missing or unreachable display gives an empty list.
    virtual std::vector<TOpenWindow> OpenWindows() = 0;
};

// One visit of a page in a browser.
struct TBrowserVisit final {
    QString url;
    QString title;
    QString browser; // the browser's name as its desktop entry spells it
    TDateTime visitTime = 0; // local time; meaningless without hasVisitTime
    bool hasVisitTime = true;
};

class IBrowserHistory {
public:
    virtual ~IBrowserHistory() = default;
    // Visits newest first, at least those since `since` (older ones only tie
    // a page to a browser window whose caption is its title). A browser whose
    // history cannot be read gives nothing, never an error.
    virtual std::vector<TBrowserVisit> RecentVisits(TDateTime since) = 0;
};

// Everything GatherSuggestions reads, handed in by the composition root.
struct TSuggestSources final {
    const TRyvOptions& options; // GroupMasks
    const TRyvItemList& favorites;
    const TRyvItemList& recent; // oldest first
    const TClock& clock;
    IWindowSource& windows;
    IBrowserHistory& history;
    const IClipboard& clipboard;
};

} // namespace ryv
