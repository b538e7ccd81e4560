#include "core/ryvoptions.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(RyvOptions, FirstStartDefaults)
{
    const TRyvOptions o(u"/opt/ryv"_qs);
    EXPECT_EQ(o.FolderApp, u"/opt/ryv/"_qs);
    EXPECT_EQ(o.FolderData, u"/opt/ryv/data/"_qs);
    EXPECT_EQ(o.FolderPlugins, u"/opt/ryv/plugins/"_qs);
    EXPECT_EQ(o.SettingsFilePath(), u"/opt/ryv/RyvTracker.ini"_qs);
    EXPECT_EQ(o.TaskDlgSize, QSize(0, 0));
    EXPECT_TRUE(o.ExcludedApps.isEmpty());
    EXPECT_EQ(o.RecentMaxCnt, 10);
    EXPECT_TRUE(o.ListShowStop);
    EXPECT_EQ(o.ExportExt, u"html"_qs);
    EXPECT_EQ(o.ReportsTitle, QString());
    EXPECT_EQ(o.SpendToClipboard, TSpendToClipboard::Git);
    EXPECT_TRUE(o.GroupMasks.isEmpty());
    EXPECT_EQ(o.WindowTitleType, TWindowTitleType::CurrentTask);
    EXPECT_TRUE(o.AutoShowSuggest);
    EXPECT_EQ(o.LangCode, QString());
    EXPECT_EQ(o.StateExportLast, QString());
    EXPECT_FALSE(o.StateFavsChanged);
    // A folder given with its separator keeps exactly one.
    EXPECT_EQ(TRyvOptions(u"/opt/ryv/"_qs).FolderData, u"/opt/ryv/data/"_qs);
}

// Portable mode: the executable's folder is used only when it holds a folder
// "data" or the settings file; otherwise the per-user folder.
TEST(RyvOptions, ResolveFolderApp_PortableOnlyWithDataFolderOrSettingsFile)
{
    const struct {
        const char* name;
        bool makeDataFolder, makeDataFile, makeIni;
        bool portable;
    } cases[] = {
        { "nothing", false, false, false, false },
        { "data folder", true, false, false, true },
        { "settings file", false, false, true, true },
        { "a file named data", false, true, false, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir exe;
        const QString user = u"/home/someone/.local/share/RyvTracker"_qs;
        if (c.makeDataFolder) {
            ASSERT_TRUE(QDir(exe.path()).mkdir(u"data"_qs));
        }
        if (c.makeDataFile) {
            QFile f(exe.filePath(u"data"_qs));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        if (c.makeIni) {
            QFile f(exe.filePath(u"RyvTracker.ini"_qs));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        const QString expected = (c.portable ? exe.path() : user) + u'/';
        EXPECT_EQ(TRyvOptions::ResolveFolderApp(exe.path(), user), expected);
    }
}

} // namespace
} // namespace ryv
