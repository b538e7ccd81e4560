#pragma once

// Sizes of the main window's design, in pixels at 96 dots per inch. Every
// margin and size the window's parts are built with is named here, so the
// look can be read and changed in one place.

namespace ryv::design {

// The window.
constexpr int MinWidth = 312;
constexpr int MinHeight = 103;
constexpr int Width = 480;
constexpr int Height = 560;
// The work area assumed when no screen reports one.
constexpr int FallbackScreenWidth = 1920;
constexpr int FallbackScreenHeight = 1080;

// The panes.
constexpr int MainMargin = 4; // pMain's margins left, top and bottom
constexpr int HeaderHeight = 53; // pMainHeader and Panel1
constexpr int BottomHeight = 43; // pBottom and pBottom2
constexpr int RowHeight = 27;
// The secondary pane: the gap after its dividing line (Shape4) and its
// right margin.
constexpr int SecondaryGap = 8;
constexpr int SecondaryRightMargin = 4;
// The dividing lines (Shape1..Shape6) that are not in a layout are drawn
// this long from their left end, longer than any window is wide.
constexpr int LooseLineLength = 4000;

// Buttons: the large ones of the headings, the small ones of the bottom bars.
constexpr int LargeButton = 44;
constexpr int LargeIcon = 32;
constexpr int SmallButton = 36;
constexpr int SmallIcon = 24;

// The headings (pMainHeader, Panel1): inner margins left and right, and the
// gap between the menu button and the date.
constexpr int HeaderLeftMargin = 4;
constexpr int MainHeaderRightMargin = 8;
constexpr int PanelHeaderRightMargin = 4;
constexpr int MenuButtonGap = 4;

// The lists below the headings: the gap above and below them, and today's
// list's margins left and right.
constexpr int ListGap = 7;
constexpr int TodayListLeftMargin = 4;
constexpr int TodayListRightMargin = 8;

// The bottom bars: the totals end this far from the bar's right edge, a
// total keeps this gap to the caption that follows it and each caption and
// value this spacing; the buttons start this far from the left edge.
constexpr int TotalsRightMargin = 8;
constexpr int TotalsSpacing = 4;
constexpr int TotalsGap = 8;
constexpr int BarButtonsLeft = 4;

// The reports panel: the gap above the period grid and between it and the
// check boxes, the grid's spacing and a period button's least height.
constexpr int ReportsGap = 12;
constexpr int PeriodGridSpacing = 8;
constexpr int PeriodButtonHeight = 40;

// Fonts: the lists a tenth larger than the desktop's font, the date, the
// headings and the total values twice the window's font, the reports panel
// a tenth larger than the lists and its check boxes three of its lines high.
// A font that reports no point size counts as DefaultPointSize.
constexpr double DefaultPointSize = 9.0;
constexpr double ListFontScale = 1.1;
constexpr double BigFontScale = 2.0;
constexpr double ReportsFontScale = 1.1;
constexpr int CheckBoxLines = 3;
// The screen resolution the sizes above are given for.
constexpr int DesignDpi = 96;

} // namespace ryv::design
