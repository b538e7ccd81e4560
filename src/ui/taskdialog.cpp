#include "ui/taskdialog.h"

#include "core/apptexts.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/texthelpers.h"
#include "lang/langtemplate.h"
#include "lang/qlxcontroller.h"
#include "suggest/gathersuggestions.h"
#include "suggest/suggestsources.h"
#include "suggest/suggesttext.h"
#include "ui/drawhelpers.h"
#include "ui/guardedplaintextedit.h"
#include "ui/icons.h"
#include "ui/widgetparts.h"
#include "ui/windowgeometry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace ryv {

namespace {

const char* const TagProperty = "tag";

// Columns of the title row: the title, the three image buttons, a gap as
// wide as the fields are high, the hours field.
enum { ColName = 0, ColSuggest, ColOpenLink, ColFavorite, ColGap, ColHours, ColCount };

QToolButton* MakeImageButton(QWidget* parent, const char* name, TRyvIcon icon, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(RyvIcon(icon));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// The busy cursor while the suggestions are gathered.
class TBusyCursor final {
public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

} // namespace

// Draws the suggestion rows: the source column in a colour three quarters of
// the way from the text colour to the hot-light colour, and the row under
// the mouse pointer (over the task column) as hot.
class TSuggestDelegate final : public QStyledItemDelegate {
public:
    TSuggestDelegate(int rowHeight, QObject* parent)
        : QStyledItemDelegate(parent)
        , FRowHeight(rowHeight)
    {
    }
    void SetHotRow(int row) { FHotRow = row; }
    int HotRow() const { return FHotRow; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
        const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        if (index.row() == FHotRow && !(opt.state & QStyle::State_Selected)) {
            opt.state |= QStyle::State_MouseOver;
            QColor hot = opt.palette.color(QPalette::Highlight);
            hot.setAlpha(48);
            painter->fillRect(opt.rect, hot);
        }
        if (index.column() == 1 && !(opt.state & QStyle::State_Selected)) {
            const QColor hotLight = opt.palette.color(QPalette::Link);
            const QColor source
                = BlendColors(hotLight, BlendColors(hotLight, opt.palette.color(QPalette::Text)));
            opt.palette.setColor(QPalette::Text, source);
        }
        QStyledItemDelegate::paint(painter, opt, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(FRowHeight);
        // The source column ends at the list's right border: it keeps the
        // gap there that the task column keeps at the left.
        if (index.column() == 1)
            size.rwidth() += SourceRightPadding;
        return size;
    }

private:
    static constexpr int SourceRightPadding = 6;
    int FRowHeight;
    int FHotRow = -1;
};

TfrmRyvTask::TfrmRyvTask(TRyvOptions& options, TRyvItemList& favorites,
    const TSuggestSources& sources, IClipboard& clipboard, IShell& shell, QWidget* mainWindow,
    TLanguageManager* languages)
    : QDialog(mainWindow)
    , FOptions(options)
    , FFavorites(favorites)
    , FSources(sources)
    , FClipboard(clipboard)
    , FShell(shell)
    , FMainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmRyvTask"));
    setWindowTitle(QStringLiteral("Task"));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    resize(DesignWidth, DesignHeight);
    setMinimumSize(MinWidth, MinHeight);
    FController = new TqlxController(this, languages);
    FController->SetOnLanguageChanged([this](TqlxController*) { ShowCodeTexts(); });
    FController->Loaded();

    // A pinned main window would cover the dialog on some desktops; it is
    // unpinned while the dialog is open and pinned again when it closes.
    if (MainIsPinned(FMainWindow)) {
        FMainPinToTop = true;
        SetMainPinned(FMainWindow, false);
    }
}

TfrmRyvTask::~TfrmRyvTask()
{
    if (FMainPinToTop && FMainWindow)
        SetMainPinned(FMainWindow, true);
}

void TfrmRyvTask::BuildControls()
{
    auto* grid = new QGridLayout(this);
    grid->setColumnStretch(ColName, 1);

    lbName = new QLabel(QStringLiteral("Name:"), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    {
        QFont font = lbName->font();
        font.setPointSizeF(std::nearbyint(font.pointSizeF() * 1.3));
        lbName->setFont(font);
        QPalette palette = lbName->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
        lbName->setPalette(palette);
    }
    grid->addWidget(lbName, 0, ColName, 1, ColGap);

    lbHours = new QLabel(QStringLiteral("Hours (duration):"), this);
    lbHours->setObjectName(QStringLiteral("lbHours"));
    grid->addWidget(lbHours, 0, ColHours, Qt::AlignBottom);

    edName = new QLineEdit(this);
    edName->setObjectName(QStringLiteral("edName"));
    edName->setMaxLength(MaxTitleLength);
    grid->addWidget(edName, 1, ColName);

    sbSuggest = MakeImageButton(
        this, "sbSuggest", TRyvIcon::Suggest, QStringLiteral("Show/hide suggested tasks"));
    sbOpenLink = MakeImageButton(this, "sbOpenLink", TRyvIcon::OpenLink,
        QStringLiteral("Open the link associated with the task"));
    sbFavorite = MakeImageButton(
        this, "sbFavorite", TRyvIcon::NotFavourite, QStringLiteral("Add/remove favorite"));
    sbFavorite->setProperty(TagProperty, 0);
    grid->addWidget(sbSuggest, 1, ColSuggest);
    grid->addWidget(sbOpenLink, 1, ColOpenLink);
    grid->addWidget(sbFavorite, 1, ColFavorite);

    edHours = new QLineEdit(this);
    edHours->setObjectName(QStringLiteral("edHours"));
    edHours->setFixedWidth(
        edHours->fontMetrics().horizontalAdvance(QStringLiteral("00000:00")) + 16);
    grid->addWidget(edHours, 1, ColHours);

    Label1 = new QLabel(QStringLiteral("Description:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(Label1, 2, 0, 1, ColCount);

    mDescr = new TGuardedPlainTextEdit(this);
    mDescr->setObjectName(QStringLiteral("mDescr"));
    mDescr->setLineWrapMode(QPlainTextEdit::NoWrap);
    mDescr->setTabChangesFocus(true);
    mDescr->installEventFilter(this);
    Label1->setBuddy(mDescr);
    grid->addWidget(mDescr, 3, 0, 1, ColCount);
    grid->setRowStretch(3, 1);

    lbUrl = new QLabel(QStringLiteral("Hyperlink:"), this);
    lbUrl->setObjectName(QStringLiteral("lbUrl"));
    grid->addWidget(lbUrl, 4, 0, 1, ColCount);
    edUrl = new QLineEdit(this);
    edUrl->setObjectName(QStringLiteral("edUrl"));
    lbUrl->setBuddy(edUrl);
    grid->addWidget(edUrl, 5, 0, 1, ColCount);

    cbTaskDone = new QCheckBox(QStringLiteral("Task is done"), this);
    cbTaskDone->setObjectName(QStringLiteral("cbTaskDone"));
    grid->addWidget(cbTaskDone, 6, 0, 1, ColCount);

    auto* buttons = MakeOkCancelButtons(this, sbOK, sbCancel);
    grid->addWidget(buttons, 7, 0, 1, ColCount);

    buttons->setObjectName(QStringLiteral("pBottom"));
    buttons->installEventFilter(this);

    // The suggestion drop-down lies over the fields below the title while it
    // is shown, so it is no part of the layout.
    lvSuggest = new QTreeWidget(this);
    lvSuggest->setObjectName(QStringLiteral("lvSuggest"));
    lvSuggest->setColumnCount(2);
    lvSuggest->setHeaderLabels({ QStringLiteral("Task"), QStringLiteral("Source") });
    lvSuggest->setHeaderHidden(true);
    lvSuggest->setRootIsDecorated(false);
    lvSuggest->setUniformRowHeights(true);
    lvSuggest->setSelectionMode(QAbstractItemView::SingleSelection);
    lvSuggest->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSuggest->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvSuggest->setFocusPolicy(Qt::ClickFocus);
    lvSuggest->setTextElideMode(Qt::ElideRight);
    lvSuggest->header()->setStretchLastSection(false);
    lvSuggest->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    lvSuggest->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    const int smallIcon = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    lvSuggest->setIconSize(QSize(smallIcon, smallIcon));
    // Rows 27 pixels high at 96 dots per inch, scaled to the screen.
    FRowHeight = qMax(smallIcon + 4, qRound(27.0 * logicalDpiY() / 96.0));
    FSuggestDelegate = new TSuggestDelegate(FRowHeight, lvSuggest);
    lvSuggest->setItemDelegate(FSuggestDelegate);
    lvSuggest->setMouseTracking(true);
    lvSuggest->viewport()->installEventFilter(this);
    lvSuggest->installEventFilter(this);
    lvSuggest->setContextMenuPolicy(Qt::CustomContextMenu);
    lvSuggest->hide();
    BuildSuggestMenu();

    // The fixed images of the sources, in the order of their indices.
    FImages = { RyvIcon(TRyvIcon::SuggestEmpty), RyvIcon(TRyvIcon::SuggestClipboard),
        RyvIcon(TRyvIcon::Favourite), RyvIcon(TRyvIcon::History), RyvIcon(TRyvIcon::OpenLink) };

    timerSuggest = new QTimer(this);
    timerSuggest->setObjectName(QStringLiteral("timerSuggest"));
    timerSuggest->setInterval(100);
    timerSuggest->setSingleShot(true);
    timerSuggest->setProperty(TagProperty, 0);

    setTabOrder(edName, edHours);
    setTabOrder(edHours, mDescr);
    setTabOrder(mDescr, edUrl);
    setTabOrder(edUrl, cbTaskDone);

    connect(sbOK, &QPushButton::clicked, this, &TfrmRyvTask::sbOKClick);
    connect(sbCancel, &QPushButton::clicked, this, &TfrmRyvTask::sbCancelClick);
    connect(sbOpenLink, &QToolButton::clicked, this, &TfrmRyvTask::sbOpenLinkClick);
    connect(sbFavorite, &QToolButton::clicked, this, &TfrmRyvTask::sbFavoriteClick);
    connect(sbSuggest, &QToolButton::clicked, this, &TfrmRyvTask::sbSuggestClick);
    connect(timerSuggest, &QTimer::timeout, this, &TfrmRyvTask::timerSuggestTimer);
    connect(edUrl, &QLineEdit::textChanged, this, &TfrmRyvTask::UpdateOpenLinkEnabled);
    connect(edName, &QLineEdit::textEdited, this, [this] {
        if (isVisible())
            timerSuggest->start();
    });
    edName->installEventFilter(this);
    connect(lvSuggest, &QTreeWidget::itemClicked, this, [this] { sbOKClick(); });
    connect(lvSuggest, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { pumSuggest->popup(lvSuggest->viewport()->mapToGlobal(pos)); });
    // The wheel turns the list wherever the pointer is while the title has
    // the focus, so every control passes its wheel events here first.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    UpdateOpenLinkEnabled();
}

void TfrmRyvTask::BuildSuggestMenu()
{
    pumSuggest = new QMenu(this);
    pumSuggest->setObjectName(QStringLiteral("pumSuggest"));
    miExcludeSrc = pumSuggest->addAction(QString());
    miExcludeSrc->setObjectName(QStringLiteral("miExcludeSrc"));
    pumSuggest->addSeparator();
    miExcluded = pumSuggest->addMenu(QString());
    miExcluded->setObjectName(QStringLiteral("miExcluded"));
    miExcluded->menuAction()->setObjectName(QStringLiteral("miExcludedItem"));
    for (QObject* part : { static_cast<QObject*>(miExcludeSrc), static_cast<QObject*>(miExcluded),
             static_cast<QObject*>(miExcluded->menuAction()) })
        SetTextsFromCode(part);
    ShowCodeTexts();
    connect(miExcludeSrc, &QAction::triggered, this, &TfrmRyvTask::miExcludeSrcClick);
    connect(pumSuggest, &QMenu::aboutToShow, this, &TfrmRyvTask::pumSuggestPopup);
}

void TfrmRyvTask::ShowCodeTexts()
{
    const TAppTexts& texts = AppTexts();
    if (miExcludeSrc) {
        miExcludeSrc->setText(texts.str_excludesrc);
        miExcludeSrc->setToolTip(texts.str_excludesrc_hint);
        miExcludeSrc->setStatusTip(texts.str_excludesrc_hint);
        miExcluded->setTitle(texts.str_excludedsrcs);
    }
    if (FCaptionAction)
        FCaption = FCaptionAction->text();
    if (!FCaption.isEmpty() && lbName)
        lbName->setText(FCaption);
}

void TfrmRyvTask::FollowCaption(QAction* action)
{
    FCaptionAction = action;
    ShowCodeTexts();
}

QString TfrmRyvTask::NameCaption() const
{
    return lbName->text();
}

void TfrmRyvTask::Prepare(const TRyvItem& entry, const QString& caption, bool isNew,
    bool askDuration, const TRyvItem* previous, bool fromFavourite)
{
    if (!caption.isEmpty()) {
        FCaption = caption;
        lbName->setText(caption);
    }
    if (previous)
        FPrevious = *previous;
    else
        FPrevious.reset();
    FAskDuration = askDuration;
    FShowSuggestOnStart = (isNew || askDuration) && !fromFavourite && FOptions.AutoShowSuggest;

    const bool showHours = isNew && askDuration;
    lbHours->setVisible(showHours);
    edHours->setVisible(showHours);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->setColumnMinimumWidth(ColGap, showHours ? edName->sizeHint().height() : 0);

    QScreen* screen = FMainWindow ? FMainWindow->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize stored = FittedDialogSize(FOptions.TaskDlgSize, QSize(MinWidth, MinHeight),
        screen ? screen->availableGeometry().size() : QSize());
    if (stored.isValid())
        resize(stored);
    if (screen) {
        const bool onShow = FMainWindow && FMainWindow->isVisible() && !FMainWindow->isMinimized();
        move(Placement(onShow ? FMainWindow->frameGeometry() : QRect(), onShow, size(),
            screen->availableGeometry()));
    }

    FClipText = TrimBlanks(FClipboard.Text());
    if (askDuration)
        edHours->setText(QStringLiteral("1:00"));
    cbTaskDone->setChecked(entry.state == ryvsDone);
    sbFavorite->setProperty(TagProperty, FFavorites.FindItem(entry.title, entry.url) >= 0 ? 1 : 0);
    UpdateFavoriteImage();

    edName->setText(entry.title);
    mDescr->setPlainText(entry.descr);
    edUrl->setText(entry.url);
    // A link copied just before starting or adding a task becomes its link.
    if ((isNew || askDuration) && entry.url.isEmpty() && IsLink(FClipText))
        edUrl->setText(FClipText);

    edName->setFocus();
    edName->selectAll();
}

void TfrmRyvTask::ApplyTo(TRyvItem& entry) const
{
    entry.title = edName->text().left(MaxTitleLength);
    entry.url = edUrl->text();
    QString descr = mDescr->toPlainText();
    descr.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    entry.descr = descr;
    entry.state = cbTaskDone->isChecked() ? ryvsDone : ryvsNone;
    if (FAskDuration)
        entry.stop = ParseDuration(edHours->text());
}

TDateTime TfrmRyvTask::ParseDuration(const QString& text)
{
    const double hours = ParseNumberDef(text, 0);
    if (hours > 0)
        return hours / 24.0;
    // Only the time of day counts: a date typed here must not turn into a
    // duration of a hundred years.
    const TDateTime value = ParseDateTimeLenient(text, 0);
    const TDateTime timeOfDay = value - std::floor(value);
    return timeOfDay > 0 ? timeOfDay : OneHour;
}

QPoint TfrmRyvTask::Placement(
    const QRect& mainFrame, bool mainOnShow, const QSize& dialogSize, const QRect& workArea)
{
    const QRect& around = mainOnShow ? mainFrame : workArea;
    QRect rect(QPoint(around.left() + (around.width() - dialogSize.width()) / 2,
                   around.top() + (around.height() - dialogSize.height()) / 2),
        dialogSize);
    if (!mainOnShow)
        return rect.topLeft();
    if (rect.right() > workArea.right())
        rect.moveRight(workArea.right());
    if (rect.bottom() > workArea.bottom())
        rect.moveBottom(workArea.bottom());
    // Last, so that the title bar stays reachable on a small screen.
    if (rect.left() < workArea.left())
        rect.moveLeft(workArea.left());
    if (rect.top() < workArea.top())
        rect.moveTop(workArea.top());
    return rect.topLeft();
}

void TfrmRyvTask::sbOKClick()
{
    if (!lvSuggest->isVisible()) {
        accept();
        return;
    }
    // With the list open, OK takes the chosen suggestion and the dialog
    // stays open for a look at it.
    const QTreeWidgetItem* row = lvSuggest->currentItem();
    if (row && row->isSelected()) {
        const int index = row->data(0, SuggestionRole).toInt();
        if (index >= 0 && index < FSuggests.Count()) {
            const TRyvSuggestItem* s = FSuggests.Item(index);
            edName->setText(s->title);
            edName->setCursorPosition(static_cast<int>(edName->text().size()));
            edUrl->setText(s->url);
            mDescr->setPlainText(s->descr);
            // Image 1 marks the clipboard's own suggestion (and windows
            // shown without an icon): its text is already the title.
            if (s->url.isEmpty() && s->_imgIdx != SuggestImage::Clipboard && IsLink(FClipText))
                edUrl->setText(FClipText);
        }
    }
    HideSuggestions();
    edName->setFocus();
}

void TfrmRyvTask::sbCancelClick()
{
    if (lvSuggest->isVisible()) {
        HideSuggestions();
        return;
    }
    reject();
}

void TfrmRyvTask::keyPressEvent(QKeyEvent* event)
{
    // QDialog would reject at once; Escape is the user's Cancel.
    if (event->matches(QKeySequence::Cancel)) {
        sbCancelClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmRyvTask::done(int result)
{
    FOptions.TaskDlgSize = size();
    QDialog::done(result);
}

void TfrmRyvTask::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (FShowSuggestOnStart)
        timerSuggest->start();
}

void TfrmRyvTask::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (lvSuggest->isVisible())
        PlaceSuggestions();
}

void TfrmRyvTask::wheelEvent(QWheelEvent* event)
{
    if (!WheelSuggestion(this, event))
        QDialog::wheelEvent(event);
}

void TfrmRyvTask::mousePressEvent(QMouseEvent* event)
{
    // A click on the dialog's background closes the list.
    HideSuggestions();
    QDialog::mousePressEvent(event);
}

bool TfrmRyvTask::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Wheel)
        return WheelSuggestion(watched, event) || QDialog::eventFilter(watched, event);

    if (watched == edName) {
        if (type == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                if (key->modifiers() & ~Qt::KeypadModifier)
                    break;
                MoveSuggestion(key->key());
                return true;
            default:
                // Select-all while the list is closed keeps it closed.
                if (key->matches(QKeySequence::SelectAll) && !lvSuggest->isVisible())
                    timerSuggest->setProperty(TagProperty, 1);
                break;
            }
        } else if (type == QEvent::FocusOut) {
            // The list closes shortly after the title loses the focus, unless
            // the focus went into the list (which stops the timer).
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason
                && lvSuggest->isVisible()) {
                timerSuggest->setProperty(TagProperty, 1);
                timerSuggest->start();
            }
        } else if (type == QEvent::MouseButtonPress) {
            HideSuggestions();
        }
    } else if (watched == lvSuggest) {
        if (type == QEvent::FocusIn) {
            timerSuggest->stop();
            timerSuggest->setProperty(TagProperty, 0);
        } else if (type == QEvent::FocusOut
            && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            HideSuggestions();
        }
    } else if (watched == lvSuggest->viewport()) {
        if (type == QEvent::MouseMove) {
            const QModelIndex index
                = lvSuggest->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            const int hot = index.isValid() && index.column() == 0 ? index.row() : -1;
            if (hot != FSuggestDelegate->HotRow()) {
                FSuggestDelegate->SetHotRow(hot);
                lvSuggest->viewport()->update();
            }
        } else if (type == QEvent::Leave && FSuggestDelegate->HotRow() >= 0) {
            FSuggestDelegate->SetHotRow(-1);
            lvSuggest->viewport()->update();
        }
    } else if (type == QEvent::MouseButtonPress
        && watched->objectName() == QLatin1String("pBottom")) {
        HideSuggestions();
    }

    // Enter in the description confirms the dialog, as everywhere else in
    // it; the description keeps its lines as they came (pasted text).
    if (watched == mDescr && type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & ~Qt::KeypadModifier)) {
            sbOKClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmRyvTask::sbOpenLinkClick()
{
    const QString url = edUrl->text();
    if (!url.trimmed().isEmpty())
        FShell.ShellOpen(url);
}

void TfrmRyvTask::sbFavoriteClick()
{
    const int tag = 1 - sbFavorite->property(TagProperty).toInt();
    sbFavorite->setProperty(TagProperty, tag);
    if (tag == 1)
        FFavorites.AddOrUpdate(edName->text(), edUrl->text(), mDescr->toPlainText());
    else
        FFavorites.RemoveItem(edName->text(), edUrl->text());
    UpdateFavoriteImage();
    FOptions.StateFavsChanged = true;
}

void TfrmRyvTask::sbSuggestClick()
{
    if (lvSuggest->isVisible())
        HideSuggestions();
    else
        ShowSuggestions(QString());
}

void TfrmRyvTask::timerSuggestTimer()
{
    timerSuggest->stop();
    if (timerSuggest->property(TagProperty).toInt() == 1) {
        timerSuggest->setProperty(TagProperty, 0);
        HideSuggestions();
        return;
    }
    ShowSuggestions(edName->text().left(
        edName->hasSelectedText() ? edName->selectionStart() : edName->cursorPosition()));
}

void TfrmRyvTask::ShowSuggestions(const QString& filter)
{
    if (FSuggests.IsEmpty()) {
        {
            const TBusyCursor busy;
            GatherSuggestions(FSuggests, FPrevious ? &*FPrevious : nullptr, FSources);
        }
        // Nothing typed yet: the first suggestion is the likeliest task.
        if (!FSuggests.IsEmpty() && edName->text().trimmed().isEmpty()) {
            const TRyvSuggestItem* first = FSuggests.Item(0);
            edName->setText(first->title);
            edUrl->setText(first->url);
            mDescr->setPlainText(first->descr);
        }
    }
    FLastSuggFlt = filter;

    lvSuggest->clear();
    QList<QTreeWidgetItem*> rows;
    for (int index : FilterSuggestions(FSuggests, filter, FOptions.ExcludedApps)) {
        const TRyvSuggestItem* s = FSuggests.Item(index);
        auto* row = new QTreeWidgetItem({ s->title, s->appName });
        const int image = SuggestionImage(index);
        row->setData(0, SuggestionRole, index);
        row->setData(0, ImageRole, image);
        if (image >= 0 && image < FImages.size())
            row->setIcon(0, FImages.at(image));
        row->setToolTip(0, s->url.isEmpty() ? s->title : s->title + QLatin1Char('\n') + s->url);
        rows.append(row);
    }
    if (rows.isEmpty()) {
        HideSuggestions();
        return;
    }
    lvSuggest->addTopLevelItems(rows);
    FSuggestDelegate->SetHotRow(-1);
    PlaceSuggestions();
    lvSuggest->show();
    lvSuggest->raise();
    SelectSuggestion(0);
}

void TfrmRyvTask::PlaceSuggestions()
{
    const int top = edName->geometry().bottom() + 1;
    const int bottom = cbTaskDone->geometry().bottom();
    const int rows = lvSuggest->topLevelItemCount();
    const int height = qMax(FRowHeight, qMin(bottom - top + 1, FRowHeight * rows + 4));
    lvSuggest->setGeometry(mDescr->geometry().left(), top, mDescr->geometry().width(), height);
}

int TfrmRyvTask::SuggestionImage(int index)
{
    TRyvSuggestItem* s = FSuggests.Item(index);
    if (s->_imgIdx >= 0)
        return s->_imgIdx;
    int image = SuggestImage::Clipboard;
    if (s->HasIcon()) {
        QIcon icon;
        if (!s->icon.isNull())
            icon = QIcon(QPixmap::fromImage(s->icon));
        else if (QDir::isAbsolutePath(s->iconName))
            icon = QIcon(s->iconName);
        else
            icon = QIcon::fromTheme(s->iconName);
        if (!icon.isNull()) {
            FImages.append(icon);
            image = static_cast<int>(FImages.size()) - 1;
        }
    } else if (s->_imgIdx <= -2) {
        // A page of a browser shows the browser window's icon, even when the
        // window's own row is filtered out.
        const int owner = -(s->_imgIdx + 2);
        if (owner < index)
            image = SuggestionImage(owner);
    }
    s->_imgIdx = image;
    return image;
}

void TfrmRyvTask::SelectSuggestion(int row)
{
    QTreeWidgetItem* item = lvSuggest->topLevelItem(row);
    if (!item)
        return;
    lvSuggest->setCurrentItem(item);
    item->setSelected(true);
    lvSuggest->scrollToItem(item);
}

void TfrmRyvTask::MoveSuggestion(int key)
{
    if (!lvSuggest->isVisible()) {
        timerSuggest->setProperty(TagProperty, 0);
        timerSuggest->start();
        return;
    }
    const int count = lvSuggest->topLevelItemCount();
    if (count == 0)
        return;
    QTreeWidgetItem* current = lvSuggest->currentItem();
    const int i = current ? lvSuggest->indexOfTopLevelItem(current) : -1;
    const int page = qMax(1, lvSuggest->viewport()->height() / FRowHeight);
    int target = i;
    if (i < 0) {
        target = key == Qt::Key_Down || key == Qt::Key_PageDown ? 0 : count - 1;
    } else if (key == Qt::Key_Up) {
        target = i > 0 ? i - 1 : i;
    } else if (key == Qt::Key_Down) {
        target = i < count - 1 ? i + 1 : i;
    } else if (key == Qt::Key_PageUp) {
        target = i > 0 ? qMax(0, i - page) : i;
    } else if (key == Qt::Key_PageDown) {
        target = i < count - 1 ? qMin(count - 1, i + page) : i;
    }
    SelectSuggestion(target);
}

bool TfrmRyvTask::WheelSuggestion(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !lvSuggest->isVisible() || (widget != this && !isAncestorOf(widget)))
        return false;
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const bool overList
        = lvSuggest->rect().contains(lvSuggest->mapFromGlobal(wheel->globalPosition().toPoint()));
    if (!edName->hasFocus() && !overList)
        return false;
    const int delta = wheel->angleDelta().y();
    if (delta == 0)
        return true;
    QTreeWidgetItem* current = lvSuggest->currentItem();
    const int count = lvSuggest->topLevelItemCount();
    const int i = current ? lvSuggest->indexOfTopLevelItem(current) : -1;
    // Turned towards the user (scrolling down): the next row.
    if (delta < 0)
        SelectSuggestion(i < 0 ? 0 : qMin(count - 1, i + 1));
    else
        SelectSuggestion(i < 0 ? count - 1 : qMax(0, i - 1));
    return true;
}

void TfrmRyvTask::HideSuggestions()
{
    lvSuggest->hide();
}

void TfrmRyvTask::miExcludeSrcClick()
{
    const QTreeWidgetItem* row = lvSuggest->currentItem();
    if (!row || !row->isSelected())
        return;
    const int index = row->data(0, SuggestionRole).toInt();
    if (index < 0 || index >= FSuggests.Count())
        return;
    const QString source = FSuggests.Item(index)->appName;
    if (source.isEmpty())
        return;
    if (!FOptions.ExcludedApps.contains(source, Qt::CaseInsensitive)) {
        FOptions.ExcludedApps.append(source);
        std::sort(FOptions.ExcludedApps.begin(), FOptions.ExcludedApps.end(),
            [](const QString& a, const QString& b) {
                return a.compare(b, Qt::CaseInsensitive) < 0;
            });
    }
    ShowSuggestions(FLastSuggFlt);
}

void TfrmRyvTask::pumSuggestPopup()
{
    miExcluded->clear();
    for (const QString& name : std::as_const(FOptions.ExcludedApps)) {
        // A "&" in a program's name is shown, not taken as an access key.
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = miExcluded->addAction(caption);
        connect(action, &QAction::triggered, this, [this, name] { ExcludedSourceClick(name); });
    }
    miExcluded->menuAction()->setEnabled(!FOptions.ExcludedApps.isEmpty());
    const QTreeWidgetItem* row = lvSuggest->currentItem();
    miExcludeSrc->setEnabled(row && row->isSelected());
}

void TfrmRyvTask::ExcludedSourceClick(const QString& name)
{
    FOptions.ExcludedApps.removeAll(name);
    ShowSuggestions(FLastSuggFlt);
}

void TfrmRyvTask::UpdateFavoriteImage()
{
    sbFavorite->setIcon(
        RyvIcon(sbFavorite->property(TagProperty).toInt() == 1 ? TRyvIcon::Favourite
                                                               : TRyvIcon::NotFavourite));
}

void TfrmRyvTask::UpdateOpenLinkEnabled()
{
    sbOpenLink->setEnabled(!edUrl->text().trimmed().isEmpty());
}

bool TfrmRyvTask::MainIsPinned(QWidget* window)
{
    if (!window)
        return false;
    if (const QWindow* handle = window->windowHandle())
        return handle->flags().testFlag(Qt::WindowStaysOnTopHint);
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TfrmRyvTask::SetMainPinned(QWidget* window, bool pinned)
{
    // Through the native window: QWidget::setWindowFlag would hide the main
    // window and create it anew.
    if (QWindow* handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, pinned);
}

TTaskDialog::TTaskDialog(TRyvOptions& options, TRyvItemList& favorites,
    const TSuggestSources& sources, IClipboard& clipboard, IShell& shell, QWidget* mainWindow,
    TLanguageManager* languages)
    : FOptions(options)
    , FFavorites(favorites)
    , FSources(sources)
    , FClipboard(clipboard)
    , FShell(shell)
    , FMainWindow(mainWindow)
    , FLanguages(languages)
{
}

bool TTaskDialog::ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew,
    bool askDuration, const TRyvItem* previous, bool fromFavourite)
{
    bool confirmed = false;
    try {
        TfrmRyvTask dialog(
            FOptions, FFavorites, FSources, FClipboard, FShell, FMainWindow, FLanguages);
        dialog.Prepare(entry, caption, isNew, askDuration, previous, fromFavourite);
        // The caption is the caption of the command that opened the dialog.
        if (FMainWindow) {
            for (const char* name : { "acStart", "acAdd", "acEdit", "acEdit2" }) {
                auto* action = FMainWindow->findChild<QAction*>(
                    QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
                if (action && action->text() == caption) {
                    dialog.FollowCaption(action);
                    break;
                }
            }
        }
        if (dialog.exec() == QDialog::Accepted) {
            confirmed = true;
            dialog.ApplyTo(entry);
        }
    } catch (...) {
        // The dialog reports nothing of its own; what was confirmed stays.
    }
    return confirmed;
}

} // namespace ryv
