#pragma once

#include "core/settings.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QMenu;

namespace ryv {

class TClickLabel;
class TReportCommands;
class TRyvOptions;

// The reports panel (pReports): a grid of period buttons (sbRep0..sbRep9,
// this period's in the left column, the one before in the right), the
// " Daily", " By groups" and " Charts" boxes and the link to the groups menu.
class TReportsPanel final : public QWidget {
    Q_OBJECT
public:
    // Without report commands the buttons and the groups link do nothing.
    TReportsPanel(TReportCommands* reports, QWidget* parent);

    QCheckBox* cbRepDaily() const { return FcbRepDaily; }
    QCheckBox* cbRepGroups() const { return FcbRepGroups; }
    QCheckBox* cbCharts() const { return FcbCharts; }
    TReportChecks Checks() const;
    // Also shows the options' ReportCharts again, as read with the checks.
    void SetChecks(const TReportChecks& checks);
    // " Charts" shows and sets the option ReportCharts, which the reports
    // read when they are written and the settings file keeps.
    void BindOptions(TRyvOptions& options);
    // The panel's font at size points, each check box three lines high, the
    // groups link drawn as a link.
    void SetFontSize(int size);

    QMenu* pumGroups() const { return FpumGroups; }

private:
    void CreateGroupsMenu();
    void lbGroupsClick();

    TReportCommands* FReports;
    QCheckBox* FcbRepDaily = nullptr;
    QCheckBox* FcbRepGroups = nullptr;
    QCheckBox* FcbCharts = nullptr;
    TRyvOptions* FOptions = nullptr;
    TClickLabel* FlbGroups = nullptr;
    QMenu* FpumGroups = nullptr;
    QAction* FmiAddGroup = nullptr;
    QMenu* FmiEditGroup = nullptr;
    QMenu* FmiDeleteGroup = nullptr;
};

} // namespace ryv
