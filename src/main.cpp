#include "ui/mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RyvTracker"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ryv Tracker"));

    ryv::TfrmRyvTracker window;
    window.show();
    return QApplication::exec();
}
