#include "ui/reportspanel.h"

#include "core/ryvoptions.h"
#include "reports/reportcommands.h"
#include "reports/reportperiods.h"
#include "ui/clicklabel.h"
#include "ui/icons.h"
#include "ui/widgetparts.h"
#include "ui/windowdesign.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace ryv {

TReportsPanel::TReportsPanel(TReportCommands* reports, QWidget* parent)
    : QWidget(parent)
    , FReports(reports)
{
    setObjectName(QStringLiteral("pReports"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, design::ReportsGap, 0, 0);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(design::PeriodGridSpacing);
    grid->setVerticalSpacing(design::PeriodGridSpacing);
    // The button's name ends with its period's tag.
    constexpr int PeriodRows = 4;
    int i = 0;
    for (const TReportPeriodDef& period : ReportPeriods) {
        const int tag = period.tag;
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("sbRep%1").arg(tag));
        button->setText(QString::fromUtf8(period.caption));
        button->setIcon(RyvIcon(TRyvIcon::Reports));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(design::PeriodButtonHeight);
        button->setProperty("tag", tag);
        connect(button, &QToolButton::clicked, this, [this, tag, button] {
            if (FReports)
                FReports->sbRep0Click(tag, button->text(), button->toolTip(),
                    FcbRepDaily->isChecked(), FcbRepGroups->isChecked());
        });
        // Two columns: this period's, then the one before.
        grid->addWidget(button, i % PeriodRows, i / PeriodRows);
        ++i;
    }
    layout->addLayout(grid);
    layout->addSpacing(design::ReportsGap);
    FcbRepDaily = new QCheckBox(QStringLiteral(" Daily"), this);
    FcbRepDaily->setObjectName(QStringLiteral("cbRepDaily"));
    FcbRepDaily->setChecked(true);
    FcbRepGroups = new QCheckBox(QStringLiteral(" By groups"), this);
    FcbRepGroups->setObjectName(QStringLiteral("cbRepGroups"));
    // Off until bound to the options: a report keeps its documented form
    // unless charts are asked for.
    FcbCharts = new QCheckBox(QStringLiteral(" Charts"), this);
    FcbCharts->setObjectName(QStringLiteral("cbCharts"));
    FcbCharts->setEnabled(false);
    connect(FcbCharts, &QCheckBox::toggled, this, [this](bool on) {
        if (FOptions)
            FOptions->ReportCharts = on;
    });
    layout->addWidget(FcbRepDaily);
    layout->addWidget(FcbRepGroups);
    layout->addWidget(FcbCharts);
    FlbGroups = new TClickLabel(this);
    FlbGroups->setObjectName(QStringLiteral("lbGroups"));
    FlbGroups->SetFullText(QStringLiteral("Manage groups ..."));
    FlbGroups->SetClickable(true);
    connect(FlbGroups, &TClickLabel::clicked, this, &TReportsPanel::lbGroupsClick);
    layout->addWidget(FlbGroups);
    layout->addStretch(1);
    CreateGroupsMenu();
}

// Made with the panel, so that its entries are translated with the window;
// the groups are filled in each time it opens.
void TReportsPanel::CreateGroupsMenu()
{
    FpumGroups = new QMenu(this);
    FpumGroups->setObjectName(QStringLiteral("pumGroups"));
    FmiAddGroup = FpumGroups->addAction(QStringLiteral("Add group"));
    FmiAddGroup->setObjectName(QStringLiteral("miAddGroup"));
    connect(FmiAddGroup, &QAction::triggered, this, [this] {
        if (FReports)
            FReports->miAddGroupClick(FmiAddGroup->text());
    });
    FmiEditGroup = FpumGroups->addMenu(QStringLiteral("Edit group"));
    FmiEditGroup->menuAction()->setObjectName(QStringLiteral("miEditGroup"));
    FmiDeleteGroup = FpumGroups->addMenu(QStringLiteral("Delete group"));
    FmiDeleteGroup->menuAction()->setObjectName(QStringLiteral("miDeleteGroup"));
}

TReportChecks TReportsPanel::Checks() const
{
    TReportChecks checks;
    checks.daily = FcbRepDaily->isChecked();
    checks.groups = FcbRepGroups->isChecked();
    return checks;
}

void TReportsPanel::SetChecks(const TReportChecks& checks)
{
    FcbRepDaily->setChecked(checks.daily);
    FcbRepGroups->setChecked(checks.groups);
    if (FOptions)
        FcbCharts->setChecked(FOptions->ReportCharts);
}

void TReportsPanel::BindOptions(TRyvOptions& options)
{
    FOptions = &options;
    FcbCharts->setChecked(options.ReportCharts);
    FcbCharts->setEnabled(true);
}

void TReportsPanel::SetFontSize(int size)
{
    SetPointSize(this, size);
    for (QCheckBox* box : { FcbRepDaily, FcbRepGroups, FcbCharts })
        box->setFixedHeight(design::CheckBoxLines * size);
    FlbGroups->SetLinkStyle(true);
}

void TReportsPanel::lbGroupsClick()
{
    if (FReports == nullptr)
        return;
    QMenu* edit = FmiEditGroup;
    QMenu* del = FmiDeleteGroup;
    edit->clear();
    del->clear();
    const QStringList names = FReports->GroupNames();
    edit->setEnabled(!names.isEmpty());
    del->setEnabled(!names.isEmpty());
    for (int i = 0; i < names.size(); ++i) {
        connect(edit->addAction(names[i]), &QAction::triggered, this,
            [this, i, edit] { FReports->miGroupsEditClick(i, edit->title()); });
        connect(del->addAction(names[i]), &QAction::triggered, this,
            [this, i] { FReports->miGroupsDeleteClick(i); });
    }
    FpumGroups->popup(FlbGroups->mapToGlobal(QPoint(0, FlbGroups->height())));
}

} // namespace ryv
