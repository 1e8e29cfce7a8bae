#include "Support/ProgramTermination.h"

#include <QCoreApplication>

namespace tessarin {

void terminateProgram() {
    QCoreApplication::exit(0);
}

} // namespace tessarin
