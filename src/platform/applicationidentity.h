#pragma once

#include <QString>

namespace ryv {

// The name of the program's application id, settings folder and window
// class ("RyvTracker"); the desktop file is named after it.
QString ApplicationName();

// Names the application to the desktop; called once the application object
// exists and before the first window. The window class (WM_CLASS) and the
// desktop file name are ApplicationName(), so the desktop matches the
// windows to the menu entry (StartupWMClass) and its icon. No display name
// is set: Qt would append it to every window caption ("Task — Ryv Tracker"),
// while the captions are exactly the program's texts.
void SetApplicationIdentity();

} // namespace ryv
