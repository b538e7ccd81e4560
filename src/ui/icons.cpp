#include "ui/icons.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPalette>
#include <QPixmapCache>
#include <QSizeF>

#include <algorithm>
#include <array>
#include <iterator>

// Resources of a static library are not registered unless someone asks.
static void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace ryv {
namespace {

struct TIconEntry {
    TRyvIcon id;
    const char* file; // below :/icons/, without ".svg"
    const char* themes; // freedesktop names, space separated, best first
    // A line drawing in one colour, drawn in the palette's text colour so it
    // shows on dark palettes as on light ones; the coloured images (start,
    // stop, the done mark, the star) keep their colours.
    bool tinted = true;
};

constexpr bool Coloured = false;

// Theme names follow the freedesktop naming of icons and the common
// extensions of the big themes; ours is used when none is found.
constexpr std::array<TIconEntry, 42> IconTable { {
    { TRyvIcon::Start, "start", "media-playback-start", Coloured },
    // The images of the start and stop buttons tell working from idle, so
    // each state has a theme name of its own and never falls back to the
    // other's.
    { TRyvIcon::StartSwitch, "switch", "media-skip-forward", Coloured },
    { TRyvIcon::Stop, "stop", "process-stop", Coloured },
    { TRyvIcon::StopIdle, "stop-idle", "media-playback-stop", Coloured },
    { TRyvIcon::Add, "add", "list-add" },
    { TRyvIcon::Edit, "edit", "document-edit document-properties" },
    { TRyvIcon::Delete, "delete", "edit-delete" },
    { TRyvIcon::Clear, "clear", "edit-clear-all edit-clear-list" },
    { TRyvIcon::Done, "done", "object-select checkmark dialog-ok-apply", Coloured },
    { TRyvIcon::MoveUp, "up", "go-up" },
    { TRyvIcon::MoveDown, "down", "go-down" },
    { TRyvIcon::Earlier, "earlier", "" },
    { TRyvIcon::Later, "later", "" },
    { TRyvIcon::Shorten, "shorten", "" },
    { TRyvIcon::Extend, "extend", "" },
    { TRyvIcon::OpenLink, "link", "insert-link" },
    { TRyvIcon::Favourites, "favourites", "bookmarks emblem-favorite" },
    { TRyvIcon::Favourite, "star-on", "starred", Coloured },
    { TRyvIcon::NotFavourite, "star-off", "non-starred" },
    { TRyvIcon::Recent, "recent", "document-open-recent" },
    { TRyvIcon::History, "history", "view-history document-open-recent" },
    { TRyvIcon::Calendar, "calendar", "view-calendar x-office-calendar" },
    { TRyvIcon::Reports, "reports", "view-statistics x-office-spreadsheet" },
    { TRyvIcon::Export, "export", "document-export document-save-as" },
    { TRyvIcon::Copy, "copy", "edit-copy" },
    { TRyvIcon::Pin, "pin", "window-pin" },
    { TRyvIcon::Unpin, "unpin", "window-unpin" },
    { TRyvIcon::Compact, "compact", "view-restore" },
    { TRyvIcon::CompactLeave, "compact-leave", "view-fullscreen" },
    { TRyvIcon::Menu, "menu", "open-menu application-menu" },
    { TRyvIcon::Settings, "settings", "preferences-system configure" },
    { TRyvIcon::Plans, "plans", "view-list-details" },
    { TRyvIcon::Shortcuts, "shortcuts", "input-keyboard" },
    { TRyvIcon::SidePane, "sidepane", "view-split-left-right sidebar-show-right" },
    { TRyvIcon::Suggest, "suggest", "" },
    { TRyvIcon::SuggestEmpty, "clipboard-empty", "" },
    { TRyvIcon::SuggestClipboard, "clipboard", "edit-paste", Coloured },
    { TRyvIcon::Back, "back", "go-previous" },
    { TRyvIcon::Forward, "forward", "go-next" },
    { TRyvIcon::Close, "close", "window-close" },
    { TRyvIcon::About, "about", "help-about" },
    { TRyvIcon::Languages, "languages", "preferences-desktop-locale" },
} };

bool GUseTheme = true;

const TIconEntry* FindIconEntry(TRyvIcon id)
{
    for (const TIconEntry& entry : IconTable)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

} // namespace

QStringList ThemeIconNames(TRyvIcon id)
{
    const TIconEntry* entry = FindIconEntry(id);
    if (!entry)
        return {};
    return QString::fromLatin1(entry->themes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString BundledIconPath(TRyvIcon id)
{
    const TIconEntry* entry = FindIconEntry(id);
    const char* file = entry ? entry->file : "ryvtracker";
    return QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(file));
}

QList<TRyvIcon> AllRyvIcons()
{
    QList<TRyvIcon> ids;
    for (const TIconEntry& entry : IconTable)
        ids.append(entry.id);
    ids.append(TRyvIcon::App);
    return ids;
}

void SetUseThemeIcons(bool use)
{
    GUseTheme = use;
}

namespace {

// The sizes, in device pixels, in which the build renders the bundled images
// as raw pixels (src/ui/CMakeLists.txt).
constexpr int PixelSizes[] = { RYV_ICON_PIXEL_SIZES };
constexpr int AppIconLargest = 128;

// The build's pixels of an image, side x side premultiplied ARGB; a null
// pixmap when they are missing or do not fit.
QPixmap RenderedPixels(const QString& name, int side)
{
    QFile file(QStringLiteral(":/iconpixels/%1-%2.argb").arg(name).arg(side));
    if (!file.open(QIODevice::ReadOnly))
        return QPixmap();
    const QByteArray data = file.readAll();
    if (data.size() != static_cast<qsizetype>(side) * side * 4)
        return QPixmap();
    const QImage image(reinterpret_cast<const uchar*>(data.constData()), side, side, side * 4,
        QImage::Format_ARGB32_Premultiplied);
    return QPixmap::fromImage(image.copy());
}

QString BundledIconName(TRyvIcon id)
{
    const TIconEntry* entry = FindIconEntry(id);
    return QString::fromLatin1(entry ? entry->file : "ryvtracker");
}

// The desktop theme's icon for id, or a null icon. "hicolor" is the fallback
// theme of application icons, never a desktop's theme of action icons:
// without a theme of its own the desktop gets our images, all of one style.
QIcon ThemeIcon(TRyvIcon id)
{
    const QString theme = QIcon::themeName();
    if (id == TRyvIcon::App || theme.isEmpty() || theme == QLatin1String("hicolor"))
        return QIcon();
    for (const QString& name : ThemeIconNames(id)) {
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    return QIcon();
}

// The colour of a line drawing in the application's palette: the text's, the
// disabled text's or, on a selected row, the highlighted text's.
QColor TintColor(QIcon::Mode mode)
{
    const QPalette palette = QGuiApplication::palette();
    switch (mode) {
    case QIcon::Disabled:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case QIcon::Selected:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case QIcon::Normal:
    case QIcon::Active:
        break;
    }
    return palette.color(QPalette::Active, QPalette::WindowText);
}

// An icon that looks for its image only when it is first drawn or measured.
// The window makes some 70 icons for its commands and buttons and shows a
// handful at first; reading the icon theme and the images of all would be a
// good part of the start-up. Our own images come from the build's pixels at
// the sizes there are, else from the SVG image. Never null.
class TLazyIconEngine final : public QIconEngine {
public:
    explicit TLazyIconEngine(TRyvIcon id)
        : FId(id)
        , FUseTheme(GUseTheme)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        if (FromTheme()) {
            FTheme.paint(painter, rect, Qt::AlignCenter, mode, state);
            return;
        }
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap image = Bundled((QSizeF(rect.size()) * dpr).toSize(), mode, state);
        image.setDevicePixelRatio(dpr);
        QRect target(QPoint(0, 0), (QSizeF(image.size()) / dpr).toSize());
        target.moveCenter(rect.center());
        painter->drawPixmap(target, image);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        if (FromTheme())
            return FTheme.actualSize(size, mode, state);
        // Our images are square and drawn at any size.
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return FromTheme() ? FTheme.pixmap(size, 1.0, mode, state) : Bundled(size, mode, state);
    }
    QPixmap scaledPixmap(
        const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        // size is in device pixels already.
        if (FromTheme())
            return FTheme.pixmap((QSizeF(size) / scale).toSize(), scale, mode, state);
        return Bundled(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        if (FromTheme())
            return FTheme.availableSizes(mode, state);
        QList<QSize> sizes;
        for (const int side : PixelSizes)
            sizes.append(QSize(side, side));
        // The desktop shows the program's icon large too (the window
        // switcher), drawn from the SVG image.
        if (FId == TRyvIcon::App)
            sizes.append(QSize(AppIconLargest, AppIconLargest));
        return sizes;
    }
    QString iconName() override { return FromTheme() ? FTheme.name() : QString(); }
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("TLazyIconEngine"); }
    QIconEngine* clone() const override
    {
        auto* copy = new TLazyIconEngine(FId);
        copy->FUseTheme = FUseTheme;
        copy->FLookedUp = FLookedUp;
        copy->FTheme = FTheme;
        copy->FPixels = FPixels;
        copy->FPixelSides = FPixelSides;
        copy->FSvg = FSvg;
        return copy;
    }

private:
    bool FromTheme()
    {
        if (!FLookedUp) {
            FLookedUp = true;
            if (FUseTheme)
                FTheme = ThemeIcon(FId);
        }
        return !FTheme.isNull();
    }

    // Our image with a side of size's smaller side, in device pixels.
    QPixmap Bundled(const QSize& size, QIcon::Mode mode, QIcon::State state)
    {
        InitIconResources();
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return QPixmap();
        const TIconEntry* entry = FindIconEntry(FId);
        if (entry && entry->tinted)
            return Tinted(side, TintColor(mode));
        const bool rendered
            = std::find(std::begin(PixelSizes), std::end(PixelSizes), side) != std::end(PixelSizes);
        if (rendered && !FPixelSides.contains(side)) {
            const QPixmap pixels = RenderedPixels(BundledIconName(FId), side);
            if (!pixels.isNull()) {
                FPixels.addPixmap(pixels);
                FPixelSides.append(side);
            }
        }
        // The icon of the pixels also makes the disabled and selected looks.
        if (FPixelSides.contains(side))
            return FPixels.pixmap(QSize(side, side), 1.0, mode, state);
        if (FSvg.isNull())
            FSvg = QIcon(BundledIconPath(FId));
        return FSvg.pixmap(QSize(side, side), 1.0, mode, state);
    }

    // A line drawing in the palette's colour. The pixels are shared by every
    // icon of the image in Qt's pixmap cache, which is bounded: each image is
    // drawn once per size and colour, however many icons and menus show it,
    // and a change of palette draws it anew in the new colour.
    QPixmap Tinted(int side, const QColor& color) const
    {
        const QString name = BundledIconName(FId);
        const QString key = QStringLiteral("ryv-icon:%1:%2:%3")
                                .arg(name)
                                .arg(side)
                                .arg(color.rgba(), 8, 16, QLatin1Char('0'));
        QPixmap tinted;
        if (QPixmapCache::find(key, &tinted))
            return tinted;
        const bool rendered
            = std::find(std::begin(PixelSizes), std::end(PixelSizes), side) != std::end(PixelSizes);
        QPixmap shape = rendered ? RenderedPixels(name, side) : QPixmap();
        if (shape.isNull())
            shape = QIcon(BundledIconPath(FId)).pixmap(QSize(side, side), 1.0);
        QImage image = shape.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&image);
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(image.rect(), color);
        }
        tinted = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(key, tinted);
        return tinted;
    }

    TRyvIcon FId;
    bool FUseTheme;
    bool FLookedUp = false;
    QIcon FTheme;
    QIcon FPixels;
    QList<int> FPixelSides;
    QIcon FSvg;
};

} // namespace

QIcon AppIcon()
{
    return QIcon(new TLazyIconEngine(TRyvIcon::App));
}

QIcon RyvIcon(TRyvIcon id)
{
    return QIcon(new TLazyIconEngine(id));
}

} // namespace ryv
