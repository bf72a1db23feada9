#include "runtime/program_end.h"

#include <QCoreApplication>

namespace vellumar {

void QtProgramEnd::end()
{
    QCoreApplication::exit(0);
}

}  // namespace vellumar
