#include "core/clock.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "qtprint.h"
#include "suggest/desktopwindowsource.h"
#include "suggest/gathersuggestions.h"
#include "suggest/suggestlist.h"
#include "suggestfakes.h"
#include "windowhelperprocess.h"
#include "x11testdisplay.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace ryv {
namespace {

using test::TWindowHelper;

const QString HelperProgram = QStringLiteral(RYV_WINDOW_HELPER);

class DesktopWindowSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FApps = FDir.path() + QStringLiteral("/applications");
        ASSERT_TRUE(QDir().mkpath(FApps));
        const QString helper = QFileInfo(HelperProgram).canonicalFilePath();
        Entry("window-helper.desktop",
            "Name=Window Helper\nName[de]=Fensterhelfer\nIcon=helper-icon\nExec=" + helper.toUtf8()
                + " %U\n");
        Entry("classy.desktop", "Name=Classy App\nStartupWMClass=SomeClass\nExec=other\n");
    }
    void Entry(const char* file, const QByteArray& body)
    {
        QFile f(FApps + QLatin1Char('/') + QString::fromLatin1(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Desktop Entry]\nType=Application\n" + body);
    }
    const TOpenWindow* Find(const std::vector<TOpenWindow>& windows, quint32 id)
    {
        for (const TOpenWindow& w : windows)
            if (w.windowId == id)
                return &w;
        return nullptr;
    }
    QTemporaryDir FDir;
    QString FApps;
};

TEST_F(DesktopWindowSourceTest, WindowsNamedByTheirDesktopEntries)
{
    RYV_REQUIRE_X11(display);
    TWindowHelper helper;
    ASSERT_TRUE(helper.Start(HelperProgram, display,
        {
            "name=Report - Window Helper|pid=self|icon=16",
            "name=Classy window|pid=self|class=inst,SomeClass",
            "name=Gone process|pid=2147483000",
            "name=Own window|pid=" + QString::number(getpid()),
        }))
        << helper.Error().toStdString();

    struct Case {
        const char* locale;
        QStringList folders;
        const char* helperName; // of the helper's own windows
        const char* classyName;
    };
    const Case cases[] = {
        { "en_US", { FApps }, "Window Helper", "Classy App" },
        { "de_DE.UTF-8", { FApps }, "Fensterhelfer", "Classy App" },
        // No entries: the name stays empty and the file name stands in later.
        { "en_US", {}, "", "" },
    };
    const QString executable = QFileInfo(HelperProgram).canonicalFilePath();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        TDesktopWindowSource source(
            display, 16, QString::fromLatin1(c.locale), c.folders, getpid());
        const std::vector<TOpenWindow> windows = source.OpenWindows();
        const TOpenWindow* report = Find(windows, helper.Ids()[0]);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report->programName, QString::fromUtf8(c.helperName));
        EXPECT_EQ(report->programPath, executable);
        EXPECT_EQ(report->pid, helper.Pid());
        EXPECT_EQ(
            report->iconName, c.folders.isEmpty() ? QString() : QStringLiteral("helper-icon"));
        ASSERT_FALSE(report->icon.isNull());
        EXPECT_EQ(report->icon.pixelColor(8, 8), QColor(Qt::red));
        const TOpenWindow* classy = Find(windows, helper.Ids()[1]);
        ASSERT_NE(classy, nullptr);
        EXPECT_EQ(classy->programName, QString::fromUtf8(c.classyName));
        // A process that cannot be found, and our own windows, never appear.
        EXPECT_EQ(Find(windows, helper.Ids()[2]), nullptr);
        EXPECT_EQ(Find(windows, helper.Ids()[3]), nullptr);
    }
}

TEST_F(DesktopWindowSourceTest, GatheredWindowsShowTheProgramsNameAndIcon)
{
    RYV_REQUIRE_X11(display);
    // A caption no other test uses, so the rows of this helper can be found.
    const QString marker = QStringLiteral("Gathered %1").arg(getpid());
    TWindowHelper helper;
    ASSERT_TRUE(helper.Start(
        HelperProgram, display, { "name=" + marker + " \u2014 Window Helper|pid=self|icon=32" }))
        << helper.Error().toStdString();

    TDesktopWindowSource windows(display, 16, QStringLiteral("en_US"), { FApps }, getpid());
    test::TFakeHistory history;
    TFakeClipboard clipboard;
    TRyvOptions options(FDir.path());
    TRyvItemList favs;
    TRyvItemList recent;
    TManualClock clock(EncodeDateTime(2024, 5, 6, 12, 0));
    TSuggestList list;
    GatherSuggestions(list, nullptr,
        TSuggestSources { options, favs, recent, clock, windows, history, clipboard });
    const int found = FindSuggestion(list, QString(), marker);
    ASSERT_GE(found, 0);
    const TRyvSuggestItem* item = list.Item(found);
    EXPECT_EQ(item->appName, QStringLiteral("Window Helper"));
    EXPECT_EQ(item->_imgIdx, -1);
    ASSERT_FALSE(item->icon.isNull());
    EXPECT_EQ(item->icon.size(), QSize(16, 16));
    EXPECT_EQ(item->icon.pixelColor(8, 8), QColor(Qt::green));
}

} // namespace
} // namespace ryv
