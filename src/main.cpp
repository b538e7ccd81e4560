#include "cli/commandlineapp.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/liststore.h"
#include "core/modalcount.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "lang/usermessages.h"
#include "platform/applicationidentity.h"
#include "platform/shell.h"
#include "platform/singleinstance.h"
#include "platform/systemclipboard.h"
#include "reports/pdfconverter.h"
#include "reports/reportcommands.h"
#include "reports/reportwriter.h"
#include "reports/shellprogramrunner.h"
#include "reports/textdocumentpdfrenderer.h"
#include "suggest/browserhistory.h"
#include "suggest/desktopentries.h"
#include "suggest/desktopwindowsource.h"
#include "suggest/historyplugin.h"
#include "suggest/suggestsources.h"
#include "tracking/tracker.h"
#include "ui/groupdialog.h"
#include "ui/mainwindow.h"
#include "ui/savefiledialog.h"
#include "ui/taskdialog.h"
#include "ui/terminationsignals.h"
#include "ui/waitcursor.h"
#include "ui/windowactivation.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QStyle>

#include <memory>

namespace {

using namespace ryv;

// The engine is built before the window it belongs to, while its dialogs and
// message boxes want the window as their parent: these hand the calls on to
// boxes made for the window once it exists.
class TWindowTaskDialog final : public ITaskDialog {
public:
    TWindowTaskDialog(TRyvOptions& options, TRyvItemList& favs, const TSuggestSources& sources,
        IClipboard& clipboard, IShell& shell)
        : FOptions(options)
        , FFavs(favs)
        , FSources(sources)
        , FClipboard(clipboard)
        , FShell(shell)
    {
    }
    void SetWindow(QWidget* window) { FWindow = window; }

    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override
    {
        TTaskDialog dialog(FOptions, FFavs, FSources, FClipboard, FShell, FWindow);
        return dialog.ExecuteTaskDialog(
            entry, caption, isNew, askDuration, previous, fromFavourite);
    }

private:
    TRyvOptions& FOptions;
    TRyvItemList& FFavs;
    const TSuggestSources& FSources;
    IClipboard& FClipboard;
    IShell& FShell;
    QPointer<QWidget> FWindow;
};

// Every box, also those of the window and the report commands, counts as a
// modal window of ours while it shows.
class TWindowMessages final : public IUserMessages {
public:
    explicit TWindowMessages(TModalCount& modals)
        : FModals(modals)
    {
    }
    void SetWindow(QWidget* window) { FMessages = std::make_unique<TUserMessages>(window); }
    bool ConfirmYesNo(const QString& text) override
    {
        const TModalCount::TScope modal(FModals);
        return FMessages->ConfirmYesNo(text);
    }
    void Warning(const QString& text) override
    {
        const TModalCount::TScope modal(FModals);
        FMessages->Warning(text);
    }

private:
    TModalCount& FModals;
    std::unique_ptr<TUserMessages> FMessages = std::make_unique<TUserMessages>();
};

} // namespace

int main(int argc, char* argv[])
{
    // Reports and exports from the command line; no arguments: the window.
    if (ryv::IsCommandLine(argc, argv))
        return ryv::RunCommandLine(argc, argv);

    QApplication app(argc, argv);
    ryv::SetApplicationIdentity();

    // One instance per user: a second start brings the first to the front
    // and ends before creating any window.
    ryv::TSingleInstance instance;
    if (!instance.Start())
        return 0;

    // A session's end, a shutdown or a terminal's Ctrl+C closes the program in
    // order: the event loops end and the window writes its pending saves, the
    // favourites and recent lists and the settings (aboutToQuit).
    TTerminationSignals termination;
    QObject::connect(
        &termination, &TTerminationSignals::terminationRequested, &app, &QCoreApplication::quit);

    // Everything with state is built here and handed down by reference; the
    // options and the favourites and recent lists outlive the window.
    TRyvOptions options;
    TSystemClock clock;
    TRyvItemList favs;
    TRyvItemList recent;
    TDayList today(TDayListRole::Today, options, clock);
    TDayList history(TDayListRole::History, options, clock);
    TListStore store(today, history, favs, recent, options, clock);
    TSystemClipboard clipboard;
    TDesktopShell shell;
    TShellProgramRunner programRunner;

    // The task dialog's suggestions: the windows of the X11 desktop (none
    // under a pure Wayland session), the browsers' history or the history
    // plug-in, the lists and the clipboard.
    TDesktopWindowSource windows(qEnvironmentVariable("DISPLAY"),
        QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize),
        TDesktopEntries::UserLocaleName(), TDesktopEntries::ApplicationFolders(),
        QCoreApplication::applicationPid());
    TBrowserHistory browserHistory(QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"));
    THistoryPlugin pages(options.FolderPlugins, options.FolderData, programRunner, browserHistory);
    const TSuggestSources suggestSources { options, favs, recent, clock, windows, pages,
        clipboard };
    TWindowTaskDialog dialog(options, favs, suggestSources, clipboard, shell);
    // One count of the modal windows of ours that are open; the change of
    // date waits for them (modalcount.h).
    TModalCount modals;
    TWindowMessages messages(modals);
    TTracker tracker(options, favs, recent, today, history, store,
        TTrackerPorts { clock, dialog, messages, clipboard, shell, modals });

    TTextDocumentPdfRenderer pdfRenderer;
    TPdfConverter pdf(options.FolderPlugins, options.FolderData, programRunner, &pdfRenderer);
    TReportWriter reportWriter(options, clock, pdf);
    TSaveFileDialog saveDialog(modals);
    TWaitCursor waitCursor;
    TGroupDialog groupDialog(modals);
    TReportCommands reports(options, clock, reportWriter,
        TReportPorts { saveDialog, messages, shell, clipboard, waitCursor, groupDialog });

    TfrmRyvTracker window(TMainWindowParts {
        options, favs, recent, today, history, store, tracker, messages, &reports });
    dialog.SetWindow(&window);
    messages.SetWindow(&window);
    saveDialog.SetParent(&window);
    groupDialog.SetParent(&window);
    window.FormCreate();
    window.show();
    QObject::connect(&instance, &ryv::TSingleInstance::ActivationRequested, &window,
        [&window] { ryv::BringToFront(&window); });
    // A report from the command line reads the files: write what is pending.
    QObject::connect(&instance, &ryv::TSingleInstance::SaveRequested, &store, [&store] {
        store.FlushPendingSaves();
        store.SaveWorkspace();
    });
    return QApplication::exec();
}
