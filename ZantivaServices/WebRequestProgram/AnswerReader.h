#pragma once

#include <optional>
#include <string>
#include <variant>

#include <QByteArray>
#include <QByteArrayView>

#include "WebRequestProgram/AnswerHead.h"

namespace zantiva {

// Reads one HTTP/1.1 answer off a connection as its bytes come, holding all of them, head
// included, within a bound: the final head and the whole body, or why there is none. Only an
// answer as it stands is taken: a compressed one, or one in a transfer coding other than
// chunked, could not be read whole here and is refused. Interim (1xx) heads are passed over.
class AnswerReader {
public:
    struct Answer {
        AnswerHead head;
        QByteArray body;
    };
    struct MoreToCome {};
    // The answer, why there is none, or nothing yet.
    using Outcome = std::variant<MoreToCome, Answer, std::string>;

    // `bodiless`: the request was HEAD, whose answer has a head only.
    AnswerReader(bool bodiless, qint64 maxBytes) : bodiless_(bodiless), maxBytes_(maxBytes) {}

    // Takes the next bytes the connection brought; once there is an outcome, more are ignored.
    const Outcome& take(QByteArrayView bytes);
    // The connection closed: an answer whose end is the close is whole now when the close is
    // known to be the site's own (`clean`: the end of its TLS session, or of a plain connection);
    // any other is cut off.
    const Outcome& close(bool clean);

    const Outcome& outcome() const { return outcome_; }
    // Whether any byte of the answer came.
    bool started() const { return taken_ > 0; }

private:
    enum class Stage { head, sizedBody, chunkSize, chunkData, chunkEnd, bodyToClose };

    void readHead();
    void startBody(AnswerHead head);
    void readChunkSize();
    void readChunkEnd();
    void readBody();
    void fail(std::string why);
    void finish();
    std::string sizeBound() const;

    bool bodiless_;
    qint64 maxBytes_;
    qint64 taken_ = 0;
    Stage stage_ = Stage::head;
    QByteArray pending_;         // taken and not yet read
    qsizetype read_ = 0;         // how much of pending_ has been read
    qsizetype headScanned_ = 0;  // how far the current head was searched for its end
    qint64 remaining_ = 0;       // of the sized body or the current chunk
    std::optional<AnswerHead> head_;
    QByteArray body_;
    Outcome outcome_;
};

} // namespace zantiva
