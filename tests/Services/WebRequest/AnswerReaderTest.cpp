// The reader of the sites' answers against what a server may send: every framing HTTP/1.1
// allows, taken whole or a byte at a time, and what it refuses because the body could not be
// read whole, or would not fit the bound.

#include <gtest/gtest.h>

#include "WebRequestProgram/AnswerReader.h"

using namespace zantiva;

namespace {

// What the reader makes of `wire` taken in pieces of `piece` bytes, then of the close when
// `closes`: "status body", the failure, or "(more to come)".
std::string read(const QByteArray& wire, qsizetype piece, bool closes, qint64 maxBytes = 1 << 20) {
    AnswerReader reader(false, maxBytes);
    for (qsizetype at = 0; at < wire.size(); at += piece)
        reader.take(QByteArrayView(wire).sliced(at, std::min(piece, wire.size() - at)));
    const AnswerReader::Outcome& outcome = closes ? reader.close(/*clean=*/true) : reader.outcome();
    if (const auto* answer = std::get_if<AnswerReader::Answer>(&outcome))
        return std::to_string(answer->head.status()) + " " + answer->body.toStdString();
    if (const auto* why = std::get_if<std::string>(&outcome)) return *why;
    return "(more to come)";
}

struct Case {
    QByteArray wire;
    bool closes;
    std::string read;
};

void expectRead(const Case& c) {
    EXPECT_EQ(read(c.wire, c.wire.size() + 1, c.closes), c.read) << c.wire.toStdString();
    EXPECT_EQ(read(c.wire, 1, c.closes), c.read) << "a byte at a time: " << c.wire.toStdString();
}

TEST(AnswerReader, ReadsTheBodyAsTheHeadFramesIt) {
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n{}after", false, "200 {}"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2, 2\r\nContent-Encoding: identity\r\n\r\n{}", false, "200 {}"},
        {"HTTP/1.1 200 OK\ntransfer-encoding: Chunked\n\n3;ext=1\n{\"a\n4\r\n\":1}\r\n0\r\n", false, "200 {\"a\":1}"},
        {"HTTP/1.0 200 OK\r\n\r\n{}", true, "200 {}"},
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\n{}", false, "404 {}"},
        {"HTTP/1.1 204 No Content\r\nContent-Encoding: gzip\r\n\r\n", false, "204 "},
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n{}", false, "(more to come)"},
    };
    for (const Case& c : cases) expectRead(c);
}

TEST(AnswerReader, RefusesWhatItCouldNotReadWhole) {
    const Case cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: 2\r\n\r\n{}", false,
         "the answer came compressed as gzip, which was not asked for"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n", false,
         "the answer came in a transfer coding that was not asked for: gzip, chunked"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2\r\nContent-Length: 3\r\n\r\n{}", false,
         "the answer's length is not one number"},
        {"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, "the answer's length is not one number"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0x2\r\n{}\r\n0\r\n\r\n", false,
         "the answer's chunks are malformed"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\n{}}\r\n0\r\n\r\n", false,
         "the answer's chunks are malformed"},
        {"SSH-2.0-OpenSSH_9.2\r\n", false, "the answer is not HTTP"},
        // A field line folded onto the one before, a space before the colon, no colon: servers on
        // the way may read such a head otherwise.
        {"HTTP/1.1 200 OK\r\n Content-Length: 5\r\n\r\n{}", true, "the answer's head is malformed"},
        {"HTTP/1.1 200 OK\r\nX-A: 1\r\n\tContent-Length: 5\r\n\r\n{}", true, "the answer's head is malformed"},
        {"HTTP/1.1 200 OK\r\nContent-Length : 5\r\n\r\n{}", true, "the answer's head is malformed"},
        {"HTTP/1.1 100 Continue\r\nX-A\r\n\r\nHTTP/1.1 200 OK\r\n\r\n{}", true, "the answer's head is malformed"},
        {"HTTP/1.1 20 OK\r\n\r\n", false, "the answer is not HTTP"},
        {"HTTP/1.1 200 OK\r\nContent-Len", true, "the answer broke off before its head ended"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n{}", true, "the answer broke off before its body ended"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\n{}\r\n", true,
         "the answer broke off before its body ended"},
        {"", true, "the site closed the connection without an answer"},
        // The bound holds the head as it does the body; an announced size past it ends the call at once.
        {"HTTP/1.1 200 OK\r\nX-Long: " + QByteArray(1 << 20, 'a'), false, "the answer is larger than 1 MiB"},
        {"HTTP/1.1 200 OK\r\nContent-Length: 2000000\r\n\r\n", false, "the answer is larger than 1 MiB"},
        {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n200000\r\n", false, "the answer is larger than 1 MiB"},
    };
    for (const Case& c : cases) expectRead(c);
}

// A close that may be anyone's on the way (over TLS, one without the end of the session) cuts
// off a body that ends at the close; a body whose length framed it is whole before the close.
TEST(AnswerReader, AnUncleanCloseEndsNoBody) {
    AnswerReader toClose(false, 1 << 20);
    toClose.take("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n{\"user_id\"");
    const auto* why = std::get_if<std::string>(&toClose.close(/*clean=*/false));
    ASSERT_TRUE(why);
    EXPECT_EQ(*why, "the answer broke off: the connection closed without ending its TLS session");

    AnswerReader sized(false, 1 << 20);
    sized.take("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n{}");
    EXPECT_TRUE(std::holds_alternative<AnswerReader::Answer>(sized.close(/*clean=*/false)));
}

} // namespace
