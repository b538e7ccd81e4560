#include "qtprint.h"
#include "suggest/desktopentries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace ryv {
namespace {

void WriteFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(data);
}

TEST(DesktopEntries, ParseReadsTheDesktopEntryGroup)
{
    const QByteArray text = "# comment\n"
                            "[Other Group]\n"
                            "Name=Not this\n"
                            "[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name = Text\\sEditor\n"
                            "Name[de]=Texteditor\n"
                            "Name[de_AT]=Texteditor (AT)\n"
                            "Name[sr@latin]=Uredjivac\n"
                            "Icon=accessories-text-editor\n"
                            "Exec=env GDK_BACKEND=x11 \"/opt/My Editor/bin/edit\" %U\n"
                            "StartupWMClass=Edit\n"
                            "[Desktop Action new-window]\n"
                            "Name=New Window\n"
                            "Exec=other\n";
    struct Case {
        const char* locale;
        const char* name;
    };
    const Case cases[] = {
        { "", "Text Editor" },
        { "C.UTF-8", "Text Editor" },
        { "de_DE.UTF-8", "Texteditor" },
        { "de_AT", "Texteditor (AT)" },
        { "sr_RS@latin", "Uredjivac" },
        { "fr_FR", "Text Editor" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        TDesktopEntry entry;
        ASSERT_TRUE(TDesktopEntries::Parse(text, QString::fromLatin1(c.locale), entry));
        EXPECT_EQ(entry.name, QString::fromUtf8(c.name));
        EXPECT_EQ(entry.icon, QStringLiteral("accessories-text-editor"));
        EXPECT_EQ(entry.program, QStringLiteral("/opt/My Editor/bin/edit"));
        EXPECT_EQ(entry.startupWMClass, QStringLiteral("Edit"));
    }

    TDesktopEntry entry;
    EXPECT_FALSE(TDesktopEntries::Parse("[Desktop Entry]\nName=X\nHidden=true\n", {}, entry));
    EXPECT_FALSE(TDesktopEntries::Parse("[Desktop Entry]\nName=X\nType=Link\n", {}, entry));
    EXPECT_FALSE(TDesktopEntries::Parse("Name=X\n", {}, entry));
    EXPECT_FALSE(TDesktopEntries::Parse(QByteArray("\0\xff\xfe garbage", 12), {}, entry));
    // TryExec names the program when present.
    ASSERT_TRUE(TDesktopEntries::Parse(
        "[Desktop Entry]\nName=Y\nTryExec=yprog\nExec=wrapper --run yprog\n", {}, entry));
    EXPECT_EQ(entry.program, QStringLiteral("yprog"));
}

TEST(DesktopEntries, ExecProgram)
{
    struct Case {
        const char* exec;
        const char* program;
    };
    const Case cases[] = {
        { "firefox-esr %u", "firefox-esr" },
        { "/usr/bin/chromium %U", "/usr/bin/chromium" },
        { "\"/opt/a b/prog\" --x", "/opt/a b/prog" },
        { "\"/opt/q\\\"x/prog\"", "/opt/q\"x/prog" },
        { "env A=1 B=2 /usr/bin/prog", "/usr/bin/prog" },
        { "  spaced   ", "spaced" },
        { "", "" },
        { "env", "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exec);
        EXPECT_EQ(
            TDesktopEntries::ExecProgram(QString::fromUtf8(c.exec)), QString::fromUtf8(c.program));
    }
}

class DesktopEntriesFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FHome = FDir.path() + QStringLiteral("/home/applications");
        FSystem = FDir.path() + QStringLiteral("/system/applications");
    }
    void Entry(const QString& folder, const char* file, const QByteArray& body)
    {
        WriteFile(folder + QLatin1Char('/') + QString::fromLatin1(file),
            "[Desktop Entry]\nType=Application\n" + body);
    }
    QTemporaryDir FDir;
    QString FHome;
    QString FSystem;
};

