#include "qtprint.h"
#include "suggest/x11windowlist.h"
#include "windowhelperprocess.h"
#include "x11testdisplay.h"

#include <QColor>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

namespace ryv {
namespace {

using test::TWindowHelper;

const QString HelperProgram = QStringLiteral(RYV_WINDOW_HELPER);

// The windows of the list that belong to helper, by their argument index, in
// list order. Other tests may have windows open on the same server.
std::vector<int> Mine(const std::vector<TX11Window>& list, const TWindowHelper& helper)
{
    std::vector<int> mine;
    for (const TX11Window& w : list) {
        const auto it = std::find(helper.Ids().begin(), helper.Ids().end(), w.id);
        if (it != helper.Ids().end())
            mine.push_back(static_cast<int>(it - helper.Ids().begin()));
    }
    return mine;
}

const TX11Window* Find(const std::vector<TX11Window>& list, quint32 id)
{
    for (const TX11Window& w : list)
        if (w.id == id)
            return &w;
    return nullptr;
}

TEST(X11WindowList, TaskBarWindowsFrontToBack)
{
    RYV_REQUIRE_X11(display);
    const QString ownPid = QString::number(getpid());
    TWindowHelper helper;
    ASSERT_TRUE(helper.Start(HelperProgram, display,
        {
            "name=0 normal|pid=self", // listed
            "name=1 skip taskbar|pid=self|skiptaskbar=1", "name=2 utility|pid=self|type=UTILITY",
            "name=3 dock|pid=self|type=DOCK", "name=4 dialog of 0|pid=self|type=DIALOG|transient=0",
            "name=5 dialog alone|pid=self|type=DIALOG", // listed
            "name=6 our own window|pid=" + ownPid,
            "name=  |pid=self", // a blank caption
            "name=8 minimized|pid=self|minimized=1", // listed
            "name=9 typed normal|pid=self|type=NORMAL", // listed, in front
        }))
        << helper.Error().toStdString();
    const std::vector<TX11Window> list = TX11WindowList::Read(display, 16, getpid());
    EXPECT_EQ(Mine(list, helper), std::vector<int>({ 9, 8, 5, 0 }));
    const TX11Window* first = Find(list, helper.Ids()[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->pid, helper.Pid());
    EXPECT_EQ(first->caption, QStringLiteral("0 normal"));
}

TEST(X11WindowList, CaptionsClassesAndProcesses)
{
    RYV_REQUIRE_X11(display);
    const std::string longName(2000, 'x');
    TWindowHelper helper;
    ASSERT_TRUE(helper.Start(HelperProgram, display,
        {
            QString::fromUtf8(
                "name=R\u00e9sum\u00e9 \u2014 \u65e5\u672c|wmname=ignored|class=inst,Cls"),
            QString::fromLatin1("wmname=Caf\xe9 latin"), // STRING is Latin-1
            QString::fromUtf8("ctext=Compound \u00e9t\u00e9"),
            QString::fromStdString("name=" + longName),
            // No _NET_WM_PID: the server names the process.
            QStringLiteral("name=no pid|gtkid=org.example.Tool"),
        }))
        << helper.Error().toStdString();
    const std::vector<TX11Window> list = TX11WindowList::Read(display, 16, getpid());
    ASSERT_EQ(Mine(list, helper).size(), 5u);

    const TX11Window* w = Find(list, helper.Ids()[0]);
    EXPECT_EQ(w->caption, QString::fromUtf8("R\u00e9sum\u00e9 \u2014 \u65e5\u672c"));
    EXPECT_EQ(w->wmClass, QStringList({ "inst", "Cls" }));
    EXPECT_EQ(Find(list, helper.Ids()[1])->caption, QString::fromUtf8("Caf\u00e9 latin"));
    EXPECT_EQ(Find(list, helper.Ids()[2])->caption, QString::fromUtf8("Compound \u00e9t\u00e9"));
    EXPECT_EQ(Find(list, helper.Ids()[3])->caption,
        QString(TX11WindowList::MaxCaptionLength, QLatin1Char('x')));
    w = Find(list, helper.Ids()[4]);
    EXPECT_EQ(w->pid, helper.Pid());
    EXPECT_EQ(w->applicationId, QStringLiteral("org.example.Tool"));
}

TEST(X11WindowList, IconLargeEnoughForTheSmallIconSize)
{
    RYV_REQUIRE_X11(display);
    TWindowHelper helper;
    ASSERT_TRUE(helper.Start(
        HelperProgram, display, { "name=icons|icon=48,32,16", "name=big only|icon=64" }))
        << helper.Error().toStdString();
    struct Case {
        int size;
        int window;
        QColor colour; // of the image taken
    };
    const Case cases[] = {
        { 16, 0, Qt::red },
        { 32, 0, Qt::green },
        { 20, 0, Qt::green }, // the smallest image at least as large, scaled down
        { 24, 0, Qt::green },
        { 16, 1, Qt::blue },
    };
    // (A window without an icon is not among them: openbox gives such
    // windows its own default icon.)
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " " + std::to_string(c.window));
        const std::vector<TX11Window> list = TX11WindowList::Read(display, c.size, getpid());
        const TX11Window* w = Find(list, helper.Ids()[static_cast<size_t>(c.window)]);
        ASSERT_NE(w, nullptr);
        ASSERT_FALSE(w->icon.isNull());
        EXPECT_EQ(w->icon.size(), QSize(c.size, c.size));
        EXPECT_EQ(w->icon.pixelColor(c.size / 2, c.size / 2), c.colour);
    }
}

TEST(X11WindowList, WithoutWindowManagerTheTopLevelWindowsWithWmState)
{
    // A display of our own without a window manager.
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        GTEST_SKIP() << "Xvfb not installed";
    QTemporaryDir state;
    ASSERT_TRUE(state.isValid());
    QProcess xvfb;
    xvfb.setProgram(QStringLiteral("Xvfb"));
    // Display number on standard output (descriptor 1).
    xvfb.setArguments({ QStringLiteral("-displayfd"), QStringLiteral("1"),
        QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
        QStringLiteral("0"), QStringLiteral("640x480x24") });
    xvfb.start();
    ASSERT_TRUE(xvfb.waitForStarted(10000));
    QByteArray number;
    while (!number.contains('\n') && xvfb.waitForReadyRead(10000))
        number += xvfb.readAllStandardOutput();
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    ASSERT_GT(display.size(), 1) << "Xvfb did not start";
    {
        TWindowHelper helper;
        ASSERT_TRUE(helper.Start(HelperProgram, display,
            { "name=0 managed|wmstate=1", "name=1 no state", "name=2 managed|wmstate=1" }))
            << helper.Error().toStdString();
        const std::vector<TX11Window> list = TX11WindowList::Read(display, 16, getpid());
        EXPECT_EQ(Mine(list, helper), std::vector<int>({ 2, 0 }));
        EXPECT_EQ(list.size(), 2u);
    }
    xvfb.terminate();
    xvfb.waitForFinished(10000);
}

TEST(X11WindowList, NoDisplayGivesNothing)
{
    EXPECT_TRUE(TX11WindowList::Read(QString(), 16, getpid()).empty());
    EXPECT_TRUE(TX11WindowList::Read(QStringLiteral(":4999"), 16, getpid()).empty());
    EXPECT_TRUE(TX11WindowList::Read(QStringLiteral("no such display"), 16, getpid()).empty());
}

TEST(X11WindowList, PickIconRejectsMalformedData)
{
    std::vector<quint32> good { 2, 2, 0xffff0000u, 0xffff0000u, 0xffff0000u, 0xffff0000u };
    EXPECT_FALSE(TX11WindowList::PickIcon(good.data(), good.size(), 16).isNull());
    struct Case {
        const char* what;
        std::vector<quint32> data;
    };
    const Case cases[] = {
        { "empty", {} },
        { "size only", { 16 } },
        { "pixels missing", { 16, 16, 1, 2, 3 } },
        { "zero width", { 0, 16 } },
        { "overflowing size", { 0xffffffffu, 0xffffffffu, 1 } },
        { "too large", { 5000, 1, 1 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(TX11WindowList::PickIcon(c.data.data(), c.data.size(), 16).isNull());
    }
    // A good image followed by garbage still counts.
    good.insert(good.end(), { 99, 99, 1 });
    EXPECT_FALSE(TX11WindowList::PickIcon(good.data(), good.size(), 16).isNull());
}

// The icon drawn at 2 device pixels per pixel needs twice the pixels: the
// smallest image at least that large is scaled down; an image scaled up
// would be blurred, so only when none is large enough the largest is.
TEST(X11WindowList, PickIconScalesDownFromTheSmallestLargeEnough)
{
    const quint32 colours[] = { 0xffff0000u, 0xff00ff00u, 0xff0000ffu };
    const quint32 edges[] = { 16, 48, 24 };
    std::vector<quint32> data;
    for (int i = 0; i < 3; ++i) {
        data.insert(data.end(), { edges[i], edges[i] });
        data.insert(data.end(), size_t(edges[i]) * edges[i], colours[i]);
    }
    const struct {
        int wanted;
        quint32 colour;
    } cases[] = { { 16, colours[0] }, { 20, colours[2] }, { 32, colours[1] }, { 64, colours[1] } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted);
        const QImage icon = TX11WindowList::PickIcon(data.data(), data.size(), c.wanted);
        ASSERT_EQ(icon.size(), QSize(c.wanted, c.wanted));
        EXPECT_EQ(icon.pixel(c.wanted / 2, c.wanted / 2), c.colour);
    }
}

} // namespace
} // namespace ryv
