#include "ui/taskdialog.h"

#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/texthelpers.h"
#include "ui/guardedplaintextedit.h"
#include "ui/icons.h"
#include "ui/windowgeometry.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

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

} // namespace

TfrmRyvTask::TfrmRyvTask(TRyvOptions& options, TRyvItemList& favorites, IClipboard& clipboard,
    IShell& shell, QWidget* mainWindow)
    : QDialog(mainWindow)
    , FOptions(options)
    , FFavorites(favorites)
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

    auto* buttons = new QDialogButtonBox(this);
    sbOK = new QPushButton(QStringLiteral("OK"), this);
    sbOK->setObjectName(QStringLiteral("sbOK"));
    sbOK->setDefault(true);
    sbCancel = new QPushButton(QStringLiteral("Cancel"), this);
    sbCancel->setObjectName(QStringLiteral("sbCancel"));
    buttons->addButton(sbOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(sbCancel, QDialogButtonBox::RejectRole);
    grid->addWidget(buttons, 7, 0, 1, ColCount);

    // The suggestion drop-down lies over the fields below the title while it
    // is shown, so it is no part of the layout.
    lvSuggest = new QTreeWidget(this);
    lvSuggest->setObjectName(QStringLiteral("lvSuggest"));
    lvSuggest->setColumnCount(2);
    lvSuggest->setHeaderLabels({ QStringLiteral("Task"), QStringLiteral("Source") });
    lvSuggest->setHeaderHidden(true);
    lvSuggest->setRootIsDecorated(false);
    lvSuggest->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSuggest->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvSuggest->setFocusPolicy(Qt::ClickFocus);
    lvSuggest->hide();

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
    connect(sbCancel, &QPushButton::clicked, this, &TfrmRyvTask::reject);
    connect(sbOpenLink, &QToolButton::clicked, this, &TfrmRyvTask::sbOpenLinkClick);
    connect(sbFavorite, &QToolButton::clicked, this, &TfrmRyvTask::sbFavoriteClick);
    connect(sbSuggest, &QToolButton::clicked, this, &TfrmRyvTask::sbSuggestClick);
    connect(timerSuggest, &QTimer::timeout, this, &TfrmRyvTask::timerSuggestTimer);
    connect(edUrl, &QLineEdit::textChanged, this, &TfrmRyvTask::UpdateOpenLinkEnabled);
    connect(edName, &QLineEdit::textEdited, this, [this] {
        if (isVisible())
            timerSuggest->start();
    });
    UpdateOpenLinkEnabled();
}

void TfrmRyvTask::Prepare(const TRyvItem& entry, const QString& caption, bool isNew,
    bool askDuration, const TRyvItem* previous, bool fromFavourite)
{
    if (!caption.isEmpty())
        lbName->setText(caption);
    FPrevious = previous;
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

    FClipText = TrimClipText(FClipboard.Text());
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

QString TfrmRyvTask::TrimClipText(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 32)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 32)
        --last;
    return text.mid(first, last - first);
}

bool TfrmRyvTask::IsLink(const QString& text)
{
    if (text.isEmpty())
        return false;
    qsizetype index = text.indexOf(QLatin1String("://"));
    if (index < 0)
        index = text.indexOf(QLatin1String("www."));
    // Positions count from 1: a link's marker stands at 1 to 23.
    return index >= 0 && index + 1 < 24;
}

void TfrmRyvTask::sbOKClick()
{
    if (lvSuggest->isVisible()) {
        HideSuggestions();
        return;
    }
    accept();
}

void TfrmRyvTask::reject()
{
    // Escape first closes the suggestion list, then the dialog.
    if (lvSuggest->isVisible()) {
        HideSuggestions();
        return;
    }
    QDialog::reject();
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

bool TfrmRyvTask::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the description confirms the dialog, as everywhere else in
    // it; the description keeps its lines as they came (pasted text).
    if (watched == mDescr && event->type() == QEvent::KeyPress) {
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
    // No sources of suggestions yet: the list has no rows and stays hidden.
    FLastSuggFlt = filter;
    lvSuggest->clear();
    HideSuggestions();
}

void TfrmRyvTask::HideSuggestions()
{
    lvSuggest->hide();
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

TTaskDialog::TTaskDialog(TRyvOptions& options, TRyvItemList& favorites, IClipboard& clipboard,
    IShell& shell, QWidget* mainWindow)
    : FOptions(options)
    , FFavorites(favorites)
    , FClipboard(clipboard)
    , FShell(shell)
    , FMainWindow(mainWindow)
{
}

bool TTaskDialog::ExecuteTaskDialog(TRyvItem& entry, const QString& caption, bool isNew,
    bool askDuration, const TRyvItem* previous, bool fromFavourite)
{
    bool confirmed = false;
    try {
        TfrmRyvTask dialog(FOptions, FFavorites, FClipboard, FShell, FMainWindow);
        dialog.Prepare(entry, caption, isNew, askDuration, previous, fromFavourite);
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
