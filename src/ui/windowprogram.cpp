#include "ui/windowprogram.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/liststore.h"
#include "core/modalcount.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/tempfolders.h"
#include "core/textfile.h"
#include "lang/dialogtexts.h"
#include "lang/langfolders.h"
#include "lang/langtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"
#include "lang/programlanguage.h"
#include "lang/usermessages.h"
#include "platform/applicationidentity.h"
#include "platform/awaysources.h"
#include "platform/fontsetup.h"
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
#include "tracking/awaytracker.h"
#include "tracking/tracker.h"
#include "ui/awayquestion.h"
#include "ui/firstpaintwatch.h"
#include "ui/groupdialog.h"
#include "ui/mainwindow.h"
#include "ui/savefiledialog.h"
#include "ui/taskdialog.h"
#include "ui/terminationsignals.h"
#include "ui/trayicon.h"
#include "ui/waitcursor.h"
#include "ui/windowactivation.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QPointer>
#include <QStyle>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>

namespace ryv {

namespace {

// The engine is built before the window it belongs to, while its dialogs and
// message boxes want the window as their parent: these hand the calls on to
// boxes made for the window once it exists.
class TWindowTaskDialog final : public ITaskDialog {
public:
    TWindowTaskDialog(TRyvOptions& options, TRyvItemList& favs, const TSuggestSources& sources,
        IClipboard& clipboard, IShell& shell, TLanguageManager& languages)
        : FOptions(options)
        , FFavs(favs)
        , FSources(sources)
        , FClipboard(clipboard)
        , FShell(shell)
        , FLanguages(languages)
    {
    }
    void SetWindow(QWidget* window) { FWindow = window; }

    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override
    {
        TTaskDialog dialog(FOptions, FFavs, FSources, FClipboard, FShell, FWindow, &FLanguages);
        return dialog.ExecuteTaskDialog(
            entry, caption, isNew, askDuration, previous, fromFavourite);
    }

private:
    TRyvOptions& FOptions;
    TRyvItemList& FFavs;
    const TSuggestSources& FSources;
    IClipboard& FClipboard;
    IShell& FShell;
    TLanguageManager& FLanguages;
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
    // Once the program is ending nobody is there to answer: a warning (a
    // save that failed on the way out) goes to standard error and a question
    // is answered No, so no box holds up the end.
    void SetEnding() { FEnding = true; }
    bool ConfirmYesNo(const QString& text) override
    {
        if (FEnding)
            return false;
        const TModalCount::TScope modal(FModals);
        return FMessages->ConfirmYesNo(text);
    }
    void Warning(const QString& text) override
    {
        if (FEnding) {
            QString lines = text;
            lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            std::fprintf(stderr, "%s\n", lines.toLocal8Bit().constData());
            std::fflush(stderr);
            return;
        }
        const TModalCount::TScope modal(FModals);
        FMessages->Warning(text);
    }

private:
    TModalCount& FModals;
    std::unique_ptr<TUserMessages> FMessages = std::make_unique<TUserMessages>();
    bool FEnding = false;
};

// A request to end the program (a termination signal, the application's
// quit at a session's end) ends it at any point: before the event loop runs
// (while a box of the start-up waits for OK), inside any modal window's
// event loop, while a "Cannot save" box shows. exit() ends every running
// event loop at once, and until the main loop has ended a new one returns at
// once, so no box, dialog or question can hold the end up; what was open is
// answered as by Escape. The saves follow in order when the loops have
// unwound (the window's FormClose after the main loop, or at the end of the
// start-up), with their failures on standard error.
class TProgramEnd final : public QObject {
public:
    explicit TProgramEnd(TWindowMessages& messages)
        : FMessages(messages)
    {
        qApp->installEventFilter(this);
    }
    bool IsRequested() const { return FRequested; }
    void Request()
    {
        if (FRequested)
            return;
        FRequested = true;
        FMessages.SetEnding();
        QCoreApplication::exit(0);
    }

protected:
    // Qt's own quit closes every window in turn and gives up at the first
    // that stays open; the program's end must not depend on that.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::Quit) {
            Request();
            return true;
        }
        return false;
    }

private:
    TWindowMessages& FMessages;
    bool FRequested = false;
};

