#pragma once

class QWidget;

namespace ryv {

// Brings the program to the front when a second start asks for it: the open
// modal dialog if there is one (the user must answer it first), otherwise the
// main window. Both are restored from minimised first. Returns the widget
// that was raised.
QWidget* BringToFront(QWidget* mainWindow);

// Whether a modal window of ours is open (the task dialog, a message box, a
// file dialog): the user must answer it before anything else happens.
bool OwnModalOpen();

} // namespace ryv
