#include "ui/mainwindow.h"

namespace ryv {

TfrmRyvTracker::TfrmRyvTracker(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmRyvTracker"));
    setWindowTitle(QStringLiteral("Ryv Tracker"));
    resize(480, 560);
}

} // namespace ryv