// What runs killed half-way left behind: temporary files of the settings'
// saves (those of the lists go when the lists are read), the private folders
// of browser history copies and PDF conversions, and the converter's HTML
// files of earlier versions in the data folder. Only the instance that holds
// the lock calls this: a report from the command line may be at work
// meanwhile, and its folder is kept while its process runs.
void RemoveLeftoversOfEarlierRuns(const TRyvOptions& options)
{
    RemoveLeftoverTempFilesOf(options.SettingsFilePath());
    const QString runtime = RuntimeTempBase();
    RemoveLeftoverTempFolders(runtime);
    if (QDir(runtime) != QDir(QDir::tempPath()))
        RemoveLeftoverTempFolders(QDir::tempPath());
    TPdfConverter::RemoveEarlierLeftovers(options.FolderData);
}

} // namespace

int RunWindowProgram(int& argc, char* argv[], const TWindowProgramHooks& hooks)
{
    // The font configuration is read while the application connects to the
    // display and the window is built.
    const TFontSetUp fonts;
    QApplication app(argc, argv);
    SetApplicationIdentity();

    // One instance per user: a second start brings the first to the front
    // and ends before creating any window.
    TSingleInstance instance(
        hooks.instanceName.isEmpty() ? QStringLiteral("RyvTracker") : hooks.instanceName);
    if (!instance.Start())
        return 0;

    // The language: one manager for every window, the files beside the
    // program (or installed with it) and the user's own; the translator
    // gives Qt's dialogs the language's Cancel. The texts composed in code
    // and the message boxes' texts are written through their scopes.
    TLanguageManager langs(DefaultLangFolders());
    langs.SetReferenceTexts(ProgramReferenceTexts());
    TLangTranslator cancel;
    QApplication::installTranslator(&cancel);
    TAppTextsScope appTexts;
    TDialogTextsScope dialogTexts;
    TProgramLanguage language { langs, cancel, appTexts, dialogTexts };

    // Everything with state is built here and handed down by reference; the
    // options and the favourites and recent lists outlive the window.
    TRyvOptions options = hooks.folderApp.isEmpty() ? TRyvOptions() : TRyvOptions(hooks.folderApp);
    if (instance.HoldsLock())
        RemoveLeftoversOfEarlierRuns(options);
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
    // The windows' icons in device pixels, so they are sharp on a screen
    // scaled to two device pixels per pixel.
    TDesktopWindowSource windows(qEnvironmentVariable("DISPLAY"),
        static_cast<int>(std::ceil(QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize)
            * qApp->devicePixelRatio())),
        TDesktopEntries::UserLocaleName(), TDesktopEntries::ApplicationFolders(),
        QCoreApplication::applicationPid());
    TBrowserHistory browserHistory(QDir::homePath(), qEnvironmentVariable("XDG_CONFIG_HOME"));
    THistoryPlugin pages(options.FolderPlugins, options.FolderData, programRunner, browserHistory);
    const TSuggestSources suggestSources { options, favs, recent, clock, windows, pages,
        clipboard };
    TWindowTaskDialog dialog(options, favs, suggestSources, clipboard, shell, langs);
    // One count of the modal windows of ours that are open; the change of
    // date waits for them (modalcount.h).
    TModalCount modals;
    TWindowMessages messages(modals);
    // A session's end, a shutdown or a terminal's Ctrl+C closes the program in
    // order: the event loops end and the window writes its pending saves, the
    // favourites and recent lists and the settings (TProgramEnd).
    TProgramEnd programEnd(messages);
    TTerminationSignals termination;
    QObject::connect(&termination, &TTerminationSignals::terminationRequested, &programEnd,
        [&programEnd] { programEnd.Request(); });
    TTracker tracker(options, favs, recent, today, history, store,
        TTrackerPorts { clock, dialog, messages, clipboard, shell, modals });

    TTextDocumentPdfRenderer pdfRenderer;
    // Conversions work in private folders in the system's temporary folder.
    TPdfConverter pdf(options.FolderPlugins, QString(), programRunner, &pdfRenderer);
    TReportWriter reportWriter(options, clock, pdf);
    TSaveFileDialog saveDialog(modals);
    TWaitCursor waitCursor;
    TGroupDialog groupDialog(modals, nullptr, &langs);
    TReportCommands reports(options, clock, reportWriter,
        TReportPorts { saveDialog, messages, shell, clipboard, waitCursor, groupDialog });

    TfrmRyvTracker window(TMainWindowParts {
        options, favs, recent, today, history, store, tracker, messages, &reports, &language });
    dialog.SetWindow(&window);
    messages.SetWindow(&window);
    saveDialog.SetParent(&window);
    groupDialog.SetParent(&window);
    window.FormCreate();
    // Asked to end while the start-up showed a box: the window never shows
    // and writes what it holds, as it does when it closes.
    if (programEnd.IsRequested()) {
        window.FormClose();
        return 0;
    }
    window.show();

    // Away time: idle, screen lock and sleep while a task runs end with a
    // question when the user is back; the change of date waits for its answer.
    TAwayQuestion question(modals, &window);
    TAwayTracker away(options, clock, tracker.AwayLog(), question);
    away.SetUtcOffset([] { return QDateTime::currentDateTime().offsetFromUtc(); });
    tracker.SetAwayHold([&away] { return away.HoldsDayChange(); });
    tracker.SetClockWatch([&away] { away.Poll(); });
    away.Start();

    // The parts that talk to the desktop (the buses, an X connection of our
    // own, the tray) follow the window's first picture, which need not wait
    // for them; a window not painted soon (started minimised) gets them a
    // second later all the same. With a tray the window may close to it.
    std::optional<TAwaySources> awaySources;
    std::optional<TTrayIcon> tray;
    auto startDesktopParts = [&] {
        if (tray)
            return;
        awaySources.emplace();
        awaySources->Attach(away);
        tray.emplace(TTrayIconParts { tracker, today, window,
            [&window] { return window.UiState(); }, [&window] { window.Exit(); } });
        tray->Dock();
    };
    new TFirstPaintWatch(window, [&startDesktopParts](QWidget&) { startDesktopParts(); });
    constexpr int DesktopPartsLatestMs = 1000;
    QTimer::singleShot(DesktopPartsLatestMs, &window, startDesktopParts);
    window.SetCloseToTray([&tray] { return tray && tray->Dock(); });
    // Installed last, so it is told of the first paint first: a caller that
    // ends the program there sees the start-up without the desktop parts.
    if (hooks.firstPaint)
        new TFirstPaintWatch(window, hooks.firstPaint);

    // A later start shows the window, also from the tray.
    QObject::connect(&instance, &TSingleInstance::ActivationRequested, &window,
        [&window] { BringToFront(&window); });
    // A report from the command line reads the files: write what is pending.
    QObject::connect(&instance, &TSingleInstance::SaveRequested, &store, [&store, &window] {
        store.FlushPendingSaves();
        store.SaveWorkspace();
        window.FlushSettings();
    });
    // A request to end that came after the start-up's check but before the
    // loop would be lost to exec(), which starts afresh.
    const int result = programEnd.IsRequested() ? 0 : QApplication::exec();
    window.FormClose();
    tracker.SetAwayHold(nullptr);
    tracker.SetClockWatch(nullptr);
    window.SetCloseToTray(nullptr);
    return result;
}

} // namespace ryv
