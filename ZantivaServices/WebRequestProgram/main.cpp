// zantiva-web-request: sends one request to the program's websites and ends. The window
// starts it for each call so that the TLS stack lives only as long as a call does, not for
// the whole session in the window. The order comes on standard input, the answer goes to
// standard output (WebRequest/WebRequestProtocol.h). The transport that starts a run makes it
// end with the program that asked. Whatever comes in, an answer goes out: a failure with
// its reason when the order is not one this program sends.

#include <cstdio>
#include <string>
#include <unistd.h>

#include <QCoreApplication>

#include "Model/JsonCodec.h"
#include "Platform/NumericLocale.h"
#include "WebRequestProgram/CallableAddress.h"
#include "WebRequestProgram/NetworkExchange.h"
#include "WebRequestProgram/OrderInput.h"
#ifdef ZANTIVA_LOOPBACK_HTTP_FOR_TESTS
#include "WebRequestProgram/TestAuthority.h"
#endif

namespace {

void answer(const zantiva::WebRequestAnswer& reply) {
    const QByteArray text = zantiva::encodeAnswer(reply);
    std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
    std::fflush(stdout);
}

int refuse(const std::string& why) {
    answer(zantiva::WebRequestFailure{"not a request: " + why});
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const zantiva::ExchangeLimits limits;
    const auto input = zantiva::readOrder(STDIN_FILENO, limits);
    if (const auto* why = std::get_if<std::string>(&input)) return refuse(*why);

    zantiva::WebRequestOrder order;
    try {
        order = zantiva::decodeOrder(std::get<QByteArray>(input));
    } catch (const zantiva::json::DecodeError& error) {
        return refuse(error.what());
    }
    if (!zantiva::isCallableAddress(order.request.url)) return refuse("sends only to https addresses");

    QCoreApplication application(argc, argv);
    zantiva::keepNumbersPosix();
#ifdef ZANTIVA_LOOPBACK_HTTP_FOR_TESTS
    zantiva::trustTestAuthority();
#endif
    zantiva::sendRequest(order, limits, [&](const zantiva::WebRequestAnswer& reply) {
        answer(reply);
        application.quit();
    });
    return application.exec();
}
