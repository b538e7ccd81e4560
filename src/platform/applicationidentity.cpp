#include "platform/applicationidentity.h"

#include <QGuiApplication>

namespace ryv {

QString ApplicationName()
{
    return QStringLiteral("RyvTracker");
}

void SetApplicationIdentity()
{
    QGuiApplication::setApplicationName(ApplicationName());
    QGuiApplication::setDesktopFileName(ApplicationName());
}

} // namespace ryv
