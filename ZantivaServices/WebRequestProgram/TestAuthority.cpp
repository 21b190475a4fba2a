#include "WebRequestProgram/TestAuthority.h"

#include <QSslConfiguration>

namespace zantiva {

void trustTestAuthority() {
    const QString file = qEnvironmentVariable("ZANTIVA_WEB_REQUEST_TEST_CA");
    if (file.isEmpty()) return;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    // Adding any authority ends the on-demand loading of the system's, so those are added too.
    configuration.addCaCertificates(QSslConfiguration::systemCaCertificates());
    configuration.addCaCertificates(file);
    QSslConfiguration::setDefaultConfiguration(configuration);
}

} // namespace zantiva
