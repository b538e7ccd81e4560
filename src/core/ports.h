#pragma once

// Small interfaces through which the engine and the report commands reach the
// user and the desktop. The window and the platform layer implement them;
// tests give scripted fakes, so they see what would be asked, copied, opened
// and shown.

#include "core/ryvitem.h"

#include <QString>

namespace ryv {

// The task editor. On OK it writes title (at most 255 characters), url, descr
// and state into entry and returns true; on Cancel it leaves entry unchanged
// and returns false. With askDuration it also returns the chosen duration, as
// a day fraction, in entry.stop. previous is offered as the first suggestion.
class ITaskDialog {
public:
    virtual ~ITaskDialog() = default;
    virtual bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew,
        bool askDuration, const TRyvItem* previous, bool fromFavourite)
        = 0;
};

// Yes/No questions and warning boxes.
class IUserMessages {
public:
    virtual ~IUserMessages() = default;
    // true for Yes.
    virtual bool ConfirmYesNo(const QString& text) = 0;
    // A warning with an OK button (load and save failures, write errors).
    virtual void Warning(const QString& text) = 0;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

// Opening documents, folders and links with the desktop's default handler.
class IShell {
public:
    virtual ~IShell() = default;
    // A link the user typed into a task: a web link, or a path in which "~"
    // and environment references are expanded as a shell would.
    virtual bool ShellOpen(const QString& target) = 0;
    // A file the program wrote at a path it holds exactly (one chosen in a
    // file dialog): opened as it stands, "$" and "~" being ordinary
    // characters of a name there.
    virtual bool OpenFile(const QString& path) = 0;
};

} // namespace ryv
