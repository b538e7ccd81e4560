#pragma once

// The small interfaces through which the export and report commands reach the
// desktop beyond those of core/ports.h. The window and the platform layer
// implement them; tests hand in scripted fakes, so they choose the file names
// and see what would be run and opened.

#include <QString>
#include <QStringList>

namespace ryv {

// What the save dialog shows. Filters are in Qt's "description (mask)" form;
// selectedFilter is one of them. The dialog itself asks before it overwrites
// an existing file.
struct TSaveDialogRequest final {
    QString title;
    QStringList filters;
    QString selectedFilter;
    QString defaultSuffix; // without the dot; added to a name typed without one
    QString initialPath; // a file name, with its folder when one is known
};

class IFileSaveDialog {
public:
    virtual ~IFileSaveDialog() = default;
    // The chosen full path, or an empty text when the user cancelled.
    virtual QString GetSaveFileName(const TSaveDialogRequest& request) = 0;
};

// The busy cursor while an export is written. Begin also lets the events that
// are waiting be handled, so the save dialog disappears before the work
// starts.
class IBusyCursor {
public:
    virtual ~IBusyCursor() = default;
    virtual void Begin() = 0;
    virtual void End() = 0;
};

// Restores the cursor on every way out of a command.
class TBusyCursorGuard final {
public:
    explicit TBusyCursorGuard(IBusyCursor& cursor)
        : FCursor(cursor)
    {
        FCursor.Begin();
    }
    ~TBusyCursorGuard() { FCursor.End(); }
    TBusyCursorGuard(const TBusyCursorGuard&) = delete;
    TBusyCursorGuard& operator=(const TBusyCursorGuard&) = delete;

private:
    IBusyCursor& FCursor;
};

// The two-field input box of the groups menu. On OK it returns true with the
// edited texts in name and mask; on Cancel false, leaving them unchanged.
class IGroupDialog {
public:
    virtual ~IGroupDialog() = default;
    virtual bool EditGroup(const QString& caption, const QString& namePrompt,
        const QString& maskPrompt, QString& name, QString& mask)
        = 0;
};

// Runs an outside program and waits for it to end while the window keeps
// handling its events. Returns the program's exit code, or -1 when it could
// not be started, crashed or did not end in time; errorText then says why.
class IProgramRunner {
public:
    virtual ~IProgramRunner() = default;
    virtual int RunAndWait(const QString& program, const QStringList& arguments, QString* errorText)
        = 0;
};

// Renders an HTML document to a PDF file without an outside program.
class IPdfRenderer {
public:
    virtual ~IPdfRenderer() = default;
    virtual bool RenderHtmlToPdf(
        const QString& html, const QString& pdfFileName, QString* errorText)
        = 0;
};

} // namespace ryv
