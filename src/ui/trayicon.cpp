#include "ui/trayicon.h"

#include "core/apptexts.h"
#include "core/daylist.h"
#include "tracking/tracker.h"
#include "ui/icons.h"
#include "ui/windowactivation.h"

#include <QAction>
#include <QEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

namespace ryv {

namespace {

// The sizes trays ask for: the freedesktop panels' 16 to 24 pixels, and the
// larger ones of high-resolution screens.
constexpr int ImageSizes[] = { 16, 22, 24, 32, 48, 64 };

QPixmap Grey(const QPixmap& pixmap)
{
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

QIcon TrayImage(bool working)
{
    QIcon icon;
    const QIcon app = AppIcon();
    const QIcon badge(BundledIconPath(TRyvIcon::Start));
    for (const int size : ImageSizes) {
        QPixmap pixmap = app.pixmap(size, size);
        if (working) {
            // The start image in the lower right corner: a task runs.
            QPainter painter(&pixmap);
            const int badgeSize = (size * 5 + 5) / 9;
            painter.drawPixmap(
                size - badgeSize, size - badgeSize, badge.pixmap(badgeSize, badgeSize));
        } else {
            pixmap = Grey(pixmap);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

TTrayIcon::TTrayIcon(TTrayIconParts parts, QObject* parent)
    : QObject(parent)
    , FParts(std::move(parts))
    , FIcon(new QSystemTrayIcon(this))
    , FMenu(new QMenu(&FParts.window))
{
    FIcon->setObjectName(QStringLiteral("trayIcon"));
    FMenu->setObjectName(QStringLiteral("pumTray"));
    FIcon->setContextMenu(FMenu);
    connect(FMenu, &QMenu::aboutToShow, this, &TTrayIcon::RefreshMenu);
    // A change of language reaches every window of ours, the menu included.
    FMenu->installEventFilter(this);
    connect(FIcon, &QSystemTrayIcon::activated, this, &TTrayIcon::Activate);
    connect(&FParts.today, &TDayList::captionChanged, this, &TTrayIcon::UpdateState);
    // A change may come from one of the menu's own entries, which must not
    // be deleted while it is being triggered: the menu follows a moment later.
    tmrRefresh.setSingleShot(true);
    tmrRefresh.setInterval(0);
    connect(&tmrRefresh, &QTimer::timeout, this, &TTrayIcon::RefreshMenu);
    connect(&FParts.today, &TDayList::workingChanged, this, [this] {
        UpdateState();
        tmrRefresh.start();
    });
    connect(&FParts.tracker, &TTracker::FavsPanelChanged, &tmrRefresh,
        static_cast<void (QTimer::*)()>(&QTimer::start));
    UpdateState();
    RefreshMenu();
}

TTrayIcon::~TTrayIcon()
{
    // The menu is the window's child, so the language files find it; it goes
    // with the icon, or with the window if that goes first.
    FIcon->setContextMenu(nullptr);
    if (FMenu) {
        // No events of a menu being taken down reach a filter that is gone.
        FMenu->removeEventFilter(this);
        delete FMenu.data();
    }
}

bool TTrayIcon::eventFilter(QObject* watched, QEvent* event)
{
    // The type first: while the window takes its children down, the menu is
    // no longer a menu, and the pointer must not be read as one.
    if (event->type() == QEvent::LanguageChange && watched == FMenu)
        tmrRefresh.start();
    return QObject::eventFilter(watched, event);
}

bool TTrayIcon::Dock()
{
    if (!FDocked && FParts.trayAvailable()) {
        FIcon->show();
        FDocked = true;
    }
    return FDocked;
}

QIcon TTrayIcon::IdleImage()
{
    static const QIcon image = TrayImage(false);
    return image;
}

QIcon TTrayIcon::WorkingImage()
{
    static const QIcon image = TrayImage(true);
    return image;
}

QString TTrayIcon::ToolTip() const
{
    const TDayList& today = FParts.today;
    // The window title while a task runs: its time and its title.
    return today.IsWorking() && !today.IsEmpty() ? today.Caption() : AppTexts().str_tray_notask;
}

void TTrayIcon::UpdateState()
{
    const bool working = FParts.today.IsWorking();
    FIcon->setIcon(working ? WorkingImage() : IdleImage());
    FIcon->setToolTip(ToolTip());
}

void TTrayIcon::RefreshMenu()
{
    tmrRefresh.stop();
    if (!FMenu)
        return;
    const TAppTexts& texts = AppTexts();
    const bool free = !OwnModalOpen();
    const TUiState ui = FParts.uiState ? FParts.uiState() : TUiState();
    FMenu->clear();

    QAction* start = FMenu->addAction(RyvIcon(TRyvIcon::Start), texts.str_tray_start);
    start->setObjectName(QStringLiteral("miTrayStart"));
    start->setEnabled(free && FParts.tracker.Enabled(TCommand::acStart, ui));
    connect(start, &QAction::triggered, this,
        [this] { Run(TCommand::acStart, FParts.uiState ? FParts.uiState() : TUiState()); });
    QAction* stop = FMenu->addAction(RyvIcon(TRyvIcon::Stop), texts.str_tray_stop);
    stop->setObjectName(QStringLiteral("miTrayStop"));
    stop->setEnabled(free && FParts.tracker.Enabled(TCommand::acStop, ui));
    connect(stop, &QAction::triggered, this,
        [this] { Run(TCommand::acStop, FParts.uiState ? FParts.uiState() : TUiState()); });

    // The recent tasks first (newest first, as the favourites panel lists
    // them), then the favourites. An entry keeps the row's identity, not its
    // index: the rows may be rebuilt before it is chosen.
    struct TTaskEntry {
        int index;
        TFavsRow row;
    };
    const std::vector<TFavsRow>& rows = FParts.tracker.FavsRows();
    std::vector<TTaskEntry> recent;
    std::vector<TTaskEntry> favourites;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const TFavsRow& r = rows[static_cast<std::size_t>(i)];
        if (!FParts.tracker.FavsItemAt(i))
            continue; // the separator, or an item gone from its list
        if (!r.recent)
            favourites.push_back({ i, r });
        else if (static_cast<int>(recent.size()) < RecentInMenu)
            recent.push_back({ i, r });
    }
    auto addTasks = [&](const std::vector<TTaskEntry>& group, TRyvIcon image) {
        if (group.empty())
            return;
        FMenu->addSeparator();
        for (const TTaskEntry& entry : group) {
            const TRyvItem* item = FParts.tracker.FavsItemAt(entry.index);
            // "&" is no mnemonic in a task's title.
            QString title = item->title;
            title.replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction* a = FMenu->addAction(RyvIcon(image), title);
            a->setEnabled(free);
            a->setToolTip(item->url);
            connect(a, &QAction::triggered, this, [this, row = entry.row] { StartTask(row); });
        }
    };
    addTasks(recent, TRyvIcon::Recent);
    addTasks(favourites, TRyvIcon::Favourite);

    FMenu->addSeparator();
    QAction* show = FMenu->addAction(texts.str_tray_show);
    show->setObjectName(QStringLiteral("miTrayShow"));
    connect(show, &QAction::triggered, this, &TTrayIcon::ShowWindow);
    QAction* exit = FMenu->addAction(RyvIcon(TRyvIcon::Close), texts.str_tray_exit);
    exit->setObjectName(QStringLiteral("miTrayExit"));
    connect(exit, &QAction::triggered, this, [this] {
        if (FParts.exit)
            FParts.exit();
    });
    // The tool tip follows the texts in force too.
    FIcon->setToolTip(ToolTip());
}

void TTrayIcon::Run(TCommand command, const TUiState& ui)
{
    // The window's commands wait for an open dialog; so do the icon's.
    if (OwnModalOpen()) {
        BringToFront(&FParts.window);
        return;
    }
    FParts.tracker.Execute(command, ui);
}

void TTrayIcon::StartTask(TFavsRow row)
{
    const std::vector<TFavsRow>& rows = FParts.tracker.FavsRows();
    const auto found = std::find_if(rows.begin(), rows.end(),
        [&row](const TFavsRow& r) { return r.id == row.id && r.recent == row.recent; });
    if (found == rows.end())
        return; // the task left its list meanwhile
    // Started as from the favourites panel, where the row has the focus.
    TUiState ui = FParts.uiState ? FParts.uiState() : TUiState();
    ui.secondaryShown = true;
    ui.panel = TSecondaryPanel::Favs;
    ui.focus = TListKind::Favs;
    const int index = static_cast<int>(found - rows.begin());
    ui.favs.selected = { index };
    ui.favs.focused = index;
    Run(TCommand::acStartAs, ui);
}

void TTrayIcon::ShowWindow()
{
    BringToFront(&FParts.window);
}

void TTrayIcon::Activate(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    QWidget& window = FParts.window;
    const bool shown = window.isVisible() && !window.isMinimized();
    if (shown && window.isActiveWindow() && !OwnModalOpen())
        window.hide();
    else
        ShowWindow();
}

} // namespace ryv
