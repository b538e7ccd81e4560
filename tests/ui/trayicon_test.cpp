#include "ui/trayicon.h"

#include "core/apptexts.h"
#include "core/inifile.h"
#include "ui/commandrouter.h"
#include "ui/drawhelpers.h"
#include "windowtestworld.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

// The window and its tray icon, on a desktop that has a tray or not (the
// test platform has none; the icon is told). Its logic needs no real tray:
// the menu, the tool tip and the clicks are the icon's own.
class TrayIconTest : public TWindowTest {
protected:
    TTrayIcon& Open(bool trayAvailable = true)
    {
        tray.reset();
        world = std::make_unique<TWorld>(folder);
        TfrmRyvTracker& w = world->Open();
        tray = std::make_unique<TTrayIcon>(
            TTrayIconParts { world->tracker, world->today, w, [&w] { return w.UiState(); },
                [&w] { w.Exit(); }, [trayAvailable] { return trayAvailable; } });
        w.SetCloseToTray([this] { return tray->Dock(); });
        return *tray;
    }
    TfrmRyvTracker& Window() const { return *world->window; }

    // The menu as text: "-" for a separator, a trailing "(off)" for an entry
    // that is disabled.
    QStringList MenuTexts() const
    {
        QStringList out;
        for (const QAction* a : tray->Menu()->actions())
            out << (a->isSeparator() ? u"-"_qs
                                     : a->text() + (a->isEnabled() ? QString() : u" (off)"_qs));
        return out;
    }
    QAction* Entry(const QString& text) const
    {
        for (QAction* a : tray->Menu()->actions())
            if (a->text() == text)
                return a;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        return nullptr;
    }
    bool Shows(const QIcon& image) const
    {
        return IconToPng(tray->Icon().icon(), QSize(22, 22)) == IconToPng(image, QSize(22, 22));
    }
    bool SettingsWritten() const { return QFile::exists(world->options.SettingsFilePath()); }

    std::unique_ptr<TWorld> world;
    std::unique_ptr<TTrayIcon> tray;
};

// The menu starts and stops tasks through the engine's commands: a new task,
// stop, the five most recent tasks and the favourites; the tool tip and the
// image follow the running task.
TEST_F(TrayIconTest, MenuStartsAndStopsTasks_ToolTipAndImageFollow)
{
    WriteSampleData();
    TTrayIcon& icon = Open();
    for (int i = 1; i <= 7; ++i) {
        auto e = std::make_unique<TRyvItem>();
        e->title = u"R%1"_qs.arg(i);
        world->recent.Add(std::move(e));
    }
    world->tracker.RefreshFavsPanel();
    icon.RefreshMenu();
    EXPECT_EQ(MenuTexts(),
        (QStringList { u"Start a new task..."_qs, u"Stop (off)"_qs, u"-"_qs, u"R7"_qs, u"R6"_qs,
            u"R5"_qs, u"R4"_qs, u"R3"_qs, u"-"_qs, u"Fav"_qs, u"-"_qs, u"Show Ryv Tracker"_qs,
            u"Exit"_qs }));
    EXPECT_EQ(icon.Icon().toolTip(), u"No task is running"_qs);
    EXPECT_TRUE(Shows(TTrayIcon::IdleImage()));
    EXPECT_FALSE(Shows(TTrayIcon::WorkingImage()));

    // An entry keeps its task, not its place: the recent list changes
    // before it is chosen (the menu follows only a moment later).
    QAction* r3 = Entry(u"R3"_qs);
    world->recent.Delete(world->recent.IndexOf(world->recent.Item(6))); // R7
    world->tracker.RefreshFavsPanel();
    r3->trigger();
    EXPECT_TRUE(world->today.IsWorking());
    EXPECT_EQ(world->today.Last()->title, u"R3"_qs);
    world->clock.Set(At(11, 25));
    world->tracker.tmrCheckTimer();
    EXPECT_EQ(icon.Icon().toolTip(), world->today.Caption());
    EXPECT_EQ(icon.Icon().toolTip(), u"1:25 - R3"_qs);
    EXPECT_TRUE(Shows(TTrayIcon::WorkingImage()));

    QCoreApplication::processEvents(); // the menu follows
    EXPECT_EQ(MenuTexts().mid(0, 8),
        (QStringList { u"Start a new task..."_qs, u"Stop"_qs, u"-"_qs, u"R3"_qs, u"R6"_qs, u"R5"_qs,
            u"R4"_qs, u"R2"_qs }));
    Entry(u"Fav"_qs)->trigger();
    EXPECT_EQ(world->today.Last()->title, u"Fav"_qs);
    QCoreApplication::processEvents();
    Entry(u"Stop"_qs)->trigger();
    EXPECT_FALSE(world->today.IsWorking());
    EXPECT_EQ(icon.Icon().toolTip(), u"No task is running"_qs);
    EXPECT_TRUE(Shows(TTrayIcon::IdleImage()));
    // A title's "&" is a character, not a mnemonic.
    world->favs.AddOrUpdate(u"R&D"_qs, {}, {});
    world->tracker.RefreshFavsPanel();
    QCoreApplication::processEvents();
    EXPECT_TRUE(MenuTexts().contains(u"R&&D"_qs));
}

