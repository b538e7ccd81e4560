// A second program for the paste test, run on the suite's X server.
//   clipboardhelper copy    takes the clipboard with data that carries no
//                           text, then ends (no clipboard manager keeps it)
//   clipboardhelper paste   opens the task dialog, pastes (Ctrl+V) into its
//                           description and prints "TEXT <description>"
#include "core/clock.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "suggest/suggestsources.h"
#include "ui/taskdialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextStream>

namespace {

class TNoClipboard final : public ryv::IClipboard {
public:
    QString Text() const override { return {}; }
    void SetText(const QString&) override { }
};

class TNoShell final : public ryv::IShell {
public:
    bool ShellOpen(const QString&) override { return false; }
    bool OpenFile(const QString&) override { return false; }
};

class TNoWindows final : public ryv::IWindowSource {
public:
    std::vector<ryv::TOpenWindow> OpenWindows() override { return {}; }
};

class TNoHistory final : public ryv::IBrowserHistory {
public:
    std::vector<ryv::TBrowserVisit> RecentVisits(ryv::TDateTime) override { return {}; }
};

int Copy()
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/x-ryv-tasks"), QByteArray("not text"));
    QApplication::clipboard()->setMimeData(data);
    QElapsedTimer waited;
    waited.start();
    while (!QApplication::clipboard()->ownsClipboard() && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QTextStream(stdout) << (QApplication::clipboard()->ownsClipboard() ? "COPIED" : "NOT OWNED")
                        << Qt::endl;
    return 0;
}

int Paste()
{
    ryv::TRyvOptions options(QDir::homePath());
    options.AutoShowSuggest = false;
    ryv::TRyvItemList favs;
    ryv::TRyvItemList recent;
    TNoClipboard clipboard;
    TNoShell shell;
    ryv::TManualClock clock;
    TNoWindows windows;
    TNoHistory history;
    const ryv::TSuggestSources sources { options, favs, recent, clock, windows, history,
        clipboard };
    ryv::TfrmRyvTask dialog(options, favs, sources, clipboard, shell, nullptr);
    dialog.show();
    auto* descr = dialog.findChild<QPlainTextEdit*>(QStringLiteral("mDescr"));
    if (!descr)
        return 2;
    descr->setPlainText(QStringLiteral("kept"));
    descr->setFocus();
    QTest::keyClick(descr, Qt::Key_V, Qt::ControlModifier);
    QTextStream(stdout) << "TEXT " << descr->toPlainText() << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString mode = QApplication::arguments().value(1);
    if (mode == QLatin1String("copy"))
        return Copy();
    if (mode == QLatin1String("paste"))
        return Paste();
    return 2;
}
