#pragma once

#include "tracking/uistate.h"

#include <QWidget>

#include <array>

class QAction;

namespace ryv {

class TClickLabel;
class TDayList;
class TFavsPanel;
class THistoryPanel;
class TReportCommands;
class TReportsPanel;

// The secondary pane (pSecondary), right of today's log: a heading (Panel1)
// with the panel's name, or the date of the history day, and the buttons
// that choose the panel; below it the panel on show, one of five.
class TSecondaryPane final : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelCount = 5;
    // The commands that show each panel, in the order of TSecondaryPanel.
    using TPanelActions = std::array<QAction*, PanelCount>;

    TSecondaryPane(TDayList& history, TReportCommands* reports, const TPanelActions& panelActions,
        QAction* exportAction, QWidget* parent);

    TSecondaryPanel Panel() const { return FPanel; }
    // Shows the panel and names it in the heading (the history panel: its
    // day, and a click on the heading opens the calendar).
    void ShowPanel(TSecondaryPanel panel);
    // The heading again, after a change of language: the panel's caption
    // (the history panel keeps its date).
    void RefreshHeading();

    QWidget* Heading() const { return FHeading; }
    TClickLabel* HeadingLabel() const { return FlbSecondary; }
    TFavsPanel* Favs() const { return FFavs; }
    THistoryPanel* History() const { return FHistory; }
    TReportsPanel* Reports() const { return FReports; }

signals:
    // A panel is about to show (the history panel loads its day then) and
    // has been shown.
    void panelShowing(TSecondaryPanel panel);
    void panelShown(TSecondaryPanel panel);

private:
    QWidget* PanelWidget(TSecondaryPanel panel) const;
    void UpdateHistoryHeading();
    void lbSecondaryClick();

    const TDayList& FHistoryList;
    TPanelActions FPanelActions;
    TSecondaryPanel FPanel = TSecondaryPanel::Favs;
    QWidget* FHeading = nullptr;
    TClickLabel* FlbSecondary = nullptr;
    TFavsPanel* FFavs = nullptr;
    THistoryPanel* FHistory = nullptr;
    TReportsPanel* FReports = nullptr;
    QWidget* FPlans = nullptr;
    QWidget* FShortcuts = nullptr;
};

} // namespace ryv