// The menu and the tool tip speak the language in force, also after a switch
// while the program runs (every window of ours hears of it).
TEST_F(TrayIconTest, FollowsAChangeOfLanguage)
{
    TTrayIcon& icon = Open();
    TAppTextsScope german;
    german.Texts().str_tray_start = u"Neue Aufgabe starten..."_qs;
    german.Texts().str_tray_notask = u"Keine Aufgabe läuft"_qs;
    QEvent change(QEvent::LanguageChange);
    QCoreApplication::sendEvent(icon.Menu(), &change);
    QCoreApplication::processEvents();
    EXPECT_EQ(MenuTexts().first(), u"Neue Aufgabe starten..."_qs);
    EXPECT_EQ(icon.Icon().toolTip(), u"Keine Aufgabe läuft"_qs);
}

// A click on the icon shows and raises the window, or hides it while it is
// the active window; "Show Ryv Tracker" shows it. While a dialog of ours is
// open the commands wait, and a click brings the dialog forward.
TEST_F(TrayIconTest, ClickShowsOrHidesTheWindow_CommandsWaitForAnOpenDialog)
{
    TTrayIcon& icon = Open();
    TfrmRyvTracker& w = Window();
    ASSERT_TRUE(w.isActiveWindow());
    icon.Activate(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(w.isVisible());
    icon.Activate(QSystemTrayIcon::Context); // the menu's business
    EXPECT_FALSE(w.isVisible());
    icon.Activate(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(w.isVisible());
    w.hide();
    Entry(u"Show Ryv Tracker"_qs)->trigger();
    EXPECT_TRUE(w.isVisible());

    QDialog dialog(&w);
    bool checked = false;
    QTimer::singleShot(0, &dialog, [&] {
        w.hide();
        icon.RefreshMenu();
        EXPECT_EQ(MenuTexts(),
            (QStringList { u"Start a new task... (off)"_qs, u"Stop (off)"_qs, u"-"_qs,
                u"Fav (off)"_qs, u"-"_qs, u"Show Ryv Tracker"_qs, u"Exit"_qs }));
        icon.Activate(QSystemTrayIcon::Trigger);
        EXPECT_TRUE(w.isVisible()) << "the window comes back with its dialog";
        EXPECT_TRUE(dialog.isVisible());
        checked = true;
        dialog.reject();
    });
    world->favs.AddOrUpdate(u"Fav"_qs, {}, {});
    world->tracker.RefreshFavsPanel();
    dialog.exec();
    EXPECT_TRUE(checked);
}

// Closing the window hides it in the tray when the option is set and the
// desktop has a tray, and tracking goes on; Exit then ends the program with
// every save. Without a tray, or without the option, closing ends it as
// before.
TEST_F(TrayIconTest, CloseToTray_HidesWhileATrayHoldsTheProgram)
{
    const struct {
        const char* name;
        bool closeToTray;
        bool trayAvailable;
        bool hides;
    } cases[] = {
        { "close to tray", true, true, true },
        { "no tray", true, false, false },
        { "option off", false, true, false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir caseDir;
        folder = caseDir.path() + QLatin1Char('/');
        WriteSampleData();
        TTrayIcon& icon = Open(c.trayAvailable);
        TfrmRyvTracker& w = Window();
        world->options.CloseToTray = c.closeToTray;
        ASSERT_TRUE(world->tracker.Execute(TCommand::acStartAs, [] {
            TUiState ui;
            ui.secondaryShown = true;
            ui.focus = TListKind::Favs;
            ui.favs = { { 0 }, 0 };
            return ui;
        }()));

        // Close (Esc); the window manager's close button is the X11 test's.
        ASSERT_TRUE(w.RunAction(w.Action(TWindowCommand::acClose)));
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(icon.IsDocked(), c.hides);
        EXPECT_EQ(SettingsWritten(), !c.hides) << "closed, not hidden";
        if (!c.hides)
            continue;
        EXPECT_TRUE(world->today.IsWorking());
        EXPECT_TRUE(world->tracker.tmrCheck.isActive()) << "tracking goes on";

        Entry(u"Exit"_qs)->trigger();
        ASSERT_TRUE(SettingsWritten());
        TIniFile ini(world->options.SettingsFilePath());
        ASSERT_TRUE(ini.Load());
        EXPECT_EQ(ini.ReadString(u"misc"_qs, u"closeToTray"_qs, {}), u"1"_qs);
        tray.reset();
        world.reset();
        TWorld next(folder);
        next.Open();
        EXPECT_TRUE(next.today.IsWorking()) << "the running task was saved";
    }
}

// The program still ends in order when the session ends or a termination
// signal arrives, with the window shown or hidden in the tray: the
// application's quit closes the window rather than hiding it, also while
// another window of the program (the tray icon's own, on an X11 tray) is
// open, where a window that refused would hold the quit back for good.
TEST_F(TrayIconTest, CloseToTray_QuitStillEndsTheProgramWithEverySave)
{
    for (const bool hidden : { false, true }) {
        SCOPED_TRACE(hidden ? "hidden in the tray" : "shown");
        QTemporaryDir caseDir;
        folder = caseDir.path() + QLatin1Char('/');
        WriteSampleData();
        Open();
        world->options.CloseToTray = true;
        QWidget trayWindow;
        trayWindow.show();
        if (hidden) {
            ASSERT_TRUE(Window().RunAction(Window().Action(TWindowCommand::acClose)));
            ASSERT_FALSE(Window().isVisible());
            ASSERT_FALSE(SettingsWritten());
        }
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        // Fails the test rather than hanging it when the quit is held back.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        guard.start(10000);
        EXPECT_EQ(QApplication::exec(), 0);
        EXPECT_TRUE(SettingsWritten());
        EXPECT_FALSE(trayWindow.isVisible());
        tray.reset();
        world.reset();
    }
}

} // namespace
} // namespace ryv
