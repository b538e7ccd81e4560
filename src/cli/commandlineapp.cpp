#include "cli/commandlineapp.h"

#include "cli/commandline.h"
#include "cli/commandlinerunner.h"
#include "core/apptexts.h"
#include "core/clock.h"
#include "core/ryvoptions.h"
#include "lang/langfolders.h"
#include "lang/langids.h"
#include "lang/langtexts.h"
#include "lang/langtranslator.h"
#include "lang/languagemanager.h"
#include "platform/shell.h"
#include "platform/singleinstance.h"
#include "platform/versioninfo.h"
#include "reports/pdfconverter.h"
#include "reports/reportports.h"
#include "reports/reportwriter.h"
#include "reports/textdocumentpdfrenderer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>

#include <unistd.h>

namespace ryv {

namespace {

// How long a report waits for a running window to write its pending saves.
constexpr int WindowSaveWaitMs = 2000;
// A converter that hangs is given up on; the built-in writer takes over.
constexpr int ConverterTimeoutMs = 120000;

QStringList Arguments(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

// Runs the PDF converter without a display and keeps its chatter off the
// terminal: what it says is only shown when it fails.
class TQuietProgramRunner final : public IProgramRunner {
public:
    int RunAndWait(
        const QString& program, const QStringList& arguments, QString* errorText) override
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardInputFile(QProcess::nullDevice());
        // Killed with us, so a report stopped half-way leaves no converter
        // writing on.
        EndWithThisProcess(process);
        process.start(program, arguments);
        if (!process.waitForStarted() || !process.waitForFinished(ConverterTimeoutMs)
            || process.exitStatus() != QProcess::NormalExit) {
            process.kill();
            process.waitForFinished(1000);
            if (errorText)
                *errorText = process.errorString();
            return -1;
        }
        if (process.exitCode() != 0 && errorText)
            *errorText = QString::fromLocal8Bit(process.readAll())
                             .trimmed()
                             .section(QLatin1Char('\n'), -1);
        return process.exitCode();
    }
};

void PrintError(const QString& message)
{
    std::fputs(qPrintable(QStringLiteral("RyvTracker: %1\n").arg(message)), stderr);
}

// Prints a text of ours (the help, the version) and tells whether all of it
// reached standard output.
int PrintOut(const QString& text)
{
    std::fputs(qPrintable(text), stdout);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(QStringLiteral("cannot write the output: %1").arg(qt_error_string(errno)));
        return ExitWriteFailed;
    }
    return ExitOk;
}

// Scripts and cron jobs read standard error: it carries our own one-line
// messages and nothing of Qt's chatter (a missing runtime folder, the
// offscreen platform's notes), unless it is a real fault.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        PrintError(message);
}

// A cron job runs without the session's variables, while the window's
// socket lives in the session's runtime folder, which is /run/user/<uid>
// under systemd.
void FindSessionRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString folder = QStringLiteral("/run/user/%1").arg(::getuid());
    if (QFileInfo(folder).isDir())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
}

} // namespace

bool IsCommandLine(int argc, char* argv[])
{
    return IsCommandLine(Arguments(argc, argv));
}

int RunCommandLine(int argc, char* argv[])
{
    qInstallMessageHandler(QuietMessages);
    // A reader that goes away (a pipe into head) makes a write fail with a
    // message and exit code 1, as for any output that cannot be written,
    // instead of ending the program by the signal.
    std::signal(SIGPIPE, SIG_IGN);
    TSystemClock clock;
    TCliRequest request;
    QString error;
    if (!ParseCommandLine(Arguments(argc, argv), clock.Now(), request, error)) {
        PrintError(error);
        return ExitBadInput;
    }
    if (request.command == TCliCommand::Help)
        return PrintOut(CommandLineHelp());
    if (request.command == TCliCommand::Version)
        return PrintOut(QStringLiteral("Ryv Tracker %1\n").arg(TVersionInfo::ProgramVersion()));

    // Only Qt's own PDF writer needs the GUI part of Qt, and then on the
    // offscreen platform: a report never needs a display.
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<TTextDocumentPdfRenderer> renderer;
    int appArgc = 1;
    if (request.format == TExportType::Pdf) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(appArgc, argv);
        renderer = std::make_unique<TTextDocumentPdfRenderer>();
    } else {
        app = std::make_unique<QCoreApplication>(appArgc, argv);
    }
    // The same name as the window, so the same per-user data folder.
    QCoreApplication::setApplicationName(QStringLiteral("RyvTracker"));

    TRyvOptions options;
    TLanguageManager languages(DefaultLangFolders());
    languages.SetReferenceTexts(ProgramReferenceTexts());
    TLangTranslator translator;
    TAppTextsScope appTexts;
    TQuietProgramRunner runner;
    // The converter works in a private folder in the system's temporary
    // folder, never in the data folder.
    TPdfConverter pdf(options.FolderPlugins, QString(), runner, renderer.get());
    TReportWriter writer(options, clock, pdf);
    TCommandLineRunner command(options, clock, writer, [] {
        FindSessionRuntimeFolder();
        TSingleInstance instance;
        instance.AskToSave(WindowSaveWaitMs);
    });
    // Reports and exports speak the window's language: the one the settings
    // name, else the user's (the command line's own messages stay English).
    command.SetOnSettingsLoaded([&](const TRyvOptions& loaded) {
        LoadLanguageTexts(
            languages, loaded.LangCode, UserInterfaceLanguageCode(), appTexts.Texts(), translator);
    });

    QFile out;
    // Unbuffered: a failed write (a full disk behind a redirection) shows
    // in the result of the write itself.
    out.open(
        STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
    const int code = command.Run(request, out, error);
    if (code != ExitOk)
        PrintError(error);
    return code;
}

} // namespace ryv
