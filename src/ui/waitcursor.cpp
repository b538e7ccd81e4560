#include "ui/waitcursor.h"

#include <QApplication>

namespace ryv {

void TWaitCursor::Begin()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++FDepth;
    // Let the closed save dialog disappear before the work starts.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TWaitCursor::End()
{
    if (FDepth == 0)
        return;
    --FDepth;
    QApplication::restoreOverrideCursor();
}

} // namespace ryv
