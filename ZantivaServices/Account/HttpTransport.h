#pragma once

#include <chrono>
#include <filesystem>

#include <QObject>
#include <QString>
#include <QCoro/QCoroTask>

#include "WebRequest/HttpMessage.h"
#include "WebRequest/WebRequestProtocol.h"

namespace zantiva {

// The one way the program talks to its websites: HTTPS only, no cache and no cookies in
// either direction, no redirects followed, no-cache request headers, the program's user
// agent and, when given, the session's bearer token. A reply that shows signs of having
// come from a cache is refused. Each call is one run of the request program
// (zantiva-web-request), so the TLS stack is loaded only while a call is under way. Main
// thread only.
class HttpTransport {
public:
    enum class Security {
        httpsOnly,         // the program's only setting
        allowLoopbackHttp, // tests: plain http to a loopback address, which only the test build of the
                           // request program carries out (the installed one refuses it)
    };

    // "ZantivaDiagnostics/<version> (Linux <kernel release>)"
    static QString defaultUserAgent();
    // The request program installed beside the running one.
    static std::filesystem::path installedProgram();

    // A run of the request program gives up on its call after webRequestCallTime; one still
    // going `runLimit` after its start (a run that hangs) is killed, and its call fails.
    static constexpr std::chrono::milliseconds defaultRunLimit = webRequestCallTime + std::chrono::seconds(5);

    explicit HttpTransport(QString userAgent = defaultUserAgent(), Security security = Security::httpsOnly,
                           std::filesystem::path program = installedProgram(),
                           std::chrono::milliseconds runLimit = defaultRunLimit);
    // Calls still waiting (the owner did not close it) are left waiting, not resumed midway.
    ~HttpTransport();
    HttpTransport(const HttpTransport&) = delete;
    HttpTransport& operator=(const HttpTransport&) = delete;

    // The reply's status and body, whatever the status. APIError: unreachable when no HTTP
    // answer came (or the address is not allowed), untrusted when it came from a cache.
    QCoro::Task<HttpResponse> send(HttpRequest request);

    // Ends every request still in flight as unreachable, at once, and refuses new ones. The
    // owner of the waiting calls does this while it is still whole, before it goes: a call
    // whose transport went never finishes, and its callers would wait forever.
    void close();

private:
    QString userAgent_;
    Security security_;
    std::filesystem::path program_;
    std::chrono::milliseconds runLimit_;
    // The runs under way are its children; one that outlives its call goes with the transport.
    QObject runs_;
    bool closed_ = false;
};

} // namespace zantiva
