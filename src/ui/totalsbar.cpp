#include "ui/totalsbar.h"

#include "core/daylist.h"
#include "lang/langtemplate.h"
#include "ui/clicklabel.h"
#include "ui/widgetparts.h"
#include "ui/windowdesign.h"
#include "ui/windowgeometry.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QToolButton>

namespace ryv {

TTotalsBar::TTotalsBar(const TDayList& list, const QString& suffix, QWidget* parent)
    : QWidget(parent)
    , FList(list)
{
    setObjectName(QStringLiteral("pBottom") + suffix);
    setFixedHeight(design::BottomHeight);
    MakeLine(this, suffix.isEmpty() ? QStringLiteral("Shape1") : QStringLiteral("Shape3"), false)
        ->setGeometry(0, 0, design::LooseLineLength, 1);
    FTotals = new QWidget(this);
    FTotals->setObjectName(QStringLiteral("pTotals") + suffix);
    auto* layout = new QHBoxLayout(FTotals);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(design::TotalsSpacing);
    enum TKind { Caption, Value, LastValue };
    auto label = [&](const char* name, const char* text, TKind kind) {
        const bool spaceAfter = kind == Value;
        auto* l = new TClickLabel(FTotals);
        l->setObjectName(QString::fromLatin1(name) + suffix);
        l->SetFullText(QString::fromUtf8(text));
        // The totals themselves are durations the list formats.
        if (kind != Caption)
            SetTextsFromCode(l);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->addWidget(l);
        if (spaceAfter)
            layout->addSpacing(design::TotalsGap);
        return l;
    };
    // An extra total sits just left of "Total:".
    FTotTaskCap = label("lbTotTaskCap", "Task total:", Caption);
    FTotalTask = label("lbTotalTask", "", Value);
    FTotSelCap = label("lbTotSelCap", "Selected:", Caption);
    FTotalSel = label("lbTotalSel", "", Value);
    FTotCap = label("lbTotCap", "Total:", Caption);
    FTotal = label("lbTotal", "0:00", LastValue);
    // The captions move when the totals' own layout has placed them, after
    // the totals were resized.
    FTotals->installEventFilter(this);
    for (TClickLabel* l : { FTotTaskCap, FTotalTask })
        connect(l, &TClickLabel::clicked, this, &TTotalsBar::taskTotalClicked);
    connect(&FList, &TDayList::totalsChanged, this, &TTotalsBar::ShowTotals);
}

TTotalsBar::~TTotalsBar()
{
    // The list may still change while the window's other parts go.
    disconnect(&FList, nullptr, this, nullptr);
}

void TTotalsBar::SetButtons(std::vector<QToolButton*> buttons, bool mayHide)
{
    FButtons = std::move(buttons);
    FButtonsMayHide = mayHide;
    for (QToolButton* b : FButtons)
        b->installEventFilter(this);
}

void TTotalsBar::ShowTotals()
{
    FTotal->SetFullText(FList.TotalText());
    FTotalSel->SetFullText(FList.SelTotalText());
    FTotalTask->SetFullText(FList.TaskTotalText());
    FTotSelCap->setVisible(FList.SelTotalVisible());
    FTotalSel->setVisible(FList.SelTotalVisible());
    FTotTaskCap->setVisible(FList.TaskTotalVisible());
    FTotalTask->setVisible(FList.TaskTotalVisible());
    LayOut();
}

void TTotalsBar::LayOut()
{
    const QSize hint = FTotals->sizeHint();
    const int right = width() - design::TotalsRightMargin;
    FTotals->setGeometry(right - hint.width(), 0, hint.width(), height());
    auto leftOf = [this](const QWidget* caption) {
        return caption->isVisibleTo(FTotals) ? FTotals->x() + caption->x() : -1;
    };
    bool fit = true;
    if (FButtonsMayHide) {
        const int sel = leftOf(FTotSelCap);
        const int task = leftOf(FTotTaskCap);
        fit = BottomButtonsFit(sel >= 0, sel, task >= 0, task, design::SmallButton);
    }
    int x = design::BarButtonsLeft;
    const int y = (height() - design::SmallButton) / 2;
    for (QToolButton* b : FButtons) {
        // Buttons that do not fit move out of sight past the bar's left edge.
        b->move(fit ? x : -design::SmallButton - design::BarButtonsLeft, y);
        x += design::SmallButton;
    }
}

void TTotalsBar::SetTaskTotalClickable(bool on)
{
    for (TClickLabel* label : { FTotTaskCap, FTotalTask }) {
        if (label->Clickable() != on)
            label->SetClickable(on);
    }
}

void TTotalsBar::SetFontSizes(int valueSize, int captionSize)
{
    for (QWidget* value : { FTotal, FTotalSel, FTotalTask })
        SetPointSize(value, valueSize);
    for (QWidget* caption : { FTotCap, FTotSelCap, FTotTaskCap }) {
        SetPointSize(caption, captionSize);
        SetTextColor(caption, QPalette::WindowText, QPalette::Disabled);
    }
}

void TTotalsBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayOut();
}

bool TTotalsBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        LayOut();
    return QWidget::eventFilter(watched, event);
}

} // namespace ryv
