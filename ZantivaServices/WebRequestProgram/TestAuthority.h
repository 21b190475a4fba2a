#pragma once

namespace zantiva {

// Only in the build the tests use (ZANTIVA_LOOPBACK_HTTP_FOR_TESTS): makes every TLS connection
// also trust the certificate authority in the PEM file that ZANTIVA_WEB_REQUEST_TEST_CA names,
// so that the tests' TLS site, whose certificates are made for the run, can be called. Names
// and certificates are still checked. The installed program never reads the variable.
void trustTestAuthority();

} // namespace zantiva
