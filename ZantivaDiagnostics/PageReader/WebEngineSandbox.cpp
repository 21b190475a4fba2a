#include "PageReader/WebEngineSandbox.h"

#include <unistd.h>

#include <QString>
#include <QStringList>

namespace zantiva {

bool webEngineRefusedAsRoot() {
    if (::geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) return false;
    return !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").split(' ').contains(QLatin1String("--no-sandbox"));
}

} // namespace zantiva
