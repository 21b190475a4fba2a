// zantiva-web-request: sends one request to the program's websites and ends. The window
// starts it for each call so that the TLS stack lives only as long as a call does, not for
// the whole session in the window. The order comes on standard input, the answer goes to
// standard output (WebRequest/WebRequestProtocol.h). The transport that starts a run makes it
// end with the program that asked.

#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include <QCoreApplication>
#include <QNetworkAccessManager>

#include "Model/JsonCodec.h"
#include "WebRequestProgram/NetworkExchange.h"

int main(int argc, char** argv) {
    const std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());

    const auto answer = [](const zantiva::WebRequestAnswer& reply) {
        const QByteArray text = zantiva::encodeAnswer(reply);
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
        std::fflush(stdout);
    };
    zantiva::WebRequestOrder order;
    try {
        order = zantiva::decodeOrder(QByteArray::fromStdString(input));
    } catch (const zantiva::json::DecodeError& error) {
        answer(zantiva::WebRequestFailure{std::string("not a request: ") + error.what()});
        return 2;
    }

    QCoreApplication application(argc, argv);
    QNetworkAccessManager manager;
    zantiva::sendRequest(manager, order, [&](const zantiva::WebRequestAnswer& reply) {
        answer(reply);
        application.quit();
    });
    return application.exec();
}
