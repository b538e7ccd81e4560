#include "ui/windowactivation.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace ryv {
namespace {

void RestoreAndRaise(QWidget* widget)
{
    // Cleared unconditionally: a window manager may minimise a window without
    // Qt's state following, and raising a minimised window shows nothing.
    widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    if (!widget->isVisible())
        widget->show();
    widget->raise();
    widget->activateWindow();
    if (QWindow* handle = widget->windowHandle())
        handle->requestActivate();
}

} // namespace

QWidget* BringToFront(QWidget* mainWindow)
{
    // activeWindow() is null while another program has the focus, but the
    // modal widget is known regardless.
    QWidget* target = QApplication::activeModalWidget();
    if (!target || !target->isVisible() || !target->isEnabled())
        target = mainWindow;
    if (!target)
        return nullptr;
    // A dialog cannot be used while its main window stays minimised on some
    // desktops, so the main window comes back too, also from the tray.
    if (mainWindow && target != mainWindow) {
        mainWindow->setWindowState(mainWindow->windowState() & ~Qt::WindowMinimized);
        if (!mainWindow->isVisible())
            mainWindow->show();
    }
    RestoreAndRaise(target);
    return target;
}

bool OwnModalOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace ryv
