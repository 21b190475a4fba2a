// The request program's order (on its standard input) and its answer (read back by the
// transport), decoded from whatever text: nothing but DecodeError escapes, which the program
// and the transport catch; an order that decodes holds nothing that could add a line to the
// request's head; and an order or answer that decodes is written back as one that decodes to
// the same.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "FuzzCheck.h"
#include "Model/JsonCodec.h"
#include "WebRequest/HeaderText.h"
#include "WebRequest/WebRequestProtocol.h"

using namespace zantiva;

namespace {

// What `decode` makes of the text; nothing where it refuses it.
template <typename Decode> auto decoded(Decode decode, const QByteArray& text) -> std::optional<decltype(decode(text))> {
    try {
        return decode(text);
    } catch (const json::DecodeError&) {
        return std::nullopt;
    }
}

void checkOrder(const QByteArray& text) {
    const auto order = decoded(decodeOrder, text);
    if (!order) return;
    const HttpRequest& request = order->request;
    FUZZ_CHECK(isToken(request.method.toStdString()));
    FUZZ_CHECK(isHeaderValue(order->userAgent.toStdString()));
    FUZZ_CHECK(!request.bearerToken || isHeaderValue(*request.bearerToken));
    FUZZ_CHECK(request.url.isValid());

    const WebRequestOrder again = decodeOrder(encodeOrder(*order));
    FUZZ_CHECK(again.request.method == request.method);
    // The address as it goes on the wire: Qt keeps a fragment's "#" as it was read, but writes it
    // as %23, so the parsed forms may differ where the sent one can't.
    FUZZ_CHECK(again.request.url.toEncoded() == request.url.toEncoded());
    FUZZ_CHECK(again.request.bearerToken == request.bearerToken);
    FUZZ_CHECK(again.request.jsonBody == request.jsonBody);
    FUZZ_CHECK(again.userAgent == order->userAgent);
}

void checkAnswer(const QByteArray& text) {
    const auto answer = decoded(decodeAnswer, text);
    if (!answer) return;
    if (const auto* response = std::get_if<HttpResponse>(&*answer))
        FUZZ_CHECK(response->status >= 100 && response->status <= 999);
    FUZZ_CHECK(encodeAnswer(decodeAnswer(encodeAnswer(*answer))) == encodeAnswer(*answer));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkOrder(text);
    checkAnswer(text);
    return 0;
}
