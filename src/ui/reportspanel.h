#pragma once

#include "core/settings.h"

#include <QWidget>

class QCheckBox;
class QMenu;

namespace ryv {

class TClickLabel;
class TReportCommands;

// The reports panel (pReports): a grid of period buttons (sbRep0..sbRep9,
// this period's in the left column, the one before in the right), the
// " Daily" and " By groups" boxes and the link to the groups menu.
class TReportsPanel final : public QWidget {
    Q_OBJECT
public:
    // Without report commands the buttons and the groups link do nothing.
    TReportsPanel(TReportCommands* reports, QWidget* parent);

    QCheckBox* cbRepDaily() const { return FcbRepDaily; }
    QCheckBox* cbRepGroups() const { return FcbRepGroups; }
    TReportChecks Checks() const;
    void SetChecks(const TReportChecks& checks);
    // The panel's font at size points, each check box three lines high, the
    // groups link drawn as a link.
    void SetFontSize(int size);

private:
    void lbGroupsClick();

    TReportCommands* FReports;
    QCheckBox* FcbRepDaily = nullptr;
    QCheckBox* FcbRepGroups = nullptr;
    TClickLabel* FlbGroups = nullptr;
    QMenu* FpumGroups = nullptr;
};

} // namespace ryv
