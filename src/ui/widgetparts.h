#pragma once

// Small builders and font helpers shared by the main window's parts.

#include <QPalette>
#include <QString>

class QAction;
class QDialogButtonBox;
class QFrame;
class QPushButton;
class QToolButton;
class QWidget;

namespace ryv {

// A one-pixel dividing line in the palette's mid colour.
QFrame* MakeLine(QWidget* parent, const QString& name, bool vertical);
// A flat square button without focus; a large one (design::LargeButton)
// shows a large icon, any other size a small icon.
QToolButton* MakeButton(QWidget* parent, const QString& name, int size);
// A button that runs action and shows its image only: the action's caption
// serves as menu text and tool tip.
QToolButton* MakeActionButton(QWidget* parent, const QString& name, int size, QAction* action);

// The OK button (sbOK, the default) and the Cancel button (sbCancel) of a
// dialog of ours, named so the language files reach them, in a button box
// with the accept and reject roles; what they do is the dialog's to connect.
QDialogButtonBox* MakeOkCancelButtons(QWidget* dialog, QPushButton*& ok, QPushButton*& cancel);

int Round(double v);
// The widget's font at size points (at least 1).
void SetPointSize(QWidget* w, int size);
// The widget's text drawn in the palette's colour from (of group) while the
// window is active and inactive alike.
void SetTextColor(
    QWidget* w, QPalette::ColorRole from, QPalette::ColorGroup group = QPalette::Active);

} // namespace ryv
