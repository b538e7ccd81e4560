// A stand-in for the program in the single-instance tests: it starts like
// the program does and reports on stdout what happened.
//   instancehelper <name> <plain|minimized|dialog|hidden|hiddendialog>
// (hidden: the window closed to the tray)
#include "platform/singleinstance.h"
#include "ui/windowactivation.h"

#include <QApplication>
#include <QDialog>
#include <QTextStream>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = QApplication::arguments();
    const QString name = args.value(1);
    const QString mode = args.value(2);

    ryv::TSingleInstance instance(name);
    if (!instance.Start()) {
        out << "SECOND windows=" << QApplication::topLevelWidgets().size() << Qt::endl;
        return 0;
    }

    QWidget mainWindow;
    mainWindow.setObjectName(QStringLiteral("main"));
    mainWindow.show();
    QDialog dialog(&mainWindow);
    dialog.setObjectName(QStringLiteral("dialog"));
    dialog.setWindowModality(Qt::ApplicationModal);
    if (mode == QLatin1String("minimized") || mode == QLatin1String("dialog"))
        mainWindow.showMinimized();
    if (mode.startsWith(QLatin1String("hidden")))
        mainWindow.hide();
    if (mode.endsWith(QLatin1String("dialog")))
        dialog.show();

    QObject::connect(&instance, &ryv::TSingleInstance::ActivationRequested, &app, [&] {
        QWidget* target = ryv::BringToFront(&mainWindow);
        out << "ACTIVATED " << (target ? target->objectName() : QStringLiteral("none"))
            << " minimized=" << int(target && target->isMinimized())
            << " mainMinimized=" << int(mainWindow.isMinimized())
            << " mainVisible=" << int(mainWindow.isVisible()) << Qt::endl;
        QApplication::quit();
    });
    out << "READY" << Qt::endl;
    return QApplication::exec();
}
