#include "ui/secondarypane.h"

#include "core/daylist.h"
#include "lang/langtemplate.h"
#include "ui/clicklabel.h"
#include "ui/favspanel.h"
#include "ui/historypanel.h"
#include "ui/reportspanel.h"
#include "ui/widgetparts.h"
#include "ui/windowdesign.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace ryv {

namespace {

static_assert(static_cast<int>(TSecondaryPanel::Shortcuts) + 1 == TSecondaryPane::PanelCount);

int Index(TSecondaryPanel panel)
{
    return static_cast<int>(panel);
}

} // namespace

TSecondaryPane::TSecondaryPane(TDayList& history, TReportCommands* reports,
    const TPanelActions& panelActions, QAction* exportAction, QWidget* parent)
    : QWidget(parent)
    , FHistoryList(history)
    , FPanelActions(panelActions)
{
    setObjectName(QStringLiteral("pSecondary"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(MakeLine(this, QStringLiteral("Shape4"), true));
    row->addSpacing(design::SecondaryGap);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(
        0, design::MainMargin, design::SecondaryRightMargin, design::MainMargin);
    column->setSpacing(0);
    row->addLayout(column, 1);

    FHeading = new QWidget(this);
    FHeading->setObjectName(QStringLiteral("Panel1"));
    FHeading->setFixedHeight(design::HeaderHeight);
    auto* heading = new QVBoxLayout(FHeading);
    heading->setContentsMargins(0, 0, 0, 0);
    heading->setSpacing(0);
    auto* headingRow = new QHBoxLayout;
    headingRow->setContentsMargins(design::HeaderLeftMargin, 0, design::PanelHeaderRightMargin, 0);
    FlbSecondary = new TClickLabel(FHeading, true);
    FlbSecondary->setObjectName(QStringLiteral("lbSecondary"));
    // The panel's caption or the history's date.
    SetTextsFromCode(FlbSecondary);
    headingRow->addWidget(FlbSecondary, 1);
    const std::pair<TSecondaryPanel, const char*> buttons[] = {
        { TSecondaryPanel::Favs, "sbFavs" },
        { TSecondaryPanel::History, "sbHistory" },
        { TSecondaryPanel::Plans, "sbPlans" },
        { TSecondaryPanel::Reports, "sbReports" },
        { TSecondaryPanel::Shortcuts, "sbShortcuts" },
    };
    for (const auto& [panel, name] : buttons) {
        QAction* action = FPanelActions[Index(panel)];
        QToolButton* button
            = MakeActionButton(FHeading, QString::fromLatin1(name), design::LargeButton, action);
        button->setVisible(action->isVisible());
        headingRow->addWidget(button);
    }
    heading->addLayout(headingRow, 1);
    heading->addWidget(MakeLine(FHeading, QStringLiteral("Shape2"), false));
    column->addWidget(FHeading);

    FFavs = new TFavsPanel(this);
    FHistory = new THistoryPanel(history, exportAction, this);
    FReports = new TReportsPanel(reports, this);
    FPlans = new QWidget(this);
    FPlans->setObjectName(QStringLiteral("pPlans"));
    FShortcuts = new QWidget(this);
    FShortcuts->setObjectName(QStringLiteral("pShortcuts"));
    for (QWidget* panel : { static_cast<QWidget*>(FFavs), static_cast<QWidget*>(FHistory),
             static_cast<QWidget*>(FReports), FPlans, FShortcuts }) {
        column->addWidget(panel, 1);
        panel->hide();
    }
    FFavs->show();

    connect(FlbSecondary, &TClickLabel::clicked, this, &TSecondaryPane::lbSecondaryClick);
    connect(FHistory, &THistoryPanel::dayShown, this, &TSecondaryPane::UpdateHistoryHeading);
}

QWidget* TSecondaryPane::PanelWidget(TSecondaryPanel panel) const
{
    switch (panel) {
    case TSecondaryPanel::Favs:
        return FFavs;
    case TSecondaryPanel::History:
        return FHistory;
    case TSecondaryPanel::Reports:
        return FReports;
    case TSecondaryPanel::Plans:
        return FPlans;
    case TSecondaryPanel::Shortcuts:
        return FShortcuts;
    }
    return FFavs;
}

void TSecondaryPane::ShowPanel(TSecondaryPanel panel)
{
    emit panelShowing(panel);
    FPanel = panel;
    QWidget* shown = PanelWidget(panel);
    for (QWidget* w : { static_cast<QWidget*>(FFavs), static_cast<QWidget*>(FHistory),
             static_cast<QWidget*>(FReports), FPlans, FShortcuts })
        w->setVisible(w == shown);
    const bool history = FPanel == TSecondaryPanel::History;
    FlbSecondary->SetClickable(history);
    if (history)
        UpdateHistoryHeading();
    else
        FlbSecondary->SetFullText(FPanelActions[Index(panel)]->text());
    if (!history)
        FHistory->CloseCalendar();
    emit panelShown(panel);
}

void TSecondaryPane::RefreshHeading()
{
    if (FPanel != TSecondaryPanel::History)
        FlbSecondary->SetFullText(FPanelActions[Index(FPanel)]->text());
}

void TSecondaryPane::UpdateHistoryHeading()
{
    if (FPanel == TSecondaryPanel::History)
        FlbSecondary->SetFullText(LongDateText(FHistoryList.HistoryDate()));
}

void TSecondaryPane::lbSecondaryClick()
{
    if (FPanel == TSecondaryPanel::History)
        FHistory->ToggleCalendar();
}

} // namespace ryv