TEST_F(DesktopEntriesFolders, EarlierFolderWinsAndHiddenHidesTheLaterOne)
{
    Entry(FHome, "editor.desktop", "Name=My Editor\n");
    Entry(FSystem, "editor.desktop", "Name=System Editor\n");
    Entry(FHome, "gone.desktop", "Name=Gone\nHidden=true\n");
    Entry(FSystem, "gone.desktop", "Name=Gone System\n");
    Entry(FSystem, "kde/konsole.desktop", "Name=Konsole\n");
    WriteFile(FSystem + QStringLiteral("/notes.txt"), "[Desktop Entry]\nName=Not an entry\n");
    // Hostile folders: an oversized file and a pipe are never read.
    WriteFile(FSystem + QStringLiteral("/huge.desktop"),
        "[Desktop Entry]\nName=Huge\n" + QByteArray(TDesktopEntries::MaxFileSize, '#'));
    ASSERT_EQ(
        mkfifo(QFile::encodeName(FSystem + QStringLiteral("/pipe.desktop")).constData(), 0600), 0);

    const TDesktopEntries entries({ FHome, FSystem, FDir.path() + QStringLiteral("/missing") }, {});
    QStringList seen;
    for (const TDesktopEntry& e : entries.Entries())
        seen.append(e.id + QLatin1Char('=') + e.name);
    seen.sort();
    EXPECT_EQ(seen, QStringList({ "editor=My Editor", "kde-konsole=Konsole" }));
}

TEST_F(DesktopEntriesFolders, FindTriesTheKeysInOrder)
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    Entry(FSystem, "org.mozilla.firefox.desktop", "Name=Firefox (flatpak)\n");
    Entry(FSystem, "firefox_firefox.desktop", "Name=Firefox (snap)\n");
    Entry(FSystem, "org.gnome.TextEditor.desktop", "Name=Text Editor\n");
    Entry(FSystem, "navigator.desktop", "Name=By class\nStartupWMClass=Navigator\n");
    Entry(FSystem, "tests.desktop", "Name=The test program\nExec=\"" + self.toUtf8() + "\" %f\n");
    Entry(FSystem, "org.kde.dolphin.desktop", "Name=Dolphin\n");
    Entry(FSystem, "Firefox-ESR.desktop", "Name=Firefox ESR\nIcon=firefox-esr\n");
    const TDesktopEntries entries({ FSystem }, {});

    struct Case {
        const char* what;
        TProgramKeys keys;
        const char* name; // empty: none found
    };
    const Case cases[] = {
        { "flatpak id", { "org.mozilla.firefox", "", "", { "Navigator", "firefox" }, self },
            "Firefox (flatpak)" },
        { "snap name", { "", "firefox", "", { "Navigator" }, "" }, "Firefox (snap)" },
        { "application id", { "", "", "org.gnome.TextEditor", { "Navigator" }, self },
            "Text Editor" },
        { "application id with suffix", { "", "", "org.gnome.TextEditor.desktop", {}, "" },
            "Text Editor" },
        { "StartupWMClass", { "", "", "", { "Navigator", "firefox-esr" }, self }, "By class" },
        { "program", { "", "", "", { "x", "y" }, self }, "The test program" },
        { "file id as WM_CLASS", { "", "", "", { "firefox-esr", "Firefox-esr" }, "/usr/bin/none" },
            "Firefox ESR" },
        { "last part of a reverse-domain id", { "", "", "", { "dolphin", "dolphin" }, "" },
            "Dolphin" },
        { "nothing fits", { "com.other", "", "", { "unknown" }, "/usr/bin/none" }, "" },
        { "no keys", {}, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TDesktopEntry* found = entries.Find(c.keys);
        EXPECT_EQ(found ? found->name : QString(), QString::fromUtf8(c.name));
    }
}

TEST(DesktopEntries, ApplicationFoldersFollowXdgAndAddSandboxExports)
{
    const QByteArray oldHome = qgetenv("XDG_DATA_HOME");
    const QByteArray oldDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", "/data/home");
    qputenv("XDG_DATA_DIRS", "/a:/b/:relative:/var/lib/flatpak/exports/share");
    const QStringList folders = TDesktopEntries::ApplicationFolders();
    EXPECT_EQ(folders,
        QStringList({ "/data/home/applications", "/a/applications", "/b/applications",
            "/var/lib/flatpak/exports/share/applications",
            "/data/home/flatpak/exports/share/applications",
            "/var/lib/snapd/desktop/applications" }));
    qputenv("XDG_DATA_HOME", oldHome);
    qputenv("XDG_DATA_DIRS", oldDirs);
}

} // namespace
} // namespace ryv
