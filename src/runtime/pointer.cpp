#include "runtime/pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace vellumar {

void QtMousePointer::setBusy()
{
    if (busy_)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    busy_ = true;
}

void QtMousePointer::setDefault()
{
    if (!busy_)
        return;
    QGuiApplication::restoreOverrideCursor();
    busy_ = false;
}

}  // namespace vellumar
