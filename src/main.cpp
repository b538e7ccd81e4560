#include "platform/singleinstance.h"
#include "ui/mainwindow.h"
#include "ui/windowactivation.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("RyvTracker"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ryv Tracker"));

    // One instance per user: a second start brings the first to the front
    // and ends before creating any window.
    ryv::TSingleInstance instance;
    if (!instance.Start())
        return 0;

    ryv::TfrmRyvTracker window;
    window.show();
    QObject::connect(&instance, &ryv::TSingleInstance::ActivationRequested, &window,
                     [&window] { ryv::BringToFront(&window); });
    return QApplication::exec();
}
