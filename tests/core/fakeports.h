#pragma once

// Scripted stand-ins for the ports through which the engine and the report
// commands reach the user and the desktop (core/ports.h). They record what
// would have been asked, copied, opened and shown; every test and benchmark
// uses these.

#include "core/ports.h"
#include "core/ryvitem.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace ryv {

// One answer of the task dialog: OK with the entry changed by `edit`, or
// Cancel (whose `edit` stands for what the dialog did meanwhile, such as its
// favourite button).
struct TDialogAnswer {
    bool ok = false;
    std::function<void(TRyvItem&)> edit;
};
inline TDialogAnswer Ok(std::function<void(TRyvItem&)> edit = {})
{
    return { true, std::move(edit) };
}
inline TDialogAnswer Cancel(std::function<void(TRyvItem&)> sideEffect = {})
{
    return { false, std::move(sideEffect) };
}
// OK with a duration, as the dialog returns it in stop.
inline TDialogAnswer OkDuration(int minutes)
{
    return Ok([minutes](TRyvItem& e) { e.stop = minutes * OneMinute; });
}

class TFakeDialog final : public ITaskDialog {
public:
    struct TCall {
        TRyvItem entry; // as handed in
        QString caption;
        bool isNew = false;
        bool askDuration = false;
        std::optional<TRyvItem> previous;
        bool fromFavourite = false;
    };
    std::vector<TCall> calls;
    std::deque<TDialogAnswer> answers; // none left: Cancel

    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override
    {
        TCall c { entry, caption, isNew, askDuration, std::nullopt, fromFavourite };
        if (previous)
            c.previous = *previous;
        calls.push_back(c);
        if (answers.empty())
            return false;
        TDialogAnswer a = answers.front();
        answers.pop_front();
        if (a.edit)
            a.edit(entry);
        return a.ok;
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (const TCall& c : calls)
            captions << c.caption;
        return captions;
    }
};

class TFakeMessages final : public IUserMessages {
public:
    bool answer = true; // to every Yes/No question
    QStringList questions;
    QStringList warnings;
    // See the state while the box shows, and stand for what its event loop
    // runs meanwhile (a clock tick past midnight, say).
    std::function<void()> onQuestion;
    std::function<void()> onWarning;

    bool ConfirmYesNo(const QString& text) override
    {
        questions << text;
        if (onQuestion)
            onQuestion();
        return answer;
    }
    void Warning(const QString& text) override
    {
        warnings << text;
        if (onWarning)
            onWarning();
    }
};

class TFakeClipboard final : public IClipboard {
public:
    QString text;
    int sets = 0;
    QString Text() const override { return text; }
    void SetText(const QString& t) override
    {
        text = t;
        ++sets;
    }
};

// Links typed into a task open as links (ShellOpen); written exports and
// reports open at the very path the save dialog gave (OpenFile). The two are
// recorded apart, so a test sees which way a target took.
class TFakeShell final : public IShell {
public:
    QStringList opened; // links
    QStringList openedFiles; // files at their exact path
    bool ShellOpen(const QString& target) override
    {
        opened << target;
        return true;
    }
    bool OpenFile(const QString& path) override
    {
        openedFiles << path;
        return true;
    }
};

} // namespace ryv
