#include "core/clock.h"
#include "core/daylist.h"
#include "core/liststore.h"
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
#include "tracking/tracker.h"
#include "ui/groupdialog.h"
#include "ui/mainwindow.h"
#include "ui/savefiledialog.h"
#include "ui/taskdialog.h"
#include "ui/terminationsignals.h"
#include "ui/waitcursor.h"
#include "ui/windowactivation.h"

#include <QApplication>
#include <QPointer>

#include <memory>

namespace {

using namespace ryv;

// The engine is built before the window it belongs to, while its dialogs and
// message boxes want the window as their parent: these hand the calls on to
// boxes made for the window once it exists.
class TWindowTaskDialog final : public ITaskDialog {
public:
    TWindowTaskDialog(
        TRyvOptions& options, TRyvItemList& favs, IClipboard& clipboard, IShell& shell)
        : FOptions(options)
        , FFavs(favs)
        , FClipboard(clipboard)
        , FShell(shell)
    {
    }
    void SetWindow(QWidget* window) { FWindow = window; }

    bool ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite) override
    {
        TTaskDialog dialog(FOptions, FFavs, FClipboard, FShell, FWindow);
        return dialog.ExecuteTaskDialog(
            entry, caption, isNew, askDuration, previous, fromFavourite);
    }

private:
    TRyvOptions& FOptions;
    TRyvItemList& FFavs;
    IClipboard& FClipboard;
    IShell& FShell;
    QPointer<QWidget> FWindow;
};

class TWindowMessages final : public IUserMessages {
public:
    void SetWindow(QWidget* window) { FMessages = std::make_unique<TUserMessages>(window); }
    bool ConfirmYesNo(const QString& text) override { return FMessages->ConfirmYesNo(text); }
    void Warning(const QString& text) override { FMessages->Warning(text); }

private:
    std::unique_ptr<TUserMessages> FMessages = std::make_unique<TUserMessages>();
};

} // namespace

int main(int argc, char* argv[])
{
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
    TWindowTaskDialog dialog(options, favs, clipboard, shell);
    TWindowMessages messages;
    TTracker tracker(options, favs, recent, today, history, store,
        TTrackerPorts { clock, dialog, messages, clipboard, shell });

    TShellProgramRunner programRunner;
    TTextDocumentPdfRenderer pdfRenderer;
    TPdfConverter pdf(options.FolderPlugins, options.FolderData, programRunner, &pdfRenderer);
    TReportWriter reportWriter(options, clock, pdf);
    TSaveFileDialog saveDialog;
    TWaitCursor waitCursor;
    TGroupDialog groupDialog;
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
    return QApplication::exec();
}
