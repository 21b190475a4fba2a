// A site's answer as the request program reads it off the connection, then the close: however
// the bytes are split into the pieces the connection brings, the outcome is the same, a body
// that is taken never passes the bound, and a close that is not known to be the site's own
// never makes an answer that the site's own close would not.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "WebRequestProgram/AnswerReader.h"

using namespace zantiva;

namespace {

constexpr qint64 maxBytes = 4096;

// The outcome of `wire` taken in pieces of `piece` bytes, then a close (`clean` or not), as
// one comparable text.
std::string outcomeOf(QByteArrayView wire, qsizetype piece, bool clean = true) {
    AnswerReader reader(false, maxBytes);
    for (qsizetype at = 0; at < wire.size(); at += piece)
        reader.take(wire.sliced(at, std::min(piece, wire.size() - at)));
    const AnswerReader::Outcome& outcome = reader.close(clean);
    if (const auto* answer = std::get_if<AnswerReader::Answer>(&outcome)) {
        FUZZ_CHECK(answer->head.status() >= 200 && answer->head.status() <= 999);
        FUZZ_CHECK(answer->body.size() <= maxBytes);
        return std::to_string(answer->head.status()) + " " + answer->body.toStdString();
    }
    FUZZ_CHECK(std::holds_alternative<std::string>(outcome));
    return "failed: " + std::get<std::string>(outcome);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView wire(data, qsizetype(size));
    const std::string whole = outcomeOf(wire, wire.size() + 1);
    FUZZ_CHECK(outcomeOf(wire, 1) == whole);
    FUZZ_CHECK(outcomeOf(wire, 7) == whole);
    const std::string unclean = outcomeOf(wire, wire.size() + 1, /*clean=*/false);
    FUZZ_CHECK(unclean == whole || unclean.starts_with("failed: "));
    return 0;
}
